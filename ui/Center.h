#pragma once

#include "Palette.h"
#include "ui_Center.h"

// The centre palette: track bars for the inner ring's shift, CenterXRate along the
// bottom and CenterYRate down the right edge, -50..50 percent.
class TCenterSettingDlg : public TPalette, public Ui::TCenterSettingDlg {
    Q_OBJECT

public:
    TCenterSettingDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent = nullptr);

    void FormPaint() override;

    void RestButtonClick();

private:
    void ApplyCenter();
};

extern TCenterSettingDlg *CenterSettingDlg;
