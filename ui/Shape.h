#pragma once

#include "Palette.h"
#include "StarExtras.h"
#include "ui_Shape.h"

#include <array>

// The shape palette: rounding of the tips and of the valleys, irregularity with its
// seed, and the outline's width and colour. Each value has a track bar and an edit
// that move together.
class TShapeDlg : public TPalette, public Ui::TShapeDlg {
    Q_OBJECT

public:
    TShapeDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent = nullptr);
    ~TShapeDlg() override;

    void FormPaint() override;

    void SeedEditDone();
    void NewSeedButtonClick();
    // Asks for the outline's own colour.
    void LineColorButtonClick();
    void SameLineColorCheckBoxClick(bool same);
    void RestButtonClick();

private:
    // A track bar, its edit and the field they set.
    struct Control {
        QSlider *bar;
        QSpinBox *edit;
        int32_t StarExtras::*field;
    };
    void ConnectControl(const Control &control);
    void ShowLineColor();

    std::array<Control, 4> controls_{};
};

extern TShapeDlg *ShapeDlg;
