#pragma once

#include "StarExtras.h"
#include "StarGeometry.h"

#include <cstdint>
#include <vector>

// The star's path with the extras applied: irregular vertices, rounded corners.

// The offsets of vertex i for a seed, each in [-1, 1): radius then angle. A
// generator written out here (SplitMix64 over seed and vertex), so a star file gives
// the same jags with every compiler and library.
struct VertexJitter {
    double radius, angle;
};
VertexJitter JitterOf(uint32_t seed, int32_t vertex);

// ComputeVertices with each vertex drawn towards the centre by up to Irregularity
// percent of its ring's radius, and turned by up to that share of half the angle
// between neighbouring vertices: no vertex leaves its ring.
void ComputeIrregularVertices(const ShapeSettings &settings, const StarExtras &extras,
                              const Directions &table, const StarBox &box, std::vector<Point> &out);

// One corner of a rounded path: an arc from one tangent point to the other about a
// centre, or, with radius 0, the sharp vertex itself at both ends. Angles in radians
// measured with y pointing down; the sweep lies within [-pi, pi].
struct CornerArc {
    double fromX, fromY, toX, toY;
    double centreX, centreY, radius;
    double start, sweep;
};
// The corners of the closed path (2N vertices and the closing point) rounded as
// RoundCorners describes, before flattening.
std::vector<CornerArc> CornerArcs(const std::vector<Point> &path, int32_t tipRounding,
                                  int32_t valleyRounding);

// Replaces each corner of the closed path (2N vertices and the closing point; even
// vertices are tips, odd ones valleys) by a circular arc tangent to both edges,
// flattened so that no point of the result lies farther than 1/8 pixel from the arc
// before the points are rounded to whole pixels. The arc's tangent points lie a share
// of the shorter adjacent edge from the corner: TipRounding or ValleyRounding
// percent, scaled down on an edge whose two corners would otherwise overlap. The
// result is closed again.
void RoundCorners(std::vector<Point> &path, int32_t tipRounding, int32_t valleyRounding);
