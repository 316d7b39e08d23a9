#include "StarPicture.h"

#include "SmoothRaster.h"
#include "StarOutline.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

constexpr Pixel kWhite = PixelFromRgb(255, 255, 255);

// Backdrop mode before any capture: nothing but white.
const BackdropView kNoBackdrop{};

// Copies the backdrop under the picture; whatever lies outside the capture shows white.
void CopyBackdrop(const BackdropView &backdrop, BandCanvas &canvas) {
    const int32_t width = canvas.Width();
    for (int32_t y = canvas.FirstRow(); y < canvas.EndRow(); ++y) {
        Pixel *row = canvas.Row(y);
        const int64_t sy = int64_t(backdrop.originY) + y;
        if (sy < 0 || sy >= backdrop.height || !backdrop.pixels) {
            std::fill(row, row + width, kWhite);
            continue;
        }
        const int64_t sx0 = backdrop.originX;
        const int64_t from = std::clamp<int64_t>(-sx0, 0, width);
        const int64_t to = std::clamp<int64_t>(backdrop.width - sx0, from, width);
        std::fill(row, row + from, kWhite);
        std::copy(backdrop.pixels + sy * backdrop.stride + sx0 + from,
                  backdrop.pixels + sy * backdrop.stride + sx0 + to, row + from);
        std::fill(row + to, row + width, kWhite);
    }
}

// Light and dark squares of 8 x 8 pixels, as image programs show transparency.
constexpr int32_t kCheckerSquare = 8;
constexpr Pixel kCheckerLight = PixelFromRgb(255, 255, 255);
constexpr Pixel kCheckerDark = PixelFromRgb(204, 204, 204);

void FillCheckerboard(BandCanvas &canvas, int32_t square) {
    for (int32_t y = canvas.FirstRow(); y < canvas.EndRow(); ++y) {
        Pixel *row = canvas.Row(y);
        for (int32_t x = 0; x < canvas.Width(); x += square) {
            const bool dark = ((x / square) + (y / square)) % 2 != 0;
            std::fill(row + x, row + std::min(x + square, canvas.Width()),
                      dark ? kCheckerDark : kCheckerLight);
        }
    }
}

} // namespace

PictureSize OutputPictureSize(int32_t areaWidth, int32_t areaHeight, bool sameSize,
                              int32_t saveRate) {
    if (sameSize) {
        const int32_t side = std::min(areaWidth, areaHeight) * saveRate;
        return {side, side};
    }
    return {areaWidth * saveRate, areaHeight * saveRate};
}

StarPicture MakeStarPicture(const ShapeSettings &settings, const Directions &table,
                            const PictureInputs &in) {
    StarPicture p;
    // The box: the drawing area, or its top-left square in same-size mode, scaled
    // by SaveRate for output. On screen the bitmap still covers the whole area.
    const int32_t scale = in.output ? settings.SaveRate : std::max<int32_t>(1, in.screenScale);
    const PictureSize box = OutputPictureSize(in.areaWidth, in.areaHeight, in.sameSize, scale);
    p.width = in.output ? box.width : in.areaWidth * scale;
    p.height = in.output ? box.height : in.areaHeight * scale;
    // Markers and checkerboard grow with the screen's ratio, never with SaveRate.
    const double grown = in.output ? 1.0 : in.screenRatio > 0 ? in.screenRatio : double(scale);
    p.markerHalf = int32_t(std::lround(kMarkerHalf * grown));
    p.checkerSquare = int32_t(std::lround(kCheckerSquare * grown));
    p.box = ComputeBox(box.width, box.height, settings);
    if (in.extras.Irregularity == 0)
        ComputeVertices(settings, table, p.box, p.vertices);
    else
        ComputeIrregularVertices(settings, in.extras, table, p.box, p.vertices);
    p.tipRounding = in.extras.TipRounding;
    p.valleyRounding = in.extras.ValleyRounding;
    if (p.tipRounding > 0 || p.valleyRounding > 0) {
        p.path = p.vertices;
        RoundCorners(p.path, in.extras.TipRounding, in.extras.ValleyRounding);
    }
    // Width 1 is the one-pixel pen at every magnification; wider outlines scale.
    p.lineWidth = in.extras.LineWidth <= 1 ? 1 : in.extras.LineWidth * scale;
    p.ownLine = in.extras.OwnLineColor;
    p.line = in.lineColor;
    p.fill = in.fill;
    p.markers = in.dragging;
    p.markInnerOnly = in.dragInner;
    p.foreground = in.foreground;
    p.background = in.background;
    const bool seeThrough = !in.output && settings.Trans != 0 && in.seeThrough;
    if (!in.output && settings.Trans != 0 && !seeThrough)
        p.backdrop = in.backdrop ? in.backdrop : &kNoBackdrop;
    p.transparent = (in.output && in.transparent) || seeThrough;
    p.seeThrough = seeThrough;
    p.checkerboard = !in.output && in.transparent && !p.backdrop && !seeThrough;
    p.smooth = in.smooth;
    if (p.smooth)
        p.region =
            MakeSmoothRegion(p.vertices, p.tipRounding, p.valleyRounding, p.fill, p.lineWidth);
    return p;
}

void RenderStarRows(const StarPicture &p, Pixel *rows, std::ptrdiff_t stride, int32_t y0,
                    int32_t y1) {
    BandCanvas canvas(rows, stride, p.width, p.height, y0, y1);

    // The brush the markers inherit when the star is not filled: the background
    // colour after a plain background, white over a backdrop or the live desktop.
    const Pixel background = p.transparent ? p.background & 0x00FFFFFF : p.background;
    const Pixel brush =
        p.fill || (!p.backdrop && !p.checkerboard && !p.seeThrough) ? background : kWhite;
    const auto underneath = [&](BandCanvas &band) {
        if (p.backdrop)
            CopyBackdrop(*p.backdrop, band);
        else if (p.checkerboard)
            FillCheckerboard(band, p.checkerSquare);
        else
            band.FillRect(0, 0, p.width, p.height, background);
    };

    const std::span<const Point> vertices(p.vertices);
    const std::span<const Point> corners = vertices.first(vertices.size() - 1);
    const std::span<const Point> path(p.Drawn());
    const Pixel line = p.LineColor();
    if (p.smooth) {
        // One sweep blends each pixel once: an outline in the star's colour and the
        // fill by the area they cover together, an outline of its own colour by its
        // own area and the fill by what the outline leaves of it. Without a fill the
        // region is the outline alone.
        SmoothSweep star(p.region, p.fill ? p.foreground : line, line, p.width);
        // A few rows at a time, so the edge pixels are blended while the rows under
        // them are still in the cache.
        constexpr int32_t kRowsAtATime = 16;
        for (int32_t y = canvas.FirstRow(); y < canvas.EndRow(); y += kRowsAtATime) {
            BandCanvas band(canvas.Row(y), stride, p.width, p.height, y,
                            std::min(y + kRowsAtATime, canvas.EndRow()));
            underneath(band);
            star.Blend(band);
        }
    } else {
        underneath(canvas);
        if (p.fill)
            canvas.FillPolygonEvenOdd(path.first(path.size() - 1), p.foreground);
        // The outline of a filled polygon is the same closed path as the outline star.
        if (p.lineWidth == 1)
            canvas.Polyline(path, line);
        else
            canvas.StrokeRound(path, p.lineWidth, line);
    }

    if (p.markers) {
        for (std::size_t i = p.markInnerOnly ? 1 : 0; i < corners.size();
             i += p.markInnerOnly ? 2 : 1) {
            const Point v = corners[i];
            const int32_t half = p.markerHalf;
            canvas.Rectangle(v.x - half, v.y - half, v.x + half, v.y + half, p.foreground, brush);
        }
    }
}
