#pragma once

#include "Palette.h"
#include "ui_Lean.h"

// The rotation-angle palette: one track bar for LeanAngle, -90..90 degrees.
class TLeanDlg : public TPalette, public Ui::TLeanDlg {
    Q_OBJECT

public:
    TLeanDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent = nullptr);

    void FormPaint() override;

    void LeanTrackBarChange();
    void RestButtonClick();

private:
    void UpdateLeanLabel();
    void ApplyLean();
};

extern TLeanDlg *LeanDlg;
