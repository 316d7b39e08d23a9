#include "Center.h"

#include "FormFont.h"
#include "Vantmain.h"

TCenterSettingDlg *CenterSettingDlg = nullptr;

TCenterSettingDlg::TCenterSettingDlg(QWidget *parent) : TPalette(CenterSlot, false, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    for (QSlider *bar : {CenterXRateTrackBar, CenterYRateTrackBar})
        ConnectTrackBar(bar, this, [this] { ApplyCenter(); });
    connect(RestButton, &QPushButton::clicked, this, &TCenterSettingDlg::RestButtonClick);
}

void TCenterSettingDlg::ApplyCenter() {
    Form1->ShapeSettings.CenterXRate = CenterXRateTrackBar->value();
    Form1->ShapeSettings.CenterYRate = CenterYRateTrackBar->value();
    Form1->Redraw();
}

void TCenterSettingDlg::RestButtonClick() {
    CenterXRateTrackBar->setValue(0);
    CenterYRateTrackBar->setValue(0);
    ApplyCenter();
}

void TCenterSettingDlg::FormPaint() {
    // Both values as they stood before the first bar moved.
    const int x = Form1->ShapeSettings.CenterXRate;
    const int y = Form1->ShapeSettings.CenterYRate;
    CenterXRateTrackBar->setValue(x);
    CenterYRateTrackBar->setValue(y);
}
