#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Division rounding toward minus / plus infinity; d > 0.
int64_t FloorDiv(int64_t n, int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}
int64_t CeilDiv(int64_t n, int64_t d) {
    return -FloorDiv(-n, d);
}

} // namespace

BandCanvas::BandCanvas(Pixel *rows, std::ptrdiff_t stride, int32_t width, int32_t height,
                       int32_t y0, int32_t y1)
    : rows_(rows), stride_(stride), width_(width), y0_(std::max(y0, 0)), y1_(std::min(y1, height)) {
    if (y0_ > y0)
        rows_ += (y0_ - y0) * stride_;
}

void BandCanvas::HorizontalRun(int32_t y, int64_t xa, int64_t xb, Pixel color) {
    const int64_t from = std::max<int64_t>(xa, 0);
    const int64_t to = std::min<int64_t>(xb, width_);
    if (from < to)
        std::fill(Row(y) + from, Row(y) + to, color);
}

void BandCanvas::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, Pixel color) {
    const int32_t from = std::max(top, y0_);
    const int32_t to = std::min(bottom, y1_);
    for (int32_t y = from; y < to; ++y)
        HorizontalRun(y, left, right, color);
}

void BandCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, Pixel pen,
                           Pixel brush) {
    FillRect(left, top, right, bottom, pen);
    FillRect(left + 1, top + 1, right - 1, bottom - 1, brush);
}

void BandCanvas::Polyline(std::span<const Point> points, Pixel color) {
    for (std::size_t i = 1; i < points.size(); ++i)
        Line(points[i - 1], points[i], color);
}

void BandCanvas::Line(Point from, Point to, Pixel color) {
    const int64_t dx = int64_t(to.x) - from.x;
    const int64_t dy = int64_t(to.y) - from.y;
    const int64_t adx = std::abs(dx), ady = std::abs(dy);
    const int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    if (adx == 0 && ady == 0)
        return;

    // Steps j along y that fall inside the band, given the last step jLast.
    const auto bandSteps = [&](int64_t jLast, int64_t &jFirst, int64_t &jEnd) {
        if (sy > 0) {
            jFirst = std::max<int64_t>(0, y0_ - int64_t(from.y));
            jEnd = std::min<int64_t>(jLast + 1, int64_t(y1_) - from.y);
        } else {
            jFirst = std::max<int64_t>(0, int64_t(from.y) - (y1_ - 1));
            jEnd = std::min<int64_t>(jLast + 1, int64_t(from.y) - y0_ + 1);
        }
    };

    if (adx >= ady) {
        // x-major: pixel k (0 <= k < adx) sits at row step floor((2k*ady + adx) / (2adx)).
        // Row step j therefore holds the k in [kBegin(j), kBegin(j + 1)).
        const auto kBegin = [&](int64_t j) {
            return ady == 0 ? (j == 0 ? 0 : adx)
                            : std::max<int64_t>(0, CeilDiv((2 * j - 1) * adx, 2 * ady));
        };
        const int64_t jLast = FloorDiv(2 * (adx - 1) * ady + adx, 2 * adx);
        int64_t jFirst, jEnd;
        bandSteps(jLast, jFirst, jEnd);
        for (int64_t j = jFirst; j < jEnd; ++j) {
            const int64_t k0 = kBegin(j);
            const int64_t k1 = std::min(kBegin(j + 1), adx);
            if (k0 >= k1)
                continue;
            const int64_t xa = from.x + sx * k0, xb = from.x + sx * (k1 - 1);
            HorizontalRun(static_cast<int32_t>(from.y + sy * j), std::min(xa, xb),
                          std::max(xa, xb) + 1, color);
        }
    } else {
        // y-major: one pixel per row step k (0 <= k < ady).
        int64_t kFirst, kEnd;
        bandSteps(ady - 1, kFirst, kEnd);
        for (int64_t k = kFirst; k < kEnd; ++k) {
            const int64_t x = from.x + sx * FloorDiv(2 * k * adx + ady, 2 * ady);
            if (x >= 0 && x < width_)
                Row(static_cast<int32_t>(from.y + sy * k))[x] = color;
        }
    }
}

void BandCanvas::FillPolygonEvenOdd(std::span<const Point> points, Pixel color) {
    struct Edge {
        Point low, high; // low.y < high.y
    };
    const std::size_t n = points.size();
    std::vector<Edge> edges;
    edges.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = points[i], b = points[(i + 1) % n];
        if (a.y == b.y)
            continue;
        const Edge e = a.y < b.y ? Edge{a, b} : Edge{b, a};
        if (e.high.y > y0_ && e.low.y < y1_)
            edges.push_back(e);
    }
    if (edges.empty())
        return;

    std::vector<int64_t> crossings;
    crossings.reserve(edges.size());
    for (int32_t y = y0_; y < y1_; ++y) {
        // Row y samples at y + 0.5, never exactly at a vertex. A crossing at xc
        // starts the run at the first pixel whose centre x + 0.5 is >= xc.
        crossings.clear();
        for (const Edge &e : edges) {
            if (e.low.y > y || y >= e.high.y)
                continue;
            const int64_t ex = int64_t(e.high.x) - e.low.x, ey = int64_t(e.high.y) - e.low.y;
            crossings.push_back(CeilDiv((2 * int64_t(y) + 1 - 2 * int64_t(e.low.y)) * ex +
                                            (2 * int64_t(e.low.x) - 1) * ey,
                                        2 * ey));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            HorizontalRun(y, crossings[i], crossings[i + 1], color);
    }
}

namespace {

// Whether pixel (x, y) has its centre within width / 2 of the segment a + t d,
// 0 <= t <= 1: in whole numbers, comparing four times the squared distance.
bool CentreNear(int64_t x, int64_t y, Point a, int64_t dx, int64_t dy, int64_t width) {
    __extension__ typedef __int128 Wide;
    const int64_t px = x - a.x, py = y - a.y;
    const int64_t dot = px * dx + py * dy, length2 = dx * dx + dy * dy;
    const Wide w2 = Wide(width) * width;
    if (dot <= 0)
        return 4 * (Wide(px) * px + Wide(py) * py) <= w2;
    if (dot >= length2) {
        const int64_t qx = px - dx, qy = py - dy;
        return 4 * (Wide(qx) * qx + Wide(qy) * qy) <= w2;
    }
    const Wide cross = Wide(px) * dy - Wide(py) * dx;
    return 4 * cross * cross <= w2 * length2;
}

} // namespace

void BandCanvas::StrokeRound(std::span<const Point> points, int32_t width, Pixel color) {
    const double r = width / 2.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const Point a = points[i - 1], b = points[i];
        const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
        const double length = std::hypot(double(dx), double(dy));
        const int64_t top = std::max<int64_t>(y0_, int64_t(std::floor(std::min(a.y, b.y) - r)));
        const int64_t bottom =
            std::min<int64_t>(y1_ - 1, int64_t(std::ceil(std::max(a.y, b.y) + r)));
        for (int64_t y = top; y <= bottom; ++y) {
            // The row's stretch of the capsule, estimated in floating point (the two
            // round ends and the band along the segment), then made exact at its ends.
            double lo = 1e300, hi = -1e300;
            for (const Point end : {a, b}) {
                const double h2 = r * r - double(y - end.y) * double(y - end.y);
                if (h2 >= 0)
                    lo = std::min(lo, end.x - std::sqrt(h2)),
                    hi = std::max(hi, end.x + std::sqrt(h2));
            }
            if (length > 0) {
                double from = -1e300, to = 1e300;
                const double py = double(y - a.y);
                // 0 <= (x - ax) dx + py dy <= length^2 and |(x - ax) dy - py dx| <= r length.
                const auto within = [&](double slope, double low, double high) {
                    if (slope == 0) {
                        if (low > 0 || high < 0)
                            from = 1e300, to = -1e300;
                        return;
                    }
                    const double u0 = low / slope, u1 = high / slope;
                    from = std::max(from, a.x + std::min(u0, u1));
                    to = std::min(to, a.x + std::max(u0, u1));
                };
                within(double(dx), -py * double(dy), length * length - py * double(dy));
                within(double(dy), py * double(dx) - r * length, py * double(dx) + r * length);
                if (from <= to)
                    lo = std::min(lo, from), hi = std::max(hi, to);
            }
            if (lo > hi)
                continue;
            // Pixel centres x in [lo, hi]. The estimate is good to far better than a
            // thousandth of a pixel; where an end falls that close to a centre, the
            // exact test decides.
            constexpr double kDoubt = 1e-3;
            const auto doubtful = [](double end) {
                return std::abs(end - std::round(end)) < kDoubt;
            };
            int64_t first = int64_t(std::ceil(lo)), last = int64_t(std::floor(hi));
            if (doubtful(lo) || doubtful(hi)) {
                first -= 1, last += 1;
                while (first <= last && !CentreNear(first, y, a, dx, dy, width))
                    ++first;
                while (last >= first && !CentreNear(last, y, a, dx, dy, width))
                    --last;
                if (first > last)
                    continue;
                while (CentreNear(first - 1, y, a, dx, dy, width))
                    --first;
                while (CentreNear(last + 1, y, a, dx, dy, width))
                    ++last;
            }
            if (first > last)
                continue;
            HorizontalRun(int32_t(y), first, last + 1, color);
        }
    }
}
