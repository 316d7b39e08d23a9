#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Colour values as stored in the settings: 0x00BBGGRR for a plain colour, or
// kSystemColorFlag plus a system colour index, resolved only when drawn.
inline constexpr uint32_t kSystemColorFlag = 0x80000000u;
inline constexpr uint32_t kWindowColor = kSystemColorFlag + 5;     // window background
inline constexpr uint32_t kWindowTextColor = kSystemColorFlag + 8; // window text

// The RGB value (0x00RRGGBB) of each system colour index the platform knows.
inline constexpr std::size_t kSystemColorCount = 31;
using SystemColors = std::array<uint32_t, kSystemColorCount>;

// System colours of a plain light scheme: black text on white, grey chrome.
SystemColors PlainSystemColors();

// A pixel of the rasteriser's buffers: bytes blue, green, red, then an unused
// byte kept at 0xFF (the layout of QImage::Format_RGB32).
using Pixel = uint32_t;

inline constexpr Pixel PixelFromRgb(uint32_t r, uint32_t g, uint32_t b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}
inline constexpr uint32_t ColorValueFromRgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// Resolves a colour value to a pixel. Unknown system indices give black.
Pixel ResolveColorValue(uint32_t value, const SystemColors &system);

// A colour value from exactly "#RRGGBB" (six hex digits), or a value as the record
// stores it, in decimal or as 0x and hex digits: a plain colour up to 0xFFFFFF, or a
// system colour of the table (0x80000000 plus 0 to 30). Anything else gives nothing.
std::optional<uint32_t> ColorValueFromText(std::string_view text);
