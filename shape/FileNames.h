#pragma once

#include <cstdio>
#include <ctime>
#include <string>

// Reading a file by name on every platform. A name is the bytes of its path: any
// bytes on POSIX, UTF-8 on Windows, where it is made UTF-16 for the system.

// What a name leads to, its links followed.
struct FileStatus {
    enum Kind { Missing, Regular, Directory, Other } kind = Missing;
    long long size = 0;  // bytes, for a regular file
    int error = 0;       // errno's reason where it is Missing
    timespec modified{}; // the last change of its contents, as finely as the system keeps it
};
FileStatus StatusOf(const std::string &path);

// Opens the file for reading bytes ("rb"); null with errno set when it cannot.
std::FILE *OpenForReading(const std::string &path);
