#include "RandomSettings.h"
#include "ReferenceRaster.h"
#include "StarPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

constexpr Pixel kBack = PixelFromRgb(250, 240, 10);
constexpr Pixel kFore = PixelFromRgb(10, 20, 200);

std::vector<Pixel> Render(const StarPicture &p, int32_t y0, int32_t y1) {
    std::vector<Pixel> pixels(std::size_t(p.width) * std::size_t(y1 - y0));
    RenderStarRows(p, pixels.data(), p.width, y0, y1);
    return pixels;
}

// A random star from settings, as the program makes them, at magnification scale.
StarPicture RandomStar(std::mt19937 &rng, int scale, bool fill, bool smooth, bool transparent,
                       const StarExtras &extras) {
    std::uniform_int_distribution<int> side(1, 70);
    ShapeSettings s = RandomSettings(rng);
    s.SaveRate = scale;
    Directions table{};
    BuildDirections(s, table);
    PictureInputs in;
    in.areaWidth = side(rng);
    in.areaHeight = side(rng);
    in.fill = fill;
    in.output = true;
    in.foreground = kFore;
    in.background = kBack;
    in.smooth = smooth;
    in.transparent = transparent;
    in.extras = extras;
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

// Each pixel's alpha is its share of 16 samples, as a naive test of every sample point
// against every edge counts it: within 1/32, that is to the sample. An opaque pixel
// is the blend of that share.
struct SmoothRow {
    const char *name;
    bool fill;
    int scale;
    int rounds;
    StarExtras extras{}; // a wide outline is checked without a fill under it
};

class SmoothEdges : public testing::TestWithParam<SmoothRow> {};

TEST_P(SmoothEdges, MatchTheNaiveCoverageAndTheAliasedPictureAwayFromEdges) {
    std::mt19937 rng(1208 + GetParam().scale);
    for (int round = 0; round < GetParam().rounds; ++round) {
        const auto seed = rng();
        std::mt19937 a(seed), b(seed), c(seed);
        const SmoothRow &param = GetParam();
        const StarPicture transparent =
            RandomStar(a, param.scale, param.fill, true, true, param.extras);
        const StarPicture smooth =
            RandomStar(b, param.scale, param.fill, true, false, param.extras);
        const StarPicture aliased =
            RandomStar(c, param.scale, param.fill, false, false, param.extras);
        const std::vector<Pixel> alpha = Render(transparent, 0, transparent.height);
        const std::vector<Pixel> blended = Render(smooth, 0, smooth.height);
        const std::vector<Pixel> hard = Render(aliased, 0, aliased.height);
        for (int32_t y = 0; y < smooth.height; ++y) {
            for (int32_t x = 0; x < smooth.width; ++x) {
                const std::size_t i = std::size_t(y) * smooth.width + std::size_t(x);
                const int coverage =
                    ReferenceCoverage(smooth.Drawn(), smooth.fill, x, y, smooth.lineWidth);
                ASSERT_EQ(alpha[i] >> 24, std::lround(coverage * 255 / 16.0))
                    << "round " << round << " pixel " << x << "," << y;
                ASSERT_EQ(blended[i], ReferenceBlend(kBack, kFore, coverage))
                    << "round " << round << " pixel " << x << "," << y;
                if (coverage > 0) {
                    ASSERT_EQ(alpha[i] & 0xFFFFFF, kFore & 0xFFFFFF);
                }
                if (DistanceToPath(smooth, x, y) > smooth.lineWidth / 2.0 + 1) {
                    ASSERT_EQ(blended[i], hard[i])
                        << "round " << round << " pixel " << x << "," << y;
                }
            }
        }
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

INSTANTIATE_TEST_SUITE_P(Rows, SmoothEdges,
                         testing::Values(SmoothRow{"OutlineAtOne", false, 1, 20},
                                         SmoothRow{"FilledAtOne", true, 1, 20},
                                         SmoothRow{"OutlineAtThree", false, 3, 3},
                                         SmoothRow{"FilledAtTwo", true, 2, 4},
                                         SmoothRow{"WideRoundedIrregularAtTwo", false, 2, 4,
                                                   StarExtras{30, 40, 25, 9, 3, false, 0}}),
                         [](const testing::TestParamInfo<SmoothRow> &p) { return p.param.name; });

} // namespace
