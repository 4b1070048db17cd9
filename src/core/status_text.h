#pragma once

#include <cstdint>
#include <string>

// Texts of the three status panels.

// "Pos: 255 $FF"
std::string CursorPositionText(std::int32_t index);
// prefix + " 65 $41 01000001" and, for a printable value, a blank and the character in double
// quotes. The character is given in UTF-8 (the shell decodes the byte for display).
std::string CursorValueText(const std::string& prefix, std::uint8_t value,
                            const std::string& characterUtf8);
// "Dist: -10 -$A"
std::string DistanceText(std::int64_t distance);
// Printable for the value panel: 32 .. 126, 145, 146 and 161 .. 255.
bool IsStatusPrintable(std::uint8_t value);
