#include "ReferenceRaster.h"

#include "StarOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <cstdlib>

void ReferenceLine(ReferenceImage &image, Point from, Point to, Pixel color) {
    const int64_t adx = std::abs(int64_t(to.x) - from.x), ady = std::abs(int64_t(to.y) - from.y);
    const int64_t sx = to.x < from.x ? -1 : 1, sy = to.y < from.y ? -1 : 1;
    if (adx >= ady) {
        int64_t minor = 0, remainder = adx;
        for (int64_t k = 0; k < adx; ++k) {
            image.Plot(from.x + sx * k, from.y + sy * minor, color);
            remainder += 2 * ady;
            if (remainder >= 2 * adx)
                remainder -= 2 * adx, ++minor;
        }
    } else {
        int64_t minor = 0, remainder = ady;
        for (int64_t k = 0; k < ady; ++k) {
            image.Plot(from.x + sx * minor, from.y + sy * k, color);
            remainder += 2 * adx;
            if (remainder >= 2 * ady)
                remainder -= 2 * ady, ++minor;
        }
    }
}

void ReferenceFillEvenOdd(ReferenceImage &image, const std::vector<Point> &polygon, Pixel color) {
    const std::size_t n = polygon.size();
    for (int64_t y = 0; y < image.height; ++y) {
        for (int64_t x = 0; x < image.width; ++x) {
            // Count the edges crossing the pixel's row at or left of its centre.
            int crossings = 0;
            for (std::size_t i = 0; i < n; ++i) {
                Point a = polygon[i], b = polygon[(i + 1) % n];
                if (a.y > b.y)
                    std::swap(a, b);
                if (!(a.y <= y && y < b.y))
                    continue;
                const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
                if ((2 * x + 1 - 2 * int64_t(a.x)) * dy >= (2 * y + 1 - 2 * int64_t(a.y)) * dx)
                    ++crossings;
            }
            if (crossings % 2 == 1)
                image.Plot(x, y, color);
        }
    }
}

ReferenceImage ReferencePicture(const StarPicture &p) {
    ReferenceImage image(p.width, p.height, p.background);
    const std::vector<Point> corners(p.vertices.begin(), p.vertices.end() - 1);
    const std::vector<Point> &path = p.Drawn();
    if (p.fill)
        ReferenceFillEvenOdd(image, {path.begin(), path.end() - 1}, p.foreground);
    if (p.lineWidth == 1) {
        for (std::size_t i = 1; i < path.size(); ++i)
            ReferenceLine(image, path[i - 1], path[i], p.LineColor());
    } else {
        // Every pixel whose centre lies within half the width of a segment.
        const long double half = p.lineWidth / 2.0L;
        for (int64_t y = 0; y < p.height; ++y)
            for (int64_t x = 0; x < p.width; ++x)
                for (std::size_t i = 1; i < path.size(); ++i) {
                    const long double ax = path[i - 1].x, ay = path[i - 1].y;
                    const long double dx = path[i].x - ax, dy = path[i].y - ay;
                    const long double l2 = dx * dx + dy * dy;
                    const long double t =
                        l2 == 0 ? 0 : std::clamp(((x - ax) * dx + (y - ay) * dy) / l2, 0.0L, 1.0L);
                    const long double ex = x - ax - t * dx, ey = y - ay - t * dy;
                    if (ex * ex + ey * ey <= half * half + 1e-9L) {
                        image.Plot(x, y, p.LineColor());
                        break;
                    }
                }
    }
    if (p.markers) {
        for (std::size_t i = 0; i < corners.size(); ++i) {
            if (p.markInnerOnly && i % 2 == 0)
                continue;
            const Point v = corners[i];
            for (int64_t y = v.y - 3; y < v.y + 3; ++y)
                for (int64_t x = v.x - 3; x < v.x + 3; ++x) {
                    const bool edge = x == v.x - 3 || x == v.x + 2 || y == v.y - 3 || y == v.y + 2;
                    image.Plot(x, y, edge ? p.foreground : p.background);
                }
        }
    }
    return image;
}

namespace {

struct Interval {
    double lo, hi;
};

// The x where the line at height y is within radius of (cx, cy).
Interval DiskSpan(double cx, double cy, double radius, double y) {
    const double h2 = radius * radius - (y - cy) * (y - cy);
    return h2 < 0 ? Interval{1, 0} : Interval{cx - std::sqrt(h2), cx + std::sqrt(h2)};
}

Interval Meet(Interval a, Interval b) {
    return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)};
}

// The x with lo <= slope * x + offset <= hi on a line.
Interval LinearSpan(double slope, double offset, double lo, double hi) {
    if (slope == 0)
        return lo <= offset && offset <= hi ? Interval{-1e300, 1e300} : Interval{1, 0};
    const double a = (lo - offset) / slope, b = (hi - offset) / slope;
    return {std::min(a, b), std::max(a, b)};
}

// One piece of the path: a straight edge (radius 0) from (ax, ay) to (bx, by), or an
// arc about (cx, cy) from angle start through sweep.
struct PathPiece {
    double ax, ay, bx, by, cx, cy, radius, start, sweep;
};

bool WithinSweep(const PathPiece &p, double angle) {
    double d = (angle - p.start) * (p.sweep < 0 ? -1 : 1);
    d = std::fmod(std::fmod(d, 2 * std::numbers::pi) + 2 * std::numbers::pi, 2 * std::numbers::pi);
    return d <= std::abs(p.sweep);
}

std::vector<PathPiece> PiecesOf(const StarPicture &p) {
    std::vector<CornerArc> arcs;
    if (p.vertices.size() > 3 && (p.tipRounding > 0 || p.valleyRounding > 0))
        arcs = CornerArcs(p.vertices, p.tipRounding, p.valleyRounding);
    else
        for (std::size_t i = 0; i + 1 < p.vertices.size(); ++i)
            arcs.push_back({double(p.vertices[i].x), double(p.vertices[i].y),
                            double(p.vertices[i].x), double(p.vertices[i].y), 0, 0, 0, 0, 0});
    std::vector<PathPiece> pieces;
    for (std::size_t i = 0; i < arcs.size(); ++i) {
        const CornerArc &c = arcs[i], &n = arcs[(i + 1) % arcs.size()];
        if (c.radius > 0)
            pieces.push_back({c.fromX + .5, c.fromY + .5, c.toX + .5, c.toY + .5, c.centreX + .5,
                              c.centreY + .5, c.radius, c.start, c.sweep});
        pieces.push_back({c.toX + .5, c.toY + .5, n.fromX + .5, n.fromY + .5, 0, 0, 0, 0, 0});
    }
    return pieces;
}

} // namespace

std::vector<double> ReferenceAreas(const StarPicture &p, bool fill, bool outline) {
    constexpr int kLines = 256;
    const std::vector<PathPiece> pieces = PiecesOf(p);
    const double r = outline ? p.lineWidth / 2.0 : 0;
    std::vector<double> areas(std::size_t(p.width) * p.height);
    std::vector<Interval> spans;
    std::vector<double> crossings;
    for (int32_t row = 0; row < p.height; ++row) {
        for (int line = 0; line < kLines; ++line) {
            const double y = row + (line + 0.5) / kLines;
            spans.clear();
            crossings.clear();
            for (const PathPiece &q : pieces) {
                if (q.radius == 0) {
                    if (fill && std::min(q.ay, q.by) <= y && y < std::max(q.ay, q.by))
                        crossings.push_back(q.ax + (y - q.ay) * (q.bx - q.ax) / (q.by - q.ay));
                    if (r == 0)
                        continue;
                    // Within r of the segment: its band, or a disk at an end.
                    const double dx = q.bx - q.ax, dy = q.by - q.ay, l = std::hypot(dx, dy);
                    const Interval ends[] = {DiskSpan(q.ax, q.ay, r, y),
                                             DiskSpan(q.bx, q.by, r, y)};
                    spans.insert(spans.end(), std::begin(ends), std::end(ends));
                    if (l > 0)
                        spans.push_back(
                            Meet(LinearSpan(dx, (y - q.ay) * dy - q.ax * dx, 0, l * l),
                                 LinearSpan(-dy, (y - q.ay) * dx + q.ax * dy, -r * l, r * l)));
                    continue;
                }
                const Interval circle = DiskSpan(q.cx, q.cy, q.radius, y);
                for (const double x : {circle.lo, circle.hi})
                    if (fill && circle.lo < circle.hi &&
                        WithinSweep(q, std::atan2(y - q.cy, x - q.cx)))
                        crossings.push_back(x);
                if (r == 0)
                    continue;
                // Within r of the arc: the ring about its centre inside its wedge.
                const Interval outer = DiskSpan(q.cx, q.cy, q.radius + r, y);
                const Interval inner =
                    q.radius > r ? DiskSpan(q.cx, q.cy, q.radius - r, y) : Interval{1, 0};
                const double s0 = q.sweep < 0 ? q.start + q.sweep : q.start,
                             s1 = s0 + std::abs(q.sweep);
                const Interval wedge =
                    Meet(LinearSpan(-std::sin(s0), std::cos(s0) * (y - q.cy) + std::sin(s0) * q.cx,
                                    0, 1e300),
                         LinearSpan(std::sin(s1), -std::cos(s1) * (y - q.cy) - std::sin(s1) * q.cx,
                                    0, 1e300));
                if (inner.lo < inner.hi) {
                    spans.push_back(Meet(wedge, {outer.lo, inner.lo}));
                    spans.push_back(Meet(wedge, {inner.hi, outer.hi}));
                } else {
                    spans.push_back(Meet(wedge, outer));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
                spans.push_back({crossings[i], crossings[i + 1]});
            std::erase_if(spans, [](const Interval &s) { return !(s.lo < s.hi); });
            std::sort(spans.begin(), spans.end(), [](auto &a, auto &b) { return a.lo < b.lo; });
            double *out = &areas[std::size_t(row) * p.width];
            for (std::size_t i = 0; i < spans.size();) {
                Interval u = spans[i];
                for (++i; i < spans.size() && spans[i].lo <= u.hi; ++i)
                    u.hi = std::max(u.hi, spans[i].hi);
                for (int32_t x = std::max(0, int32_t(std::floor(u.lo))); x < p.width && x < u.hi;
                     ++x)
                    out[x] += (std::min(u.hi, x + 1.0) - std::max(u.lo, double(x))) / kLines;
            }
        }
    }
    return areas;
}

Pixel ReferenceBlend(Pixel under, Pixel star, double area) {
    Pixel out = 0xFF000000u;
    for (const int shift : {0, 8, 16}) {
        const double u = (under >> shift) & 0xFF, s = (star >> shift) & 0xFF;
        out |= Pixel(std::lround(u + (s - u) * area)) << shift;
    }
    return out;
}
