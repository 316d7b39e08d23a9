#pragma once

#include "ColorValue.h"
#include "StarGeometry.h"

#include <cstddef>
#include <cstdint>
#include <span>

// An aliased rasteriser over a band of rows [y0, y1) of a picture width x height.
// Every primitive is defined per pixel in whole-number arithmetic and evaluated
// only for the rows of the band, so any band renders exactly as the same rows of
// the whole picture, at a cost that grows with the band.
//
// Conventions:
// - a line segment covers the pixels of a Bresenham walk from its start point,
//   without its end point; on a tie the minor coordinate steps on;
// - a polygon interior holds the pixels whose centres lie inside by the even-odd
//   rule, with a centre on an edge counted right of it;
// - a rectangle covers columns left .. right-1 and rows top .. bottom-1.
class BandCanvas {
public:
    // rows points at the first pixel of row y0; stride is in pixels.
    BandCanvas(Pixel *rows, std::ptrdiff_t stride, int32_t width, int32_t height, int32_t y0,
               int32_t y1);

    int32_t Width() const { return width_; }
    int32_t FirstRow() const { return y0_; }
    int32_t EndRow() const { return y1_; }
    Pixel *Row(int32_t y) const { return rows_ + (y - y0_) * stride_; }

    void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, Pixel color);
    // A rectangle outlined one pixel wide with pen and filled inside with brush.
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, Pixel pen,
                   Pixel brush);
    // Joined segments points[0]->points[1]->..., each without its end point.
    void Polyline(std::span<const Point> points, Pixel color);
    void Line(Point from, Point to, Pixel color);
    // A wide outline of the joined segments: the pixels whose centres lie within
    // width / 2 of them (round joins and ends).
    void StrokeRound(std::span<const Point> points, int32_t width, Pixel color);
    // The interior of the closed polygon by the even-odd rule; no outline.
    void FillPolygonEvenOdd(std::span<const Point> points, Pixel color);

private:
    void HorizontalRun(int32_t y, int64_t xa, int64_t xb, Pixel color);

    Pixel *rows_;
    std::ptrdiff_t stride_;
    int32_t width_;
    int32_t y0_, y1_;
};
