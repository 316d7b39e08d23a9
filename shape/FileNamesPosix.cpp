#include "FileNames.h"

#include <cerrno>

#include <sys/stat.h>

FileStatus StatusOf(const std::string &path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {FileStatus::Missing, 0, errno};
    if (S_ISREG(st.st_mode))
        return {FileStatus::Regular, (long long)st.st_size, 0, st.st_mtim};
    return {S_ISDIR(st.st_mode) ? FileStatus::Directory : FileStatus::Other, 0, 0, st.st_mtim};
}

std::FILE *OpenForReading(const std::string &path) {
    return std::fopen(path.c_str(), "rb");
}
