#include "view/display_char.h"

#include "core/cp1252.h"

namespace {

constexpr char16_t Undefined = u'\uFFFD';

// The values the blank option shows as themselves.
constexpr bool ShownWithNoUnknown(std::uint8_t b) {
    return (b >= 32 && b <= 126) || (b >= 130 && b <= 140) || (b >= 145 && b <= 156) || b >= 159;
}

} // namespace

char16_t Windows1252ToUnicode(std::uint8_t b) {
    // Every defined character of the set lies in the basic plane.
    const auto c = DecodeCp1252(b);
    return c ? static_cast<char16_t>(*c) : Undefined;
}

char16_t DisplayChar(std::uint8_t b, bool zeroAsBlank, bool noUnknown) {
    if (b == 0 && zeroAsBlank) {
        return u' ';
    }
    if (noUnknown) {
        return ShownWithNoUnknown(b) ? Windows1252ToUnicode(b) : u' ';
    }
    const char16_t c = Windows1252ToUnicode(b);
    if (b < 32 || b == 127 || c == Undefined) {
        return UnknownCharGlyph;
    }
    return c;
}
