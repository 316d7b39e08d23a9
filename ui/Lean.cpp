#include "Lean.h"

#include "FormFont.h"
#include "Vantmain.h"

TLeanDlg *LeanDlg = nullptr;

TLeanDlg::TLeanDlg(QWidget *parent) : TPalette(LeanSlot, true, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    ConnectTrackBar(LeanTrackBar, this, [this] { LeanTrackBarChange(); });
    connect(RestButton, &QPushButton::clicked, this, &TLeanDlg::RestButtonClick);
}

void TLeanDlg::UpdateLeanLabel() {
    Lean->setText(tr("%1度").arg(LeanTrackBar->value()));
}

void TLeanDlg::ApplyLean() {
    Form1->ShapeSettings.LeanAngle = LeanTrackBar->value();
    Form1->Redraw();
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
    LeanTrackBar->setValue(Form1->ShapeSettings.LeanAngle);
    UpdateLeanLabel();
}
