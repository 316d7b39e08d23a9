#include "ColorValue.h"
#include "FullDisk.h"
#include "SettingsFile.h"
#include "ShapeSettings.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <numeric>

namespace {

ShapeSettings DefaultRecord() {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.ForeColor = kWindowTextColor;
    s.BackColor = kWindowColor;
    return s;
}

uint32_t U32At(const SettingsBytes &b, std::size_t offset) {
    return b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 | uint32_t(b[offset + 3]) << 24;
}

TEST(SettingsLayout, FieldsSitAtTheirOffsetsLittleEndian) {
    ShapeSettings s{};
    s.Points = 0x01020304;
    s.InnerRate = -2;
    s.ClientWidth = 408;
    s.ClientHeight = 276;
    s.InnerTwist = 0x11121314;
    s.OuterTwist = 0x21222324;
    s.CenterXRate = 0x31323334;
    s.CenterYRate = 0x41424344;
    s.SaveRate = 0x51525354;
    s.SameSize = 0x61;
    s.Fill = 0x62;
    s.Reserved1[0] = 0x63;
    s.Reserved1[1] = 0x64;
    s.ForeColor = 0x80000008;
    s.BackColor = 0x80000005;
    s.LeanAngle = -90;
    s.OuterRate = 0x71727374;
    s.Trans = 0x75;
    s.Reserved2[0] = 0x76;
    s.Reserved2[1] = 0x77;
    s.Reserved2[2] = 0x78;
    s.Left = -5;
    s.Top = 0x0A0B0C0D;
    const SettingsBytes b = EncodeSettings(s);
    EXPECT_EQ(U32At(b, 0), 0x01020304u);
    EXPECT_EQ(U32At(b, 4), 0xFFFFFFFEu);
    EXPECT_EQ(U32At(b, 8), 408u);
    EXPECT_EQ(U32At(b, 12), 276u);
    EXPECT_EQ(U32At(b, 16), 0x11121314u);
    EXPECT_EQ(U32At(b, 20), 0x21222324u);
    EXPECT_EQ(U32At(b, 24), 0x31323334u);
    EXPECT_EQ(U32At(b, 28), 0x41424344u);
    EXPECT_EQ(U32At(b, 32), 0x51525354u);
    EXPECT_EQ(U32At(b, 36), 0x64636261u);
    EXPECT_EQ(U32At(b, 40), 0x80000008u);
    EXPECT_EQ(U32At(b, 44), 0x80000005u);
    EXPECT_EQ(U32At(b, 48), uint32_t(-90));
    EXPECT_EQ(U32At(b, 52), 0x71727374u);
    EXPECT_EQ(U32At(b, 56), 0x78777675u);
    EXPECT_EQ(U32At(b, 60), uint32_t(-5));
    EXPECT_EQ(U32At(b, 64), 0x0A0B0C0Du);
    EXPECT_EQ(EncodeSettings(DecodeSettings(b)), b);
}

TEST(SettingsLayout, DefaultColoursAreStoredAsSystemColourNumbers) {
    const SettingsBytes b = EncodeSettings(DefaultRecord());
    EXPECT_EQ((std::vector<int>{b[40], b[41], b[42], b[43]}), (std::vector<int>{8, 0, 0, 0x80}));
    EXPECT_EQ((std::vector<int>{b[44], b[45], b[46], b[47]}), (std::vector<int>{5, 0, 0, 0x80}));
}

TEST(SettingsFile, ShortFileGivesNothingLongFileItsFirst68Bytes) {
    TempDir dir;
    std::vector<unsigned char> bytes(100);
    std::iota(bytes.begin(), bytes.end(), 0);

    WriteBytes(dir.File("short.def"), {bytes.begin(), bytes.begin() + 67});
    EXPECT_FALSE(ReadSettingsFile(dir.File("short.def")));
    EXPECT_FALSE(ReadSettingsFile(dir.File("missing.def")));

    WriteBytes(dir.File("long.def"), bytes);
    const auto loaded = ReadSettingsFile(dir.File("long.def"));
    ASSERT_TRUE(loaded);
    const SettingsBytes back = EncodeSettings(*loaded);
    EXPECT_TRUE(std::equal(back.begin(), back.end(), bytes.begin()));
}

TEST(SettingsFile, WriteKeepsReservedBytesAndWritesExactly68) {
    TempDir dir;
    ShapeSettings s = DefaultRecord();
    s.Reserved1[0] = 0xAB;
    s.Reserved2[2] = 0xCD;
    const std::string path = dir.File("Vantrell.def");
    WriteBytes(path, std::vector<unsigned char>(200, 0xEE)); // replaced, not patched
    ASSERT_TRUE(WriteSettingsFile(path, s));
    const std::vector<unsigned char> written = ReadBytes(path);
    ASSERT_EQ(written.size(), 68u);
    EXPECT_EQ(written[38], 0xAB);
    EXPECT_EQ(written[59], 0xCD);
    EXPECT_EQ(std::filesystem::directory_iterator(dir.Path())->path().filename(), "Vantrell.def")
        << "no temporary file is left behind";
}

// The extension block after the record: written only when a parameter is not at its
// default and read back whole. What this version cannot read whole (a later
// version, unknown flags, a truncated or longer block) keeps the star's first 28
// bytes where it has them, and says that it holds more, so nothing saves over it.
const StarExtras kExtras{25, 75, 10, 0xDEADBEEF, 8, true, 0x80000008};

struct ExtrasRow {
    const char *name;
    std::function<void(std::vector<unsigned char> &)> damage;
    StarExtras expected;
    ExtrasBlock block;
};

class ExtensionBlock : public testing::TestWithParam<ExtrasRow> {};

TEST_P(ExtensionBlock, RoundTripsOrKeepsWhatItKnows) {
    TempDir dir;
    const ShapeSettings s = DefaultRecord();
    ASSERT_TRUE(WriteSettingsFile(dir.File("plain.def"), s));
    EXPECT_EQ(ReadBytes(dir.File("plain.def")).size(), kSettingsSize);
    ASSERT_TRUE(WriteSettingsFile(dir.File("star.def"), s, nullptr, kExtras));
    std::vector<unsigned char> bytes = ReadBytes(dir.File("star.def"));
    GetParam().damage(bytes);
    WriteBytes(dir.File("star.def"), bytes);
    SettingsContents read{{1, 2, 3, 4, 5, false, 6}, ExtrasBlock::Absent};
    const auto record = ReadStarFile(dir.File("star.def"), nullptr, &read);
    ASSERT_TRUE(record);
    EXPECT_EQ(EncodeSettings(*record), EncodeSettings(s)) << "the record is untouched";
    EXPECT_EQ(read.extras, GetParam().expected);
    EXPECT_EQ(read.block, GetParam().block);
}

constexpr auto kUnknown = ExtrasBlock::Unknown;
constexpr auto kUnderstood = ExtrasBlock::Understood;

INSTANTIATE_TEST_SUITE_P(
    Rows, ExtensionBlock,
    testing::Values(
        ExtrasRow{"Whole", [](std::vector<unsigned char> &) {}, kExtras, kUnderstood},
        ExtrasRow{"Truncated", [](std::vector<unsigned char> &b) { b.resize(b.size() - 3); },
                  StarExtras{}, kUnknown},
        ExtrasRow{"TagOnly", [](std::vector<unsigned char> &b) { b.resize(kSettingsSize + 4); },
                  StarExtras{}, kUnknown},
        ExtrasRow{"LaterVersionLonger",
                  [](std::vector<unsigned char> &b) {
                      b[kSettingsSize + 4] = 2, b[kSettingsSize + 6] = 32;
                      b.insert(b.end(), {9, 9, 9, 9});
                  },
                  kExtras, kUnknown},
        ExtrasRow{"ShorterLength", [](std::vector<unsigned char> &b) { b[kSettingsSize + 6] = 4; },
                  StarExtras{}, kUnknown},
        ExtrasRow{"UnknownFlag", [](std::vector<unsigned char> &b) { b.end()[-4] = 2; },
                  StarExtras{25, 75, 10, 0xDEADBEEF, 8, false, 0x80000008}, kUnknown},
        ExtrasRow{"TrailingBytes", [](std::vector<unsigned char> &b) { b.push_back(0); }, kExtras,
                  kUnknown}),
    [](const testing::TestParamInfo<ExtrasRow> &p) { return p.param.name; });

// A value out of its range in a block comes to the nearest end of the range, whose
// star the pictures can draw (an irregularity of 500 would turn the star inside out).
TEST(ExtensionBlock, EachFieldOutOfRangeComesToItsEnd) {
    const struct {
        std::size_t offset;
        int32_t stored, StarExtras::*field, kept;
    } rows[] = {{0, 200, &StarExtras::TipRounding, 100},
                {4, -5, &StarExtras::ValleyRounding, 0},
                {8, 500, &StarExtras::Irregularity, 100},
                {16, 0, &StarExtras::LineWidth, 1},
                {16, 101, &StarExtras::LineWidth, 100}};
    for (const auto &row : rows) {
        std::vector<uint8_t> block = EncodeExtras(kExtras);
        for (std::size_t i = 0; i < 4; ++i)
            block[8 + row.offset + i] = uint8_t(uint32_t(row.stored) >> (8 * i));
        StarExtras expected = kExtras;
        expected.*row.field = row.kept;
        ExtrasBlock kind{};
        EXPECT_EQ(DecodeExtras(block.data(), block.size(), &kind), expected) << row.stored;
        EXPECT_EQ(kind, ExtrasBlock::Understood);
    }
}

TEST(SettingsFile, FailedWriteReportsAndLeavesNoFile) {
    TempDir dir;
    std::string error;
    const std::string path = dir.File("no-such-folder/Vantrell.def");
    EXPECT_FALSE(WriteSettingsFile(path, DefaultRecord(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(SettingsFile, FullDiskKeepsTheOldFile) {
    FullDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string path = disk.File("Vantrell.def");
    WriteBytes(path, std::vector<unsigned char>(68, 3));
    disk.Fill();
    std::string error;
    EXPECT_FALSE(WriteSettingsFile(path, DefaultRecord(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(path), std::vector<unsigned char>(68, 3));
    EXPECT_EQ(disk.FileCount(), 2u);
}

TEST(SettingsFile, ReadOnlyFolderKeepsTheOldFile) {
    FullDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string path = disk.File("Vantrell.def");
    WriteBytes(path, std::vector<unsigned char>(68, 4));
    ASSERT_TRUE(disk.MakeReadOnly());
    std::string error;
    EXPECT_FALSE(WriteSettingsFile(path, DefaultRecord(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadBytes(path), std::vector<unsigned char>(68, 4));
}

struct ClampRow {
    const char *name;
    void (*damage)(ShapeSettings &);
    void (*expect)(const ShapeSettings &);
};

class SettingsClamp : public testing::TestWithParam<ClampRow> {};

TEST_P(SettingsClamp, BringsEachFieldIntoItsRange) {
    ShapeSettings s = DefaultRecord();
    GetParam().damage(s);
    ClampToEditorRanges(s);
    GetParam().expect(s);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsClamp,
    testing::Values(
        ClampRow{"PointsZero", [](ShapeSettings &s) { s.Points = 0; },
                 [](const ShapeSettings &s) { EXPECT_EQ(s.Points, 3); }},
        ClampRow{"PointsHuge", [](ShapeSettings &s) { s.Points = 1 << 30; },
                 [](const ShapeSettings &s) { EXPECT_EQ(s.Points, 50); }},
        ClampRow{"RadiiOutside", [](ShapeSettings &s) { s.InnerRate = -7, s.OuterRate = 101; },
                 [](const ShapeSettings &s) {
                     EXPECT_EQ(s.InnerRate, 1);
                     EXPECT_EQ(s.OuterRate, 100);
                 }},
        ClampRow{"Twists", [](ShapeSettings &s) { s.InnerTwist = 1001, s.OuterTwist = INT32_MIN; },
                 [](const ShapeSettings &s) {
                     EXPECT_EQ(s.InnerTwist, 1000);
                     EXPECT_EQ(s.OuterTwist, -1000);
                 }},
        ClampRow{"Centre", [](ShapeSettings &s) { s.CenterXRate = 51, s.CenterYRate = -51; },
                 [](const ShapeSettings &s) {
                     EXPECT_EQ(s.CenterXRate, 50);
                     EXPECT_EQ(s.CenterYRate, -50);
                 }},
        ClampRow{"LeanAndSaveRate", [](ShapeSettings &s) { s.LeanAngle = 91, s.SaveRate = 0; },
                 [](const ShapeSettings &s) {
                     EXPECT_EQ(s.LeanAngle, 90);
                     EXPECT_EQ(s.SaveRate, 1);
                 }},
        ClampRow{"InRangeUntouched",
                 [](ShapeSettings &s) {
                     s.Points = 3, s.SaveRate = 64, s.LeanAngle = -90, s.InnerTwist = -1000;
                 },
                 [](const ShapeSettings &s) {
                     EXPECT_EQ(s.Points, 3);
                     EXPECT_EQ(s.SaveRate, 64);
                     EXPECT_EQ(s.LeanAngle, -90);
                     EXPECT_EQ(s.InnerTwist, -1000);
                 }}),
    [](const testing::TestParamInfo<ClampRow> &p) { return p.param.name; });

} // namespace
