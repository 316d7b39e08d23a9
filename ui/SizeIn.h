#pragma once

#include "ui_SizeIn.h"

#include <QDialog>

class TSizeInDlg : public QDialog, public Ui::TSizeInDlg {
    Q_OBJECT

public:
    explicit TSizeInDlg(QWidget *parent = nullptr);
};

extern TSizeInDlg *SizeInDlg;
