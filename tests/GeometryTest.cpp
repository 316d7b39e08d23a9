#include "StarGeometry.h"
#include "StarPicture.h"

#include "StarOutline.h"

#include <gtest/gtest.h>

namespace {

ShapeSettings Defaults() {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    return s;
}

ShapeSettings SecondExample() {
    ShapeSettings s = Defaults();
    s.Points = 5;
    s.InnerRate = 50;
    s.OuterRate = 90;
    s.InnerTwist = 50;
    s.CenterXRate = 10;
    s.CenterYRate = -20;
    s.LeanAngle = 30;
    return s;
}

std::vector<Point> Vertices(const ShapeSettings &s, int32_t w, int32_t h) {
    Directions table{};
    BuildDirections(s, table);
    std::vector<Point> v;
    ComputeVertices(s, table, ComputeBox(w, h, s), v);
    return v;
}

struct VertexRow {
    int i;
    float cos, sin;
    Point point;
};

TEST(WorkedExample, DefaultStarOn408x251) {
    const ShapeSettings s = Defaults();
    const StarBox b = ComputeBox(408, 251, s);
    EXPECT_EQ((std::vector<int>{b.hw, b.hh, b.rx, b.ry, b.irx, b.iry, b.icx, b.icy}),
              (std::vector<int>{204, 125, 204, 125, 142, 87, 204, 125}));

    Directions table{};
    BuildDirections(s, table);
    const std::vector<Point> v = Vertices(s, 408, 251);
    ASSERT_EQ(v.size(), 41u);
    const VertexRow rows[] = {
        {0, 1, 0, {408, 125}},
        {1, 0.98768836f, 0.15643448f, {344, 138}},
        {2, 0.95105654f, 0.30901700f, {398, 163}},
        {3, 0.89100653f, 0.45399052f, {330, 164}},
        {4, 0.80901700f, 0.58778524f, {369, 198}},
        {5, 0.70710677f, 0.70710677f, {304, 186}},
        {10, -4.3711388e-8f, 1, {203, 250}},
        {20, -1, -8.7422777e-8f, {0, 124}},
        {30, 1.1924881e-8f, -1, {204, 0}},
    };
    for (const VertexRow &row : rows) {
        SCOPED_TRACE(row.i);
        EXPECT_EQ(table[row.i].Cos, row.cos);
        EXPECT_EQ(table[row.i].Sin, row.sin);
        EXPECT_EQ(v[row.i], row.point);
    }
    EXPECT_EQ(v[40], (Point{408, 125}));
}

TEST(WorkedExample, TwistedShiftedLeanedFiveJags) {
    const ShapeSettings s = SecondExample();
    const StarBox b = ComputeBox(200, 150, s);
    EXPECT_EQ((std::vector<int>{b.hw, b.hh, b.rx, b.ry, b.irx, b.iry, b.icx, b.icy}),
              (std::vector<int>{100, 75, 90, 67, 45, 33, 110, 60}));
    const LeanRotation lean = ComputeLean(30);
    EXPECT_EQ(lean.c, 0.86602539f);
    EXPECT_EQ(lean.s, 0.5f);

    Directions table{};
    BuildDirections(s, table);
    ShapeSettings unleaned = s;
    unleaned.LeanAngle = 0;
    const std::vector<Point> before = Vertices(unleaned, 200, 150);
    const std::vector<Point> after = Vertices(s, 200, 150);
    struct Row {
        int i;
        float cos, sin;
        Point before, after;
    };
    const Row rows[] = {
        {0, 1, 0, {190, 75}, {177, 120}},
        {1, 0.58778524f, 0.80901700f, {136, 86}, {125, 102}},
        {2, 0.30901697f, 0.95105654f, {127, 138}, {91, 143}},
        {3, -0.58778530f, 0.80901694f, {83, 86}, {79, 76}},
        {4, -0.80901706f, 0.58778518f, {27, 114}, {17, 72}},
        {5, -0.95105648f, -0.30901709f, {67, 49}, {84, 35}},
        {6, -0.80901694f, -0.58778536f, {27, 35}, {56, 3}},
        {7, -1.0728441e-7f, -1, {109, 27}, {131, 37}},
        {8, 0.30901712f, -0.95105648f, {127, 11}, {155, 33}},
        {9, 0.95105666f, -0.30901662f, {152, 49}, {158, 78}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.i);
        EXPECT_EQ(table[row.i].Cos, row.cos);
        EXPECT_EQ(table[row.i].Sin, row.sin);
        EXPECT_EQ(before[row.i], row.before);
        EXPECT_EQ(after[row.i], row.after);
    }
    EXPECT_EQ(before[10], (Point{190, 75}));
    EXPECT_EQ(after[10], (Point{177, 120}));
}

TEST(Geometry, InnerTwistOfOneStepMovesInnerVertexOntoNextOuterDirection) {
    ShapeSettings s = Defaults();
    s.InnerTwist = 100;
    EXPECT_EQ(Vertices(s, 408, 251)[1], (Point{339, 151}));
}

TEST(Geometry, IntegerDivisionsTruncateTowardZero) {
    ShapeSettings s = Defaults();
    s.CenterYRate = -50;
    EXPECT_EQ(ComputeBox(200, 150, s).icy, 38);
}

TEST(Geometry, LeanTruncatesAfterRoundingToSingle) {
    const StarBox box{}; // lean centre (0, 0)
    EXPECT_EQ(LeanPoint({1, 0}, box, {177.94f, 0}), (Point{177, 0}));
    EXPECT_EQ(LeanPoint({-1, 0}, box, {0.6f, 0}), (Point{0, 0}));
    EXPECT_EQ(LeanPoint({0, -1}, box, {0.6f, 0}), (Point{0, 0}));
}

TEST(Geometry, CentreShiftMovesOnlyInnerVerticesAndLeanTurnsAboutBoxCentre) {
    ShapeSettings s = Defaults();
    const std::vector<Point> plain = Vertices(s, 408, 251);
    s.CenterXRate = 20;
    const std::vector<Point> shifted = Vertices(s, 408, 251);
    for (std::size_t i = 0; i < plain.size() - 1; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(shifted[i].x - plain[i].x, i % 2 ? 40 : 0);
    }
    s.LeanAngle = 90; // a quarter turn about (204, 125) maps vertex 0 below the centre
    EXPECT_EQ(Vertices(s, 408, 251)[0], (Point{204, 125 + 204}));
}

TEST(Geometry, ClosingPointEqualsVertexZeroForEveryLeanAndTwist) {
    for (int lean = -90; lean <= 90; lean += 7) {
        for (int twist = -1000; twist <= 1000; twist += 333) {
            ShapeSettings s = Defaults();
            s.Points = 3 + (lean + 90) % 48;
            s.LeanAngle = lean;
            s.OuterTwist = twist;
            const std::vector<Point> v = Vertices(s, 321, 123);
            ASSERT_EQ(v.size(), std::size_t(2 * s.Points + 1));
            EXPECT_EQ(v.front(), v.back()) << "lean " << lean << " twist " << twist;
        }
    }
}

TEST(Geometry, OutputAtSaveRateTwoIsRecomputedNotScaled) {
    ShapeSettings s = Defaults();
    s.SaveRate = 2;
    Directions table{};
    BuildDirections(s, table);
    PictureInputs in;
    in.areaWidth = 408;
    in.areaHeight = 251;
    in.output = true;
    const StarPicture p = MakeStarPicture(s, table, in);
    EXPECT_EQ(p.width, 816);
    EXPECT_EQ(p.height, 502);
    EXPECT_EQ((std::vector<int>{p.box.hw, p.box.hh, p.box.rx, p.box.ry, p.box.irx, p.box.iry}),
              (std::vector<int>{408, 251, 408, 251, 285, 175}));
    EXPECT_EQ(p.vertices[10], (Point{407, 502}));
}

TEST(Geometry, SameSizeUsesTheTopLeftSquare) {
    ShapeSettings s = Defaults();
    Directions table{};
    BuildDirections(s, table);
    PictureInputs in;
    in.areaWidth = 408;
    in.areaHeight = 251;
    in.sameSize = true;
    const StarPicture screen = MakeStarPicture(s, table, in);
    EXPECT_EQ(screen.width, 408);
    EXPECT_EQ(screen.height, 251);
    EXPECT_EQ(screen.box.hw, 125);
    EXPECT_EQ(screen.box.hh, 125);
    in.output = true;
    const StarPicture output = MakeStarPicture(s, table, in);
    EXPECT_EQ(output.width, 251);
    EXPECT_EQ(output.height, 251);
    const PictureSize size = OutputPictureSize(408, 251, true, 3);
    EXPECT_EQ(size.width, 753);
    EXPECT_EQ(size.height, 753);
}

} // namespace

namespace {

std::vector<Point> IrregularVertices(const ShapeSettings &s, const StarExtras &e, int w, int h) {
    Directions table{};
    BuildDirections(s, table);
    std::vector<Point> v;
    ComputeIrregularVertices(s, e, table, ComputeBox(w, h, s), v);
    return v;
}

// Star files keep their seeds, so a seed gives the same star in every version.
TEST(IrregularStar, StoredSeedsKeepTheirVertices) {
    ShapeSettings s = Defaults();
    s.Points = 5;
    const struct {
        uint32_t seed;
        int32_t irregularity;
        std::vector<int32_t> xy; // the first ten vertices
    } rows[] = {{0, 100, {111, 75, 126, 82, 121, 114, 95,  88, 66,  89,
                          32,  80, 70,  52, 88,  45,  119, 29, 157, 52}},
                {4294967295u, 60, {189, 78, 128, 87, 118, 145, 93,  109, 52,  96,
                                   46,  76, 58,  53, 90,  38,  128, 11,  142, 50}}};
    for (const auto &row : rows) {
        const std::vector<Point> v =
            IrregularVertices(s, {.Irregularity = row.irregularity, .Seed = row.seed}, 200, 150);
        std::vector<int32_t> xy;
        for (std::size_t i = 0; i < 10; ++i)
            xy.insert(xy.end(), {v[i].x, v[i].y});
        EXPECT_EQ(xy, row.xy) << "seed " << row.seed;
    }
}

} // namespace
