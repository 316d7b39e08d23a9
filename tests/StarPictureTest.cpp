#include "StarPicture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr Pixel kBack = PixelFromRgb(200, 210, 220);
constexpr Pixel kFore = PixelFromRgb(10, 20, 30);
constexpr Pixel kWhite = PixelFromRgb(255, 255, 255);

struct Rendered {
    StarPicture picture;
    std::vector<Pixel> pixels;
    Pixel At(int x, int y) const { return pixels[std::size_t(y) * picture.width + x]; }
};

Rendered Render(const ShapeSettings &s, PictureInputs in) {
    Directions table{};
    BuildDirections(s, table);
    in.foreground = kFore;
    in.background = kBack;
    Rendered r{MakeStarPicture(s, table, in), {}};
    r.pixels.resize(std::size_t(r.picture.width) * r.picture.height);
    RenderStarRows(r.picture, r.pixels.data(), r.picture.width, 0, r.picture.height);
    return r;
}

ShapeSettings Defaults() {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    return s;
}

PictureInputs Area(int w, int h) {
    PictureInputs in;
    in.areaWidth = w;
    in.areaHeight = h;
    return in;
}

TEST(StarPicture, DefaultStarLightsItsVerticesAndLeavesTheCentre) {
    const Rendered r = Render(Defaults(), Area(408, 251));
    for (Point p :
         {Point{344, 138}, Point{398, 163}, Point{203, 250}, Point{0, 124}, Point{204, 0}})
        EXPECT_EQ(r.At(p.x, p.y), kFore) << p.x << "," << p.y;
    EXPECT_EQ(r.At(204, 125), kBack);
    EXPECT_EQ(r.At(407, 0), kBack);
}

struct MarkerRow {
    const char *name;
    bool fill, dragInner, backdrop;
    Pixel interior;          // what a marker holds inside
    bool outerVertexMarked;  // vertex 2 carries a marker
    bool seeThrough = false; // a translucent window shows the live desktop
};

class Markers : public testing::TestWithParam<MarkerRow> {};

TEST_P(Markers, FollowTheDragAndTheBrush) {
    const MarkerRow &row = GetParam();
    ShapeSettings s = Defaults();
    s.Trans = row.backdrop;
    PictureInputs in = Area(408, 251);
    in.fill = row.fill;
    in.dragging = true;
    in.dragInner = row.dragInner;
    in.seeThrough = row.seeThrough;
    const Pixel capture[1] = {PixelFromRgb(1, 2, 3)};
    const BackdropView backdrop{capture, 1, 1, 1, 0, 0};
    in.backdrop = &backdrop;
    const Rendered r = Render(s, in);
    // Inner vertex 1 at (344, 138): a 6 x 6 marker from (341, 135) to (346, 140).
    EXPECT_EQ(r.At(341, 135), kFore);
    EXPECT_EQ(r.At(346, 140), kFore);
    EXPECT_EQ(r.At(343, 137), row.interior);
    // Outer vertex 2 at (398, 163).
    EXPECT_EQ(r.At(395, 160) == kFore, row.outerVertexMarked);
    // A corner outside the star, and outside the one-pixel capture.
    EXPECT_EQ(r.At(407, 0), row.seeThrough ? kBack & 0x00FFFFFF : row.backdrop ? kWhite : kBack);
    if (row.outerVertexMarked) {
        EXPECT_EQ(r.At(397, 162), row.interior);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Markers,
    testing::Values(MarkerRow{"OutlineOuterDrag", false, false, false, kBack, true},
                    MarkerRow{"OutlineInnerDrag", false, true, false, kBack, false},
                    MarkerRow{"FilledOuterDrag", true, false, false, kBack, true},
                    MarkerRow{"OutlineOverBackdrop", false, false, true, kWhite, true},
                    MarkerRow{"FilledOverBackdrop", true, false, true, kBack, true},
                    MarkerRow{"OutlineSeeThrough", false, false, true, kWhite, true, true}),
    [](const testing::TestParamInfo<MarkerRow> &p) { return p.param.name; });

TEST(StarPicture, BackdropShowsTheScreenUnderTheAreaAndWhiteBeyondIt) {
    ShapeSettings s = Defaults();
    s.Trans = 1;
    s.OuterRate = 1; // keep the star out of the way
    s.InnerRate = 1;
    constexpr int kScreenW = 30, kScreenH = 20;
    std::vector<Pixel> screen(kScreenW * kScreenH);
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x)
            screen[y * kScreenW + x] = PixelFromRgb(x, y, 77);
    const BackdropView backdrop{screen.data(), kScreenW, kScreenW, kScreenH, 25, -3};
    PictureInputs in = Area(10, 8);
    in.backdrop = &backdrop;
    const Rendered r = Render(s, in);
    EXPECT_EQ(r.At(0, 3), PixelFromRgb(25, 0, 77));
    EXPECT_EQ(r.At(4, 7), PixelFromRgb(29, 4, 77));
    EXPECT_EQ(r.At(5, 7), kWhite) << "right of the screen";
    EXPECT_EQ(r.At(0, 2), kWhite) << "above the screen";

    in.output = true; // files and the clipboard never show the desktop
    EXPECT_EQ(Render(s, in).At(0, 3), kBack);
}

TEST(StarPicture, FilledStarKeepsEvenlyCoveredRegionsInTheBackground) {
    ShapeSettings s = Defaults();
    s.Points = 5;
    s.InnerRate = 50;
    s.InnerTwist = 500; // the outline winds four times round the centre
    PictureInputs in = Area(200, 200);
    const auto foreground = [](const Rendered &r) {
        return std::count(r.pixels.begin(), r.pixels.end(), kFore);
    };
    const Rendered outline = Render(s, in);
    in.fill = true;
    const Rendered filled = Render(s, in);
    EXPECT_EQ(filled.At(100, 100), kBack);
    EXPECT_GT(foreground(filled), foreground(outline) + 1000) << "the oddly covered parts fill";
}

} // namespace

namespace {

// Tip rounding rounds the tips alone: every valley stays a corner of the drawn path,
// and no tip does.
TEST(RoundedStar, TipRoundingRoundsTheTipsOnly) {
    PictureInputs in = Area(200, 200);
    in.extras.TipRounding = 100;
    const StarPicture p = Render(Defaults(), in).picture;
    const std::vector<Point> &path = p.Drawn();
    for (std::size_t i = 0; i + 1 < p.vertices.size(); ++i)
        EXPECT_EQ(std::find(path.begin(), path.end(), p.vertices[i]) != path.end(), i % 2 == 1)
            << "vertex " << i;
}

} // namespace
