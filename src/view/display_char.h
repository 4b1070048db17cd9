#pragma once

#include <cstdint>

// The glyph shown for a control code or an undefined value while such bytes are not shown as
// blanks: a white square, which the grid font has at the same pitch as every other glyph.
constexpr char16_t UnknownCharGlyph = u'\u25A1';

// The character the grid shows for a byte, read as Windows-1252. zeroAsBlank turns byte 0 into a
// space (the statistic wants that, the grid does not). With noUnknown the values without a
// printable character become spaces; without it they show UnknownCharGlyph.
char16_t DisplayChar(std::uint8_t b, bool zeroAsBlank, bool noUnknown);

// Windows-1252 decoded; the five undefined values give 0xFFFD.
char16_t Windows1252ToUnicode(std::uint8_t b);
