#include "RandomSettings.h"
#include "ReferenceRaster.h"
#include "StarPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr Pixel kBack = PixelFromRgb(250, 240, 10);
constexpr Pixel kFore = PixelFromRgb(10, 20, 200);
constexpr Pixel kLine = PixelFromRgb(0, 200, 0); // an outline of its own colour: no blue

std::vector<Pixel> Render(const StarPicture &p, int32_t y0, int32_t y1) {
    std::vector<Pixel> pixels(std::size_t(p.width) * std::size_t(y1 - y0));
    RenderStarRows(p, pixels.data(), p.width, y0, y1);
    return pixels;
}

// A random star from settings, as the program makes them, at magnification scale; or,
// with points, the default star with that many jags at 240 x 180.
StarPicture MakeStar(std::mt19937 &rng, int scale, bool fill, bool smooth, bool transparent,
                     const StarExtras &extras, int points) {
    std::uniform_int_distribution<int> side(1, 70);
    ShapeSettings s = RandomSettings(rng);
    s.SaveRate = scale;
    PictureInputs in;
    in.areaWidth = side(rng);
    in.areaHeight = side(rng);
    if (points > 0) {
        ApplyDefaultParameters(s);
        s.Points = points;
        in.areaWidth = 240, in.areaHeight = 180;
    }
    Directions table{};
    BuildDirections(s, table);
    in.fill = fill;
    in.output = true;
    in.foreground = kFore;
    in.background = kBack;
    in.smooth = smooth;
    in.transparent = transparent;
    in.extras = extras;
    in.lineColor = kLine;
    return MakeStarPicture(s, table, in);
}

double DistanceToPath(const StarPicture &p, double x, double y) {
    double best = 1e300;
    const std::vector<Point> &path = p.Drawn();
    for (std::size_t i = 1; i < path.size(); ++i) {
        const double ax = path[i - 1].x, ay = path[i - 1].y;
        const double dx = path[i].x - ax, dy = path[i].y - ay;
        const double l2 = dx * dx + dy * dy;
        const double t = l2 == 0 ? 0 : std::clamp(((x - ax) * dx + (y - ay) * dy) / l2, 0.0, 1.0);
        best = std::min(best, std::hypot(x - ax - t * dx, y - ay - t * dy));
    }
    return best;
}

// Each pixel's alpha is the exact share of it that the star covers (its fill and
// outline taken once), within 4/255 and on average within 0.6/255 over the pixels along
// its edges; of two colours, each shows its own region's share within 4/255; an opaque
// pixel is the transparent one over the background, to the nearest level; away from the
// edges the picture is the aliased one, and any band is the same rows of the whole picture.
struct SmoothRow {
    const char *name;
    bool fill;
    int scale;
    int rounds;
    StarExtras extras{};
    int points = 0; // a random star; else the default star with these jags, 240 x 180
};

class SmoothEdges : public testing::TestWithParam<SmoothRow> {};

TEST_P(SmoothEdges, MatchTheExactAreaAndTheAliasedPictureAwayFromEdges) {
    const SmoothRow &param = GetParam();
    std::mt19937 rng(1208 + param.scale);
    for (int round = 0; round < param.rounds; ++round) {
        const auto seed = rng();
        std::mt19937 a(seed), b(seed), c(seed);
        const auto make = [&](std::mt19937 &r, bool smooth, bool transparent) {
            return MakeStar(r, param.scale, param.fill, smooth, transparent, param.extras,
                            param.points);
        };
        const StarPicture transparent = make(a, true, true), smooth = make(b, true, false),
                          aliased = make(c, false, false);
        const std::vector<Pixel> alpha = Render(transparent, 0, transparent.height);
        const std::vector<Pixel> blended = Render(smooth, 0, smooth.height);
        const std::vector<Pixel> hard = Render(aliased, 0, aliased.height);
        const std::vector<double> areas = ReferenceAreas(smooth, smooth.fill, true);
        const bool twoColours = smooth.fill && smooth.ownLine;
        const std::vector<double> line = ReferenceAreas(smooth, false, twoColours);
        double offBy = 0;
        int along = 0;
        for (int32_t y = 0; y < smooth.height; ++y) {
            for (int32_t x = 0; x < smooth.width; ++x) {
                const std::size_t i = std::size_t(y) * smooth.width + std::size_t(x);
                const auto exact = int(std::lround(areas[i] * 255)), got = int(alpha[i] >> 24);
                ASSERT_LE(std::abs(got - exact), 4)
                    << "round " << round << " pixel " << x << "," << y;
                if ((exact % 255 != 0 || got % 255 != 0) && ++along)
                    offBy += std::abs(areas[i] * 255 - got);
                for (const int shift : {0, 8, 16})
                    ASSERT_LE(std::abs(double((blended[i] >> shift) & 0xFF) -
                                       double((alpha[i] >> shift) & 0xFF) * got / 255 -
                                       double((kBack >> shift) & 0xFF) * (255 - got) / 255),
                              1.01)
                        << "round " << round << " pixel " << x << "," << y;
                // The fill's share, from the blue of the transparent pixel.
                const double fill = double(alpha[i] & 0xFF) * got / 255 / (kFore & 0xFF);
                ASSERT_TRUE(!twoColours || (std::abs(fill - areas[i] + line[i]) * 255 <= 4 &&
                                            std::abs(got / 255.0 - fill - line[i]) * 255 <= 4))
                    << "round " << round << " pixel " << x << "," << y << ": fill " << fill;
                if (got > 0 && !smooth.ownLine) {
                    ASSERT_EQ(alpha[i] & 0xFFFFFF, kFore & 0xFFFFFF);
                }
                if (DistanceToPath(smooth, x, y) > smooth.lineWidth / 2.0 + 2) {
                    ASSERT_EQ(blended[i], hard[i])
                        << "round " << round << " pixel " << x << "," << y;
                }
            }
        }
        EXPECT_LE(offBy, 0.6 * std::max(along, 1)) << "round " << round << ", mean over " << along;
        // Any band renders as the same rows of the whole picture.
        std::uniform_int_distribution<int32_t> row(0, smooth.height);
        int32_t y0 = row(rng), y1 = row(rng);
        if (y0 > y1)
            std::swap(y0, y1);
        const std::vector<Pixel> band = Render(smooth, y0, y1);
        ASSERT_TRUE(std::equal(band.begin(), band.end(),
                               blended.begin() + std::ptrdiff_t(y0) * smooth.width));
    }
}

constexpr StarExtras kWide{30, 40, 25, 9, 3, false, 0}, kRounded{30, 30, 0, 0, 1, false, 0};

INSTANTIATE_TEST_SUITE_P(
    Rows, SmoothEdges,
    testing::Values(
        SmoothRow{"OutlineAtOne", false, 1, 12}, SmoothRow{"FilledAtOne", true, 1, 12},
        SmoothRow{"OutlineAtThree", false, 3, 3}, SmoothRow{"FilledAtTwo", true, 2, 4},
        SmoothRow{"WideRoundedIrregularAtTwo", false, 2, 4, kWide},
        SmoothRow{"WideRoundedIrregularFilled", true, 1, 6, kWide},
        SmoothRow{"Plain", true, 1, 1, {}, 5}, SmoothRow{"OutlineOnly", false, 1, 1, {}, 5},
        SmoothRow{"TwentyJags", true, 1, 1, {}, 20},
        SmoothRow{"WidthFive", true, 1, 1, {0, 0, 0, 0, 5, false, 0}, 5},
        SmoothRow{"Rounded", true, 1, 1, kRounded, 5},
        SmoothRow{"FullyRounded", true, 1, 1, {100, 100, 0, 0, 1, false, 0}, 5},
        SmoothRow{"OwnLineColourOverTheFill", true, 1, 1, {100, 100, 0, 0, 2, true, 0}, 13},
        SmoothRow{"OwnLineColourWidthOne", true, 1, 8, {0, 0, 0, 0, 1, true, 0}},
        SmoothRow{"OwnLineColourRoundedWidthThree", true, 1, 4, {30, 40, 25, 9, 3, true, 0}},
        SmoothRow{"OwnLineColourWidthEight", true, 1, 4, {0, 0, 0, 0, 8, true, 0}},
        SmoothRow{"OwnLineColourTwentyJags", true, 1, 1, {0, 0, 0, 0, 1, true, 0}, 20}),
    [](const testing::TestParamInfo<SmoothRow> &p) { return p.param.name; });

// An arc flattened within the row [0, 1) keeps its exact area there, with as few as two
// chords: a tiny corner of nearly half a circle, a thin slice of a wide arc.
struct ArcRow {
    const char *name;
    double r, cx, cy, y0, y1; // right of the centre, from y0 down to y1
};

class FlattenedArc : public testing::TestWithParam<ArcRow> {};

TEST_P(FlattenedArc, KeepsItsAreaInTheRow) {
    const auto [name, r, cx, cy, y0, y1] = GetParam();
    const auto x = [&](double y) { return cx + std::sqrt(r * r - (y - cy) * (y - cy)); };
    const auto area = [&](double y) { // the integral of x dy along the arc
        return cx * y + ((y - cy) * (x(y) - cx) + r * r * std::asin((y - cy) / r)) / 2;
    };
    std::vector<RegionEdge> edges;
    FlattenArcRows({cx, cy, r, x(y0), y0, x(y1), y1, true, 1, false}, 0, 1, edges);
    double flat = 0;
    for (const RegionEdge &e : edges)
        flat += (e.x0 + e.x1) / 2 * (e.y1 - e.y0);
    EXPECT_NEAR(flat, area(std::min(y1, 1.0)) - area(std::max(y0, 0.0)), 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Rows, FlattenedArc,
                         testing::Values(ArcRow{"TinyNearlyHalfCircle", 0.02, 0.5, 0.5, 0.4805,
                                                0.5195},
                                         ArcRow{"ThinSliceOfAWideArc", 20, -19.5, 0.5, -5, 5}),
                         [](const auto &p) { return p.param.name; });

} // namespace
