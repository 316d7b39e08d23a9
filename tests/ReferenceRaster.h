#pragma once

#include "StarPicture.h"

#include <vector>

// Slow, obviously-correct versions of the rasteriser's primitives over a whole
// picture, for checking the fast band renderer.
struct ReferenceImage {
    int32_t width, height;
    std::vector<Pixel> pixels;

    ReferenceImage(int32_t w, int32_t h, Pixel fill)
        : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
    void Plot(int64_t x, int64_t y, Pixel c) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            pixels[std::size_t(y) * width + std::size_t(x)] = c;
    }
};

// Walks the segment step by step with an error term, without its end point.
void ReferenceLine(ReferenceImage &image, Point from, Point to, Pixel color);
// Tests every pixel centre against every edge.
void ReferenceFillEvenOdd(ReferenceImage &image, const std::vector<Point> &polygon, Pixel color);
// The whole star picture, drawn from the primitives above.
ReferenceImage ReferencePicture(const StarPicture &picture);

// How many of the 16 sample points of pixel (x, y) the star covers: points inside the
// path through the vertex pixels' centres (even-odd; only when fill) or within half of
// width (pixels) of it. Each sample is tested against every edge and every segment.
int ReferenceCoverage(const std::vector<Point> &path, bool fill, int32_t x, int32_t y,
                      int32_t width = 1);

// What an opaque pixel of coverage c sixteenths is: each channel of the star's colour
// weighed with the one under it, rounded to the nearest (in real numbers, apart from
// the renderer's integer arithmetic).
Pixel ReferenceBlend(Pixel under, Pixel star, int c);
