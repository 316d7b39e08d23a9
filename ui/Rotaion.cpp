#include "Rotaion.h"

TRotationDlg *RotationDlg = nullptr;

TRotationDlg::TRotationDlg(QWidget *parent) : QWidget(parent) {
    setupUi(this);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
}
