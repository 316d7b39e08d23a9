#include "SmoothRaster.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Inversions smaller than this (pixels) are rounding, not crossings; strips are never
// cut thinner than kThinnest, so that rounding cannot stall the sweep.
constexpr double kInversion = 1e-9;
constexpr double kThinnest = 1e-7;

// The floor of a value well within the range of int64_t, inline: a portable build
// would call the maths library for std::floor.
int64_t Floor(double x) {
    const auto i = int64_t(x);
    return double(i) > x ? i - 1 : i;
}

} // namespace

// The exact area of one row, pixel by pixel, gathered from the edges of its spans.
class CoverageRow {
public:
    explicit CoverageRow(int32_t width)
        : width_(width), area_(std::size_t(width)), carry_(std::size_t(width)),
          seen_(std::size_t(width)) {}

    // The area right of the edge from xTop to xBottom across a strip height high,
    // times sign, cell by cell. As x runs evenly over [xl, xr] down the strip, the
    // area left of a vertical line X and right of the edge is
    // G(X) = height * E[max(0, X - x)], and column c takes G(c + 1) - G(c).
    void AddEdge(double xTop, double xBottom, double height, double sign) {
        const double xl = std::min(xTop, xBottom), xr = std::max(xTop, xBottom);
        const int64_t cl = Floor(xl), cr = Floor(xr);
        const double weight = sign * height;
        if (cr < 0) {
            base_ += weight;
            return;
        }
        if (cl >= width_)
            return;
        if (cl == cr) {
            Cell(cl).area += weight * (double(cl + 1) - (xl + xr) / 2);
        } else {
            const double half = weight / (2 * (xr - xl));
            const auto g = [&](double x) {
                if (x <= xl)
                    return 0.0;
                if (x >= xr)
                    return weight * (x - (xl + xr) / 2);
                return half * (x - xl) * (x - xl);
            };
            const int64_t last = std::min<int64_t>(cr, width_ - 1);
            for (int64_t c = std::max<int64_t>(cl, 0); c <= last; ++c)
                Cell(c).area += g(double(c + 1)) - g(double(c));
        }
        if (cr < width_)
            Cell(cr).carry += weight;
    }

    // Hands out the row as runs of one coverage, left to right, and clears it.
    template <typename Run> void Drain(Run run) {
        std::sort(touched_.begin(), touched_.end());
        double cover = base_;
        int32_t x = 0;
        for (const int32_t c : touched_) {
            if (x < c)
                run(x, c, cover);
            run(c, c + 1, cover + area_[std::size_t(c)]);
            cover += carry_[std::size_t(c)];
            area_[std::size_t(c)] = carry_[std::size_t(c)] = 0;
            seen_[std::size_t(c)] = 0;
            x = c + 1;
        }
        if (x < width_)
            run(x, width_, cover);
        touched_.clear();
        base_ = 0;
    }

private:
    struct CellRef {
        double &area, &carry; // the column's own area; the cover of every column right of it
    };
    CellRef Cell(int64_t c) {
        const auto i = std::size_t(c);
        if (!seen_[i]) {
            seen_[i] = 1;
            touched_.push_back(int32_t(c));
        }
        return {area_[i], carry_[i]};
    }

    int32_t width_;
    std::vector<double> area_, carry_;
    std::vector<uint8_t> seen_;
    std::vector<int32_t> touched_;
    double base_ = 0; // cover carried in from left of the picture
};

namespace {

double XAt(const RegionEdge &e, double y) {
    if (y <= e.y0)
        return e.x0;
    if (y >= e.y1)
        return e.x1;
    return e.x0 + (y - e.y0) * e.slope;
}

} // namespace

// The edges of one strip with their positions at its top and bottom.
struct StripEdge {
    const RegionEdge *edge;
    std::size_t index; // order in the region: ties keep one order in every band
    double top, bottom;
};

namespace {

bool Before(const StripEdge &p, const StripEdge &q) {
    if (p.top != q.top)
        return p.top < q.top;
    if (p.bottom != q.bottom)
        return p.bottom < q.bottom;
    return p.index < q.index;
}

// Sorts by position at the top, then at the bottom, then by index: one order however
// the edges came. The edges are mostly in order already from the strip above, so an
// insertion sort does little more than check them.
void SortStrip(std::vector<StripEdge> &strip) {
    for (std::size_t i = 1; i < strip.size(); ++i) {
        const StripEdge e = strip[i];
        std::size_t j = i;
        for (; j > 0 && Before(e, strip[j - 1]); --j)
            strip[j] = strip[j - 1];
        strip[j] = e;
    }
}

// Adds the area inside the region between heights a and b; the edges all span the
// strip, each with its position at a in top, and leave with their position at b
// there. Cut where two edges cross, so that each piece sees them in one order.
void SweepStrip(std::vector<StripEdge> &strip, double a, double b, CoverageRow &row) {
    for (;;) {
        for (StripEdge &s : strip)
            s.bottom = XAt(*s.edge, b);
        SortStrip(strip);
        // The first crossing is between neighbours in the order at the top.
        double cut = b;
        for (std::size_t i = 0; i + 1 < strip.size(); ++i) {
            const StripEdge &l = strip[i], &r = strip[i + 1];
            const double apartTop = r.top - l.top, overtaken = l.bottom - r.bottom;
            if (overtaken > kInversion)
                cut = std::min(cut, a + (b - a) * apartTop / (apartTop + overtaken));
        }
        cut = std::min(b, std::max(cut, a + kThinnest));
        if (cut < b)
            for (StripEdge &s : strip)
                s.bottom = XAt(*s.edge, cut);
        bool parity = false;
        int32_t winding = 0;
        for (StripEdge &s : strip) {
            const bool wasInside = parity || winding != 0;
            if (s.edge->outline)
                winding += s.edge->winding;
            else
                parity = !parity;
            const bool inside = parity || winding != 0;
            if (inside != wasInside)
                row.AddEdge(s.top, s.bottom, cut - a, inside ? 1.0 : -1.0);
            s.top = s.bottom;
        }
        if (cut >= b)
            return;
        a = cut;
    }
}

Pixel BlendPixel(Pixel under, Pixel star, uint32_t alpha) {
    if ((under >> 24) == 0)
        return (alpha << 24) | (star & 0xFFFFFF);
    Pixel out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t u = (under >> shift) & 0xFF, s = (star >> shift) & 0xFF;
        out |= ((u * (255 - alpha) + s * alpha + 127) / 255) << shift;
    }
    return out;
}

} // namespace

SmoothSweep::SmoothSweep(const SmoothRegion &region, SmoothLayers layers, Pixel star, int32_t width,
                         int32_t firstRow)
    : edges_(region.edges), layers_(layers), star_(star),
      row_(std::make_unique<CoverageRow>(std::max(width, 0))) {
    // The edges that reach the first row or below, in the order of their tops.
    for (std::size_t i = 0; i < edges_.size(); ++i)
        if (edges_[i].y1 > firstRow && Wanted(edges_[i]))
            pending_.push_back(i);
}

SmoothSweep::~SmoothSweep() = default;

bool SmoothSweep::Wanted(const RegionEdge &e) const {
    return layers_ == SmoothLayers::Both || e.outline == (layers_ == SmoothLayers::Outline);
}

void SmoothSweep::Blend(BandCanvas &canvas) {
    std::vector<StripEdge> &strip = strip_;
    for (int32_t y = canvas.FirstRow(); y < canvas.EndRow(); ++y) {
        const double top = y, bottom = y + 1.0;
        // Stops at each end of an edge within the row; an edge enters the strip at
        // its top and leaves at its bottom.
        stops_ = {top, bottom};
        for (const StripEdge &s : strip)
            if (s.edge->y1 < bottom)
                stops_.push_back(s.edge->y1);
        for (std::size_t k = taken_; k < pending_.size(); ++k) {
            const RegionEdge &e = edges_[pending_[k]];
            if (e.y0 >= bottom)
                break;
            for (const double end : {e.y0, e.y1})
                if (top < end && end < bottom)
                    stops_.push_back(end);
        }
        if (stops_.size() == 2 && strip.empty() &&
            (taken_ == pending_.size() || edges_[pending_[taken_]].y0 >= bottom))
            continue;
        std::sort(stops_.begin(), stops_.end());
        stops_.erase(std::unique(stops_.begin(), stops_.end()), stops_.end());
        for (std::size_t k = 0; k + 1 < stops_.size(); ++k) {
            const double a = stops_[k], b = stops_[k + 1];
            std::erase_if(strip, [a](const StripEdge &s) { return s.edge->y1 <= a; });
            for (; taken_ < pending_.size() && edges_[pending_[taken_]].y0 <= a; ++taken_)
                if (edges_[pending_[taken_]].y1 > a)
                    strip.push_back({&edges_[pending_[taken_]], pending_[taken_],
                                     XAt(edges_[pending_[taken_]], a), 0});
            SweepStrip(strip, a, b, *row_);
        }
        Pixel *pixels = canvas.Row(y);
        row_->Drain([&](int32_t from, int32_t to, double cover) {
            const auto alpha = uint32_t(std::clamp(cover, 0.0, 1.0) * 255 + 0.5);
            if (alpha == 255)
                std::fill(pixels + from, pixels + to, 0xFF000000u | star_);
            else if (alpha > 0)
                for (int32_t x = from; x < to; ++x)
                    pixels[x] = BlendPixel(pixels[x], star_, alpha);
        });
    }
}
