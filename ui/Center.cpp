#include "Center.h"

#include "FormFont.h"
#include "StarDocument.h"

TCenterSettingDlg *CenterSettingDlg = nullptr;

TCenterSettingDlg::TCenterSettingDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent)
    : TPalette(CenterSlot, false, document, mainWindow, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    for (QSlider *bar : {CenterXRateTrackBar, CenterYRateTrackBar})
        ConnectTrackBar(bar, this, [this] { ApplyCenter(); });
    connect(RestButton, &QPushButton::clicked, this, &TCenterSettingDlg::RestButtonClick);
}

void TCenterSettingDlg::ApplyCenter() {
    Document().Change([this](ShapeSettings &s) {
        s.CenterXRate = CenterXRateTrackBar->value();
        s.CenterYRate = CenterYRateTrackBar->value();
    });
}

void TCenterSettingDlg::RestButtonClick() {
    CenterXRateTrackBar->setValue(0);
    CenterYRateTrackBar->setValue(0);
    ApplyCenter();
}

void TCenterSettingDlg::FormPaint() {
    // Both values as they stood before the first bar moved.
    const int x = Document().Settings.CenterXRate;
    const int y = Document().Settings.CenterYRate;
    CenterXRateTrackBar->setValue(x);
    CenterYRateTrackBar->setValue(y);
}
