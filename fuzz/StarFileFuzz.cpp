// Reads any bytes as a star file, the record and its extension block as the programs
// read them, and draws a small picture of it aliased and smooth and as SVG. Any band
// of rows must equal the same rows of the whole picture, and the block must read
// back the same after a save.
#include "SettingsFile.h"
#include "StarPicture.h"
#include "SvgPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

void CheckBands(const StarPicture &picture, int32_t y0, int32_t y1) {
    const int32_t w = picture.width, h = picture.height;
    std::vector<Pixel> whole(std::size_t(w) * std::size_t(h));
    RenderStarRows(picture, whole.data(), w, 0, h);
    std::vector<Pixel> band(std::size_t(w) * std::size_t(y1 - y0));
    RenderStarRows(picture, band.data(), w, y0, y1);
    if (!std::equal(band.begin(), band.end(), whole.begin() + std::ptrdiff_t(y0) * w))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    const std::optional<ShapeSettings> loaded = SettingsFromFileBytes(data, size);
    if (!loaded)
        return 0;
    ExtrasBlock block = ExtrasBlock::Absent;
    const StarExtras extras = DecodeExtras(data + kSettingsSize, size - kSettingsSize, &block);
    // What a save writes of the extras reads back whole and the same; nothing but a
    // block gives extras, and they are in range.
    StarExtras clamped = extras;
    ClampExtras(clamped);
    const std::vector<uint8_t> saved = EncodeExtras(extras);
    ExtrasBlock savedBlock = ExtrasBlock::Absent;
    if (!(DecodeExtras(saved.data(), saved.size(), &savedBlock) == extras) ||
        savedBlock != (extras.IsDefault() ? ExtrasBlock::Absent : ExtrasBlock::Understood) ||
        !(clamped == extras) || (block == ExtrasBlock::Absent && !extras.IsDefault()))
        std::abort();

    const ShapeSettings s = StartingRecord(loaded);
    Directions table{};
    BuildDirections(s, table);
    PictureInputs in;
    // Small pictures, of the record's own size: the geometry is what is tried.
    in.areaWidth = 1 + std::abs(s.ClientWidth % 64);
    in.areaHeight = 1 + std::abs(s.ClientHeight % 64);
    in.sameSize = s.SameSize != 0;
    in.fill = s.Fill != 0;
    in.output = true;
    in.extras = extras;
    in.foreground = ResolveColorValue(s.ForeColor, PlainSystemColors());
    in.background = ResolveColorValue(s.BackColor, PlainSystemColors());
    in.lineColor = ResolveColorValue(extras.LineColor, PlainSystemColors());
    in.transparent = (s.Reserved1[0] & 1) != 0;
    ShapeSettings small = s;
    small.SaveRate = 1 + std::abs(s.SaveRate % 3);
    for (const bool smooth : {false, true}) {
        in.smooth = smooth;
        const StarPicture picture = MakeStarPicture(small, table, in);
        // Irregularity only draws vertices in: each lies within its ring, but for the
        // pixel flooring moves it out by (lean and centre shift move the rings).
        const StarBox &box = picture.box;
        for (std::size_t i = 0; i + 1 < picture.vertices.size() && s.LeanAngle == 0; ++i) {
            const bool outer = i % 2 == 0;
            const double dx =
                std::max(std::abs(picture.vertices[i].x - (outer ? box.hw : box.icx)) - 1.0, 0.0);
            const double dy =
                std::max(std::abs(picture.vertices[i].y - (outer ? box.hh : box.icy)) - 1.0, 0.0);
            const double rx = std::max(outer ? box.rx : box.irx, 1);
            const double ry = std::max(outer ? box.ry : box.iry, 1);
            if (dx * dx / (rx * rx) + dy * dy / (ry * ry) > 1.0)
                std::abort();
        }
        if (picture.height > 0) {
            const int32_t y0 = int32_t(uint32_t(s.Left) % uint32_t(picture.height));
            CheckBands(picture, y0,
                       y0 + 1 + int32_t(uint32_t(s.Top) % uint32_t(picture.height - y0)));
        }
        if (StarSvg(picture).find("nan") != std::string::npos)
            std::abort();
    }
    return 0;
}
