#include "SaveRate.h"

TSaveRateDlg *SaveRateDlg = nullptr;

TSaveRateDlg::TSaveRateDlg(QWidget *parent) : QDialog(parent) {
    setupUi(this);
}
