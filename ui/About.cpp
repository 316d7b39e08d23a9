#include "About.h"

TAboutDlg *AboutDlg = nullptr;

TAboutDlg::TAboutDlg(QWidget *parent) : QDialog(parent) {
    setupUi(this);
}
