#pragma once

#include "ColorValue.h"
#include "Raster.h"
#include "SmoothRegion.h"

#include <cstdint>
#include <memory>
#include <vector>

// Smooth edges: each pixel takes the exact share of its area that the star covers,
// in 256 levels, and is blended between what lies under it and the star's colour by
// that share.
//
// Each pixel row is cut into strips at every end and every crossing of the region's
// edges within it, so that in a strip the edges keep their order from left to right.
// A sweep along that order finds the spans inside the region, and each span's left
// and right edges add the signed area to their right, cell by cell, with a cover
// carried to the cells beyond (the scanline method of font rasterisers). The cells
// then hold each pixel's exact area, and runs between them a constant one.
//
// Only the rows of the band are evaluated, and each row from the edges that reach
// it alone, so any band renders exactly as the same rows of the whole picture.

// Which layers of the region the star covers: the fill, the outline, or their union
// taken once.
enum class SmoothLayers { Fill, Outline, Both };

class CoverageRow;
struct StripEdge;

// Blends the region's layers in colour star over the rows of a band, chunk by chunk
// from top to bottom, keeping the edges that reach the rows from one chunk to the
// next. A pixel whose alpha byte is 0 is transparent: the star's colour goes over it
// with alpha for coverage; over any other pixel the colours mix and stay opaque.
class SmoothSweep {
public:
    // firstRow: the band's first row; the region must outlive the sweep.
    SmoothSweep(const SmoothRegion &region, SmoothLayers layers, Pixel star, int32_t width,
                int32_t firstRow);
    ~SmoothSweep();
    SmoothSweep(const SmoothSweep &) = delete;
    SmoothSweep &operator=(const SmoothSweep &) = delete;

    // The next chunk of the band's rows; its width is the sweep's.
    void Blend(BandCanvas &canvas);

private:
    bool Wanted(const RegionEdge &e) const;

    const std::vector<RegionEdge> &edges_;
    SmoothLayers layers_;
    Pixel star_;
    std::unique_ptr<CoverageRow> row_;
    std::vector<std::size_t> pending_; // edges not yet in the strip, by their tops
    std::size_t taken_ = 0;            // pending_ before this have entered the strip
    std::vector<StripEdge> strip_;     // the edges across the current strip, in order
    std::vector<double> stops_;
};
