#pragma once

#include "ColorValue.h"
#include "Raster.h"
#include "SmoothRegion.h"

#include <cstdint>
#include <memory>
#include <vector>

// Smooth edges: each pixel takes the exact share of its area that the star covers,
// in 256 levels, and is blended between what lies under it and the star's colour by
// that share. With an outline of its own colour over the fill, each colour takes the
// share its own region covers: the line the outline's, the fill the rest of the union's.
//
// Each pixel row takes the region's edges that reach it and its arcs flattened
// within it, and is cut into strips at every end and every crossing of them, so that in a strip the
// edges keep their order from left to right. A sweep along that order finds the spans inside the
// region, and each span's left and right edges add the signed area to their right, cell by cell,
// with a cover carried to the cells beyond (the scanline method of font rasterisers). The cells
// then hold each pixel's exact area, and runs between them a constant one. The outline's
// own spans are found in the same sweep, into a second row of cells.
//
// Only the rows of the band are evaluated, and each row from the edges that reach
// it alone, so any band renders exactly as the same rows of the whole picture.

class CoverageRow;
struct StripEdge;

// Blends the region over the rows of a band, chunk by chunk from top to bottom, keeping
// the edges and arcs that reach the rows from one chunk to the next: the union of its
// layers in colour star, or, when line differs, the outline in colour line and what the
// fill has beyond it in colour star. A pixel whose alpha byte is 0 is transparent: the
// colours go over it with alpha for the union's coverage; over any other pixel the
// colours mix and stay opaque.
class SmoothSweep {
public:
    // The region must outlive the sweep.
    SmoothSweep(const SmoothRegion &region, Pixel star, Pixel line, int32_t width);
    ~SmoothSweep();
    SmoothSweep(const SmoothSweep &) = delete;
    SmoothSweep &operator=(const SmoothSweep &) = delete;

    // The next chunk of the band's rows; its width is the sweep's.
    void Blend(BandCanvas &canvas);

    // Whether a point is inside the layers: the crossings on its left.
    struct Inside;

private:
    // An edge of the row and its span across it.
    struct Extent {
        double left, right;
        std::size_t index;
    };
    Inside SweepGroup(std::size_t first, std::size_t end, double top, double bottom, Inside enter);

    const SmoothRegion &region_;
    Pixel star_, line_;
    std::unique_ptr<CoverageRow> row_;              // the union of the layers
    std::unique_ptr<CoverageRow> lineRow_;          // the outline alone, with two colours
    std::size_t nextEdge_ = 0, nextArc_ = 0;        // the first not yet looked at
    std::vector<std::size_t> edgesHere_, arcsHere_; // those that reach the row
    std::vector<RegionEdge> rowEdges_;              // the row's edges, arcs flattened within it
    std::vector<Extent> order_;                     // the row's edges by their left ends
    std::vector<StripEdge> strip_;                  // the edges across the current strip, in order
    std::vector<double> stops_;
};
