#include "ArgumentText.h"
#include "MainWindow.h"
#include "OutputFile.h"
#include "PlatformChoice.h"
#include "ProgramArguments.h"
#include "ProgramWindows.h"
#include "StandardOptions.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    // Messages and files never go into a descriptor that stands for a closed one.
    ReserveStandardDescriptors();
    // The help and the version need no display: answered before the application
    // connects to one.
    if (const QStringList arguments = ArgumentsFromBytes(argc, argv);
        StandardOptions::AsksForHelpOrVersion(arguments))
        return ParseProgramArguments(arguments).exitStatus.value_or(0);
    // Arguments the program does not take are said before it needs a display, so the
    // message and status 2 come with a display or without one.
    if (const std::optional<int> refused =
            ParseProgramArguments(WithoutQtOptions(ArgumentsFromBytes(argc, argv))).exitStatus)
        return *refused;
    // A picture or star file being written when the program is told to quit leaves
    // no temporary file behind.
    InstallTemporaryFileCleanup();
    // Asked for through the environment only while the application starts, so the
    // programs it opens (the web browser of the About box) choose for themselves.
    const QByteArray platform = PreferredPlatform(qgetenv("QT_QPA_PLATFORM"),
                                                  qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    QApplication application(argc, argv);
    if (!platform.isEmpty())
        qunsetenv("QT_QPA_PLATFORM");
    // Where QSettings keeps the program's preferences.
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrell"));
    QCoreApplication::setApplicationName(QStringLiteral("vantrell"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTRELL_VERSION));
    // Qt has taken its own options (-platform and the like) out of argv by now.
    const ProgramArguments arguments = ParseProgramArguments(ArgumentsFromBytes(argc, argv));
    if (arguments.exitStatus)
        return *arguments.exitStatus;
    const Translations translations;
    const ProgramWindows windows(arguments.settingsPath);
    windows.main->show();
    return application.exec();
}
