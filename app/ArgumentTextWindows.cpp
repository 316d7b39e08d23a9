#include "ArgumentText.h"

#include <QCoreApplication>

#include <windows.h>

// Windows hands a program its command line as UTF-16, and file names are UTF-8 in
// the program: nothing needs escaping. argv holds the arguments in the ANSI code page,
// which cannot carry every name, so the wide command line is read instead.

QString ArgumentFromBytes(const char *bytes) {
    return QString::fromUtf8(bytes);
}

std::string ArgumentToBytes(const QString &text) {
    return text.toStdString();
}

QStringList ArgumentsFromBytes(int, char **) {
    // Once the application exists, it has taken its own options (-platform and the
    // like) out of its list, as out of argv.
    if (QCoreApplication::instance())
        return QCoreApplication::arguments();
    QStringList arguments;
    int count = 0;
    if (wchar_t **wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        ::LocalFree(wide);
    }
    return arguments;
}

std::string ConsoleBytes(const QString &text) {
    // Every character a file name may hold, in a console or in a redirected file.
    static const bool utf8Console = ::SetConsoleOutputCP(CP_UTF8) != 0;
    static_cast<void>(utf8Console);
    return text.toStdString();
}
