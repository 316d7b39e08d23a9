#include "Lean.h"

TLeanDlg *LeanDlg = nullptr;

TLeanDlg::TLeanDlg(QWidget *parent) : QWidget(parent) {
    setupUi(this);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
}
