#include "Rotaion.h"

#include "FormFont.h"
#include "StarDocument.h"

TRotationDlg *RotationDlg = nullptr;

TRotationDlg::TRotationDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent)
    : TPalette(TwistSlot, true, document, mainWindow, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    ConnectTrackBar(InRotateTrackBar, this, [this] { InRotateTrackBarChange(); });
    ConnectTrackBar(OutRotateTrackBar, this, [this] { OutRotateTrackBarChange(); });
    connect(RestButton, &QPushButton::clicked, this, &TRotationDlg::RestButtonClick);
}

void TRotationDlg::UpdateTwistLabels() {
    ShowTrackBarValue(InRotateTrackBar, InRate,
                      QStringLiteral("%1%").arg(InRotateTrackBar->value()));
    ShowTrackBarValue(OutRotateTrackBar, OutRate,
                      QStringLiteral("%1%").arg(OutRotateTrackBar->value()));
}

void TRotationDlg::ApplyTwists() {
    Document().Change([this](ShapeSettings &s) {
        s.OuterTwist = OutRotateTrackBar->value();
        s.InnerTwist = InRotateTrackBar->value();
    });
    UpdateTwistLabels();
}

void TRotationDlg::SyncOther(QSlider *other, int moved) {
    if (!SyncCheckBox->isChecked() || resyncing_)
        return;
    Syncing = true;
    other->setValue(other->value() + moved); // the bar stops at its ends
    Syncing = false;
}

void TRotationDlg::InRotateTrackBarChange() {
    if (Syncing)
        return;
    SyncOther(OutRotateTrackBar, InRotateTrackBar->value() - Document().Settings.InnerTwist);
    ApplyTwists();
}

void TRotationDlg::OutRotateTrackBarChange() {
    if (Syncing)
        return;
    SyncOther(InRotateTrackBar, OutRotateTrackBar->value() - Document().Settings.OuterTwist);
    ApplyTwists();
}

void TRotationDlg::RestButtonClick() {
    // Both bars go to 0 whatever the sync box holds, and the twists follow once.
    Syncing = true;
    InRotateTrackBar->setValue(0);
    OutRotateTrackBar->setValue(0);
    Syncing = false;
    ApplyTwists();
}

void TRotationDlg::FormPaint() {
    // Both values as they stood before the first bar moved: applying the first bar
    // also stores the second bar's old position.
    const int inner = Document().Settings.InnerTwist;
    const int outer = Document().Settings.OuterTwist;
    resyncing_ = true;
    InRotateTrackBar->setValue(inner);
    OutRotateTrackBar->setValue(outer);
    resyncing_ = false;
    UpdateTwistLabels();
}
