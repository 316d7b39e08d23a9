#include "ProgramArguments.h"

#include "ArgumentText.h"
#include "SettingsFile.h"
#include "StandardOptions.h"

#include <QCommandLineParser>

ProgramArguments ParseProgramArguments(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vantrell draws jagged stars. Without FILE the settings are read from "
                       "and saved to Vantrell.def in the current folder."));
    const StandardOptions standard(parser, "vantrell");
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A star file (.def) to start with; settings are saved to it."),
        QStringLiteral("[FILE]"));
    ProgramArguments result{kSettingsFileName, standard.Parse(arguments)};
    if (result.exitStatus)
        return result;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.exitStatus = standard.Refuse(QStringLiteral("one star file only, but also given: %1")
                                                .arg(files.mid(1).join(QStringLiteral(", "))));
        return result;
    }
    // "-" reads as standard output or input elsewhere; a star file is a named file.
    if (!files.isEmpty() && files.constFirst() == QLatin1String("-")) {
        result.exitStatus = standard.Refuse(QStringLiteral("- is not a star file's name"));
        return result;
    }
    if (!files.isEmpty())
        result.settingsPath = ArgumentToBytes(files.constFirst());
    return result;
}
