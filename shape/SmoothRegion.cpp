#include "SmoothRegion.h"

#include "StarOutline.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace {

// Pieces for a sweep of angle at radius: a chord of angle t strays radius (1 - cos(t/2))
// from its arc.
int ArcPieces(double radius, double sweep) {
    const double step =
        radius > kArcTolerance ? 2 * std::acos(1 - kArcTolerance / radius) : std::numbers::pi;
    return std::max(1, int(std::ceil(std::abs(sweep) / step)));
}

// The arc's points. The chords' corners lie a little outside the arc and their
// middles inside, by factor k = sqrt(t / sin t) for chords of angle t, so that each
// chord cuts off as much as it adds and the area is the arc's: within 2/3 of
// kArcTolerance either way. A path's arc starts after its first point and ends at its
// true end, where the path goes on along the arc's tangent; any other arc gives all
// its points.
void AppendArc(std::vector<RealPoint> &out, double cx, double cy, double radius, double start,
               double sweep, bool onPath) {
    const int pieces = ArcPieces(radius, sweep);
    const double t = std::abs(sweep) / pieces;
    const double reach = t > 0 ? radius * std::sqrt(t / std::sin(t)) : radius;
    for (int k = onPath ? 1 : 0; k <= pieces; ++k) {
        const double angle = start + sweep * k / pieces;
        const double r = onPath && k == pieces ? radius : reach;
        out.push_back({cx + r * std::cos(angle), cy + r * std::sin(angle)});
    }
}

class RegionBuilder {
public:
    explicit RegionBuilder(SmoothRegion &region) : edges_(region.edges) {}

    void Edge(RealPoint a, RealPoint b, bool outline) {
        assert(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(b.x) &&
               std::isfinite(b.y));
        if (a.y < b.y)
            edges_.push_back({a.x, a.y, b.x, b.y, (b.x - a.x) / (b.y - a.y), 1, outline});
        else if (a.y > b.y)
            edges_.push_back({b.x, b.y, a.x, a.y, (a.x - b.x) / (a.y - b.y), -1, outline});
    }

    // A closed polygon of the outline, turned positively so that every piece adds
    // the same winding where it lies.
    void OutlinePiece(std::vector<RealPoint> &points) {
        double area = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const RealPoint a = points[i], b = points[(i + 1) % points.size()];
            area += a.x * b.y - b.x * a.y;
        }
        if (area < 0)
            std::reverse(points.begin(), points.end());
        for (std::size_t i = 0; i < points.size(); ++i)
            Edge(points[i], points[(i + 1) % points.size()], true);
    }

    void Disk(RealPoint centre, double radius) {
        piece_.clear();
        AppendArc(piece_, centre.x, centre.y, radius, 0, 2 * std::numbers::pi, false);
        piece_.pop_back(); // the first point again
        OutlinePiece(piece_);
    }

    // The band within radius of the straight edge from a to b.
    void Band(RealPoint a, RealPoint b, double radius) {
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length == 0)
            return;
        const double nx = -(b.y - a.y) / length * radius, ny = (b.x - a.x) / length * radius;
        piece_ = {
            {a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}};
        OutlinePiece(piece_);
    }

    // The points within radius of the arc whose nearest point of it is not an end:
    // the sector of the ring about its centre, or of the disk when the ring closes.
    void RingSector(const CornerArc &arc, double radius) {
        const double cx = arc.centreX, cy = arc.centreY;
        const double outer = arc.radius + radius, inner = arc.radius - radius;
        piece_.clear();
        AppendArc(piece_, cx, cy, outer, arc.start, arc.sweep, false);
        if (inner > 0) {
            AppendArc(piece_, cx, cy, inner, arc.start + arc.sweep, -arc.sweep, false);
        } else {
            piece_.push_back({cx, cy});
        }
        OutlinePiece(piece_);
    }

private:
    std::vector<RegionEdge> &edges_;
    std::vector<RealPoint> piece_;
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

std::vector<RealPoint> PathOf(const std::vector<CornerArc> &corners) {
    std::vector<RealPoint> path;
    for (const CornerArc &c : corners) {
        path.push_back({c.fromX, c.fromY});
        if (c.radius > 0) {
            AppendArc(path, c.centreX, c.centreY, c.radius, c.start, c.sweep, true);
            path.back() = {c.toX, c.toY}; // the tangent point itself, not its rounding
        }
    }
    if (!path.empty())
        path.push_back(path.front());
    return path;
}

} // namespace

std::vector<RealPoint> SmoothPath(const std::vector<Point> &vertices, int32_t tipRounding,
                                  int32_t valleyRounding) {
    return PathOf(Corners(vertices, tipRounding, valleyRounding));
}

SmoothRegion MakeSmoothRegion(const std::vector<Point> &vertices, int32_t tipRounding,
                              int32_t valleyRounding, bool fill, double lineWidth) {
    SmoothRegion region;
    RegionBuilder build(region);
    const std::vector<CornerArc> corners = Corners(vertices, tipRounding, valleyRounding);
    if (fill) {
        const std::vector<RealPoint> path = PathOf(corners);
        for (std::size_t i = 1; i < path.size(); ++i)
            build.Edge(path[i - 1], path[i], false);
    }
    const double radius = lineWidth / 2;
    const std::size_t count = corners.size();
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
    return region;
}
