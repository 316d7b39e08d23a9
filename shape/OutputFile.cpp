#include "OutputFile.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder part of a path ("." for a bare name) and the name in it.
std::pair<std::string, std::string> SplitPath(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// The file a path leads to: its last component's symbolic links followed, relative
// links taken from the folder of the link. Stops after as many links as the
// system follows (a loop then fails to open with ELOOP).
std::string FollowLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        std::array<char, PATH_MAX> target{};
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || std::size_t(length) >= target.size())
            return path;
        const std::string link(target.data(), std::size_t(length));
        path = link.front() == '/' ? link : SplitPath(path).first + "/" + link;
    }
    return path;
}

// The descriptor a name of the process's own open files stands for (/dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N), or -1 for any other name.
int DescriptorNamed(const std::string &path) {
    if (path == "/dev/stdout")
        return STDOUT_FILENO;
    if (path == "/dev/stderr")
        return STDERR_FILENO;
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (!path.starts_with(folder))
            continue;
        int fd = -1;
        const char *end = path.data() + path.size();
        const auto [stop, error] = std::from_chars(path.data() + folder.size(), end, fd);
        return stop == end && error == std::errc() && path.size() > folder.size() ? fd : -1;
    }
    return -1;
}

// Whether a rename in the folder may not replace the file: a sticky folder (as /tmp)
// lets only the owner of the file or of the folder do that.
bool StickyFolderRefuses(const std::string &folder, const struct stat &file) {
    struct stat st {};
    const uid_t user = ::geteuid();
    return ::stat(folder.c_str(), &st) == 0 && (st.st_mode & S_ISVTX) != 0 && user != 0 &&
           user != st.st_uid && user != file.st_uid;
}

// Names of named temporary files not yet committed, for the signal handler. The
// handler only reads these pointers and unlinks, which is safe in a handler.
std::array<std::atomic<const char *>, 16> gLiveTemporaries{};
std::atomic<bool> gAllowUnnamed{true};

void RememberTemporary(const char *name) {
    for (auto &slot : gLiveTemporaries) {
        const char *empty = nullptr;
        if (slot.compare_exchange_strong(empty, name))
            return;
    }
}

void ForgetTemporary(const char *name) {
    for (auto &slot : gLiveTemporaries) {
        const char *expected = name;
        if (slot.compare_exchange_strong(expected, nullptr))
            return;
    }
}

void RemoveTemporariesAndExit(int signal) {
    for (auto &slot : gLiveTemporaries)
        if (const char *name = slot.load())
            ::unlink(name);
    ::_exit(128 + signal);
}

// A hidden name in folder, different at each call.
std::string TemporaryName(const std::string &folder) {
    static std::atomic<unsigned> counter{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long mix = (unsigned long long)now.tv_nsec ^
                             ((unsigned long long)::getpid() << 32) ^ (counter++ * 0x9E3779B9ull);
    char suffix[7] = {};
    for (char &c : std::span(suffix, 6)) {
        c = "abcdefghijklmnopqrstuvwxyz0123456789"[mix % 36];
        mix /= 36;
    }
    return folder + "/.vantrell-" + suffix;
}

} // namespace

void OutputFile::AllowUnnamedTemporaries(bool allow) {
    gAllowUnnamed = allow;
}

void InstallTemporaryFileCleanup() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = RemoveTemporariesAndExit;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {}

OutputFile::~OutputFile() {
    if (fd_ >= 0 || !temp_.empty())
        Cancel();
}

bool OutputFile::Fail(Failure step) {
    error_ = std::strerror(errno);
    failure_ = step;
    return false;
}

bool IsWriteProtected(const std::string &path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    if ((st.st_mode & 0222) == 0) {
        errno = EACCES;
        return true;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0; // errno says why
}

void OutputFile::CloseFd() {
    if (fd_ >= 0 && ownsFd_)
        ::close(fd_);
    fd_ = -1;
}

void OutputFile::ForgetTemporaryName() {
    if (!temp_.empty())
        ForgetTemporary(temp_.c_str());
    temp_.clear();
}

bool OutputFile::Open() {
    if (path_ == "-") {
        fd_ = STDOUT_FILENO;
        return true;
    }
    // A name of an open file of the process is that file as it stands, written where
    // it stands: standard output redirected to a file (even appending) gets the
    // picture after what it already holds, as "-" does.
    if (const int named = DescriptorNamed(path_); named >= 0) {
        fd_ = ::fcntl(named, F_DUPFD_CLOEXEC, 3);
        ownsFd_ = fd_ >= 0;
        return fd_ >= 0 || Fail(Failure::Open);
    }
    ownsFd_ = true;
    // What the name opens to, every link followed by the kernel: /proc's links to
    // pipes and sockets have text that is no path, so a special file is opened by
    // the name given, never through the text of its links.
    struct stat named {};
    if (::stat(path_.c_str(), &named) == 0 && !S_ISREG(named.st_mode) && !S_ISDIR(named.st_mode)) {
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        return fd_ >= 0 || Fail(Failure::Open);
    }
    target_ = FollowLinks(path_);
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) {
            errno = EISDIR;
            return Fail(Failure::Open);
        }
        if (!S_ISREG(old.st_mode)) {
            // Replaced by a special file since the name was looked at: write into it.
            fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            return fd_ >= 0 || Fail(Failure::Open);
        }
        if (IsWriteProtected(target_))
            return Fail(Failure::Open);
        replacing_ = true;
        oldMode_ = old.st_mode & 07777;
        oldUid_ = old.st_uid;
        oldGid_ = old.st_gid;
    } else if (errno != ENOENT) {
        return Fail(Failure::Open); // a link loop, a file where a folder should be
    }
    std::string name;
    std::tie(folder_, name) = SplitPath(target_);
    if (replacing_ && StickyFolderRefuses(folder_, old)) {
        errno = EPERM;
        return Fail(Failure::Open);
    }
    const long nameMax = ::pathconf(folder_.c_str(), _PC_NAME_MAX);
    if (name.empty() || (nameMax > 0 && name.size() > std::size_t(nameMax))) {
        errno = name.empty() ? EISDIR : ENAMETOOLONG;
        return Fail(Failure::Open);
    }
#ifdef O_TMPFILE
    // An unnamed file gets its name through /proc at commit: without /proc it could
    // never be named, so it is not made.
    if (gAllowUnnamed && ::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            unnamed_ = true;
            return true;
        }
    }
#endif
    std::string temp = folder_ + "/.vantrell-XXXXXX";
    fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd_ >= 0) {
        temp_ = std::move(temp);
        RememberTemporary(temp_.c_str());
        return true;
    }
    // Writing over the old file in place could leave it half written: it stays.
    return Fail(replacing_ ? Failure::NoTemporary : Failure::Open);
}

bool OutputFile::Write(const void *data, std::size_t size) {
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, p, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail(Failure::Write);
        }
        p += written;
        size -= std::size_t(written);
    }
    return true;
}

bool OutputFile::NameTemporary() {
    char fdPath[32];
    std::snprintf(fdPath, sizeof fdPath, "/proc/self/fd/%d", fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = TemporaryName(folder_);
        if (::linkat(AT_FDCWD, fdPath, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            temp_ = std::move(name);
            RememberTemporary(temp_.c_str());
            unnamed_ = false;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool OutputFile::Commit() {
    if (temp_.empty() && !unnamed_) {
        // Standard output or a special file, written in place.
        const bool closed = !ownsFd_ || ::close(fd_) == 0;
        if (!closed)
            Fail(Failure::Commit);
        fd_ = -1;
        return closed;
    }
    // The new file takes the old one's mode and owner; a new name gets the usual
    // mode of a created file. Failing to give the owner (not root) is not an error.
    const mode_t mode = replacing_ ? mode_t(oldMode_) : (0666 & ~CurrentUmask());
    if (replacing_ && ::fchown(fd_, uid_t(oldUid_), gid_t(oldGid_)) != 0) {
        // Keep the group at least, where the user belongs to it.
        [[maybe_unused]] const int ignored = ::fchown(fd_, uid_t(-1), gid_t(oldGid_));
    }
    if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0 || (unnamed_ && !NameTemporary())) {
        Fail(Failure::Commit);
        Cancel();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        Fail(Failure::Commit);
        Cancel();
        return false;
    }
    ForgetTemporaryName();
    // The rename is durable once the folder is: a failure here changes nothing the
    // user could act on, as the new file is in place already.
    const int folder = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void OutputFile::Cancel() {
    CloseFd();
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    ForgetTemporaryName();
    unnamed_ = false;
}
