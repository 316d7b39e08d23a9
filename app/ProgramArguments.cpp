#include "ProgramArguments.h"

#include "ArgumentText.h"
#include "SettingsFile.h"
#include "StandardOptions.h"

#include <QCommandLineParser>

QStringList WithoutQtOptions(const QStringList &arguments) {
    // Options of QGuiApplication and QApplication, with one dash or two.
    static const QStringList withValue = {QStringLiteral("platform"),
                                          QStringLiteral("platformpluginpath"),
                                          QStringLiteral("platformtheme"),
                                          QStringLiteral("plugin"),
                                          QStringLiteral("qwindowgeometry"),
                                          QStringLiteral("qwindowicon"),
                                          QStringLiteral("qwindowtitle"),
                                          QStringLiteral("display"),
                                          QStringLiteral("geometry"),
                                          QStringLiteral("title"),
                                          QStringLiteral("name"),
                                          QStringLiteral("style"),
                                          QStringLiteral("stylesheet"),
                                          QStringLiteral("session"),
                                          QStringLiteral("qmljsdebugger")};
    static const QStringList flags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                      QStringLiteral("nograb"), QStringLiteral("dograb"),
                                      QStringLiteral("sync")};
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--")) {
            kept += arguments.mid(i); // what follows is never Qt's
            break;
        }
        QString name = argument;
        if (name.startsWith(QLatin1String("--")))
            name.remove(0, 2);
        else if (name.startsWith(QLatin1Char('-')))
            name.remove(0, 1);
        else
            name.clear();
        if (i > 0 && withValue.contains(name) && i + 1 < arguments.size())
            ++i; // the option's value goes with it
        else if (i == 0 || !flags.contains(name))
            kept << argument;
    }
    return kept;
}

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
