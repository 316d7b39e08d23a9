#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <optional>

// The options both programs take, -h/--help and --version, and the message for
// arguments a program does not take.
class StandardOptions {
public:
    // Adds the two options to parser, for the program of that name.
    StandardOptions(QCommandLineParser &parser, const char *program);

    // Parses the arguments. Returns the exit status when the program is to stop now:
    // 0 after printing the help or the version, 2 after a message on standard error.
    std::optional<int> Parse(const QStringList &arguments) const;
    // Prints the message about arguments the program does not take; returns 2.
    int Refuse(const QString &problem) const;
    // Whether the arguments ask for the help or the version, which a program can
    // answer before it connects to a display.
    static bool AsksForHelpOrVersion(const QStringList &arguments);

private:
    QCommandLineParser &parser_;
    const char *program_;
    QCommandLineOption help_, version_;
};
