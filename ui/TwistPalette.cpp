#include "TwistPalette.h"

#include "FormFont.h"
#include "StarDocument.h"

TwistPalette::TwistPalette(StarDocument &document, QWidget &anchor, QWidget *parent)
    : Palette(TwistSlot, true, document, anchor, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    for (UnitSlider *bar : {innerTwistSlider, outerTwistSlider})
        bar->SetValueFormat(QStringLiteral("%1%"));
    ConnectTrackBar(innerTwistSlider, this, [this] { innerTwistMoved(); });
    ConnectTrackBar(outerTwistSlider, this, [this] { outerTwistMoved(); });
    connect(resetButton, &QPushButton::clicked, this, &TwistPalette::reset);
}

void TwistPalette::UpdateTwistLabels() {
    innerValueLabel->setText(innerTwistSlider->ValueText());
    outerValueLabel->setText(outerTwistSlider->ValueText());
}

void TwistPalette::ApplyTwists() {
    Document().Change([this](ShapeSettings &s) {
        s.OuterTwist = outerTwistSlider->value();
        s.InnerTwist = innerTwistSlider->value();
    });
    UpdateTwistLabels();
}

void TwistPalette::SyncOther(QSlider *other, int moved) {
    if (!syncCheckBox->isChecked() || resyncing_)
        return;
    Syncing = true;
    other->setValue(other->value() + moved); // the bar stops at its ends
    Syncing = false;
}

void TwistPalette::innerTwistMoved() {
    if (Syncing)
        return;
    SyncOther(outerTwistSlider, innerTwistSlider->value() - Document().Settings.InnerTwist);
    ApplyTwists();
}

void TwistPalette::outerTwistMoved() {
    if (Syncing)
        return;
    SyncOther(innerTwistSlider, outerTwistSlider->value() - Document().Settings.OuterTwist);
    ApplyTwists();
}

void TwistPalette::reset() {
    // Both bars go to 0 whatever the sync box holds, and the twists follow once.
    Syncing = true;
    innerTwistSlider->setValue(0);
    outerTwistSlider->setValue(0);
    Syncing = false;
    ApplyTwists();
}

void TwistPalette::ShowRecord() {
    // Both values as they stood before the first bar moved: applying the first bar
    // also stores the second bar's old position.
    const int inner = Document().Settings.InnerTwist;
    const int outer = Document().Settings.OuterTwist;
    resyncing_ = true;
    innerTwistSlider->setValue(inner);
    outerTwistSlider->setValue(outer);
    resyncing_ = false;
    UpdateTwistLabels();
}
