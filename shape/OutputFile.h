#pragma once

#include <cstddef>
#include <string>

// A file the program writes where the user points, named by the bytes of its path
// so that any name the file system takes is the name written.
//
// - A new file, or an existing regular file, is written to a temporary file in the
//   same folder and renamed over the target on Commit, so a failure or a cancel
//   leaves the old file as it was. A replaced file keeps its permission bits, and
//   its owner and group where the process may set them. Where no temporary file
//   can be created (a folder without write permission) but the target itself is
//   writable, the target is written directly instead, which is not atomic.
// - A FIFO, character device or socket is written in place and never replaced.
// - "-" is standard output.
class OutputFile {
public:
    explicit OutputFile(std::string path);
    ~OutputFile(); // cancels an uncommitted file
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // False when the file cannot be created; Error() tells why.
    bool Open();
    bool Write(const void *data, std::size_t size);
    // Finishes the file; false (with Error()) when it could not be completed.
    bool Commit();
    // Drops what was written: the temporary file goes, an old file stays.
    void Cancel();

    const std::string &Error() const { return error_; }
    const std::string &Path() const { return path_; }

private:
    bool Fail();
    void CloseFd();

    std::string path_;
    std::string temp_; // empty when writing the target directly
    int fd_ = -1;
    bool ownsFd_ = false;
    bool replacing_ = false; // an old regular file whose mode and owner carry over
    unsigned oldMode_ = 0;
    long long oldUid_ = -1, oldGid_ = -1;
    std::string error_;
};
