#include "ColorValue.h"

#include "NumberText.h"

SystemColors PlainSystemColors() {
    SystemColors colors;
    colors.fill(0xC0C0C0); // chrome: scroll bars, captions, borders, button faces
    for (std::size_t index : {5, 14, 20, 22, 24}) // window, highlighted text, light edges, tips
        colors[index] = 0xFFFFFF;
    for (std::size_t index : {6, 7, 8, 9, 18, 21, 23}) // frames, dark edges, every text colour
        colors[index] = 0x000000;
    colors[13] = 0x000080; // selection
    colors[17] = 0x808080; // disabled text
    return colors;
}

Pixel ResolveColorValue(uint32_t value, const SystemColors &system) {
    if (value & kSystemColorFlag) {
        const uint32_t index = value & 0xFF;
        const uint32_t rgb = index < system.size() ? system[index] : 0;
        return 0xFF000000u | (rgb & 0xFFFFFF);
    }
    return PixelFromRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::optional<uint32_t> ColorValueFromText(std::string_view text) {
    if (text.size() == 7 && text.front() == '#') {
        const std::optional<uint64_t> rgb = ReadDigits(text.substr(1), 16);
        if (!rgb)
            return std::nullopt;
        return ColorValueFromRgb(uint32_t(*rgb >> 16), uint32_t(*rgb >> 8) & 0xFF,
                                 uint32_t(*rgb) & 0xFF);
    }
    const bool hex = text.starts_with("0x") || text.starts_with("0X");
    const std::optional<uint64_t> value = ReadDigits(hex ? text.substr(2) : text, hex ? 16 : 10);
    if (!value)
        return std::nullopt;
    const bool plain = *value <= 0xFFFFFF;
    const bool system = *value >= kSystemColorFlag && *value - kSystemColorFlag < kSystemColorCount;
    return plain || system ? std::optional<uint32_t>(uint32_t(*value)) : std::nullopt;
}
