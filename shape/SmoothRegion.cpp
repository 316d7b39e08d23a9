#include "SmoothRegion.h"

#include "StarOutline.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;

// The largest angle of a chord that strays at most kArcTolerance from its arc: a chord
// of angle t strays radius (1 - cos(t/2)).
// The most area one chord alone may cut off an arc within a row, square pixels.
constexpr double kChordLoss = 1.0 / 1024;

double ChordAngle(double radius) {
    return radius > kArcTolerance ? 2 * std::acos(1 - kArcTolerance / radius) : kPi;
}

// One part of a closed boundary: a straight edge, or an arc about a centre from
// angle start through sweep (radius > 0). Both run from one point to the next.
struct Part {
    RealPoint from, to;
    double cx = 0, cy = 0, radius = 0, start = 0, sweep = 0;
};

Part Straight(RealPoint from, RealPoint to) {
    return {from, to};
}

RealPoint OnCircle(double cx, double cy, double radius, double angle) {
    return {cx + radius * std::cos(angle), cy + radius * std::sin(angle)};
}

Part Curve(double cx, double cy, double radius, double start, double sweep) {
    return {OnCircle(cx, cy, radius, start),
            OnCircle(cx, cy, radius, start + sweep),
            cx,
            cy,
            radius,
            start,
            sweep};
}

class RegionBuilder {
public:
    explicit RegionBuilder(SmoothRegion &region) : region_(region) {}

    // A closed boundary; on the outline it is turned positively (by its area), so
    // that every piece adds the same winding where it lies.
    void Boundary(const std::vector<Part> &parts, bool outline) {
        double area = 0; // twice the signed area, by the integral of x dy - y dx
        for (const Part &p : parts) {
            area += p.from.x * p.to.y - p.to.x * p.from.y;
            if (p.radius > 0) // the arc's own share beyond its chord
                area += p.radius * p.radius * (p.sweep - std::sin(p.sweep));
        }
        const int32_t turn = outline && area < 0 ? -1 : 1;
        for (const Part &p : parts) {
            if (p.radius > 0)
                AddArc(p, turn, outline);
            else
                AddEdge(p.from, p.to, turn, outline);
        }
    }

    void Disk(RealPoint centre, double radius) {
        Part circle = Curve(centre.x, centre.y, radius, 0, 2 * kPi);
        circle.to = circle.from;
        Boundary({circle}, true);
    }

    // The band within radius of the straight edge from a to b.
    void Band(RealPoint a, RealPoint b, double radius) {
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length == 0)
            return;
        const double nx = -(b.y - a.y) / length * radius, ny = (b.x - a.x) / length * radius;
        const RealPoint p[] = {
            {a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
        Boundary({Straight(p[0], p[1]), Straight(p[1], p[2]), Straight(p[2], p[3]),
                  Straight(p[3], p[0])},
                 true);
    }

    // The points within radius of the arc whose nearest point of it is not an end:
    // the sector of the ring about its centre, or of the disk when the ring closes.
    void RingSector(const CornerArc &arc, double radius) {
        const double cx = arc.centreX, cy = arc.centreY;
        const double outer = arc.radius + radius, inner = arc.radius - radius;
        const Part out = Curve(cx, cy, outer, arc.start, arc.sweep);
        if (inner > 0) {
            const Part in = Curve(cx, cy, inner, arc.start + arc.sweep, -arc.sweep);
            Boundary({out, Straight(out.to, in.from), in, Straight(in.to, out.from)}, true);
        } else {
            Boundary({out, Straight(out.to, {cx, cy}), Straight({cx, cy}, out.from)}, true);
        }
    }

    void AddEdge(RealPoint a, RealPoint b, int32_t turn, bool outline) {
        assert(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) &&
               std::isfinite(b.y));
        if (a.y < b.y)
            region_.edges.push_back({a.x, a.y, b.x, b.y, (b.x - a.x) / (b.y - a.y), turn, outline});
        else if (a.y > b.y)
            region_.edges.push_back(
                {b.x, b.y, a.x, a.y, (a.x - b.x) / (a.y - b.y), -turn, outline});
        else // crosses no row, but joins what lies left and right of it
            region_.edges.push_back({a.x, a.y, b.x, b.y, 0, 0, outline});
    }

    // Cuts the arc where it turns between up and down (the circle's top and bottom,
    // whose points are exact), keeping its own ends exact.
    void AddArc(const Part &p, int32_t turn, bool outline) {
        assert(std::isfinite(p.cx) && std::isfinite(p.cy) && std::isfinite(p.radius) &&
               std::isfinite(p.sweep));
        const double end = p.start + p.sweep, step = p.sweep > 0 ? kPi : -kPi;
        // The first turn after the start: an odd multiple of pi/2.
        double cut = (std::floor(p.start / kPi - 0.5) + (p.sweep > 0 ? 1.5 : 0.5)) * kPi;
        if (p.sweep < 0 && cut >= p.start)
            cut -= kPi;
        RealPoint from = p.from;
        double angle = p.start;
        for (;; cut += step) {
            const bool last = p.sweep > 0 ? cut >= end : cut <= end;
            const RealPoint to =
                last ? p.to : RealPoint{p.cx, p.cy + (std::sin(cut) > 0 ? p.radius : -p.radius)};
            const double middle = (angle + (last ? end : cut)) / 2;
            AddMonotone(p, from, to, std::cos(middle) > 0, turn, outline);
            if (last)
                return;
            from = to;
            angle = cut;
        }
    }

    void AddMonotone(const Part &p, RealPoint a, RealPoint b, bool right, int32_t turn,
                     bool outline) {
        if (a.y < b.y)
            region_.arcs.push_back(
                {p.cx, p.cy, p.radius, a.x, a.y, b.x, b.y, right, turn, outline});
        else if (a.y > b.y)
            region_.arcs.push_back(
                {p.cx, p.cy, p.radius, b.x, b.y, a.x, a.y, right, -turn, outline});
    }

private:
    SmoothRegion &region_;
};

// The vertices' corners, each sharp or an arc, in the pixel centres' coordinates.
std::vector<CornerArc> Corners(const std::vector<Point> &vertices, int32_t tipRounding,
                               int32_t valleyRounding) {
    std::vector<CornerArc> corners;
    const bool rounded = vertices.size() > 3 && (tipRounding > 0 || valleyRounding > 0);
    if (rounded) {
        corners = CornerArcs(vertices, tipRounding, valleyRounding);
    } else {
        for (std::size_t i = 0; i + 1 < vertices.size(); ++i) {
            const double x = vertices[i].x, y = vertices[i].y;
            corners.push_back({x, y, x, y, 0, 0, 0, 0, 0});
        }
    }
    for (CornerArc &c : corners) {
        c.fromX += 0.5, c.fromY += 0.5, c.toX += 0.5, c.toY += 0.5;
        c.centreX += 0.5, c.centreY += 0.5;
    }
    return corners;
}

} // namespace

SmoothRegion MakeSmoothRegion(const std::vector<Point> &vertices, int32_t tipRounding,
                              int32_t valleyRounding, bool fill, double lineWidth) {
    SmoothRegion region;
    RegionBuilder build(region);
    const std::vector<CornerArc> corners = Corners(vertices, tipRounding, valleyRounding);
    const std::size_t count = corners.size();
    if (fill && count > 0) {
        std::vector<Part> path;
        for (std::size_t i = 0; i < count; ++i) {
            const CornerArc &c = corners[i], &next = corners[(i + 1) % count];
            if (c.radius > 0) // from the true tangent points, not the circle's rounding
                path.push_back({{c.fromX, c.fromY},
                                {c.toX, c.toY},
                                c.centreX,
                                c.centreY,
                                c.radius,
                                c.start,
                                c.sweep});
            path.push_back(Straight({c.toX, c.toY}, {next.fromX, next.fromY}));
        }
        build.Boundary(path, false);
    }
    const double radius = lineWidth / 2;
    const auto length = [&](std::size_t i) { // of the straight edge after corner i
        const CornerArc &c = corners[i % count], &next = corners[(i + 1) % count];
        return std::hypot(next.fromX - c.toX, next.fromY - c.toY);
    };
    for (std::size_t i = 0; radius > 0 && i < count; ++i) {
        const CornerArc &c = corners[i], &next = corners[(i + 1) % count];
        // Where an arc meets a straight edge, the disk about the tangent point lies
        // within the edge's band and the arc's sector when both reach far enough: the
        // edge by the radius, the arc by the angle the disk spans seen from its centre.
        const bool arcCovers =
            c.radius > radius && std::abs(c.sweep) >= std::asin(radius / c.radius);
        if (!arcCovers || length(i + count - 1) < radius)
            build.Disk({c.fromX, c.fromY}, radius);
        if (c.radius > 0) {
            if (!arcCovers || length(i) < radius)
                build.Disk({c.toX, c.toY}, radius);
            build.RingSector(c, radius);
        }
        build.Band({c.toX, c.toY}, {next.fromX, next.fromY}, radius);
    }
    std::stable_sort(region.edges.begin(), region.edges.end(),
                     [](const RegionEdge &a, const RegionEdge &b) { return a.y0 < b.y0; });
    std::stable_sort(region.arcs.begin(), region.arcs.end(),
                     [](const RegionArc &a, const RegionArc &b) { return a.y0 < b.y0; });
    return region;
}

void FlattenArcRows(const RegionArc &arc, double top, double bottom, std::vector<RegionEdge> &out) {
    const double ya = std::max(top, arc.y0), yb = std::min(bottom, arc.y1);
    if (!(ya < yb))
        return;
    const auto across = [&](double y) { // the circle's x at height y on the arc's side
        const double dy = y - arc.cy;
        const double half = std::sqrt(std::max(0.0, arc.radius * arc.radius - dy * dy));
        return arc.right ? arc.cx + half : arc.cx - half;
    };
    const double xa = ya == arc.y0 ? arc.x0 : across(ya);
    const double xb = yb == arc.y1 ? arc.x1 : across(yb);
    // Angles down the right side run from -pi/2 to pi/2, down the left side from
    // 3pi/2 to pi/2: the side, not the shorter turn, says which way a half circle goes.
    const auto angle = [&](double x, double y) {
        const double a = std::atan2(y - arc.cy, x - arc.cx);
        return arc.right || a >= 0 ? a : a + 2 * kPi;
    };
    const double from = angle(xa, ya), sweep = angle(xb, yb) - from;
    // One chord where it strays little enough and cuts off next to nothing (the
    // segment r^2 (t - sin t) / 2 under kChordLoss): its ends stay where the rows
    // meet, so the arc adds no strips to the row. Else chords whose corners make up
    // for what they cut off.
    const double r = arc.radius, whole = std::abs(sweep);
    int chords = std::max(1, int(std::ceil(whole / ChordAngle(r))));
    if (chords == 1 && r * r * (whole - std::sin(whole)) / 2 > kChordLoss)
        chords = 2;
    // With more chords their corners make up for the area the chords cut off: at
    // radius reach, the fan of chords from the ends on the circle through them has the
    // sector's area, (chords - 2) reach^2 + 2 r reach = r^2 chords t / sin t.
    const double t = whole / chords;
    double reach = r;
    if (chords == 2)
        reach = r * t / std::sin(t);
    else if (chords > 2)
        reach =
            r * (std::sqrt(1 + double(chords - 2) * chords * t / std::sin(t)) - 1) / (chords - 2);
    // Every chord runs down, as the arc does.
    RealPoint previous{xa, ya};
    for (int k = 1; k <= chords; ++k) {
        RealPoint next{xb, yb};
        if (k < chords) {
            const double along = from + sweep * k / chords;
            next = {arc.cx + reach * std::cos(along),
                    std::clamp(arc.cy + reach * std::sin(along), ya, yb)};
        }
        if (previous.y < next.y)
            out.push_back({previous.x, previous.y, next.x, next.y,
                           (next.x - previous.x) / (next.y - previous.y), arc.winding,
                           arc.outline});
        else
            out.push_back({previous.x, previous.y, next.x, next.y, 0, 0, arc.outline});
        previous = next;
    }
}
