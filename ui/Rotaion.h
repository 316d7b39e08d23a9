#pragma once

#include "Palette.h"
#include "ui_Rotaion.h"

// The twist palette: track bars for InnerTwist and OuterTwist, -1000..1000 percent,
// optionally moving together.
class TRotationDlg : public TPalette, public Ui::TRotationDlg {
    Q_OBJECT

public:
    TRotationDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent = nullptr);

    void FormPaint() override;

    void InRotateTrackBarChange();
    void OutRotateTrackBarChange();
    void RestButtonClick();

    // Set while a sync move of the other bar is under way.
    bool Syncing = false;

private:
    // With sync on, moves the other bar by as much as this bar moved since the twists
    // were last applied.
    void SyncOther(QSlider *other, int moved);
    void UpdateTwistLabels();
    void ApplyTwists();

    bool resyncing_ = false; // FormPaint is setting the bars; sync stays out of it
};

extern TRotationDlg *RotationDlg;
