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

// The exact share of each pixel (row by row) that the star covers: the points inside
// its path through the vertex pixels' centres with true arcs at rounded corners
// (even-odd; only when fill), and, when outline, those within half the line's width
// of it. Measured on 256 lines across each pixel row, each cut by the region into
// exact spans: independent of the renderer's flattening and strips.
std::vector<double> ReferenceAreas(const StarPicture &picture, bool fill, bool outline);

// The star's colour weighed with the one under it by area, each channel rounded.
Pixel ReferenceBlend(Pixel under, Pixel star, double area);
