#pragma once

#include <QStringList>

#include <optional>
#include <string>

// What the program's command line asks for: a settings file other than Vantrell.def
// in the current folder, or to stop at once with an exit status (after --help or
// --version, or a message on standard error for arguments it does not take).
struct ProgramArguments {
    std::string settingsPath;
    std::optional<int> exitStatus;
};

ProgramArguments ParseProgramArguments(const QStringList &arguments);

// The arguments without the options Qt's application takes for itself (-platform
// NAME, -style NAME, -reverse ...), as it leaves them once made: so the program's own
// arguments can be checked before it connects to a display.
QStringList WithoutQtOptions(const QStringList &arguments);
