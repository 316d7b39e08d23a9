#include "SizeIn.h"

#include "FormFont.h"
#include "NumberText.h"
#include "StarPicture.h"

#include <algorithm>

TSizeInDlg *SizeInDlg = nullptr;

namespace {
constexpr int kLayoutLeft = 442, kLayoutTop = 424;
constexpr int kNegativeEntry = 10; // what a negative width or height becomes
} // namespace

TSizeInDlg::TSizeInDlg(QWidget *parent) : QDialog(parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    move(kLayoutLeft, kLayoutTop);
    for (QLineEdit *edit : {Width, Height})
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(Same, &QCheckBox::clicked, this, &TSizeInDlg::SameClick);
    connect(OKBtn, &QPushButton::clicked, this, &TSizeInDlg::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TSizeInDlg::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    FormShow();
}

void TSizeInDlg::ShowSize(int width, int height, bool same) {
    shownWidth_ = width;
    shownHeight_ = height;
    shownSame_ = same;
}

void TSizeInDlg::FormShow() {
    Width->setText(QString::number(shownWidth_));
    Height->setText(QString::number(shownHeight_));
    Same->setChecked(shownSame_);
    SameClick();
    Width->setFocus();
    Width->selectAll();
}

void TSizeInDlg::SameClick() {
    Height->setEnabled(!Same->isChecked());
    HeightLabel->setEnabled(Height->isEnabled());
}

void TSizeInDlg::OKBtnClick() {
    // Negative entries become 10; the largest side keeps the picture within what a
    // window and its screen picture can take.
    const auto entry = [](const QLineEdit *edit) {
        const int32_t value = ReadLeadingInteger(edit->text().toStdU16String());
        return value < 0 ? kNegativeEntry : std::min(value, kMaxAreaSide);
    };
    const int w = entry(Width);
    const int h = Same->isChecked() ? w : entry(Height);
    Width->setText(QString::number(w));
    Height->setText(QString::number(h));
    accept();
}
