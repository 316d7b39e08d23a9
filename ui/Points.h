#pragma once

#include "ui_Points.h"

#include <QWidget>

class TPointsDlg : public QWidget, public Ui::TPointsDlg {
    Q_OBJECT

public:
    explicit TPointsDlg(QWidget *parent = nullptr);
};

extern TPointsDlg *PointsDlg;
