#pragma once

#include "ColorValue.h"
#include "Raster.h"
#include "StarGeometry.h"

#include <cstdint>
#include <span>

// Smooth edges: each pixel takes the share of it that the star covers, measured on a
// fixed grid of 4 x 4 sample points per pixel in whole-number arithmetic, and is
// blended between what lies under it and the star's colour by that share.
//
// Geometry: the star's path runs through the centres of its vertex pixels (as in the
// picture's SVG). The star covers the points inside the path by the even-odd rule and
// the points within half a pixel of the path (the one-pixel-wide outline with round
// joins). Sample t of a pixel lies (2t + 1) / 8 of a pixel from its left edge, sample
// s as far from its top edge.
//
// Only the rows of the band are evaluated, so any band renders exactly as the same
// rows of the whole picture. Pixels that the star covers wholly or not at all are
// written as runs; the per-sample work is done only on the pixels along its edges.

// Blends the star (the closed path, filled or not) in colour star over the rows of the
// canvas. A pixel whose alpha byte is 0 is transparent: the star's colour goes over
// it with alpha for coverage; over any other pixel the colours mix and stay opaque.
// outlineWidth: the outline covers the points within half of it (pixels) of the
// path instead of half a pixel; 0 leaves the fill alone.
void BlendSmoothStar(BandCanvas &canvas, std::span<const Point> path, bool fill, Pixel star,
                     int32_t outlineWidth = 1);
