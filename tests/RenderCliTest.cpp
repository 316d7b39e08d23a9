#include "FullDisk.h"
#include "SettingsFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs vantrell-render in dir with the arguments; returns its exit status.
int Render(const TempDir &dir, const std::string &arguments) {
    const std::string command = "cd '" + dir.Path().string() + "' && " + VANTRELL_RENDER_PATH +
                                " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::pair<uint32_t, uint32_t> BmpSize(const std::string &path) {
    const std::vector<unsigned char> b = ReadBytes(path);
    if (b.size() < 26)
        return {0, 0};
    const auto u32 = [&b](std::size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
    };
    return {u32(18), u32(22)};
}

struct CliRow {
    const char *name;
    std::string arguments;
    int status;
};

class RenderCli : public testing::TestWithParam<CliRow> {};

// Every row writes to a file named a.*; a failure or a refusal writes nothing.
TEST_P(RenderCli, ExitStatus) {
    TempDir dir;
    EXPECT_EQ(Render(dir, GetParam().arguments), GetParam().status);
    for (const auto &entry : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_TRUE(GetParam().status == 0 || entry.path().filename().string().rfind("a.", 0) != 0)
            << entry.path();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderCli,
    testing::Values(
        CliRow{"Plain", "star.bmp", 0}, CliRow{"NoOutput", "", 2},
        CliRow{"TwoOutputs", "a.bmp b.bmp", 2}, CliRow{"UnknownOption", "--big a.bmp", 2},
        CliRow{"ScaleTooBig", "--scale 65 a.bmp", 2},
        CliRow{"ScaleNotANumber", "--scale x a.bmp", 2},
        CliRow{"SizeMalformed", "--size 10by20 a.bmp", 2},
        CliRow{"MissingValue", "a.bmp --scale", 2}, CliRow{"NoSuchFolder", "missing/a.bmp", 1},
        CliRow{"EmptyPictureIsAUsageError", "--size 0x10 a.bmp", 2},
        CliRow{"SizeZeroByZero", "--size 0x0 a.bmp", 2},
        CliRow{"SizeNoHeight", "--size 10x0 a.bmp", 2},
        CliRow{"SizeSigned", "--size +10x-10 a.bmp", 2},
        CliRow{"EmptySettingsName", "--settings '' a.bmp", 2},
        CliRow{"HexNumber", "--points 0x10 a.bmp", 2},
        CliRow{"SpacedNumber", "--seed ' 5' a.bmp", 2},
        CliRow{"ExponentNumber", "--scale 1e1 a.bmp", 2},
        CliRow{"ColourWithSpace", "--fore-color '# ff000' a.png", 2},
        CliRow{"ColourWithSign", "--fore-color '#+ff000' a.png", 2},
        CliRow{"ColourWithHexPrefix", "--back-color '#0xff00' a.png", 2},
        CliRow{"SystemColourOutsideTheTable", "--back-color 0x80000040 a.png", 2},
        CliRow{"NeitherPlainNorSystemColour", "--line-color 16777216 a.png", 2},
        CliRow{"NamedSettingsMissing", "--settings none.def a.png", 1},
        CliRow{"NamedSettingsAFolder", "--settings . a.png", 1},
        CliRow{"NamedSettingsADevice", "--settings /dev/null a.png", 1},
        CliRow{"NamedSettingsShort", "--settings $(printf 67 > s.def; echo s.def) a.png", 1},
        CliRow{"EmptyOutputName", "''", 2}, CliRow{"UnknownSuffix", "a.txt", 2},
        CliRow{"NoSuffix", "a", 2}, CliRow{"UnknownFormat", "--format gif a.png", 2},
        CliRow{"FormatOverridesTheName", "--format svg a.bmp", 0}, CliRow{"ShortHelp", "-h", 0},
        CliRow{"Help", "--help", 0}, CliRow{"Version", "--version", 0},
        CliRow{"UnknownShortOption", "-x out.bmp", 2},
        CliRow{"DashNameAfterDoubleDash", "-- -a.bmp", 0},
        CliRow{"NameTooLong", std::string(300, 'a') + ".bmp", 1},
        CliRow{"StarOptions", "--points 5 --line-width 4 --line-color '#102030' a.png", 0},
        CliRow{"OutOfRangeIsClamped", "--points 99 --irregularity -5 a.png", 0},
        CliRow{"PointsNotANumber", "--points many a.png", 2},
        CliRow{"ColourMalformed", "--fore-color '#12345' a.png", 2}),
    [](const testing::TestParamInfo<CliRow> &p) { return p.param.name; });

TEST(RenderCliSize, ComesFromOptionsThenTheRecordThenTheLayout) {
    TempDir dir;
    ASSERT_EQ(Render(dir, "a.bmp"), 0);
    EXPECT_EQ(BmpSize(dir.File("a.bmp")), std::make_pair(408u, 251u));
    ASSERT_EQ(Render(dir, "--size 30x20 --scale 3 b.bmp"), 0);
    EXPECT_EQ(BmpSize(dir.File("b.bmp")), std::make_pair(90u, 60u));

    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.ClientWidth = 50;
    s.ClientHeight = 25 + 40;
    s.SaveRate = 2;
    s.SameSize = 1;
    ASSERT_TRUE(WriteSettingsFile(dir.File("Vantrell.def"), s));
    ASSERT_EQ(Render(dir, "c.bmp"), 0);
    EXPECT_EQ(BmpSize(dir.File("c.bmp")), std::make_pair(80u, 80u)) << "same size, 40 x 2";
    s.Points = 500; // brought into range like the program does
    s.SameSize = 0;
    ASSERT_TRUE(WriteSettingsFile(dir.File("other.def"), s));
    ASSERT_EQ(Render(dir, "--settings other.def d.bmp"), 0);
    EXPECT_EQ(BmpSize(dir.File("d.bmp")), std::make_pair(100u, 80u));
}

// Standard output takes the picture a file would; an unknown option is named; the
// help names no file.
TEST(RenderCliOutput, StandardOutputAndMessages) {
    TempDir dir;
    ASSERT_EQ(Render(dir, "star.bmp"), 0);
    ASSERT_EQ(Render(dir, "- > piped.bmp"), 0);
    EXPECT_EQ(ReadBytes(dir.File("piped.bmp")), ReadBytes(dir.File("star.bmp")));
    for (const std::string format : {"png", "svg"}) {
        ASSERT_EQ(Render(dir, "star." + format), 0);
        ASSERT_EQ(Render(dir, "--format " + format + " - > piped"), 0);
        EXPECT_EQ(ReadBytes(dir.File("piped")), ReadBytes(dir.File("star." + format))) << format;
    }
    const std::string missing = std::string("cd '") + dir.Path().string() + "' && " +
                                VANTRELL_RENDER_PATH + " --settings none.def a.bmp 2> why.txt";
    EXPECT_NE(std::system(missing.c_str()), 0);
    const std::vector<unsigned char> why = ReadBytes(dir.File("why.txt"));
    EXPECT_NE(std::string(why.begin(), why.end()).find("none.def"), std::string::npos);
    EXPECT_NE(std::string(why.begin(), why.end()).find(": No such file or directory"),
              std::string::npos);
    // /dev/stdout is the pipe it stands for, not the text of its link.
    ASSERT_EQ(Render(dir, "--format png /dev/stdout | head -c 8 > signature"), 0);
    EXPECT_EQ(ReadBytes(dir.File("signature")),
              (std::vector<unsigned char>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    const std::string command = std::string("cd '") + dir.Path().string() + "' && " +
                                VANTRELL_RENDER_PATH + " -x out.bmp 2> message.txt";
    EXPECT_NE(std::system(command.c_str()), 0);
    const std::vector<unsigned char> message = ReadBytes(dir.File("message.txt"));
    EXPECT_NE(std::string(message.begin(), message.end()).find("'x'"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("-h")));
    // A star file with more than this version knows is drawn, with a note.
    const ShapeSettings s = StartingRecord(std::nullopt);
    ASSERT_TRUE(WriteSettingsFile(dir.File("later.def"), s, nullptr, StarExtras{.TipRounding = 5}));
    std::vector<unsigned char> later = ReadBytes(dir.File("later.def"));
    later[kSettingsSize + 4] = 2;
    WriteBytes(dir.File("later.def"), later);
    const std::string note = std::string("cd '") + dir.Path().string() + "' && " +
                             VANTRELL_RENDER_PATH +
                             " --settings later.def --size 20x20 l.bmp 2> note.txt";
    EXPECT_EQ(std::system(note.c_str()), 0);
    const std::vector<unsigned char> noted = ReadBytes(dir.File("note.txt"));
    EXPECT_NE(std::string(noted.begin(), noted.end()).find("later.def"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.bmp")));
}

// A kill while a picture is written leaves the old file as it was, and nothing else.
TEST(RenderCliOutput, AKillLeavesTheOldFileAndNothingElse) {
    for (const std::string signal : {"KILL", "TERM"}) {
        TempDir dir;
        WriteBytes(dir.File("star.png"), {1, 2, 3});
        const std::string command = "cd '" + dir.Path().string() + "'; " + VANTRELL_RENDER_PATH +
                                    " --scale 64 star.png 2>/dev/null & sleep 1; kill -" + signal +
                                    " $!; wait $!";
        EXPECT_NE(std::system(command.c_str()), 0) << "the renderer was still writing";
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << signal;
        EXPECT_EQ(ReadBytes(dir.File("star.png")), (std::vector<unsigned char>{1, 2, 3}));
    }
}

// Where the old file cannot be replaced, the renderer fails at once, says why in
// the interface's language (English here), and the old file keeps every byte.
struct KeptRow {
    const char *name;
    std::string arguments; // run in the folder "closed" holding star.* = {1}
    const char *message;
    bool asUser = false; // as an ordinary user, for whom the folder is closed
};

class RenderCliKeeps : public testing::TestWithParam<KeptRow> {};

TEST_P(RenderCliKeeps, TheOldFileAndSaysWhyInEnglish) {
    FullDisk disk("size=64k,nr_inodes=8");
    const TempDir dir;
    const std::string folder = disk.Mounted() ? disk.File("closed") : dir.File("closed");
    std::filesystem::create_directory(folder);
    for (const char *name : {"star.bmp", "star.jpg"}) {
        WriteBytes(folder + "/" + name, {1});
        ::chmod((folder + "/" + name).c_str(), 0666);
    }
    ::chmod((folder + "/star.bmp").c_str(),
            std::string(GetParam().name) == "WriteProtected" ? 0444 : 0666);
    const bool closed = GetParam().asUser && geteuid() == 0;
    if (closed)
        ::chmod(folder.c_str(), 0555);
    if (std::string(GetParam().name) == "NoFreeInode") {
        if (!disk.Mounted())
            GTEST_SKIP() << "cannot mount a tmpfs here";
        disk.FillInodes();
    }
    if (GetParam().asUser && !closed)
        GTEST_SKIP() << "only root can run the renderer as another user";
    const std::string command =
        "cd '" + folder + "' && LC_ALL=en_US.UTF-8 LANGUAGE=en " +
        (closed ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "") +
        VANTRELL_RENDER_PATH + " " + GetParam().arguments + " 2> '" + dir.File("why.txt") + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
    ::chmod(folder.c_str(), 0755);
    const std::vector<unsigned char> why = ReadBytes(dir.File("why.txt"));
    const std::string text(why.begin(), why.end());
    EXPECT_NE(text.find(GetParam().message), std::string::npos) << text;
    EXPECT_TRUE(std::all_of(why.begin(), why.end(), [](unsigned char c) { return c < 0x80; }))
        << "no Japanese: " << text;
    for (const char *name : {"star.bmp", "star.jpg"})
        EXPECT_EQ(ReadBytes(folder + "/" + name), std::vector<unsigned char>{1}) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderCliKeeps,
    testing::Values(
        KeptRow{"ClosedFolder", "star.bmp",
                "cannot make a temporary file in .: Permission denied; star.bmp was not changed",
                true},
        KeptRow{"WriteProtected", "star.bmp", "Cannot create the file star.bmp: Permission denied"},
        KeptRow{"JpegTooWide", "--size 16384x10 --scale 5 star.jpg", "at most 65500 pixels"},
        KeptRow{"NoFreeInode", "star.bmp",
                "cannot make a temporary file in .: No space left on device"},
        KeptRow{"FullDevice", "--format bmp /dev/full", "No space left on device"}),
    [](const testing::TestParamInfo<KeptRow> &p) { return p.param.name; });

// Every number is decimal, whatever its leading zeros; a colour means the colour it
// names; a value at the end of its range is taken without a note.
struct SameRow {
    const char *name;
    std::string given, meant;
};

class RenderCliMeans : public testing::TestWithParam<SameRow> {};

TEST_P(RenderCliMeans, WhatTheOptionSays) {
    TempDir dir;
    const std::string command = "cd '" + dir.Path().string() + "' && " + VANTRELL_RENDER_PATH +
                                " " + GetParam().given + " given.png 2> notes.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_TRUE(ReadBytes(dir.File("notes.txt")).empty()) << "no note";
    ASSERT_EQ(Render(dir, GetParam().meant + " meant.png"), 0);
    EXPECT_EQ(ReadBytes(dir.File("given.png")), ReadBytes(dir.File("meant.png")));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderCliMeans,
    testing::Values(SameRow{"PointsWithLeadingZero", "--points 010", "--points 10"},
                    SameRow{"NegativeWithLeadingZero", "--lean -010", "--lean -10"},
                    SameRow{"SeedWithLeadingZero", "--irregularity 50 --seed 0777",
                            "--irregularity 50 --seed 777"},
                    SameRow{"LargestSeed", "--irregularity 50 --seed 4294967295",
                            "--irregularity 50 --seed +4294967295"},
                    SameRow{"RedIsRed", "--fill 1 --fore-color '#ff8000'",
                            "--fill 1 --fore-color 0x0080ff"},
                    SameRow{"SystemColour", "--back-color 0x80000005", "--back-color 2147483653"}),
    [](const testing::TestParamInfo<SameRow> &p) { return p.param.name; });

// Options override the settings file: a star given by options alone is the star of
// a settings file holding the same values.
TEST(RenderCliStar, OptionsMakeTheSameStarAsTheFile) {
    TempDir dir;
    ShapeSettings s = StartingRecord(std::nullopt);
    s.Points = 7;
    s.LeanAngle = 90; // out of range below, clamped to 90
    s.ForeColor = 0x00302010;
    s.ClientWidth = 408; // the layout's drawing area, as without a settings file
    s.ClientHeight = 251 + 25;
    const StarExtras extras{50, 20, 30, 12345, 6, true, 0x00000000};
    ASSERT_TRUE(WriteSettingsFile(dir.File("star.def"), s, nullptr, extras));
    ASSERT_EQ(Render(dir, "--settings star.def --smooth file.png"), 0);
    ASSERT_EQ(Render(dir, "--points 7 --lean 400 --fore-color '#102030' --tip-rounding 50 "
                          "--valley-rounding 20 --irregularity 30 --seed 12345 --line-width 6 "
                          "--line-color '#000000' --smooth options.png"),
              0);
    EXPECT_EQ(ReadBytes(dir.File("file.png")), ReadBytes(dir.File("options.png")));
}

} // namespace
