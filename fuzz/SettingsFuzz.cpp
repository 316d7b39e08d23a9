// Loads a settings file of any bytes and length the way the programs do, then draws
// from it on screen and for output at small sizes.
#include "SettingsFile.h"
#include "StarPicture.h"

#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::optional<ShapeSettings> loaded = SettingsFromFileBytes(data, size);
    // The file's first 68 bytes are the record, and a save writes them back.
    if (loaded && std::memcmp(EncodeSettings(*loaded).data(), data, kSettingsSize) != 0)
        std::abort();
    ShapeSettings s = StartingRecord(loaded);
    Directions table{};
    BuildDirections(s, table);

    const SystemColors plain = PlainSystemColors();
    const Pixel screen[4] = {1, 2, 3, 4};
    const BackdropView backdrop{screen, 2, 2, 2, s.Left % 50, s.Top % 50};
    for (const bool output : {false, true}) {
        PictureInputs in;
        // The record's own client size, kept small enough to draw quickly; output
        // pictures grow by SaveRate on top.
        in.areaWidth = std::abs(s.ClientWidth % (output ? 9 : 97));
        in.areaHeight = std::abs(s.ClientHeight % (output ? 7 : 61));
        in.sameSize = s.SameSize != 0;
        in.fill = s.Fill != 0;
        in.output = output;
        in.dragging = (s.Reserved1[0] & 1) != 0;
        in.dragInner = (s.Reserved1[0] & 2) != 0;
        in.foreground = ResolveColorValue(s.ForeColor, plain);
        in.background = ResolveColorValue(s.BackColor, plain);
        in.backdrop = &backdrop;
        const StarPicture picture = MakeStarPicture(s, table, in);
        std::vector<Pixel> pixels(std::size_t(picture.width) * std::size_t(picture.height));
        RenderStarRows(picture, pixels.data(), picture.width, 0, picture.height);
        if (picture.vertices.front() != picture.vertices.back())
            std::abort();
    }
    return 0;
}
