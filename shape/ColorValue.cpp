#include "ColorValue.h"

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
