#include "OutputFile.h"
#include "WindowsPaths.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <mutex>
#include <random>
#include <vector>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

// Windows has no links the program follows by hand, no owners or modes to carry
// over and no descriptor names: a name is UTF-8, the file is written to a hidden
// temporary file beside the target, flushed to the disk, given an old file's
// attributes, and put in the target's place in one step by the system.

namespace {

std::array<bool, 3> gClosedAtStart{};

// The temporary files being written, for the console's Ctrl+C, Ctrl+Break and close.
std::mutex gTemporariesLock;
std::vector<std::wstring> gTemporaries;

void RememberTemporary(const std::wstring &path) {
    const std::lock_guard lock(gTemporariesLock);
    gTemporaries.push_back(path);
}

void ForgetTemporary(const std::wstring &path) {
    const std::lock_guard lock(gTemporariesLock);
    gTemporaries.erase(std::remove(gTemporaries.begin(), gTemporaries.end(), path),
                       gTemporaries.end());
}

BOOL WINAPI RemoveTemporaries(DWORD) {
    {
        const std::lock_guard lock(gTemporariesLock);
        for (const std::wstring &path : gTemporaries)
            ::DeleteFileW(path.c_str());
        gTemporaries.clear();
    }
    return FALSE; // the system's own handling ends the process
}

bool IsSeparator(wchar_t c) {
    return c == L'/' || c == L'\\';
}

// The folder part of a path ("." for a bare name, "C:" for a drive-relative one)
// and the name in it.
std::pair<std::wstring, std::wstring> SplitPath(const std::wstring &path) {
    const auto last = std::find_if(path.rbegin(), path.rend(), IsSeparator);
    if (last == path.rend()) {
        if (path.size() >= 2 && path[1] == L':')
            return {path.substr(0, 2), path.substr(2)};
        return {L".", path};
    }
    const std::size_t at = std::size_t(path.rend() - last) - 1;
    return {at == 0 ? path.substr(0, 1) : path.substr(0, at), path.substr(at + 1)};
}

// A name Windows keeps for a device (CON, NUL, COM1 ...), whatever its extension,
// one ending in a dot or space, which the system would silently drop, or one with a
// colon, which names a hidden stream of another file on NTFS.
bool IsReservedName(const std::wstring &name) {
    if (!name.empty() && (name.back() == L'.' || name.back() == L' '))
        return true;
    if (name.find(L':') != std::wstring::npos)
        return true;
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](wchar_t c) { return wchar_t(std::towupper(c)); });
    for (const wchar_t *device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (stem == device)
            return true;
    // COM1-9 and LPT1-9, and with the superscript digits ¹ ² ³ as well.
    const std::wstring digits = L"123456789\u00B9\u00B2\u00B3";
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
           digits.find(stem[3]) != std::wstring::npos;
}

// The file a name leads to, its links and junctions resolved by the system, for an
// existing file; the name itself otherwise.
std::wstring FinalPath(const std::wstring &path) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return path;
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(file, final.data(), DWORD(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(file, final.data(), DWORD(final.size()), 0);
    }
    ::CloseHandle(file);
    if (length == 0 || length >= final.size())
        return path;
    final.resize(length);
    // The system answers in its long form; people read C:\... and \\server\...
    if (final.starts_with(L"\\\\?\\UNC\\"))
        return L"\\" + final.substr(7);
    if (final.starts_with(L"\\\\?\\") && final.size() > 6 && final[5] == L':')
        return final.substr(4);
    return final;
}

// When a process started, in 100 ns steps since 1601: with its id, it names one
// process, where the id alone may be taken again by a later one. 0 where it is gone.
unsigned long long StartOf(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

const std::wstring kTemporaryPrefix = L".vantrell-part-";

// The start of the process with that id, if it is still running; 0 where none is,
// and 1 where one may not be looked at (taken for running).
unsigned long long RunningProcessStart(DWORD pid) {
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process)
        return ::GetLastError() == ERROR_INVALID_PARAMETER ? 0 : 1;
    const bool running = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    const unsigned long long start = running ? StartOf(process) : 0;
    ::CloseHandle(process);
    return start;
}

// The temporary files of processes that are gone (killed outright), in folder. A
// name holds its process's id and start, so a later process with the same id does
// not keep it alive.
void RemoveAbandonedTemporaries(const std::wstring &folder) {
    WIN32_FIND_DATAW found{};
    const HANDLE search =
        ::FindFirstFileW((folder + L"\\" + kTemporaryPrefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = found.cFileName;
        wchar_t *end = nullptr;
        const DWORD pid = DWORD(std::wcstoul(name.c_str() + kTemporaryPrefix.size(), &end, 10));
        const unsigned long long start = *end == L'-' ? std::wcstoull(end + 1, nullptr, 16) : 0;
        const unsigned long long running = RunningProcessStart(pid);
        if (pid != 0 && start != 0 && (running == 0 || (running != 1 && running != start)))
            ::DeleteFileW((folder + L"\\" + name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// .vantrell-part-PID-START-N-RANDOM, START in hexadecimal.
std::wstring TemporaryName() {
    static std::atomic<unsigned> counter{0};
    static const unsigned long long start = StartOf(::GetCurrentProcess());
    thread_local std::mt19937 random(std::random_device{}());
    wchar_t started[17] = {};
    std::swprintf(started, 17, L"%llx", start);
    return kTemporaryPrefix + std::to_wstring(::GetCurrentProcessId()) + L"-" + started + L"-" +
           std::to_wstring(counter++) + L"-" + std::to_wstring(random() % 1000000);
}

} // namespace

void OutputFile::AllowUnnamedTemporaries(bool) {}

void ReserveStandardDescriptors() {
    for (int fd = 0; fd < 3; ++fd) {
        if (::_get_osfhandle(fd) != -1)
            continue;
        gClosedAtStart[std::size_t(fd)] = true;
        // A program without a console (started from the desktop) has none of the
        // three; NUL keeps their numbers from being taken by a file.
        const int null = ::_wopen(L"NUL", fd == 0 ? _O_RDONLY : _O_WRONLY);
        if (null >= 0 && null != fd) {
            ::_dup2(null, fd);
            ::_close(null);
        }
    }
}

void InstallTemporaryFileCleanup() {
    ::SetConsoleCtrlHandler(RemoveTemporaries, TRUE);
}

int DescriptorNamed(const std::string &) {
    return -1; // Windows gives open files no names in the file system
}

bool IsWriteProtected(const std::string &path) {
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0)
        return false;
    errno = EACCES;
    return true;
}

bool IsSameFile(const std::string &a, const std::string &b) {
    const auto identity = [](const std::string &path, BY_HANDLE_FILE_INFORMATION &info) {
        const HANDLE file = ::CreateFileW(
            WidePath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        const bool known = ::GetFileInformationByHandle(file, &info) != 0;
        ::CloseHandle(file);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    return identity(a, first) && identity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
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

// The system's reason for the last Windows call that failed.
static bool FailWithSystemError(std::string &error, OutputFile::Failure &failure,
                                OutputFile::Failure step) {
    error = SystemMessage(::GetLastError());
    failure = step;
    return false;
}

void OutputFile::CloseFd() {
    if (fd_ >= 0 && ownsFd_)
        ::_close(fd_);
    fd_ = -1;
}

bool OutputFile::Open() {
    if (path_ == "-") {
        if (gClosedAtStart[1]) {
            errno = EBADF;
            return Fail(Failure::Open);
        }
        // Pictures are bytes: no line ends may be translated on the way out.
        ::_setmode(1, _O_BINARY);
        fd_ = 1;
        return true;
    }
    ownsFd_ = true;
    const std::wstring wide = WidePath(path_);
    const auto [givenFolder, givenName] = SplitPath(wide);
    if (IsReservedName(givenName)) {
        error_ = "Windows keeps this name for a device, drops its last character or "
                 "takes it for a stream of another file; choose another name";
        failure_ = Failure::Open;
        return false;
    }
    const std::wstring target = FinalPath(wide);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            errno = EISDIR;
            return Fail(Failure::Open);
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return FailWithSystemError(error_, failure_, Failure::Open);
        }
        replacing_ = true;
        oldMode_ = attributes;
    } else if (::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return FailWithSystemError(error_, failure_, Failure::Open);
    }
    target_ = Utf8(target);
    const auto [folder, name] = SplitPath(target);
    folder_ = Utf8(folder);
    name_ = Utf8(name);
    RemoveAbandonedTemporaries(folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring temp = folder + L"\\" + TemporaryName();
        RememberTemporary(temp);
        // Shared for deleting, so Ctrl+C can remove it while it is still open.
        const HANDLE file =
            ::CreateFileW(temp.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            fd_ = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
            if (fd_ < 0) {
                ::CloseHandle(file);
                ::DeleteFileW(temp.c_str());
                ForgetTemporary(temp);
                return Fail(Failure::Open);
            }
            tempPath_ = Utf8(temp);
            temp_ = Utf8(temp.substr(folder.size() + 1));
            return true;
        }
        ForgetTemporary(temp);
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return FailWithSystemError(error_, failure_,
                                       replacing_ ? Failure::NoTemporary : Failure::Open);
    }
    // Writing over the old file in place could leave it half written: it stays.
    return Fail(replacing_ ? Failure::NoTemporary : Failure::Open);
}

bool OutputFile::Write(const void *data, std::size_t size) {
    const char *p = static_cast<const char *>(data);
    while (size > 0) {
        const unsigned chunk = unsigned(std::min<std::size_t>(size, INT_MAX));
        const int written = ::_write(fd_, p, chunk);
        if (written < 0)
            return Fail(Failure::Write);
        p += written;
        size -= std::size_t(written);
    }
    return true;
}

bool OutputFile::Commit() {
    if (temp_.empty()) {
        // Standard output, written in place.
        fd_ = -1;
        return true;
    }
    // The data is on the disk before the name leads to it.
    const HANDLE file = reinterpret_cast<HANDLE>(::_get_osfhandle(fd_));
    if (!::FlushFileBuffers(file)) {
        FailWithSystemError(error_, failure_, Failure::Commit);
        Cancel();
        return false;
    }
    CloseFd();
    const std::wstring temp = WidePath(tempPath_);
    const std::wstring target = WidePath(target_);
    // The temporary file was hidden while it was written; the picture is not.
    ::SetFileAttributesW(temp.c_str(),
                         replacing_ ? oldMode_ & ~FILE_ATTRIBUTE_HIDDEN : FILE_ATTRIBUTE_NORMAL);
    // One rename puts the whole file in place. (ReplaceFileW would keep more of an
    // old file, but where it fails it can leave a file of its own beside it.)
    if (!::MoveFileExW(temp.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        FailWithSystemError(error_, failure_, Failure::Commit);
        Cancel();
        return false;
    }
    ForgetTemporary(temp);
    temp_.clear();
    tempPath_.clear();
    return true;
}

void OutputFile::Cancel() {
    CloseFd();
    if (temp_.empty())
        return;
    const std::wstring temp = WidePath(tempPath_);
    ::DeleteFileW(temp.c_str());
    ForgetTemporary(temp);
    temp_.clear();
    tempPath_.clear();
}
