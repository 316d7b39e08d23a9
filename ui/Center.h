#pragma once

#include "ui_Center.h"

#include <QWidget>

class TCenterSettingDlg : public QWidget, public Ui::TCenterSettingDlg {
    Q_OBJECT

public:
    explicit TCenterSettingDlg(QWidget *parent = nullptr);
};

extern TCenterSettingDlg *CenterSettingDlg;
