#include "SizeIn.h"

TSizeInDlg *SizeInDlg = nullptr;

TSizeInDlg::TSizeInDlg(QWidget *parent) : QDialog(parent) {
    setupUi(this);
}
