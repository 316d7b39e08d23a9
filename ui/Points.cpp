#include "Points.h"

TPointsDlg *PointsDlg = nullptr;

TPointsDlg::TPointsDlg(QWidget *parent) : QWidget(parent) {
    setupUi(this);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
}
