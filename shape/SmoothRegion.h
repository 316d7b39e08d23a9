#pragma once

#include "StarGeometry.h"

#include <cstdint>
#include <vector>

// The star as regions in real coordinates, for smooth pictures: pixel (x, y) is the
// square [x, x + 1) x [y, y + 1), and the path runs through the centres of its vertex
// pixels, as the picture's SVG draws it.
//
// Two layers, each bounded by straight edges and circular arcs:
// - the fill: the closed path, rounded corners as their true arcs; a point is inside
//   by the even-odd rule;
// - the outline: the points within half the line's width of that path (round joins),
//   as a union of pieces (a band along each straight edge, a ring sector along each
//   arc, a disk at each corner), each turning positively, so a point is inside where
//   the winding number is not 0.
// Arcs are kept whole, cut only where they turn up or down, and flattened row by row
// as the rows are drawn: memory grows with the corners, not with the picture's size.

// How far a flattened arc may stray from the true one, pixels.
inline constexpr double kArcTolerance = 0.01;

struct RealPoint {
    double x, y;
};

// An edge of a boundary. A level edge (y0 == y1, winding 0) crosses no row, but
// ties what lies left of it to what lies right.
struct RegionEdge {
    double x0, y0, x1, y1; // top end, then bottom end: y0 <= y1
    double slope;          // x per y
    int32_t winding;       // +1 where the boundary runs downwards, -1 upwards
    bool outline;          // a boundary of the outline, or of the fill
};

// A part of a circle that only goes down (or only up) from top to bottom, on one side
// of its centre.
struct RegionArc {
    double cx, cy, radius;
    double x0, y0, x1, y1; // top end, then bottom end: y0 < y1
    bool right;            // right of the centre
    int32_t winding;
    bool outline;
};

struct SmoothRegion {
    std::vector<RegionEdge> edges; // in order of their tops
    std::vector<RegionArc> arcs;   // in order of their tops
};

// The fill of the path through the vertices' pixel centres (2N vertices and the
// closing point), corners rounded by the shares in percent (when fill), and its
// outline lineWidth pixels wide (when > 0).
SmoothRegion MakeSmoothRegion(const std::vector<Point> &vertices, int32_t tipRounding,
                              int32_t valleyRounding, bool fill, double lineWidth);

// Appends the arc's part within rows [top, bottom) as straight edges: ends on the
// circle at the rows' edges and the arc's ends, chords of at most kArcTolerance from
// it between, their inner corners set out so that they cover the arc's own area.
void FlattenArcRows(const RegionArc &arc, double top, double bottom, std::vector<RegionEdge> &out);
