#include "Forms.h"
#include "Translations.h"
#include "Vantmain.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    const Translations translations;
    CreateForms();
    Form1->show();
    const int result = application.exec();
    DestroyForms();
    return result;
}
