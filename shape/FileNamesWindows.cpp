#include "FileNames.h"
#include "WindowsPaths.h"

#include <cerrno>

#include <sys/stat.h>
#include <windows.h>

std::wstring WidePath(const std::string &path) {
    if (path.empty())
        return {};
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), nullptr, 0);
    std::wstring wide(std::size_t(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, path.data(), int(path.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const std::wstring &text) {
    if (text.empty())
        return {};
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string bytes(std::size_t(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), bytes.data(), length, nullptr,
                          nullptr);
    return bytes;
}

std::string SystemMessage(unsigned long code) {
    wchar_t *buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(code);
    ::LocalFree(buffer);
    // The system ends its texts with a full stop and a line break.
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    return Utf8(text);
}

FileStatus StatusOf(const std::string &path) {
    struct _stat64 st {};
    if (::_wstat64(WidePath(path).c_str(), &st) != 0)
        return {FileStatus::Missing, 0, errno};
    FileStatus status{(st.st_mode & _S_IFMT) == _S_IFREG   ? FileStatus::Regular
                      : (st.st_mode & _S_IFMT) == _S_IFDIR ? FileStatus::Directory
                                                           : FileStatus::Other,
                      0, 0};
    if (status.kind == FileStatus::Regular)
        status.size = (long long)st.st_size;
    // The write time in 100 ns steps since 1601, finer than the seconds stat keeps.
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExW(WidePath(path).c_str(), GetFileExInfoStandard, &data)) {
        const unsigned long long ticks =
            (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime;
        status.modified.tv_sec = time_t(ticks / 10000000);
        status.modified.tv_nsec = long(ticks % 10000000) * 100;
    }
    return status;
}

std::FILE *OpenForReading(const std::string &path) {
    return ::_wfopen(WidePath(path).c_str(), L"rb");
}
