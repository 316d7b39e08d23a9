// Renders a band of rows of a star with arbitrary parameters and checks it against
// the same rows of the whole picture.
#include "StarPicture.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    ShapeSettings s{};
    s.Points = in.ConsumeIntegral<int32_t>();
    s.InnerRate = in.ConsumeIntegral<int32_t>();
    s.OuterRate = in.ConsumeIntegral<int32_t>();
    s.InnerTwist = in.ConsumeIntegral<int32_t>();
    s.OuterTwist = in.ConsumeIntegral<int32_t>();
    s.CenterXRate = in.ConsumeIntegral<int32_t>();
    s.CenterYRate = in.ConsumeIntegral<int32_t>();
    s.LeanAngle = in.ConsumeIntegral<int32_t>();
    s.SaveRate = in.ConsumeIntegralInRange<int32_t>(1, 4);
    ClampToEditorRanges(s);
    Directions table{};
    BuildDirections(s, table);

    PictureInputs p;
    p.areaWidth = in.ConsumeIntegralInRange<int32_t>(0, 300);
    p.areaHeight = in.ConsumeIntegralInRange<int32_t>(0, 300);
    p.sameSize = in.ConsumeBool();
    p.fill = in.ConsumeBool();
    p.output = in.ConsumeBool();
    p.dragging = in.ConsumeBool();
    p.dragInner = in.ConsumeBool();
    p.foreground = PixelFromRgb(0, 0, 0);
    p.background = PixelFromRgb(255, 255, 255);
    if (p.output)
        p.areaWidth /= s.SaveRate, p.areaHeight /= s.SaveRate;
    const StarPicture picture = MakeStarPicture(s, table, p);
    const int32_t w = picture.width, h = picture.height;

    std::vector<Pixel> whole(std::size_t(w) * std::size_t(h));
    RenderStarRows(picture, whole.data(), w, 0, h);
    int32_t y0 = in.ConsumeIntegralInRange<int32_t>(0, h);
    int32_t y1 = in.ConsumeIntegralInRange<int32_t>(0, h);
    if (y0 > y1)
        std::swap(y0, y1);
    // One canary row past the band catches writes beyond it.
    constexpr Pixel kCanary = 0x5A5A5A5A;
    std::vector<Pixel> band(std::size_t(w) * std::size_t(y1 - y0 + 1), kCanary);
    RenderStarRows(picture, band.data(), w, y0, y1);
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (band[std::size_t(y - y0) * w + x] != whole[std::size_t(y) * w + x])
                std::abort();
    for (int32_t x = 0; x < w; ++x)
        if (band[std::size_t(y1 - y0) * w + x] != kCanary)
            std::abort();
    return 0;
}
