#include "Center.h"

TCenterSettingDlg *CenterSettingDlg = nullptr;

TCenterSettingDlg::TCenterSettingDlg(QWidget *parent) : QWidget(parent) {
    setupUi(this);
    setWindowFlags(Qt::Tool);
}
