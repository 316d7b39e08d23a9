#pragma once

#include "ui_About.h"

#include <QDialog>

class TAboutDlg : public QDialog, public Ui::TAboutDlg {
    Q_OBJECT

public:
    explicit TAboutDlg(QWidget *parent = nullptr);
};

extern TAboutDlg *AboutDlg;
