#pragma once

#include <string>

// UTF-8 names and the UTF-16 the Windows calls take. Bytes that are no UTF-8 become
// U+FFFD, so such a name leads nowhere rather than to another file.
std::wstring WidePath(const std::string &path);
std::string Utf8(const std::wstring &text);
// The system's text for a Windows error code, in the user's language, as UTF-8.
std::string SystemMessage(unsigned long code);
