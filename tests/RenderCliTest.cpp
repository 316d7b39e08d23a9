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
                                " " + arguments + " 2> stderr";
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
    std::string meant = {}; // arguments that make the same a.png, without a note
    std::string says = {};  // a text standard error holds (a note, where meant is given)
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
    if (!GetParam().meant.empty()) {
        const TempDir other;
        ASSERT_EQ(Render(other, GetParam().meant), 0);
        EXPECT_EQ(ReadBytes(dir.File("a.png")), ReadBytes(other.File("a.png")));
    }
    const std::vector<unsigned char> bytes = ReadBytes(dir.File("stderr"));
    const std::string said(bytes.begin(), bytes.end());
    if (!GetParam().says.empty()) {
        EXPECT_NE(said.find(GetParam().says), std::string::npos) << said;
    } else if (!GetParam().meant.empty()) {
        EXPECT_TRUE(said.empty()) << "no note: " << said;
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
        CliRow{"EmptySettingsName", "--settings '' a.bmp", 2},
        CliRow{"HexNumber", "--points 0x10 a.bmp", 2},
        CliRow{"ScaleWithLeadingZero", "--scale 010 a.png", 0, "--scale 10 a.png"},
        CliRow{"ColourWithHexPrefix", "--back-color '#0xff00' a.png", 2},
        CliRow{"SystemColourOutsideTheTable", "--back-color 0x80000040 a.png", 2},
        // Every number is decimal; a colour is the colour it names.
        CliRow{"LeadingZeroIsDecimal", "--points 010 a.png", 0, "--points 10 a.png"},
        CliRow{"LargestSeed", "--irregularity 50 --seed 4294967295 a.png", 0,
               "--irregularity 50 --seed +4294967295 a.png"},
        CliRow{"RedIsRed", "--fill 1 --fore-color '#ff8000' a.png", 0,
               "--fill 1 --fore-color 0x0080ff a.png"},
        CliRow{"NamedSettingsMissing", "--settings none.def a.png", 1},
        CliRow{"NamedSettingsAFolder", "--settings . a.png", 1},
        CliRow{"NamedSettingsADevice", "--settings /dev/null a.png", 1},
        CliRow{"NamedSettingsNotAStar",
               "--settings $(head -c 99 /dev/zero > z.def; echo z.def) a.png", 1},
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
        CliRow{"ColourMalformed", "--fore-color '#12345' a.png", 2},
        CliRow{"SeedPast64Bits", "--irregularity 50 --seed 99999999999999999999 a.png", 0,
               "--irregularity 50 --seed 4294967295 a.png",
               "--seed 99999999999999999999 is out of range: 4294967295 is used"},
        CliRow{"PointsPast64Bits", "--points 18446744073709551616 a.png", 0, "--points 50 a.png",
               "--points 18446744073709551616 is out of range: 50 is used"},
        CliRow{"FirstValuePastTheSystemColours", "--back-color 0x8000001F a.png", 2},
        CliRow{"SameIsNoStarColour", "--fore-color same a.png", 2},
        CliRow{"SameIsNoBackground", "--back-color same a.png", 2},
        // The help goes to the file the row reads.
        CliRow{"HelpNamesStoredColourValues", "--help > stderr", 0, {}, "0x8000001E"},
        CliRow{"DevStdoutIsStandardOutput", "/dev/stdout > a.png", 0, "- > a.png"},
        CliRow{"OpenDescriptorIsStandardOutput", "/dev/fd/3 3> a.png", 0, "- > a.png"},
        CliRow{"EveryExtraOutputNamed", "a.bmp b.bmp c.bmp", 2, {}, "given: b.bmp, c.bmp\n"}),
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
    WriteBytes(dir.File("Vantrell.def"), std::vector<unsigned char>(68, 0)); // no drawing area
    ASSERT_EQ(Render(dir, "zero.bmp"), 0);
    EXPECT_EQ(BmpSize(dir.File("zero.bmp")), std::make_pair(408u, 251u));
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
    // /dev/stdout is the open file it stands for: the pipe, or the file the shell
    // redirected to, written after what it holds.
    ASSERT_EQ(Render(dir, "--format png /dev/stdout | head -c 8 > signature"), 0);
    EXPECT_EQ(ReadBytes(dir.File("signature")),
              (std::vector<unsigned char>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    std::vector<unsigned char> twice = ReadBytes(dir.File("star.bmp"));
    twice.insert(twice.end(), twice.begin(), twice.end());
    for (const std::string name : {"/dev/stdout", "/dev/./fd/1"})
        ASSERT_EQ(Render(dir, "--format bmp " + name + " >> appended.bmp"), 0);
    EXPECT_EQ(ReadBytes(dir.File("appended.bmp")), twice);
    const std::string command = std::string("cd '") + dir.Path().string() + "' && " +
                                VANTRELL_RENDER_PATH + " -x out.bmp 2> message.txt";
    EXPECT_NE(std::system(command.c_str()), 0);
    const std::vector<unsigned char> message = ReadBytes(dir.File("message.txt"));
    EXPECT_NE(std::string(message.begin(), message.end()).find("'x'"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("-h")));
    // A star file with more than this version knows is drawn, with a note.
    ASSERT_TRUE(WriteSettingsFile(dir.File("later.def"), StartingRecord(std::nullopt), nullptr,
                                  StarExtras{.TipRounding = 5}));
    std::vector<unsigned char> later = ReadBytes(dir.File("later.def"));
    later[kSettingsSize + 4] = 2; // a later version's block
    WriteBytes(dir.File("later.def"), later);
    EXPECT_EQ(Render(dir, "--settings later.def --format png later.def"), 1);
    EXPECT_EQ(ReadBytes(dir.File("later.def")), later) << "never drawn over itself";
    EXPECT_EQ(Render(dir, "--settings later.def --size 20x20 l.bmp"), 0);
    const std::vector<unsigned char> note = ReadBytes(dir.File("stderr"));
    EXPECT_NE(std::string(note.begin(), note.end()).find("later.def"), std::string::npos);
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
    std::string arguments; // run in a folder holding star.bmp = {1}
    const char *message;
    mode_t folderMode = 0755, fileMode = 0666; // the folder closed runs as a user
    bool noFreeInode = false;
};

class RenderCliKeeps : public testing::TestWithParam<KeptRow> {};

TEST_P(RenderCliKeeps, TheOldFileAndSaysWhyInEnglish) {
    const KeptRow &row = GetParam();
    FullDisk disk("size=64k,nr_inodes=8");
    const TempDir dir;
    if ((row.noFreeInode && !disk.Mounted()) || (row.folderMode != 0755 && geteuid() != 0))
        GTEST_SKIP() << "needs root, to mount a tmpfs or run as another user";
    const std::string folder = disk.Mounted() ? disk.File("") : dir.File("");
    WriteBytes(folder + "star.bmp", {1});
    ::chmod((folder + "star.bmp").c_str(), row.fileMode);
    if (row.noFreeInode)
        disk.FillInodes();
    ::chmod(folder.c_str(), row.folderMode);
    const std::string user =
        row.folderMode != 0755 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string command = "cd '" + folder + "' && LC_ALL=en_US.UTF-8 LANGUAGE=en " + user +
                                VANTRELL_RENDER_PATH + " " + row.arguments + " 2> '" +
                                dir.File("why") + "'";
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
    ::chmod(folder.c_str(), 0755);
    const std::vector<unsigned char> why = ReadBytes(dir.File("why"));
    EXPECT_NE(std::string(why.begin(), why.end()).find(row.message), std::string::npos);
    EXPECT_TRUE(std::all_of(why.begin(), why.end(), [](unsigned char c) { return c < 0x80; }))
        << "no Japanese";
    EXPECT_EQ(ReadBytes(folder + "star.bmp"), std::vector<unsigned char>{1});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RenderCliKeeps,
    testing::Values(
        KeptRow{"ClosedFolder", "star.bmp",
                "Cannot make a temporary file in .: Permission denied; star.bmp was not changed",
                0555},
        KeptRow{"WriteProtected", "star.bmp", "Cannot create the file star.bmp: Permission denied",
                0755, 0444},
        KeptRow{"StickyFolderOfAnother", "star.bmp", "star.bmp: Operation not permitted", 01777},
        KeptRow{"JpegTooWide", "--size 16384x10 --scale 5 --format jpeg star.bmp",
                "at most 65500 pixels"},
        KeptRow{"NoFreeInode", "star.bmp",
                "Cannot make a temporary file in .: No space left on device", 0755, 0666, true},
        KeptRow{"FullDevice", "--format bmp /dev/full", "No space left on device"},
        KeptRow{"OneByteStarFile", "--settings $(printf 1 > one.def; echo one.def) star.bmp",
                "not a star file: 1 byte,"},
        KeptRow{"OverItsOwnStarFile", "$(ln -s star.bmp Vantrell.def) star.bmp",
                "is the settings file Vantrell.def it is drawn from"},
        KeptRow{"StandardOutputClosed", "- >&-", "-: Bad file descriptor"},
        KeptRow{"LinkToClosedStandardOutput", "$(ln -s /dev/stdout out.bmp) out.bmp >&-",
                "out.bmp: Bad file descriptor"}),
    [](const testing::TestParamInfo<KeptRow> &p) { return p.param.name; });

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
