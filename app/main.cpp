#include "ArgumentText.h"
#include "Forms.h"
#include "ProgramArguments.h"
#include "Translations.h"
#include "Vantmain.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    // Where QSettings keeps the program's preferences.
    QCoreApplication::setOrganizationName(QStringLiteral("Vantrell"));
    QCoreApplication::setApplicationName(QStringLiteral("vantrell"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTRELL_VERSION));
    // Qt has taken its own options (-platform and the like) out of argv by now.
    const ProgramArguments arguments = ParseProgramArguments(ArgumentsFromBytes(argc, argv));
    if (arguments.exitStatus)
        return *arguments.exitStatus;
    const Translations translations;
    CreateForms(arguments.settingsPath);
    Form1->show();
    const int result = application.exec();
    DestroyForms();
    return result;
}
