#include "OutputFile.h"
#include "SettingsFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// The calls that put a finished file in place, a letter each in the order made (m
// fchmod, f fsync of a file, d of a folder, l linkat, r renameat), and a fault at
// one: the process killed before the call, or the call failing with EIO.
namespace {
std::string gCalls;
std::size_t gKillBefore = std::string::npos;
char gFailing = 0;
template <typename... Args> int Call(char call, long number, Args... args) {
    if (gCalls.size() == gKillBefore)
        ::raise(SIGKILL);
    gCalls += call;
    errno = EIO;
    return call == gFailing ? -1 : int(::syscall(number, args...));
}
} // namespace
extern "C" int fchmod(int fd, mode_t mode) {
    return Call('m', SYS_fchmod, fd, mode);
}
extern "C" int linkat(int fd, const char *from, int to, const char *name, int flags) {
    return Call('l', SYS_linkat, fd, from, to, name, flags);
}
extern "C" int renameat(int fromDir, const char *from, int toDir, const char *to) {
    return Call('r', SYS_renameat, fromDir, from, toDir, to);
}
extern "C" int fsync(int fd) {
    struct stat st {};
    ::fstat(fd, &st);
    return Call(S_ISDIR(st.st_mode) ? 'd' : 'f', SYS_fsync, fd);
}

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
    testing::Values(
        TargetRow{"NewFileGetsTheUsualMode", [](const TempDir &d) { return d.File("new.bmp"); },
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
                      std::filesystem::create_symlink("sub/target.bmp", d.File("link.bmp"));
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
        TargetRow{"ReplacedNearThePathLimit",
                  [](const TempDir &d) {
                      std::string p = d.File("");
                      while (p.size() < 3880)
                          p += std::string(200, 'd') + "/";
                      p += std::string(4085 - p.size(), 'd'); // 4091 with x.bmp
                      std::filesystem::create_directories(p);
                      WriteBytes(p += "/x.bmp", kOld);
                      return p;
                  },
                  [](const std::string &p) { EXPECT_EQ(ReadBytes(p), kNew); }},
        TargetRow{"NameThatIsNotUtf8", [](const TempDir &d) { return d.File("\xff\xfe.bmp"); },
                  [](const std::string &p) { EXPECT_EQ(ReadBytes(p), kNew); }}),
    [](const testing::TestParamInfo<TargetRow> &p) { return p.param.name; });

TEST(OutputFile, ANameTooLongFailsAtOpenSayingSo) {
    TempDir dir;
    for (const std::size_t length : {255, 256, 300}) {
        OutputFile file(dir.File(std::string(length - 4, 'a') + ".bmp"));
        EXPECT_EQ(file.Open(), length <= 255) << length;
        EXPECT_EQ(file.Error(), length <= 255 ? "" : std::strerror(ENAMETOOLONG)) << length;
    }
}

// A chain of links is followed as far as the system follows one; a longer chain is
// refused and every link stays as it was.
TEST(OutputFile, ALinkChainIsFollowedAsTheSystemFollowsIt) {
    for (const int links : {40, 41, 50}) {
        TempDir dir;
        WriteBytes(dir.File("0"), kOld);
        for (int i = 1; i <= links; ++i)
            std::filesystem::create_symlink(std::to_string(i - 1), dir.File(std::to_string(i)));
        OutputFile file(dir.File(std::to_string(links)));
        EXPECT_EQ(file.Open() && file.Write(kNew.data(), 4) && file.Commit(), links <= 40);
        EXPECT_EQ(file.Error(), links <= 40 ? "" : std::strerror(ELOOP)) << links;
        EXPECT_EQ(ReadBytes(dir.File("0")), links <= 40 ? kNew : kOld) << links;
        for (int i = 1; i <= links; ++i)
            EXPECT_TRUE(std::filesystem::is_symlink(dir.File(std::to_string(i)))) << links;
    }
}

// Each step of putting a file in place, for a new name and over an old file, with
// an unnamed temporary and a named one: the data is synced before a name leads to
// it; a failed call fails the file and keeps the old one, but for the folder's sync,
// reported with the new file in place; a kill leaves the old or the new file whole,
// and the next file written in the folder removes what the killed writer left.
struct StepsRow {
    const char *name;
    bool replacing, unnamed;
};

class CommitSteps : public testing::TestWithParam<StepsRow> {};

TEST_P(CommitSteps, FailOrDieWithoutLosingAFile) {
    const auto [name, replacing, unnamed] = GetParam();
    const std::vector<unsigned char> old = replacing ? kOld : std::vector<unsigned char>{};
    const auto prepare = [&](const TempDir &dir) {
        std::filesystem::remove(dir.File("star.bmp"));
        if (replacing)
            WriteBytes(dir.File("star.bmp"), kOld);
        OutputFile::AllowUnnamedTemporaries(unnamed);
        gCalls.clear();
        return dir.File("star.bmp");
    };
    const auto entries = [](const TempDir &dir) {
        return std::distance(std::filesystem::directory_iterator(dir.Path()), {});
    };
    TempDir first;
    ASSERT_TRUE(WriteNew(prepare(first)));
    const std::string calls = gCalls;
    EXPECT_LT(calls.find('f'), calls.find_first_of("lr")) << calls;
    EXPECT_EQ(calls.back(), 'd') << calls;
    EXPECT_EQ(calls.find('r') == std::string::npos, unnamed && !replacing) << calls;
    for (std::size_t step = 0; step < calls.size(); ++step) {
        TempDir dir;
        const std::string path = prepare(dir);
        const bool folder = (gFailing = calls[step]) == 'd';
        OutputFile file(path);
        EXPECT_FALSE(file.Open() && file.Write(kNew.data(), kNew.size()) && file.Commit());
        gFailing = 0;
        EXPECT_EQ(file.FailedAt(),
                  folder ? OutputFile::Failure::FolderSync : OutputFile::Failure::Commit);
        EXPECT_EQ(file.Error(), std::strerror(EIO));
        EXPECT_EQ(ReadBytes(path), folder ? kNew : old) << calls[step];
        EXPECT_EQ(entries(dir), replacing || folder ? 1 : 0) << calls[step];
        prepare(dir);
        EXPECT_EXIT((gKillBefore = step, WriteNew(path)), testing::KilledBySignal(SIGKILL), "");
        EXPECT_TRUE(ReadBytes(path) == old || ReadBytes(path) == kNew) << step;
        EXPECT_LE(entries(dir), replacing || !unnamed ? 2 : 1) << step;
        ASSERT_TRUE(WriteNew(path));
        EXPECT_EQ(entries(dir), 1) << step;
    }
    OutputFile::AllowUnnamedTemporaries(true);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommitSteps,
                         testing::Values(StepsRow{"NewUnnamed", false, true},
                                         StepsRow{"NewNamed", false, false},
                                         StepsRow{"ReplacingUnnamed", true, true},
                                         StepsRow{"ReplacingNamed", true, false}),
                         [](const testing::TestParamInfo<StepsRow> &p) { return p.param.name; });

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
