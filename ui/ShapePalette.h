#pragma once

#include "Palette.h"
#include "StarExtras.h"
#include "ui_ShapePalette.h"

#include <array>

// The shape palette: rounding of the tips and of the valleys, irregularity with its
// seed, and the outline's width and colour. Each value has a track bar and an edit
// that move together.
class ShapePalette : public Palette, public Ui::ShapePalette {
    Q_OBJECT

public:
    ShapePalette(StarDocument &document, QWidget &anchor, QWidget *parent = nullptr);
    ~ShapePalette() override;

    void ShowRecord() override;

public slots:
    void seedEdited();
    void newSeed();
    // Asks for the outline's own colour.
    void chooseLineColor();
    void setSameLineColor(bool same);
    void reset();

private:
    // A track bar, its edit and the field they set.
    struct Control {
        UnitSlider *bar;
        QSpinBox *edit;
        int32_t StarExtras::*field;
    };
    void ConnectControl(const Control &control);
    void ShowLineColor();

    std::array<Control, 4> controls_{};
};
