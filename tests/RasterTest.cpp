#include "Raster.h"
#include "RandomSettings.h"
#include "ReferenceRaster.h"
#include "StarPicture.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr Pixel kBack = PixelFromRgb(255, 255, 255);
constexpr Pixel kFore = PixelFromRgb(0, 0, 0);

std::vector<Pixel> RenderWhole(const StarPicture &p) {
    std::vector<Pixel> pixels(std::size_t(p.width) * p.height);
    RenderStarRows(p, pixels.data(), p.width, 0, p.height);
    return pixels;
}

// A picture straight from random vertices, as any settings could make them and worse:
// points off the picture, repeated points, crossing edges.
StarPicture RandomPicture(std::mt19937 &rng) {
    std::uniform_int_distribution<int> side(1, 90), count(3, 30);
    StarPicture p;
    p.width = side(rng);
    p.height = side(rng);
    std::uniform_int_distribution<int32_t> xs(-20, p.width + 20), ys(-20, p.height + 20);
    const int n = count(rng);
    for (int i = 0; i < n; ++i)
        p.vertices.push_back({xs(rng), ys(rng)});
    if (rng() % 4 == 0)
        p.vertices[1] = p.vertices[0];
    p.vertices.push_back(p.vertices.front());
    p.fill = rng() % 2;
    p.markers = rng() % 3 == 0;
    p.markInnerOnly = rng() % 2;
    p.foreground = kFore;
    p.background = kBack;
    return p;
}

TEST(Raster, MatchesTheReferenceOnRandomPictures) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 400; ++round) {
        const StarPicture p = RandomPicture(rng);
        const ReferenceImage expected = ReferencePicture(p);
        ASSERT_EQ(RenderWhole(p), expected.pixels) << "round " << round;
    }
}

TEST(Raster, MatchesTheReferenceOnRandomStars) {
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> side(1, 160);
    for (int round = 0; round < 150; ++round) {
        const ShapeSettings s = RandomSettings(rng);
        Directions table{};
        BuildDirections(s, table);
        PictureInputs in;
        in.areaWidth = side(rng);
        in.areaHeight = side(rng);
        in.fill = rng() % 2;
        in.dragging = rng() % 2;
        in.dragInner = rng() % 2;
        in.foreground = kFore;
        in.background = kBack;
        // Every third star rounded, irregular and with a wide outline of its own colour.
        if (round % 3 == 2)
            in.extras = {int32_t(rng() % 101),
                         int32_t(rng() % 101),
                         int32_t(rng() % 101),
                         uint32_t(rng()),
                         int32_t(1 + rng() % 9),
                         rng() % 2 == 0,
                         0x00FF00};
        in.lineColor = kBack ^ 0x00FFFFFF;
        const StarPicture p = MakeStarPicture(s, table, in);
        ASSERT_EQ(RenderWhole(p), ReferencePicture(p).pixels) << "round " << round;
    }
}

TEST(Raster, AnyBandEqualsTheSameRowsOfTheWholePicture) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        StarPicture p = RandomPicture(rng);
        if (round % 4 == 3)
            p.lineWidth = 2 + round % 7; // a wide outline reaches rows beyond its segments
        const std::vector<Pixel> whole = RenderWhole(p);
        std::uniform_int_distribution<int32_t> row(0, p.height);
        int32_t y0 = row(rng), y1 = row(rng);
        if (y0 > y1)
            std::swap(y0, y1);
        // A canary row after the band shows that nothing is written beyond it.
        std::vector<Pixel> band(std::size_t(p.width) * (y1 - y0 + 1), 0x12345678);
        RenderStarRows(p, band.data(), p.width, y0, y1);
        for (int32_t y = y0; y < y1; ++y)
            for (int32_t x = 0; x < p.width; ++x)
                ASSERT_EQ(band[std::size_t(y - y0) * p.width + x],
                          whole[std::size_t(y) * p.width + x])
                    << "round " << round << " band " << y0 << ".." << y1 << " pixel " << x << ","
                    << y;
        for (int32_t x = 0; x < p.width; ++x)
            ASSERT_EQ(band[std::size_t(y1 - y0) * p.width + x], 0x12345678u);
    }
}

// The pixels that one segment lights in a w x h picture, row by row.
std::vector<Point> LinePixels(Point from, Point to, int w, int h) {
    std::vector<Pixel> buffer(std::size_t(w) * h, 0);
    BandCanvas canvas(buffer.data(), w, w, h, 0, h);
    canvas.Line(from, to, 1);
    std::vector<Point> lit;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (buffer[std::size_t(y) * w + x])
                lit.push_back({x, y});
    return lit;
}

TEST(Raster, SegmentsLeaveOutTheirEndPoint) {
    EXPECT_EQ(LinePixels({1, 1}, {4, 1}, 6, 3), (std::vector<Point>{{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(LinePixels({4, 1}, {1, 1}, 6, 3), (std::vector<Point>{{2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(LinePixels({0, 0}, {0, 2}, 2, 3), (std::vector<Point>{{0, 0}, {0, 1}}));
    EXPECT_EQ(LinePixels({0, 0}, {2, 2}, 3, 3), (std::vector<Point>{{0, 0}, {1, 1}}));
    EXPECT_TRUE(LinePixels({1, 1}, {1, 1}, 3, 3).empty());
}

TEST(Raster, RectanglesLeaveOutRightAndBottomEdges) {
    std::vector<Pixel> buffer(8 * 8, 0);
    BandCanvas canvas(buffer.data(), 8, 8, 8, 0, 8);
    canvas.Rectangle(1, 1, 7, 7, 2, 3); // a 6 x 6 marker
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 1 && x < 7 && y >= 1 && y < 7;
            const bool border = inside && (x == 1 || x == 6 || y == 1 || y == 6);
            EXPECT_EQ(buffer[y * 8 + x], inside ? (border ? 2u : 3u) : 0u) << x << "," << y;
        }
}

TEST(Raster, EvenOddLeavesDoublyCoveredRegionsEmpty) {
    // Two overlapping squares as one path: the overlap is covered twice.
    const std::vector<Point> path = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0},
                                     {3, 3}, {9, 3}, {9, 9}, {3, 9}, {3, 3}};
    std::vector<Pixel> buffer(10 * 10, 0);
    BandCanvas canvas(buffer.data(), 10, 10, 10, 0, 10);
    canvas.FillPolygonEvenOdd(path, 1);
    EXPECT_EQ(buffer[1 * 10 + 1], 1u);
    EXPECT_EQ(buffer[4 * 10 + 4], 0u);
    EXPECT_EQ(buffer[7 * 10 + 7], 1u);
}

} // namespace
