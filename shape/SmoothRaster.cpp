#include "SmoothRaster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

// Coordinates below are in eighths of a pixel, shifted by half a pixel so that the
// vertices sit at multiples of 8: sample t of pixel column x lies at U = 8x + 2t - 3,
// sample s of pixel row y at V = 8y + 2s - 3. Both are odd, so a sample row never
// passes through a vertex. Sample column k = 4x + t has U = 2k - 3.
//
// On each sample row the star covers a union of spans of sample columns: the spans
// inside the path by the even-odd rule, and for each segment of the path the span
// within half a pixel of it (a capsule, which is convex, so its samples on one row
// are contiguous). Whole pixels of the union are written as runs; only the pixels
// at the ends of spans get per-sample masks.

namespace {

constexpr int kSamples = 4;        // per pixel side
constexpr uint16_t kFullRow = 0xF; // one sample row's four samples; bit 4s + t

// Bits set in a byte; a table, as a portable build has no popcount instruction.
constexpr std::array<uint8_t, 256> kBitCount = [] {
    std::array<uint8_t, 256> count{};
    for (int i = 1; i < 256; ++i)
        count[std::size_t(i)] = uint8_t(count[std::size_t(i / 2)] + (i & 1));
    return count;
}();

int Covered(uint16_t mask) {
    return kBitCount[mask & 0xFF] + kBitCount[mask >> 8];
}

// 128-bit products for the exact distance test; a GCC and Clang extension.
__extension__ typedef __int128 Wide;

// Floor and ceiling of values well inside the range of int64_t, without a call into
// the maths library.
int64_t FloorToInt(double x) {
    const auto i = int64_t(x);
    return double(i) > x ? i - 1 : i;
}
int64_t CeilToInt(double x) {
    const auto i = int64_t(x);
    return double(i) < x ? i + 1 : i;
}

int64_t FloorDiv(int64_t n, int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

struct Segment {
    int64_t ax, ay, dx, dy;  // start and extent, eighths
    int64_t radius, radius2; // half the outline's width and its square, eighths
    int64_t length2;
    int64_t minY, maxY;
    double length, invDx, invDy; // for the estimate of a row's span; 0 for no extent
};

Segment MakeSegment(Point a, Point b, int64_t radius) {
    Segment s{8 * int64_t(a.x),
              8 * int64_t(a.y),
              8 * (int64_t(b.x) - a.x),
              8 * (int64_t(b.y) - a.y),
              radius,
              radius * radius,
              0,
              0,
              0,
              0,
              0,
              0};
    s.length2 = s.dx * s.dx + s.dy * s.dy;
    s.minY = std::min(s.ay, s.ay + s.dy);
    s.maxY = std::max(s.ay, s.ay + s.dy);
    s.length = std::sqrt(double(s.length2));
    s.invDx = s.dx != 0 ? 1.0 / double(s.dx) : 0;
    s.invDy = s.dy != 0 ? 1.0 / double(s.dy) : 0;
    return s;
}

// Whether sample (u, v) lies within half the outline's width of the segment.
bool NearSegment(const Segment &s, int64_t u, int64_t v) {
    const int64_t px = u - s.ax, py = v - s.ay;
    const int64_t dot = px * s.dx + py * s.dy;
    if (dot <= 0)
        return px * px + py * py <= s.radius2;
    if (dot >= s.length2) {
        const int64_t qx = px - s.dx, qy = py - s.dy;
        return qx * qx + qy * qy <= s.radius2;
    }
    const Wide cross = Wide(px) * s.dy - Wide(py) * s.dx;
    return cross * cross <= Wide(s.radius2) * s.length2;
}

struct Span {
    int64_t begin, end; // sample columns
};

// The sample columns of row v within half a pixel of the segment: an estimate in
// floating point, then set exact by the whole-number test at both ends (the
// covered samples are contiguous, the capsule being convex).
bool CapsuleSpan(const Segment &s, int64_t v, Span &span) {
    const double ax = double(s.ax), dx = double(s.dx), dy = double(s.dy);
    const double py = double(v - s.ay);
    double lo = 1e300, hi = -1e300;
    const auto take = [&](double a, double b) {
        if (a <= b)
            lo = std::min(lo, a), hi = std::max(hi, b);
    };
    // The round ends.
    for (const double end : {0.0, 1.0}) {
        const double ey = py - end * dy;
        const double h2 = double(s.radius2) - ey * ey;
        if (h2 >= 0) {
            const double cx = ax + end * dx, h = std::sqrt(h2);
            take(cx - h, cx + h);
        }
    }
    // The band along the segment: 0 <= dot <= length2 and |cross| <= radius length.
    if (s.length2 > 0) {
        double a = -1e300, b = 1e300;
        // low <= extent * (u - ax) <= high, inverse the extent's inverse.
        const auto limit = [&](int64_t extent, double inverse, double low, double high) {
            if (extent == 0) {
                if (low > 0 || high < 0)
                    a = 1e300, b = -1e300;
                return;
            }
            double u0 = low * inverse, u1 = high * inverse;
            if (u0 > u1)
                std::swap(u0, u1);
            a = std::max(a, ax + u0), b = std::min(b, ax + u1);
        };
        limit(s.dx, s.invDx, -py * dy, double(s.length2) - py * dy);
        const double reach = double(s.radius) * s.length;
        limit(s.dy, s.invDy, py * dx - reach, py * dx + reach);
        take(a, b);
    }
    if (lo > hi)
        return false;
    // Samples k with 2k - 3 in [lo, hi]. The estimate is good to far better than a
    // thousandth of a pixel; where an end falls that close to a sample, the
    // whole-number test decides.
    constexpr double kDoubt = 1e-3;
    int64_t first = CeilToInt((lo + 3) / 2);
    int64_t last = FloorToInt((hi + 3) / 2);
    const auto doubtful = [](double end, int64_t k) {
        return std::abs(double(2 * k - 3) - end) < kDoubt ||
               std::abs(double(2 * k - 5) - end) < kDoubt ||
               std::abs(double(2 * k - 1) - end) < kDoubt;
    };
    if (doubtful(lo, first) || doubtful(hi, last)) {
        first -= 1, last += 1;
        while (first <= last && !NearSegment(s, 2 * first - 3, v))
            ++first;
        while (last >= first && !NearSegment(s, 2 * last - 3, v))
            --last;
        if (first > last)
            return false;
        while (NearSegment(s, 2 * (first - 1) - 3, v))
            --first;
        while (NearSegment(s, 2 * (last + 1) - 3, v))
            ++last;
    }
    if (first > last)
        return false;
    span = {first, last + 1};
    return true;
}

struct Edge {
    int64_t lowX, lowY, ex, ey; // eighths; ey > 0
};

// The first sample column right of where the edge crosses sample row v.
int64_t FirstSampleRightOf(const Edge &e, int64_t v) {
    // Crossing X = lowX + (v - lowY) * ex / ey; the first k with 2k - 3 > X.
    const int64_t num = e.lowX * e.ey + (v - e.lowY) * e.ex;
    return FloorDiv(num + 3 * e.ey, 2 * e.ey) + 1;
}

struct Run {
    int32_t begin, end; // pixel columns
};

// The pixels of a that also lie in b; both sorted and disjoint.
void Intersect(const std::vector<Run> &a, const std::vector<Run> &b, std::vector<Run> &out) {
    out.clear();
    for (std::size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        const int32_t begin = std::max(a[i].begin, b[j].begin);
        const int32_t end = std::min(a[i].end, b[j].end);
        if (begin < end)
            out.push_back({begin, end});
        (a[i].end < b[j].end) ? ++i : ++j;
    }
}

// One row's sample masks, kept only for the pixels along the star's edges.
class RowMasks {
public:
    explicit RowMasks(int32_t width) : mask_(std::size_t(width), 0) {}
    void Add(int64_t x, uint16_t bits) {
        if (bits == 0)
            return;
        uint16_t &mask = mask_[std::size_t(x)];
        if (mask == 0)
            touched_.push_back(int32_t(x));
        mask |= bits;
    }
    // Hands each touched pixel and its mask to visit, and clears them.
    template <typename Visit> void Drain(Visit visit) {
        for (const int32_t x : touched_) {
            visit(x, mask_[std::size_t(x)]);
            mask_[std::size_t(x)] = 0;
        }
        touched_.clear();
    }

private:
    std::vector<uint16_t> mask_;
    std::vector<int32_t> touched_;
};

Pixel Blend(Pixel under, Pixel star, int coverage) {
    if ((under >> 24) == 0) {
        const uint32_t alpha = (uint32_t(coverage) * 255 + 8) / 16;
        return (alpha << 24) | (star & 0xFFFFFF);
    }
    Pixel out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t u = (under >> shift) & 0xFF, s = (star >> shift) & 0xFF;
        out |= ((u * uint32_t(16 - coverage) + s * uint32_t(coverage) + 8) >> 4) << shift;
    }
    return out;
}

// Edges or segments in order of their top, handed out as the sample rows reach them
// and dropped once passed.
template <typename Item> class ActiveList {
public:
    ActiveList(std::vector<Item> items, int64_t (*top)(const Item &),
               int64_t (*bottom)(const Item &))
        : items_(std::move(items)), top_(top), bottom_(bottom) {
        std::sort(items_.begin(), items_.end(),
                  [this](const Item &a, const Item &b) { return top_(a) < top_(b); });
    }
    // The items whose extent [top, bottom] holds v; v only grows.
    const std::vector<const Item *> &At(int64_t v) {
        while (next_ < items_.size() && top_(items_[next_]) <= v)
            active_.push_back(&items_[next_++]);
        std::erase_if(active_, [&](const Item *item) { return bottom_(*item) < v; });
        return active_;
    }

private:
    std::vector<Item> items_;
    int64_t (*top_)(const Item &);
    int64_t (*bottom_)(const Item &);
    std::size_t next_ = 0;
    std::vector<const Item *> active_;
};

} // namespace

void BlendSmoothStar(BandCanvas &canvas, std::span<const Point> path, bool fill, Pixel star,
                     int32_t outlineWidth) {
    const int32_t width = canvas.Width();
    const int64_t radius = 4 * int64_t(std::max(0, outlineWidth)); // eighths
    if (width <= 0 || path.size() < 2)
        return;
    // Only what reaches the band's sample rows: a band of a long path is drawn
    // without sorting the parts of the path far above or below it.
    const int64_t firstV = 8 * int64_t(canvas.FirstRow()) - 3;
    const int64_t lastV = 8 * int64_t(canvas.EndRow()) - 3;
    std::vector<Edge> edgeList;
    std::vector<Segment> segmentList;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const Point a = path[i - 1], b = path[i];
        const int64_t lowY = 8 * int64_t(std::min(a.y, b.y));
        const int64_t highY = 8 * int64_t(std::max(a.y, b.y));
        if (highY + radius < firstV || lowY - radius > lastV)
            continue;
        if (radius > 0)
            segmentList.push_back(MakeSegment(a, b, radius));
        if (fill && a.y != b.y) {
            const Point low = a.y < b.y ? a : b, high = a.y < b.y ? b : a;
            edgeList.push_back({8 * int64_t(low.x), 8 * int64_t(low.y),
                                8 * (int64_t(high.x) - low.x), 8 * (int64_t(high.y) - low.y)});
        }
    }
    // An edge holds the rows strictly between its ends; a capsule reaches half the
    // outline's width beyond its segment.
    ActiveList<Edge> edges(
        std::move(edgeList), [](const Edge &e) { return e.lowY + 1; },
        [](const Edge &e) { return e.lowY + e.ey - 1; });
    ActiveList<Segment> segments(
        std::move(segmentList), [](const Segment &s) { return s.minY - s.radius; },
        [](const Segment &s) { return s.maxY + s.radius; });

    RowMasks masks(width);
    std::vector<int64_t> crossings;
    std::vector<Span> spans;
    std::vector<Run> full[kSamples], inAll, scratch;
    const int64_t sampleEnd = int64_t(width) * kSamples;

    for (int32_t y = canvas.FirstRow(); y < canvas.EndRow(); ++y) {
        for (int s = 0; s < kSamples; ++s) {
            const int64_t v = 8 * int64_t(y) + 2 * s - 3;
            spans.clear();
            crossings.clear();
            for (const Edge *e : edges.At(v))
                crossings.push_back(FirstSampleRightOf(*e, v));
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
                spans.push_back({crossings[i], crossings[i + 1]});
            Span capsule{};
            for (const Segment *seg : segments.At(v))
                if (CapsuleSpan(*seg, v, capsule))
                    spans.push_back(capsule);
            std::sort(spans.begin(), spans.end(),
                      [](const Span &a, const Span &b) { return a.begin < b.begin; });

            // The union of the spans, as whole-pixel runs and masks at their ends.
            full[s].clear();
            const auto rowBits = [s](int64_t from, int64_t to) { // samples [from, to) < 4
                return uint16_t(((1u << to) - (1u << from)) << (4 * s));
            };
            const auto emit = [&](int64_t ka, int64_t kb) {
                ka = std::clamp<int64_t>(ka, 0, sampleEnd);
                kb = std::clamp<int64_t>(kb, 0, sampleEnd);
                if (ka >= kb)
                    return;
                const int64_t xa = ka / kSamples, xb = kb / kSamples;
                if (xa == xb)
                    return masks.Add(xa, rowBits(ka % kSamples, kb % kSamples));
                int64_t runBegin = xa;
                if (ka % kSamples != 0)
                    masks.Add(xa, rowBits(ka % kSamples, kSamples)), ++runBegin;
                if (runBegin < xb)
                    full[s].push_back({int32_t(runBegin), int32_t(xb)});
                if (kb % kSamples != 0)
                    masks.Add(xb, rowBits(0, kb % kSamples));
            };
            for (std::size_t i = 0; i < spans.size();) {
                int64_t begin = spans[i].begin, end = spans[i].end;
                for (++i; i < spans.size() && spans[i].begin <= end; ++i)
                    end = std::max(end, spans[i].end);
                emit(begin, end);
            }
        }
        // Pixels whole in every sample row are the star's; those whole in only some
        // rows are edge pixels with those rows' bits.
        inAll = full[0];
        for (int s = 1; s < kSamples; ++s) {
            Intersect(inAll, full[s], scratch);
            inAll.swap(scratch);
        }
        for (int s = 0; s < kSamples; ++s) {
            const uint16_t bits = uint16_t(kFullRow << (4 * s));
            std::size_t j = 0;
            for (const Run &r : full[s]) {
                for (int32_t x = r.begin; x < r.end;) {
                    while (j < inAll.size() && inAll[j].end <= x)
                        ++j;
                    if (j < inAll.size() && inAll[j].begin <= x) {
                        x = std::min(r.end, inAll[j].end);
                        continue;
                    }
                    const int32_t stop = j < inAll.size() ? std::min(r.end, inAll[j].begin) : r.end;
                    for (; x < stop; ++x)
                        masks.Add(x, bits);
                }
            }
        }
        Pixel *row = canvas.Row(y);
        masks.Drain([&](int32_t x, uint16_t bits) { row[x] = Blend(row[x], star, Covered(bits)); });
        for (const Run &r : inAll)
            std::fill(row + r.begin, row + r.end, 0xFF000000u | star);
    }
}
