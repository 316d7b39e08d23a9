#include "StandardOptions.h"

#include "ArgumentText.h"

#include <cstdio>

StandardOptions::StandardOptions(QCommandLineParser &parser, const char *program)
    : parser_(parser), program_(program), help_({QStringLiteral("h"), QStringLiteral("help")},
                                                QStringLiteral("Show this help and exit.")),
      version_(QStringLiteral("version"), QStringLiteral("Show the version and exit.")) {
    parser_.addOptions({help_, version_});
}

std::optional<int> StandardOptions::Parse(const QStringList &arguments) const {
    if (!parser_.parse(arguments))
        return Refuse(parser_.errorText());
    if (parser_.isSet(help_)) {
        // The parser names the program only inside a running application.
        std::fputs(ConsoleBytes(parser_.helpText().replace(QStringLiteral("<executable_name>"),
                                                           QString::fromLatin1(program_)))
                       .c_str(),
                   stdout);
        return 0;
    }
    if (parser_.isSet(version_)) {
        std::printf("%s %s\n", program_, VANTRELL_VERSION);
        return 0;
    }
    return std::nullopt;
}

int StandardOptions::Refuse(const QString &problem) const {
    std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", program_, ConsoleBytes(problem).c_str(),
                 program_);
    return 2;
}

bool StandardOptions::AsksForHelpOrVersion(const QStringList &arguments) {
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            return false;
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help") ||
            argument == QLatin1String("--version"))
            return true;
    }
    return false;
}
