#include "OutputFile.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
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

} // namespace

OutputFile::OutputFile(std::string path) : path_(std::move(path)) {}

OutputFile::~OutputFile() {
    if (fd_ >= 0 || !temp_.empty())
        Cancel();
}

bool OutputFile::Fail() {
    error_ = std::strerror(errno);
    return false;
}

void OutputFile::CloseFd() {
    if (fd_ >= 0 && ownsFd_)
        ::close(fd_);
    fd_ = -1;
}

bool OutputFile::Open() {
    if (path_ == "-") {
        fd_ = STDOUT_FILENO;
        return true;
    }
    ownsFd_ = true;
    struct stat old {};
    if (::stat(path_.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) {
            errno = EISDIR;
            return Fail();
        }
        if (!S_ISREG(old.st_mode)) {
            // A FIFO, device or socket is the destination itself: write into it.
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            return fd_ >= 0 || Fail();
        }
        replacing_ = true;
        oldMode_ = old.st_mode & 07777;
        oldUid_ = old.st_uid;
        oldGid_ = old.st_gid;
    }
    const auto [folder, name] = SplitPath(path_);
    const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (name.empty() || (nameMax > 0 && name.size() > std::size_t(nameMax))) {
        errno = name.empty() ? EISDIR : ENAMETOOLONG;
        return Fail();
    }
    std::string temp = folder + "/.vantrell-XXXXXX";
    fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd_ >= 0) {
        temp_ = std::move(temp);
        return true;
    }
    const int tempError = errno;
    // No new file can be made in the folder, but the old file may still be writable.
    if (replacing_) {
        fd_ = ::open(path_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
        if (fd_ >= 0)
            return true;
    }
    errno = tempError;
    return Fail();
}

bool OutputFile::Write(const void *data, std::size_t size) {
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, p, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return Fail();
        }
        p += written;
        size -= std::size_t(written);
    }
    return true;
}

bool OutputFile::Commit() {
    if (temp_.empty()) {
        const bool closed = !ownsFd_ || ::close(fd_) == 0;
        fd_ = -1;
        return closed || Fail();
    }
    // The new file takes the old one's mode and owner; a new name gets the usual
    // mode of a created file. Failing to give the owner (not root) is not an error.
    const mode_t mode = replacing_ ? mode_t(oldMode_) : (0666 & ~CurrentUmask());
    if (replacing_ && ::fchown(fd_, uid_t(oldUid_), gid_t(oldGid_)) != 0) {
        // Keep the group at least, where the user belongs to it.
        [[maybe_unused]] const int ignored = ::fchown(fd_, uid_t(-1), gid_t(oldGid_));
    }
    if (::fchmod(fd_, mode) != 0 || ::fsync(fd_) != 0) {
        Fail();
        Cancel();
        return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 || ::rename(temp_.c_str(), path_.c_str()) != 0) {
        Fail();
        Cancel();
        return false;
    }
    temp_.clear();
    return true;
}

void OutputFile::Cancel() {
    CloseFd();
    if (!temp_.empty())
        ::unlink(temp_.c_str());
    temp_.clear();
}
