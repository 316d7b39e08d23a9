#pragma once

#include "ColorValue.h"
#include "Raster.h"
#include "SmoothRegion.h"
#include "StarExtras.h"
#include "StarGeometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A captured screen image that an on-screen picture shows behind the star.
struct BackdropView {
    const Pixel *pixels = nullptr; // top-left pixel of the capture
    std::ptrdiff_t stride = 0;     // pixels per row
    int32_t width = 0, height = 0;
    // Screen position of the picture's top-left corner.
    int32_t originX = 0, originY = 0;
};

// What a picture is drawn from besides ShapeSettings and the direction table.
struct PictureInputs {
    int32_t areaWidth = 0, areaHeight = 0; // the drawing area, pixels
    bool sameSize = false;
    bool fill = false;
    bool output = false;    // output renderings scale by SaveRate and never show the backdrop
    bool dragging = false;  // markers on the vertices
    bool dragInner = false; // markers on the inner vertices only
    Pixel foreground = 0, background = 0;
    const BackdropView *backdrop = nullptr; // used by on-screen renderings with Trans on
    // Output: a background of alpha 0 (for formats that carry alpha). On screen: a
    // checkerboard shows where the picture will be transparent, unless Trans shows
    // the backdrop there.
    bool transparent = false;
    bool smooth = false; // edges blended by the share of each pixel the star covers
    // On screen with Trans on: the window itself is see-through, so the background
    // is alpha 0 and the desktop shows live instead of the backdrop.
    bool seeThrough = false;
    // Rounding, irregularity and the outline; lineColor is the outline's resolved
    // colour when extras.OwnLineColor.
    StarExtras extras{};
    Pixel lineColor = 0;
    // On screen: device pixels per pixel of the drawing area, a whole number. The
    // picture is then drawn as Save As draws it at that magnification, markers and
    // checkerboard included at that size.
    int32_t screenScale = 1;
    // On screen at a fractional ratio of device pixels (above 0): the area is given in
    // device pixels and the star drawn for it at magnification 1, as for a picture of
    // that size, while the markers and the checkerboard grow by the ratio.
    double screenRatio = 0;
};

// Everything needed to render any band of rows of one picture.
struct StarPicture {
    int32_t width = 0, height = 0; // bitmap size
    StarBox box{};
    std::vector<Point> vertices; // 2N vertices and the closing point
    std::vector<Point> path;     // the closed path drawn, corners rounded; empty: vertices
    SmoothRegion region;         // smooth pictures: fill and outline with true arcs
    int32_t tipRounding = 0, valleyRounding = 0; // percent, for drawing the true arcs
    int32_t lineWidth = 1;                       // outline width, pixels of this bitmap
    bool ownLine = false; // the outline in colour line, not the star's colour
    Pixel line = 0;

    const std::vector<Point> &Drawn() const { return path.empty() ? vertices : path; }
    Pixel LineColor() const { return ownLine ? line : foreground; }
    bool fill = false;
    bool markers = false;
    bool markInnerOnly = false;
    Pixel foreground = 0, background = 0;
    const BackdropView *backdrop = nullptr; // non-null: backdrop instead of plain background
    bool transparent = false;  // background pixels carry alpha 0 (output, or see-through)
    bool checkerboard = false; // on screen: a checkerboard instead of the background
    bool seeThrough = false;   // on screen: transparent for the live desktop behind
    bool smooth = false;
    int32_t markerHalf = 3;    // half the side of a vertex marker, pixels of this bitmap
    int32_t checkerSquare = 8; // side of a checkerboard square, the same
};

// The size of an exported picture: the box scaled by SaveRate.
struct PictureSize {
    int32_t width, height;
};
PictureSize OutputPictureSize(int32_t areaWidth, int32_t areaHeight, bool sameSize,
                              int32_t saveRate);

StarPicture MakeStarPicture(const ShapeSettings &settings, const Directions &table,
                            const PictureInputs &inputs);

// Renders rows [y0, y1) of the picture into rows (the pixel of row y0), stride in pixels.
void RenderStarRows(const StarPicture &picture, Pixel *rows, std::ptrdiff_t stride, int32_t y0,
                    int32_t y1);

// Half the side of a vertex marker: markers cover 6 x 6 pixels.
inline constexpr int32_t kMarkerHalf = 3;

// The largest drawing-area width or height the program takes from a settings file
// or a dialog: larger areas could not be allocated as a screen picture.
inline constexpr int32_t kMaxAreaSide = 16384;
