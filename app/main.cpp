#include "Forms.h"
#include "Vantmain.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    CreateForms();
    Form1->show();
    const int result = application.exec();
    DestroyForms();
    return result;
}
