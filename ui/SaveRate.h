#pragma once

#include "ui_SaveRate.h"

#include <QDialog>

class TSaveRateDlg : public QDialog, public Ui::TSaveRateDlg {
    Q_OBJECT

public:
    explicit TSaveRateDlg(QWidget *parent = nullptr);
};

extern TSaveRateDlg *SaveRateDlg;
