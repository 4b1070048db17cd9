#pragma once

#include <cstdint>
#include <optional>

// The 8-bit character set of the character area: Windows-1252.

// The character of a byte; std::nullopt for the five codes the set leaves undefined.
std::optional<char32_t> DecodeCp1252(std::uint8_t byte);
// The byte of a typed character; std::nullopt when the set has no code for it.
std::optional<std::uint8_t> EncodeCp1252(char32_t ch);
