#include "ProgramArguments.h"

#include "ArgumentText.h"
#include "SettingsFile.h"

#include <QCommandLineParser>

#include <cstdio>

ProgramArguments ParseProgramArguments(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vantrell draws jagged stars. Without FILE the settings are read from "
                       "and saved to Vantrell.def in the current folder."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Show the version and exit."));
    parser.addOptions({help, version});
    parser.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A star file (.def) to start with; settings are saved to it."),
        QStringLiteral("[FILE]"));
    ProgramArguments result{kSettingsFileName, std::nullopt};
    const auto fail = [&result](const QString &problem) {
        std::fprintf(stderr, "vantrell: %s\nTry 'vantrell --help'.\n", qPrintable(problem));
        result.exitStatus = 2;
        return result;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                        QStringLiteral("vantrell"))),
                   stdout);
        result.exitStatus = 0;
        return result;
    }
    if (parser.isSet(version)) {
        std::printf("vantrell %s\n", VANTRELL_VERSION);
        result.exitStatus = 0;
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(QStringLiteral("one star file only, but also given: %1").arg(files.at(1)));
    if (!files.isEmpty())
        result.settingsPath = ArgumentToBytes(files.constFirst());
    return result;
}
