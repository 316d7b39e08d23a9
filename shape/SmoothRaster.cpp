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
            // G is 0 up to xl, half (X - xl)^2 up to xr and linear beyond: the columns
            // strictly between the ends take half (2 (c - xl) + 1).
            const double half = weight / (2 * (xr - xl));
            const int64_t last = std::min<int64_t>(cr, width_ - 1);
            for (int64_t c = std::max<int64_t>(cl, 0); c <= last; ++c) {
                const double left = double(c) - xl;
                double area = half * (2 * left + 1);
                if (c == cl)
                    area = half * (left + 1) * (left + 1);
                else if (c == cr)
                    area = weight * (double(c + 1) - (xl + xr) / 2) - half * left * left;
                Cell(c).area += area;
            }
        }
        if (cr < width_)
            Cell(cr).carry += weight;
    }

    // Hands out the row as runs of one coverage, left to right, and clears it.
    template <typename Run> void Drain(Run run) {
        DrainRows<false>(nullptr, [&run](int32_t from, int32_t to, double cover, double) {
            run(from, to, cover);
        });
    }

    // Hands out this row and other, as wide, together as runs where both keep one
    // coverage, left to right, and clears both.
    template <typename Run> void DrainWith(CoverageRow &other, Run run) {
        DrainRows<true>(&other, run);
    }

private:
    // Drain and DrainWith: with Two, other's cells join this row's and its cover runs
    // beside this one's; without, other is null and its cover stays 0.
    template <bool Two, typename Run> void DrainRows(CoverageRow *other, Run run) {
        if constexpr (Two) {
            for (const int32_t c : other->touched_) {
                Cell(c);
                other->seen_[std::size_t(c)] = 0;
            }
            other->touched_.clear();
        }
        std::sort(touched_.begin(), touched_.end());
        double cover = base_, otherCover = Two ? other->base_ : 0;
        int32_t x = 0;
        for (const int32_t c : touched_) {
            const auto i = std::size_t(c);
            if (x < c)
                run(x, c, cover, otherCover);
            if constexpr (Two) {
                run(c, c + 1, cover + area_[i], otherCover + other->area_[i]);
                otherCover += other->carry_[i];
                other->area_[i] = other->carry_[i] = 0;
            } else {
                run(c, c + 1, cover + area_[i], 0.0);
            }
            cover += carry_[i];
            area_[i] = carry_[i] = 0;
            seen_[i] = 0;
            x = c + 1;
        }
        if (x < width_)
            run(x, width_, cover, otherCover);
        touched_.clear();
        base_ = 0;
        if constexpr (Two)
            other->base_ = 0;
    }

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

struct SmoothSweep::Inside {
    bool parity = false; // of the fill's edges crossed
    int32_t winding = 0; // of the outline's
    bool Is() const { return parity || winding != 0; }
};

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

// Adds the area inside the region between heights a and b to row, and, given line,
// the area inside the outline to line; the edges all span the strip, each with its
// position at a in top, and leave with their position at b there. Cut where two edges
// cross, so that each piece sees them in one order.
//
// What lies left of the strip's edges is inside by enter; what lies right of them
// comes out in leave.
using Inside = SmoothSweep::Inside;
void SweepStrip(std::vector<StripEdge> &strip, double a, double b, CoverageRow &row,
                CoverageRow *line, Inside enter, Inside &leave) {
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
        Inside state = enter;
        for (StripEdge &s : strip) {
            const bool wasInside = state.Is(), wasLine = state.winding != 0;
            if (s.edge->outline)
                state.winding += s.edge->winding;
            else
                state.parity = !state.parity;
            if (state.Is() != wasInside)
                row.AddEdge(s.top, s.bottom, cut - a, wasInside ? -1.0 : 1.0);
            if (line && (state.winding != 0) != wasLine)
                line->AddEdge(s.top, s.bottom, cut - a, wasLine ? -1.0 : 1.0);
            s.top = s.bottom;
        }
        leave = state;
        if (cut >= b)
            return;
        a = cut;
    }
}

// Colours star and line over a pixel by their shares of it, in 255ths that add up to
// alpha (at most 255): over a transparent pixel they take alpha and mix by their
// shares; over an opaque one the three colours mix by their shares and stay opaque;
// over a partly transparent one alpha adds as for one layer over another,
// a + b (1 - a), and the colours weigh their shares and b (1 - a).
Pixel BlendPixel(Pixel under, Pixel star, uint32_t starShare, Pixel line, uint32_t lineShare) {
    const uint32_t alpha = starShare + lineShare, below = under >> 24;
    const auto mixed = [&](int shift) { // the colours' share, 255ths times 255
        return ((star >> shift) & 0xFF) * starShare + ((line >> shift) & 0xFF) * lineShare;
    };
    Pixel out = 0xFF000000u;
    if (below == 0) {
        out = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8)
            out |= ((mixed(shift) + alpha / 2) / alpha) << shift;
    } else if (below == 255) {
        for (int shift = 0; shift < 24; shift += 8)
            out |= ((((under >> shift) & 0xFF) * (255 - alpha) + mixed(shift) + 127) / 255)
                   << shift;
    } else {
        const uint32_t rest = below * (255 - alpha), total = alpha * 255 + rest; // 255^2 units
        out = ((total + 127) / 255) << 24;
        for (int shift = 0; shift < 24; shift += 8)
            out |= ((mixed(shift) * 255 + ((under >> shift) & 0xFF) * rest + total / 2) / total)
                   << shift;
    }
    return out;
}

// A share of the pixel in 255ths, rounded.
uint32_t Share(double cover) {
    return uint32_t(std::clamp(cover, 0.0, 1.0) * 255 + 0.5);
}

} // namespace

SmoothSweep::SmoothSweep(const SmoothRegion &region, Pixel star, Pixel line, int32_t width)
    : region_(region), star_(star), line_(line),
      row_(std::make_unique<CoverageRow>(std::max(width, 0))) {
    if (line != star)
        lineRow_ = std::make_unique<CoverageRow>(std::max(width, 0));
}

SmoothSweep::~SmoothSweep() = default;

// Sweeps the row's edges order_[first, end) between the ends of those edges within
// the row: in each strip, every edge runs from its top to its bottom.
SmoothSweep::Inside SmoothSweep::SweepGroup(std::size_t first, std::size_t end, double top,
                                            double bottom, Inside enter) {
    stops_ = {top, bottom};
    for (std::size_t k = first; k < end; ++k) {
        const RegionEdge &e = rowEdges_[order_[k].index];
        for (const double y : {e.y0, e.y1})
            if (top < y && y < bottom && e.y0 < e.y1)
                stops_.push_back(y);
    }
    std::sort(stops_.begin(), stops_.end());
    stops_.erase(std::unique(stops_.begin(), stops_.end()), stops_.end());
    strip_.clear();
    Inside leave = enter;
    for (std::size_t k = 0; k + 1 < stops_.size(); ++k) {
        const double a = stops_[k], b = stops_[k + 1];
        std::erase_if(strip_, [a](const StripEdge &s) { return s.edge->y1 <= a; });
        const std::size_t before = strip_.size();
        for (std::size_t j = first; j < end; ++j) {
            const RegionEdge &e = rowEdges_[order_[j].index];
            if (std::max(e.y0, top) == a && e.y0 < e.y1)
                strip_.push_back({&e, order_[j].index, XAt(e, a), 0});
        }
        if (strip_.size() != before)
            std::sort(strip_.begin(), strip_.end(), [](const StripEdge &p, const StripEdge &q) {
                return p.top != q.top ? p.top < q.top : p.index < q.index;
            });
        SweepStrip(strip_, a, b, *row_, lineRow_.get(), enter, leave);
    }
    return leave;
}

void SmoothSweep::Blend(BandCanvas &canvas) {
    const std::vector<RegionEdge> &edges = region_.edges;
    const std::vector<RegionArc> &arcs = region_.arcs;
    for (int32_t y = canvas.FirstRow(); y < canvas.EndRow(); ++y) {
        const double top = y, bottom = y + 1.0;
        // The edges and arcs that reach the row; the first row of a band takes all of
        // them from the top.
        for (; nextEdge_ < edges.size() && edges[nextEdge_].y0 < bottom; ++nextEdge_)
            if (edges[nextEdge_].y1 > top)
                edgesHere_.push_back(nextEdge_);
        for (; nextArc_ < arcs.size() && arcs[nextArc_].y0 < bottom; ++nextArc_)
            if (arcs[nextArc_].y1 > top)
                arcsHere_.push_back(nextArc_);
        std::erase_if(edgesHere_, [&](std::size_t i) { return edges[i].y1 <= top; });
        std::erase_if(arcsHere_, [&](std::size_t i) { return arcs[i].y1 <= top; });
        rowEdges_.clear();
        for (const std::size_t i : edgesHere_)
            rowEdges_.push_back(edges[i]);
        for (const std::size_t i : arcsHere_)
            FlattenArcRows(arcs[i], top, bottom, rowEdges_);
        if (rowEdges_.empty())
            continue;
        // Groups of edges whose spans across the row overlap, left to right. What lies
        // right of a group is inside or not all down the row (its boundaries are
        // closed: where one edge ends within the row another goes on, or turns back),
        // so each group is swept on its own, cut only at its own edges' ends.
        order_.clear();
        for (std::size_t i = 0; i < rowEdges_.size(); ++i) {
            const RegionEdge &e = rowEdges_[i];
            const double xa = XAt(e, top), xb = XAt(e, bottom);
            order_.push_back({std::min(xa, xb), std::max(xa, xb), i});
        }
        std::sort(order_.begin(), order_.end(), [](const Extent &p, const Extent &q) {
            return p.left != q.left ? p.left < q.left : p.index < q.index;
        });
        Inside enter;
        for (std::size_t first = 0; first < order_.size();) {
            std::size_t end = first + 1;
            for (double right = order_[first].right;
                 end < order_.size() && order_[end].left <= right; ++end)
                right = std::max(right, order_[end].right);
            enter = SweepGroup(first, end, top, bottom, enter);
            first = end;
        }
        Pixel *pixels = canvas.Row(y);
        if (!lineRow_) {
            row_->Drain([&](int32_t from, int32_t to, double cover) {
                const uint32_t alpha = Share(cover);
                if (alpha == 255)
                    std::fill(pixels + from, pixels + to, 0xFF000000u | star_);
                else if (alpha > 0)
                    for (int32_t x = from; x < to; ++x)
                        pixels[x] = BlendPixel(pixels[x], star_, alpha, 0, 0);
            });
            continue;
        }
        // The line takes the outline's share, the fill the rest of the union's. The
        // outline lies within the union: its share can pass the union's only by a
        // rounding of the last bit.
        row_->DrainWith(*lineRow_, [&](int32_t from, int32_t to, double cover, double outline) {
            const uint32_t alpha = Share(cover), line = std::min(Share(outline), alpha);
            if (alpha == 255) // wholly covered: the same over any pixel
                std::fill(pixels + from, pixels + to,
                          BlendPixel(0, star_, alpha - line, line_, line));
            else if (alpha > 0)
                for (int32_t x = from; x < to; ++x)
                    pixels[x] = BlendPixel(pixels[x], star_, alpha - line, line_, line);
        });
    }
}
