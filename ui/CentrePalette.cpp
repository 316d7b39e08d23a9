#include "CentrePalette.h"

#include "FormFont.h"
#include "StarDocument.h"

CentrePalette::CentrePalette(StarDocument &document, QWidget &anchor, QWidget *parent)
    : Palette(CentreSlot, false, document, anchor, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    // Both bars are named by the caption over them, and each by its direction.
    for (UnitSlider *bar : {centreXSlider, centreYSlider}) {
        bar->SetValueFormat(QStringLiteral("%1%"));
        bar->SetLabel(*captionLabel);
    }
    for (QSlider *bar : {centreXSlider, centreYSlider})
        ConnectTrackBar(bar, this, [this] { ApplyCentre(); });
    connect(resetButton, &QPushButton::clicked, this, &CentrePalette::reset);
}

void CentrePalette::ApplyCentre() {
    Document().Change([this](ShapeSettings &s) {
        s.CenterXRate = centreXSlider->value();
        s.CenterYRate = centreYSlider->value();
    });
}

void CentrePalette::reset() {
    centreXSlider->setValue(0);
    centreYSlider->setValue(0);
    ApplyCentre();
}

void CentrePalette::ShowRecord() {
    // Both values as they stood before the first bar moved.
    const int x = Document().Settings.CenterXRate;
    const int y = Document().Settings.CenterYRate;
    centreXSlider->setValue(x);
    centreYSlider->setValue(y);
}
