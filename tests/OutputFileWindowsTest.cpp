#include "OutputFile.h"
#include "SettingsFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include <windows.h>

namespace {

namespace fs = std::filesystem;

// Paths as the program gets them on Windows: UTF-8.
std::string Utf8Path(const fs::path &path) {
    const std::u8string bytes = path.u8string();
    return {bytes.begin(), bytes.end()};
}

fs::path Named(const TempDir &dir, const char8_t *name) {
    return dir.Path() / fs::path(name);
}

std::string Contents(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Put(const fs::path &path, const std::string &text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool Write(const std::string &path, const std::string &text,
           OutputFile::Failure *failedAt = nullptr) {
    OutputFile file(path);
    const bool done = file.Open() && file.Write(text.data(), text.size()) && file.Commit();
    if (failedAt)
        *failedAt = file.FailedAt();
    return done;
}

std::size_t FilesIn(const fs::path &folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), {}));
}

struct WrittenRow {
    const char *name;
    const char8_t *file;
    const char *old; // the file's bytes before, or null for a new file
};

class WindowsOutputFile : public testing::TestWithParam<WrittenRow> {};

// Every name is written whole, in one step, and nothing but the file remains.
TEST_P(WindowsOutputFile, WritesTheNamedFileAndNothingElse) {
    TempDir dir;
    const fs::path path = Named(dir, GetParam().file);
    if (GetParam().old)
        Put(path, GetParam().old);
    ASSERT_TRUE(Write(Utf8Path(path), "new picture"));
    EXPECT_EQ(Contents(path), "new picture");
    EXPECT_EQ(FilesIn(dir.Path()), 1u) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowsOutputFile,
                         testing::Values(WrittenRow{"NewFile", u8"star.png", nullptr},
                                         WrittenRow{"ReplacesAnOldFile", u8"star.bmp",
                                                    "old picture, longer than the new"},
                                         WrittenRow{"JapaneseName", u8"星.png", nullptr},
                                         WrittenRow{"JapaneseNameReplaced", u8"星の絵.jpg", "old"},
                                         WrittenRow{"EmojiName", u8"\U0001F31F.svg", nullptr}),
                         [](const testing::TestParamInfo<WrittenRow> &p) {
                             return std::string(p.param.name);
                         });

struct RefusedRow {
    const char *name;
    const char8_t *file;
    bool readOnly; // the old file has the read-only attribute
    OutputFile::Failure failedAt;
};

class WindowsOutputFileRefuses : public testing::TestWithParam<RefusedRow> {};

// A name that cannot be written says so and changes nothing.
TEST_P(WindowsOutputFileRefuses, AndLeavesTheFolderAsItWas) {
    TempDir dir;
    const fs::path path = Named(dir, GetParam().file);
    if (GetParam().readOnly) {
        Put(path, "old");
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    const std::size_t before = FilesIn(dir.Path());
    OutputFile::Failure failedAt{};
    EXPECT_FALSE(Write(Utf8Path(path), "new", &failedAt));
    EXPECT_EQ(failedAt, GetParam().failedAt);
    EXPECT_EQ(FilesIn(dir.Path()), before);
    if (GetParam().readOnly) {
        EXPECT_EQ(Contents(path), "old");
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowsOutputFileRefuses,
    testing::Values(
        RefusedRow{"ReadOnlyFile", u8"kept.png", true, OutputFile::Failure::Open},
        RefusedRow{"DeviceName", u8"NUL", false, OutputFile::Failure::Open},
        RefusedRow{"DeviceNameWithExtension", u8"con.png", false, OutputFile::Failure::Open},
        RefusedRow{"TrailingDot", u8"star.", false, OutputFile::Failure::Open},
        RefusedRow{"MissingFolder", u8"no-such-folder/star.png", false, OutputFile::Failure::Open}),
    [](const testing::TestParamInfo<RefusedRow> &p) { return std::string(p.param.name); });

// The old file stays whole when the new one is dropped or cannot take its place.
TEST(WindowsOutputFile, KeepsTheOldFileWhenTheNewOneFails) {
    TempDir dir;
    const fs::path path = Named(dir, u8"星.bmp");
    Put(path, "old");
    {
        OutputFile cancelled(Utf8Path(path));
        ASSERT_TRUE(cancelled.Open());
        ASSERT_TRUE(cancelled.Write("new", 3));
    }
    EXPECT_EQ(Contents(path), "old") << "dropped unfinished";
    // Another program holds the old file open without sharing it: the new one
    // cannot replace it.
    const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    OutputFile::Failure failedAt{};
    EXPECT_FALSE(Write(Utf8Path(path), "new", &failedAt));
    ::CloseHandle(held);
    EXPECT_NE(failedAt, OutputFile::Failure::None);
    EXPECT_EQ(Contents(path), "old") << "held open";
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(WindowsOutputFile, SameFileWhateverTheSpelling) {
    TempDir dir;
    const fs::path path = Named(dir, u8"星.def");
    Put(path, std::string(68, '\0'));
    const std::string utf8 = Utf8Path(path);
    std::string upperAndSlashes = utf8;
    for (char &c : upperAndSlashes)
        c = c == '\\' ? '/' : char(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(IsSameFile(utf8, upperAndSlashes));
    EXPECT_FALSE(IsSameFile(utf8, Utf8Path(Named(dir, u8"other.def"))));
    EXPECT_TRUE(ReadSettingsFile(utf8)) << "a star file under a Japanese name is read";
}

} // namespace
