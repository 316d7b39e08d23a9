#include "SaveRate.h"

#include "FormFont.h"
#include "NumberText.h"
#include "ShapeSettings.h"

#include <algorithm>

TSaveRateDlg *SaveRateDlg = nullptr;

TSaveRateDlg::TSaveRateDlg(QWidget *parent) : QDialog(parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    Rate->setAttribute(Qt::WA_InputMethodEnabled, false);
    UpDown1->SetMin(settings_range::kMinSaveRate);
    UpDown1->SetMax(settings_range::kMaxSaveRate);
    UpDown1->SetPosition(settings_range::kMinSaveRate);
    connect(Rate, &QLineEdit::textChanged, this, &TSaveRateDlg::RateChange);
    connect(UpDown1, &TUpDown::changing, this, &TSaveRateDlg::UpDown1Changing);
    connect(OKBtn, &QPushButton::clicked, this, &TSaveRateDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

int TSaveRateDlg::RateValue() const {
    using namespace settings_range;
    const int32_t typed = ReadLeadingInteger(Rate->text().toStdU16String());
    return std::min(std::max(typed, kMinSaveRate), kMaxSaveRate);
}

void TSaveRateDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    Rate->setFocus();
    Rate->selectAll();
}

void TSaveRateDlg::RateChange() {
    if (updating_)
        return;
    updating_ = true;
    UpDown1->SetPosition(RateValue());
    updating_ = false;
}

void TSaveRateDlg::UpDown1Changing(int newPosition) {
    if (updating_)
        return;
    updating_ = true;
    Rate->setText(QString::number(newPosition));
    Rate->setFocus();
    Rate->selectAll();
    updating_ = false;
}

void TSaveRateDlg::OKBtnClick() {
    Rate->setText(QString::number(RateValue()));
    accept();
}
