#pragma once

#include "ui_Lean.h"

#include <QWidget>

class TLeanDlg : public QWidget, public Ui::TLeanDlg {
    Q_OBJECT

public:
    explicit TLeanDlg(QWidget *parent = nullptr);
};

extern TLeanDlg *LeanDlg;
