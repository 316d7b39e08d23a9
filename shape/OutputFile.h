#pragma once

#include <cstddef>
#include <string>

// A file the program writes where the user points, named by the bytes of its path
// so that any name the file system takes is the name written.
//
// - A symbolic link is written through: the file it leads to (a dangling link's
//   target is created) gets the new contents, and the link stays a link. A chain
//   longer than the system follows (40 links) is refused with ELOOP, as the system
//   refuses it.
// - A new file, or an existing regular file, is written to a temporary file in the
//   target's folder and takes the target's name on Commit, so a failure, a cancel
//   or a kill leaves the old file as it was. Where the file system allows
//   (O_TMPFILE) the temporary file has no name while it is written, and a new
//   target's name is linked straight to it, so even SIGKILL leaves nothing behind.
//   Replacing an old file takes a hidden name ".vantrell-part-HOST-PID-XXXXXX" for
//   the moment before the rename; elsewhere the temporary file has that name from
//   the start. InstallTemporaryFileCleanup removes such names on SIGINT, SIGTERM
//   and SIGHUP, and the next OutputFile opened in the folder removes those whose
//   process is gone (a SIGKILL). The data is synced before it takes the target's
//   name, and the folder after, so the new name survives a power loss; a folder
//   that cannot be synced fails Commit with FolderSync, the new file in place. A
//   replaced file keeps its permission bits, and its owner and group where the
//   process may set them.
// - An existing regular file is only ever replaced: where no temporary file can be
//   made beside it (a folder without write permission, no free inode) the file
//   fails to open with NoTemporary and stays as it was. A file that no one may
//   write (no write permission bit, or none for this user) is refused with EACCES,
//   as the shell refuses it.
// - A FIFO, character device or socket is written in place and never replaced.
//   Which one a name is, is asked of the kernel (stat), never of a link's text.
// - "-" is standard output; /dev/stdout, /dev/stderr, /dev/fd/N and every other
//   name of an open descriptor (DescriptorNamed) are the open files they name,
//   written in place whatever they are (a pipe, a terminal, a file the shell
//   redirected to).
// - In a sticky folder (as /tmp) a file of another user, which rename could not
//   replace, is refused with EPERM before anything is written.
class OutputFile {
public:
    // The step that failed, for the message that explains it.
    // FolderSync: the new file is in place, but its folder could not be synced, so
    // the new name may not survive a power loss.
    enum class Failure { None, Open, NoTemporary, Write, Commit, FolderSync };

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

    // The system's reason for the last failure (strerror), and the step it ended.
    const std::string &Error() const { return error_; }
    Failure FailedAt() const { return failure_; }
    // The folder of the file written (its symbolic links followed).
    const std::string &Folder() const { return folder_; }
    const std::string &Path() const { return path_; }

    // Whether temporary files may be unnamed (O_TMPFILE); on by default. Off, every
    // temporary file is named, as on file systems without O_TMPFILE.
    static void AllowUnnamedTemporaries(bool allow);

private:
    bool Fail(Failure step);
    void CloseFd();
    bool LinkUnnamed(const std::string &name) const;
    bool NameTemporary();
    void SetTemporaryName(std::string name);
    void ForgetTemporaryName();

    std::string path_;
    std::string target_;   // path_ with its symbolic links followed
    std::string folder_;   // the target's folder
    std::string name_;     // the target's name in it
    int folderFd_ = -1;    // the folder, held open while the file is written
    std::string temp_;     // the temporary file's name in the folder, once it has one
    std::string tempPath_; // the same with the folder, for the signal handler
    bool unnamed_ = false; // an O_TMPFILE file not yet given a name
    int fd_ = -1;
    bool ownsFd_ = false;
    bool replacing_ = false; // an old regular file whose mode and owner carry over
    unsigned oldMode_ = 0;
    long long oldUid_ = -1, oldGid_ = -1;
    std::string error_;
    Failure failure_ = Failure::None;
};

// Whether no one may write the file: it has no write permission bit at all, or
// none that lets this process write it (errno then says why: EACCES, EROFS).
// Root counts as unable for the first.
bool IsWriteProtected(const std::string &path);

// The open descriptor that a name of the process's own open files stands for,
// however spelt and through any links (/dev/stdout, /dev/stderr, /dev/fd/N,
// /proc/self/fd/N, /proc/thread-self/fd/N, a link to one of them), or -1 for any
// other name and a descriptor that is not open.
int DescriptorNamed(const std::string &path);

// Whether two names lead to one file (the same device and inode, their links
// followed); false when either cannot be looked at.
bool IsSameFile(const std::string &a, const std::string &b);

// Opens /dev/null on each standard descriptor (0, 1, 2) that is closed, before
// anything else takes its number, and remembers it: a picture for standard output
// then fails with EBADF instead of going into whatever file took descriptor 1.
// Call first thing in main().
void ReserveStandardDescriptors();

// Removes the named temporary files of unfinished OutputFiles when the process gets
// SIGINT, SIGTERM or SIGHUP, then exits with status 128 + the signal's number.
// Signals that the process was started to ignore stay ignored.
void InstallTemporaryFileCleanup();
