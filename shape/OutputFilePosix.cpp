#include "OutputFile.h"

#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <optional>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>

#include <dirent.h>
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

constexpr int kMaxLinks = 40; // the kernel's MAXSYMLINKS

// Where the symbolic link path leads, a relative link taken from the link's folder;
// nothing when path is no link that can be read.
std::optional<std::string> LinkTarget(const std::string &path) {
    std::array<char, PATH_MAX> target{};
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length <= 0 || std::size_t(length) >= target.size())
        return std::nullopt;
    const std::string link(target.data(), std::size_t(length));
    return link.front() == '/' ? link : SplitPath(path).first + "/" + link;
}

// The file a path leads to: its last component's symbolic links followed, relative
// links taken from the folder of the link. Fails with ELOOP past as many links as
// the kernel follows in one lookup, so a chain the system refuses is refused here
// too, and no link in its middle is ever taken for the file.
bool FollowLinks(std::string &path) {
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        if (hops == kMaxLinks) {
            errno = ELOOP;
            return false;
        }
        std::optional<std::string> next = LinkTarget(path);
        if (!next)
            return true;
        path = std::move(*next);
    }
}

// The descriptor that name in folder stands for where folder is the process's own
// table of open files (/proc/PID/fd or /proc/PID/task/TID/fd, however spelt) and
// the descriptor is open; -1 otherwise.
int OwnDescriptor(const std::string &folder, const std::string &name) {
    int fd = -1;
    const char *end = name.data() + name.size();
    if (name.empty() || !std::isdigit(uint8_t(name.front())) ||
        std::from_chars(name.data(), end, fd).ptr != end)
        return -1;
    std::array<char, PATH_MAX> real{};
    if (!::realpath(folder.c_str(), real.data()))
        return -1;
    const std::string_view table(real.data());
    const std::string own = "/proc/" + std::to_string(::getpid());
    const bool ownTable =
        table == own + "/fd" || (table.starts_with(own + "/task/") && table.ends_with("/fd") &&
                                 table.find('/', own.size() + 6) == table.size() - 3);
    return ownTable && ::fcntl(fd, F_GETFD) != -1 ? fd : -1;
}

} // namespace

int DescriptorNamed(const std::string &path) {
    // Each name on the way through the links, as /dev/stdout leads to /proc/self/fd/1.
    std::string at = path;
    for (int hops = 0; hops <= kMaxLinks; ++hops) {
        const auto [folder, name] = SplitPath(at);
        if (const int fd = OwnDescriptor(folder, name); fd >= 0)
            return fd;
        std::optional<std::string> next = LinkTarget(at);
        if (!next)
            return -1;
        at = std::move(*next);
    }
    return -1;
}

namespace {

// Whether a rename in the folder may not replace the file: a sticky folder (as /tmp)
// lets only the owner of the file or of the folder do that.
bool StickyFolderRefuses(int folder, const struct stat &file) {
    struct stat st {};
    const uid_t user = ::geteuid();
    return ::fstat(folder, &st) == 0 && (st.st_mode & S_ISVTX) != 0 && user != 0 &&
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

// Named temporary files are ".vantrell-part-HOST-PID-XXXXXX": the host and the
// process that write them, so that one left behind by a writer that was killed can
// be told from one still being written, and removed.
constexpr std::string_view kTemporaryPrefix = ".vantrell-part-";

// Eight hex digits of the host's name, taken once: a folder shared between machines
// holds temporaries whose writers this host cannot see.
const std::string &HostTag() {
    static const std::string tag = [] {
        std::array<char, 256> name{};
        ::gethostname(name.data(), name.size() - 1);
        uint32_t hash = 2166136261u; // FNV-1a
        for (const char c : std::string_view(name.data()))
            hash = (hash ^ uint8_t(c)) * 16777619u;
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08x", hash);
        return std::string(hex);
    }();
    return tag;
}

// The start of this process's temporary names: prefix, host and process.
std::string OwnTemporaryPrefix() {
    return std::string(kTemporaryPrefix) + HostTag() + "-" + std::to_string(::getpid()) + "-";
}

// A hidden name for a temporary file, different at each call.
std::string TemporaryName() {
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
    return OwnTemporaryPrefix() + suffix;
}

// Removes the temporary files that writers of this host left in folder when they
// were killed before their rename: those whose process no longer exists.
void RemoveAbandonedTemporaries(int folder) {
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (!entries) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    const std::string ours = std::string(kTemporaryPrefix) + HostTag() + "-";
    while (const dirent *entry = ::readdir(entries)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(ours))
            continue;
        const std::string_view rest = name.substr(ours.size());
        pid_t writer = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), writer);
        if (error != std::errc() || end == rest.data() || *end != '-' || writer <= 0)
            continue;
        struct stat st {};
        if (::kill(writer, 0) != 0 && errno == ESRCH &&
            ::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

// Which of the standard descriptors were closed when the process started.
std::array<std::atomic<bool>, 3> gClosedAtStart{};

} // namespace

void OutputFile::AllowUnnamedTemporaries(bool allow) {
    gAllowUnnamed = allow;
}

void ReserveStandardDescriptors() {
    for (int fd = 0; fd < 3; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        gClosedAtStart[std::size_t(fd)] = true;
        // open() takes the lowest free descriptor, which is this one.
        ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
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
    if (folderFd_ >= 0)
        ::close(folderFd_);
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

bool IsSameFile(const std::string &a, const std::string &b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

void OutputFile::CloseFd() {
    if (fd_ >= 0 && ownsFd_)
        ::close(fd_);
    fd_ = -1;
}

void OutputFile::SetTemporaryName(std::string name) {
    temp_ = std::move(name);
    tempPath_ = folder_ + "/" + temp_;
    RememberTemporary(tempPath_.c_str());
}

void OutputFile::ForgetTemporaryName() {
    if (!temp_.empty())
        ForgetTemporary(tempPath_.c_str());
    temp_.clear();
    tempPath_.clear();
}

bool OutputFile::Open() {
    const int named = path_ == "-" ? STDOUT_FILENO : DescriptorNamed(path_);
    if (named >= 0 && named < 3 && gClosedAtStart[std::size_t(named)]) {
        errno = EBADF;
        return Fail(Failure::Open);
    }
    if (path_ == "-") {
        fd_ = STDOUT_FILENO;
        return true;
    }
    // A name of an open file of the process is that file as it stands, written where
    // it stands: standard output redirected to a file (even appending) gets the
    // picture after what it already holds, as "-" does.
    if (named >= 0) {
        fd_ = ::fcntl(named, F_DUPFD_CLOEXEC, 3);
        ownsFd_ = fd_ >= 0;
        return fd_ >= 0 || Fail(Failure::Open);
    }
    ownsFd_ = true;
    // What the name opens to, every link followed by the kernel: /proc's links to
    // pipes and sockets have text that is no path, so a special file is opened by
    // the name given, never through the text of its links.
    struct stat file {};
    if (::stat(path_.c_str(), &file) == 0) {
        if (!S_ISREG(file.st_mode) && !S_ISDIR(file.st_mode)) {
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            return fd_ >= 0 || Fail(Failure::Open);
        }
    } else if (errno == ELOOP) {
        return Fail(Failure::Open); // more links than the system follows, or a loop
    }
    target_ = path_;
    if (!FollowLinks(target_))
        return Fail(Failure::Open);
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
    std::tie(folder_, name_) = SplitPath(target_);
    // Everything in the folder is done relative to it, so that a path near the
    // system's limit still has room for a temporary name beside the file. A folder
    // that may be written but not read is held by its path alone.
    folderFd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
#ifdef O_PATH
    if (folderFd_ < 0 && errno == EACCES)
        folderFd_ = ::open(folder_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#endif
    if (folderFd_ < 0)
        return Fail(Failure::Open);
    if (replacing_ && StickyFolderRefuses(folderFd_, old)) {
        errno = EPERM;
        return Fail(Failure::Open);
    }
    const long nameMax = ::fpathconf(folderFd_, _PC_NAME_MAX);
    if (name_.empty() || (nameMax > 0 && name_.size() > std::size_t(nameMax))) {
        errno = name_.empty() ? EISDIR : ENAMETOOLONG;
        return Fail(Failure::Open);
    }
    RemoveAbandonedTemporaries(folderFd_);
#ifdef O_TMPFILE
    // An unnamed file gets its name through /proc at commit: without /proc it could
    // never be named, so it is not made.
    if (gAllowUnnamed && ::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::openat(folderFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            unnamed_ = true;
            return true;
        }
    }
#endif
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = TemporaryName();
        fd_ = ::openat(folderFd_, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            SetTemporaryName(std::move(temp));
            return true;
        }
        if (errno != EEXIST)
            break;
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

// Gives the unnamed file the name given, where nothing has it yet.
bool OutputFile::LinkUnnamed(const std::string &name) const {
    char fdPath[32];
    std::snprintf(fdPath, sizeof fdPath, "/proc/self/fd/%d", fd_);
    return ::linkat(AT_FDCWD, fdPath, folderFd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool OutputFile::NameTemporary() {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = TemporaryName();
        if (LinkUnnamed(name)) {
            SetTemporaryName(std::move(name));
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
    // The data is on the disk before any name leads to it.
    if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0) {
        Fail(Failure::Commit);
        Cancel();
        return false;
    }
    // A new name takes the unnamed file straight away, so no kill can leave a
    // temporary name behind; where the name was taken meanwhile, the file replaces
    // it as an old file is replaced.
    bool placed = false;
    if (unnamed_ && !replacing_) {
        placed = LinkUnnamed(name_);
        if (!placed && errno != EEXIST) {
            Fail(Failure::Commit);
            Cancel();
            return false;
        }
    }
    if (!placed && unnamed_ && !NameTemporary()) {
        Fail(Failure::Commit);
        Cancel();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    unnamed_ = false;
    // Once linked, the synced file is complete whatever close says.
    if ((::close(fd) != 0 && !placed) ||
        (!placed && ::renameat(folderFd_, temp_.c_str(), folderFd_, name_.c_str()) != 0)) {
        Fail(Failure::Commit);
        Cancel();
        return false;
    }
    ForgetTemporaryName();
    // The new name survives a power loss once the folder is synced. A folder that
    // cannot sync is reported: the picture is in place, but may not last.
    const bool synced = ::fsync(folderFd_) == 0 || errno == EINVAL;
    if (!synced)
        Fail(Failure::FolderSync);
    return synced;
}

void OutputFile::Cancel() {
    CloseFd();
    if (!temp_.empty())
        ::unlinkat(folderFd_, temp_.c_str(), 0);
    ForgetTemporaryName();
    unnamed_ = false;
}
