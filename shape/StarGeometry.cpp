#include "StarGeometry.h"

#include <cmath>

// The arithmetic below fixes every rounding step so that each vertex lands on the
// same pixel on every run and platform with an x87-style extended long double:
// intermediate results in long double, rounded to float or double only where the
// casts say so.

namespace {

constexpr float kTwoPiSingle = 6.2831855f;
constexpr double kTwoPiDouble = 6.283185307179586;

int32_t FloorTimes(int32_t radius, float direction) {
    // radius * direction is exact in long double; floor before the centre is added.
    return static_cast<int32_t>(std::floor(static_cast<long double>(radius) * direction));
}

} // namespace

void BuildDirections(const ShapeSettings &settings, Directions &table) {
    const int32_t k = 2 * settings.Points;
    const long double step = static_cast<long double>(kTwoPiSingle) / k;
    const auto offsetOf = [step](int32_t twist) {
        return static_cast<float>(step * twist * 0.01L);
    };
    const float innerOffset = offsetOf(settings.InnerTwist);
    const float outerOffset = offsetOf(settings.OuterTwist);
    for (int32_t i = 0; i < k; ++i) {
        const float base = static_cast<float>(static_cast<long double>(i) * kTwoPiSingle / k);
        const float offset = (i % 2 != 0) ? innerOffset : outerOffset;
        const double angle = static_cast<double>(static_cast<long double>(base) + offset);
        table[i] = {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
    }
}

StarBox ComputeBox(int32_t W, int32_t H, const ShapeSettings &settings) {
    StarBox b{};
    b.W = W;
    b.H = H;
    b.hw = W / 2;
    b.hh = H / 2;
    b.rx = b.hw * settings.OuterRate / 100;
    b.ry = b.hh * settings.OuterRate / 100;
    b.irx = b.rx * settings.InnerRate / 100;
    b.iry = b.ry * settings.InnerRate / 100;
    b.icx = b.hw + b.hw * settings.CenterXRate / 100;
    b.icy = b.hh + b.hh * settings.CenterYRate / 100;
    return b;
}

LeanRotation ComputeLean(int32_t leanAngle) {
    const double a =
        static_cast<double>(static_cast<long double>(leanAngle) * kTwoPiDouble * (1.0L / 360));
    return {static_cast<float>(std::cos(a)), static_cast<float>(std::sin(a))};
}

Point LeanPoint(Point p, const StarBox &box, const LeanRotation &lean) {
    const long double dx = p.x - box.hw;
    const long double dy = p.y - box.hh;
    const float x = static_cast<float>(dx * lean.c - dy * lean.s + box.hw);
    const float y = static_cast<float>(dy * lean.c + dx * lean.s + box.hh);
    return {static_cast<int32_t>(std::trunc(x)), static_cast<int32_t>(std::trunc(y))};
}

void ComputeVertices(const ShapeSettings &settings, const Directions &table, const StarBox &box,
                     std::vector<Point> &out) {
    const int32_t count = 2 * settings.Points;
    out.resize(static_cast<std::size_t>(count) + 1);
    const bool leaned = settings.LeanAngle != 0;
    const LeanRotation lean = ComputeLean(settings.LeanAngle);
    const auto outer = [&](const Direction &d) {
        return Point{box.hw + FloorTimes(box.rx, d.Cos), box.hh + FloorTimes(box.ry, d.Sin)};
    };
    for (int32_t i = 0; i < count; ++i) {
        const Direction &d = table[i];
        Point p = (i % 2 == 0) ? outer(d)
                               : Point{box.icx + FloorTimes(box.irx, d.Cos),
                                       box.icy + FloorTimes(box.iry, d.Sin)};
        out[i] = leaned ? LeanPoint(p, box, lean) : p;
    }
    const Point closing = outer(table[0]);
    out[count] = leaned ? LeanPoint(closing, box, lean) : closing;
}
