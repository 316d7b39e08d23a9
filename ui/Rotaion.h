#pragma once

#include "ui_Rotaion.h"

#include <QWidget>

class TRotationDlg : public QWidget, public Ui::TRotationDlg {
    Q_OBJECT

public:
    explicit TRotationDlg(QWidget *parent = nullptr);
};

extern TRotationDlg *RotationDlg;
