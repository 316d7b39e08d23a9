#pragma once

#include <QString>
#include <QStringList>

#include <string>

// Command-line arguments as text that keeps their bytes. File names on Unix are
// bytes that need not be valid UTF-8; an argument that is not is carried with each
// byte from 0x80 up as a lone surrogate U+DC80..U+DCFF, which valid text never
// holds, so the bytes come back exactly and two different names stay different.
QString ArgumentFromBytes(const char *bytes);
std::string ArgumentToBytes(const QString &text);
QStringList ArgumentsFromBytes(int argc, char **argv);
// A message for standard output or standard error, in the bytes the terminal shows
// as text: the locale's encoding on POSIX, UTF-8 on Windows (whose console is told so).
std::string ConsoleBytes(const QString &text);
