#pragma once

#include <QString>

#include <string>

// File names and the system's reasons between the program's bytes and Qt's text.
// A name is the bytes of its path: in the locale's encoding on POSIX, UTF-8 on
// Windows, where every call the program makes takes UTF-16 made from them.

QString FileNameText(const std::string &path);
std::string FileNameBytes(const QString &path);
// A reason the system gave (strerror, or a Windows message) as text.
QString SystemReasonText(const std::string &reason);
