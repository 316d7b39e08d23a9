#pragma once

#include "Palette.h"
#include "ui_RotationPalette.h"

// The rotation-angle palette: one track bar for LeanAngle, -90..90 degrees.
class RotationPalette : public Palette, public Ui::RotationPalette {
    Q_OBJECT

public:
    RotationPalette(StarDocument &document, QWidget &anchor, QWidget *parent = nullptr);

    void ShowRecord() override;

public slots:
    void rotationMoved();
    void reset();

private:
    void UpdateAngleLabel();
    void ApplyRotation();
};
