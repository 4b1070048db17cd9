#include "core/status_text.h"

#include <cstdio>

namespace {

std::string Hex(std::uint64_t v, int minDigits) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%0*llX", minDigits, static_cast<unsigned long long>(v));
    return buffer;
}

} // namespace

std::string CursorPositionText(std::int32_t index) {
    return "Pos: " + std::to_string(index) + " $" + Hex(static_cast<std::uint32_t>(index), 1);
}

bool IsStatusPrintable(std::uint8_t v) {
    return (v >= 32 && v <= 126) || v == 145 || v == 146 || v >= 161;
}

std::string CursorValueText(const std::string& prefix, std::uint8_t value,
                            const std::string& characterUtf8) {
    std::string text = prefix + " " + std::to_string(value) + " $" + Hex(value, 2) + " ";
    for (int bit = 7; bit >= 0; --bit) {
        text += ((value >> bit) & 1) ? '1' : '0';
    }
    if (IsStatusPrintable(value)) {
        text += " \"" + characterUtf8 + "\"";
    }
    return text;
}

std::string DistanceText(std::int64_t d) {
    const std::uint64_t magnitude =
        d < 0 ? static_cast<std::uint64_t>(-d) : static_cast<std::uint64_t>(d);
    return "Dist: " + std::to_string(d) + " " + (d < 0 ? "-$" : "$") + Hex(magnitude, 1);
}
