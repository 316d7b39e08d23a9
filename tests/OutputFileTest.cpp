#include "OutputFile.h"
#include "SettingsFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::vector<unsigned char> kOld{1, 2, 3}, kNew{4, 5, 6, 7};

bool WriteNew(const std::string &path) {
    OutputFile file(path);
    return file.Open() && file.Write(kNew.data(), kNew.size()) && file.Commit();
}

struct stat Stat(const std::string &path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}

// Where the user points, the file named is the file written, and what was there
// keeps its nature: special files are written in place, a replaced file keeps its
// mode (and its owner, where the process may set it).
struct TargetRow {
    const char *name;
    std::string (*prepare)(const TempDir &dir);
    void (*check)(const std::string &path);
};

class WritingTo : public testing::TestWithParam<TargetRow> {};

TEST_P(WritingTo, WritesTheFileNamedAndKeepsItsNature) {
    TempDir dir;
    const std::string path = GetParam().prepare(dir);
    std::future<std::vector<unsigned char>> reader;
    if (S_ISFIFO(Stat(path).st_mode))
        reader = std::async(std::launch::async, [path] { return ReadBytes(path); });
    ASSERT_TRUE(WriteNew(path)) << path;
    if (reader.valid()) {
        EXPECT_EQ(reader.get(), kNew) << "the reader at the other end gets the file";
    }
    GetParam().check(path);
    std::size_t entries = 0;
    for (const auto &entry : std::filesystem::directory_iterator(dir.Path()))
        entries += entry.path().filename().string().rfind(".vantrell-", 0) == 0 ? 100 : 1;
    EXPECT_LE(entries, 2u) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WritingTo,
    testing::Values(TargetRow{"NewFileGetsTheUsualMode",
                              [](const TempDir &d) { return d.File("new.bmp"); },
                              [](const std::string &p) {
                                  const mode_t mask = umask(0);
                                  umask(mask);
                                  EXPECT_EQ(Stat(p).st_mode & 07777, 0666 & ~mask);
                                  EXPECT_EQ(ReadBytes(p), kNew);
                              }},
                    TargetRow{"ReplacedFileKeepsItsMode",
                              [](const TempDir &d) {
                                  const std::string p = d.File("old.bmp");
                                  WriteBytes(p, kOld);
                                  ::chmod(p.c_str(), 0640);
                                  return p;
                              },
                              [](const std::string &p) {
                                  EXPECT_EQ(Stat(p).st_mode & 07777, 0640u);
                                  EXPECT_EQ(ReadBytes(p), kNew);
                              }},
                    TargetRow{"FileOfAnotherUserAsRoot",
                              [](const TempDir &d) {
                                  const std::string p = d.File("theirs.bmp");
                                  WriteBytes(p, kOld);
                                  ::chmod(p.c_str(), 0646);
                                  if (geteuid() == 0) {
                                      EXPECT_EQ(::chown(p.c_str(), 65534, 65534), 0);
                                  }
                                  return p;
                              },
                              [](const std::string &p) {
                                  EXPECT_EQ(Stat(p).st_mode & 07777, 0646u);
                                  if (geteuid() == 0) {
                                      EXPECT_EQ(Stat(p).st_uid, 65534u);
                                  }
                              }},
                    TargetRow{"FifoIsWrittenInPlace",
                              [](const TempDir &d) {
                                  const std::string p = d.File("fifo.bmp");
                                  EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
                                  return p;
                              },
                              [](const std::string &p) { EXPECT_TRUE(S_ISFIFO(Stat(p).st_mode)); }},
                    TargetRow{"CharacterDeviceStaysADevice",
                              [](const TempDir &) { return std::string("/dev/null"); },
                              [](const std::string &p) { EXPECT_TRUE(S_ISCHR(Stat(p).st_mode)); }},
                    TargetRow{"LinkIsWrittenThrough",
                              [](const TempDir &d) {
                                  std::filesystem::create_directory(d.File("sub"));
                                  WriteBytes(d.File("sub/target.bmp"), kOld);
                                  std::filesystem::create_symlink("sub/target.bmp",
                                                                  d.File("link.bmp"));
                                  return d.File("link.bmp");
                              },
                              [](const std::string &p) {
                                  EXPECT_TRUE(std::filesystem::is_symlink(p));
                                  EXPECT_EQ(ReadBytes(p), kNew);
                              }},
                    TargetRow{"DanglingLinkGetsItsTarget",
                              [](const TempDir &d) {
                                  std::filesystem::create_symlink("new.bmp", d.File("link.bmp"));
                                  return d.File("link.bmp");
                              },
                              [](const std::string &p) {
                                  EXPECT_TRUE(std::filesystem::is_symlink(p));
                                  EXPECT_EQ(ReadBytes(p), kNew);
                              }},
                    TargetRow{"NameThatIsNotUtf8",
                              [](const TempDir &d) { return d.File("\xff\xfe.bmp"); },
                              [](const std::string &p) { EXPECT_EQ(ReadBytes(p), kNew); }}),
    [](const testing::TestParamInfo<TargetRow> &p) { return p.param.name; });

TEST(OutputFile, ANameTooLongFailsAtOpenSayingSo) {
    TempDir dir;
    OutputFile file(dir.File(std::string(300, 'a') + ".bmp"));
    EXPECT_FALSE(file.Open());
    EXPECT_EQ(file.Error(), std::strerror(ENAMETOOLONG));
}

// A kill while a named temporary file is written (where the file system cannot make
// unnamed ones) removes it and leaves the old file as it was.
TEST(OutputFileDeathTest, ASignalRemovesTheTemporaryFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempDir dir;
        const std::string path = dir.File("star.bmp");
        WriteBytes(path, kOld);
        EXPECT_EXIT(
            {
                OutputFile::AllowUnnamedTemporaries(false);
                InstallTemporaryFileCleanup();
                OutputFile file(path);
                if (file.Open() && file.Write(kNew.data(), kNew.size()))
                    std::raise(signal);
            },
            testing::ExitedWithCode(128 + signal), "");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
        EXPECT_EQ(ReadBytes(path), kOld);
    }
}

TEST(SettingsFile, OnlyARegularFileIsRead) {
    TempDir dir;
    const std::string fifo = dir.File("fifo.def");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &path : {fifo, std::string("/dev/zero"), dir.Path().string()}) {
        EXPECT_FALSE(ReadSettingsFile(path)) << path << " gives the defaults, without waiting";
    }
}

} // namespace
