#include "RotationPalette.h"

#include "FormFont.h"
#include "StarDocument.h"

RotationPalette::RotationPalette(StarDocument &document, QWidget &anchor, QWidget *parent)
    : Palette(RotationSlot, true, document, anchor, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    rotationSlider->SetValueFormat(tr("%1度"));
    ConnectTrackBar(rotationSlider, this, [this] { rotationMoved(); });
    connect(resetButton, &QPushButton::clicked, this, &RotationPalette::reset);
}

void RotationPalette::UpdateAngleLabel() {
    angleLabel->setText(rotationSlider->ValueText());
}

void RotationPalette::ApplyRotation() {
    Document().Change([this](ShapeSettings &s) { s.LeanAngle = rotationSlider->value(); });
    UpdateAngleLabel();
}

void RotationPalette::rotationMoved() {
    ApplyRotation();
}

void RotationPalette::reset() {
    rotationSlider->setValue(0);
    ApplyRotation();
}

void RotationPalette::ShowRecord() {
    rotationSlider->setValue(Document().Settings.LeanAngle);
    UpdateAngleLabel();
}
