#include "StarOutline.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numbers>

namespace {

uint64_t SplitMix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// [-1, 1) from the top 53 bits: exact in double on every host.
double Signed(uint64_t bits) {
    return double(bits >> 11) * 0x1.0p-52 - 1.0;
}

struct Vec {
    double x, y;
};

Vec Towards(Point from, Point to) {
    return {double(to.x) - from.x, double(to.y) - from.y};
}

double Length(Vec v) {
    return std::hypot(v.x, v.y);
}

Point Rounded(double x, double y) {
    assert(std::isfinite(x) && std::isfinite(y));
    return {int32_t(std::lround(x)), int32_t(std::lround(y))};
}

} // namespace

VertexJitter JitterOf(uint32_t seed, int32_t vertex) {
    const uint64_t base = uint64_t(seed) << 9 | uint64_t(vertex) << 1;
    return {Signed(SplitMix64(base)), Signed(SplitMix64(base | 1))};
}

void ComputeIrregularVertices(const ShapeSettings &settings, const StarExtras &extras,
                              const Directions &table, const StarBox &box,
                              std::vector<Point> &out) {
    const int32_t count = 2 * settings.Points;
    const double share = extras.Irregularity / 100.0;
    const double halfSpacing = std::numbers::pi / count;
    const LeanRotation lean = ComputeLean(settings.LeanAngle);
    out.resize(std::size_t(count) + 1);
    for (int32_t i = 0; i < count; ++i) {
        const VertexJitter jitter = JitterOf(extras.Seed, i);
        // Only ever towards the centre: every vertex stays within its ring, so the
        // star stays in the box the regular one fills.
        const double scale = 1.0 - share * (jitter.radius + 1) / 2;
        const double turn = share * jitter.angle * halfSpacing;
        const double c = table[i].Cos * std::cos(turn) - table[i].Sin * std::sin(turn);
        const double s = table[i].Sin * std::cos(turn) + table[i].Cos * std::sin(turn);
        const bool outer = i % 2 == 0;
        const Point p{(outer ? box.hw : box.icx) +
                          int32_t(std::floor((outer ? box.rx : box.irx) * scale * c)),
                      (outer ? box.hh : box.icy) +
                          int32_t(std::floor((outer ? box.ry : box.iry) * scale * s))};
        out[i] = settings.LeanAngle != 0 ? LeanPoint(p, box, lean) : p;
    }
    out[count] = out[0];
}

std::vector<CornerArc> CornerArcs(const std::vector<Point> &path, int32_t tipRounding,
                                  int32_t valleyRounding) {
    const std::size_t count = path.size() - 1;
    const auto share = [&](std::size_t i) {
        return (i % 2 == 0 ? tipRounding : valleyRounding) / 100.0;
    };
    const auto edge = [&](std::size_t i) { // from corner i to corner i + 1
        return Length(Towards(path[i], path[(i + 1) % count]));
    };
    std::vector<CornerArc> arcs;
    arcs.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t before = (i + count - 1) % count, after = (i + 1) % count;
        const Point v = path[i];
        const CornerArc sharp{double(v.x), double(v.y), double(v.x), double(v.y), 0, 0, 0, 0, 0};
        const double inLength = edge(before), outLength = edge(i);
        // Each edge is shared between its two corners in proportion to their shares
        // when together they would ask for more than the whole edge.
        const auto allowance = [&](double length, double own, double other) {
            return length * own * std::min(1.0, 1.0 / std::max(own + other, 1e-12));
        };
        const double tangent = std::min(allowance(inLength, share(i), share(before)),
                                        allowance(outLength, share(i), share(after)));
        const Vec a = Towards(v, path[before]), b = Towards(v, path[after]);
        if (tangent <= 0 || inLength == 0 || outLength == 0) {
            arcs.push_back(sharp);
            continue;
        }
        const Vec ua{a.x / inLength, a.y / inLength}, ub{b.x / outLength, b.y / outLength};
        const double cosine = std::clamp(ua.x * ub.x + ua.y * ub.y, -1.0, 1.0);
        const double corner = std::acos(cosine); // interior angle between the edges
        // A corner that folds back on itself, or one so nearly straight that the
        // bisector has no direction left (its arc would be a straight line of
        // boundless radius), stays sharp.
        const Vec bisector{(ua.x + ub.x), (ua.y + ub.y)};
        const double bl = Length(bisector);
        if (corner < 1e-9 || bl < 1e-6) {
            arcs.push_back(sharp);
            continue;
        }
        CornerArc arc{};
        arc.radius = tangent * std::tan(corner / 2);
        const double toCentre = tangent / std::cos(corner / 2);
        arc.centreX = v.x + bisector.x / bl * toCentre;
        arc.centreY = v.y + bisector.y / bl * toCentre;
        arc.fromX = v.x + ua.x * tangent;
        arc.fromY = v.y + ua.y * tangent;
        arc.toX = v.x + ub.x * tangent;
        arc.toY = v.y + ub.y * tangent;
        arc.start = std::atan2(arc.fromY - arc.centreY, arc.fromX - arc.centreX);
        arc.sweep = std::atan2(arc.toY - arc.centreY, arc.toX - arc.centreX) - arc.start;
        if (arc.sweep > std::numbers::pi)
            arc.sweep -= 2 * std::numbers::pi;
        if (arc.sweep < -std::numbers::pi)
            arc.sweep += 2 * std::numbers::pi;
        assert(std::isfinite(arc.centreX) && std::isfinite(arc.centreY) &&
               std::isfinite(arc.radius) && std::isfinite(arc.sweep));
        arcs.push_back(arc);
    }
    return arcs;
}

void RoundCorners(std::vector<Point> &path, int32_t tipRounding, int32_t valleyRounding) {
    const std::size_t count = path.size() - 1;
    if (count < 3 || (tipRounding <= 0 && valleyRounding <= 0))
        return;
    std::vector<Point> result;
    result.reserve(count * 4);
    for (const CornerArc &arc : CornerArcs(path, tipRounding, valleyRounding)) {
        if (arc.radius <= 0) {
            result.push_back(Rounded(arc.fromX, arc.fromY));
            continue;
        }
        // A chord of angle t leaves the arc by radius (1 - cos(t / 2)).
        constexpr double kTolerance = 0.125;
        const double step =
            arc.radius > kTolerance ? 2 * std::acos(1 - kTolerance / arc.radius) : std::numbers::pi;
        const int pieces = std::max(1, int(std::ceil(std::abs(arc.sweep) / step)));
        for (int k = 0; k <= pieces; ++k) {
            const double t = arc.start + arc.sweep * k / pieces;
            const Point p = Rounded(arc.centreX + arc.radius * std::cos(t),
                                    arc.centreY + arc.radius * std::sin(t));
            if (result.empty() || !(result.back() == p))
                result.push_back(p);
        }
    }
    if (result.size() > 1 && result.front() == result.back())
        result.pop_back();
    result.push_back(result.front());
    path = std::move(result);
}
