#pragma once

#include "ShapeSettings.h"

#include <array>
#include <cstdint>
#include <vector>

// Unit direction of one vertex, twist included, in single precision.
struct Direction {
    float Cos;
    float Sin;
};

// Twice the largest jag count.
inline constexpr int kMaxVertices = 2 * settings_range::kMaxPoints;
using Directions = std::array<Direction, kMaxVertices>;

struct Point {
    int32_t x;
    int32_t y;
    friend bool operator==(const Point &, const Point &) = default;
};

// Rewrites entries 0 .. 2N-1 of the table from Points and the two twists.
// Points must lie in 3..50.
void BuildDirections(const ShapeSettings &settings, Directions &table);

// The box the star is fitted into and the derived whole-pixel measures.
struct StarBox {
    int32_t W, H;     // box size
    int32_t hw, hh;   // outer ring centre and lean centre
    int32_t rx, ry;   // outer radii
    int32_t irx, iry; // inner radii, from the truncated outer radii
    int32_t icx, icy; // inner ring centre
};
StarBox ComputeBox(int32_t W, int32_t H, const ShapeSettings &settings);

// Cosine and sine of LeanAngle, rounded to single.
struct LeanRotation {
    float c;
    float s;
};
LeanRotation ComputeLean(int32_t leanAngle);

// Rotates a whole-pixel point about (hw, hh) and truncates the result.
Point LeanPoint(Point p, const StarBox &box, const LeanRotation &lean);

// The 2N vertices and the closing point (equal to vertex 0), leaned when
// LeanAngle is not 0. out is resized to 2N + 1.
void ComputeVertices(const ShapeSettings &settings, const Directions &table, const StarBox &box,
                     std::vector<Point> &out);
