#include "Lean.h"

#include "FormFont.h"
#include "StarDocument.h"

TLeanDlg *LeanDlg = nullptr;

TLeanDlg::TLeanDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent)
    : TPalette(LeanSlot, true, document, mainWindow, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    ConnectTrackBar(LeanTrackBar, this, [this] { LeanTrackBarChange(); });
    connect(RestButton, &QPushButton::clicked, this, &TLeanDlg::RestButtonClick);
}

void TLeanDlg::UpdateLeanLabel() {
    ShowTrackBarValue(LeanTrackBar, Lean, tr("%1度").arg(LeanTrackBar->value()));
}

void TLeanDlg::ApplyLean() {
    Document().Change([this](ShapeSettings &s) { s.LeanAngle = LeanTrackBar->value(); });
    UpdateLeanLabel();
}

void TLeanDlg::LeanTrackBarChange() {
    ApplyLean();
}

void TLeanDlg::RestButtonClick() {
    LeanTrackBar->setValue(0);
    ApplyLean();
}

void TLeanDlg::FormPaint() {
    LeanTrackBar->setValue(Document().Settings.LeanAngle);
    UpdateLeanLabel();
}
