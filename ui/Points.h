#pragma once

#include "Palette.h"
#include "ui_Points.h"

// The jag-count palette: an edit and up/down arrows for Points, 3..50.
class TPointsDlg : public TPalette, public Ui::TPointsDlg {
    Q_OBJECT

public:
    TPointsDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent = nullptr);

    void FormPaint() override;

    void UpDown1Changing(int newPosition);
    void Edit1Change();

private:
    void ApplyPoints(int points);
};

// Set while one of the palette's handlers updates its sibling controls, whose
// change events would otherwise run the handlers again.
extern bool PointsUpdating;

extern TPointsDlg *PointsDlg;
