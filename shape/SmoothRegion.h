#pragma once

#include "StarGeometry.h"

#include <cstdint>
#include <vector>

// The star as regions in real coordinates, for smooth pictures: pixel (x, y) is the
// square [x, x + 1) x [y, y + 1), and the path runs through the centres of its vertex
// pixels, as the picture's SVG draws it.
//
// Two layers of straight edges:
// - the fill: the closed path, rounded corners as their true arcs flattened to
//   within kArcTolerance; a point is inside by the even-odd rule;
// - the outline: the points within half the line's width of that path (round joins),
//   as a union of pieces (a band along each straight edge, a ring sector along each
//   arc, a disk at each corner), each a positively turning polygon, so a point is
//   inside where the winding number is not 0.

// How far a flattened arc may stray from the true one, pixels.
inline constexpr double kArcTolerance = 0.01;

struct RegionEdge {
    double x0, y0, x1, y1; // top end, then bottom end: y0 < y1
    double slope;          // x per y
    int32_t winding;       // +1 where the edge was drawn downwards, -1 upwards
    bool outline;          // an edge of the outline, or of the fill
};

struct SmoothRegion {
    std::vector<RegionEdge> edges; // in order of their tops
};

struct RealPoint {
    double x, y;
};

// The closed path through the vertices' pixel centres (2N vertices and the closing
// point), corners rounded by the shares in percent as true arcs, flattened.
std::vector<RealPoint> SmoothPath(const std::vector<Point> &vertices, int32_t tipRounding,
                                  int32_t valleyRounding);

// The fill of the path (when fill) and its outline lineWidth pixels wide (when > 0).
SmoothRegion MakeSmoothRegion(const std::vector<Point> &vertices, int32_t tipRounding,
                              int32_t valleyRounding, bool fill, double lineWidth);
