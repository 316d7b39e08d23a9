#include "SizeDialog.h"

#include "FormFont.h"
#include "NumberText.h"
#include "StarPicture.h"

#include <algorithm>

namespace {
constexpr int kLayoutLeft = 442, kLayoutTop = 424;
constexpr int kNegativeEntry = 10; // what a negative width or height becomes
} // namespace

SizeDialog::SizeDialog(QWidget *parent) : QDialog(parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    move(kLayoutLeft, kLayoutTop);
    for (QLineEdit *edit : {widthEdit, heightEdit})
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(sameSizeCheckBox, &QCheckBox::clicked, this, &SizeDialog::enableHeight);
    connect(okButton, &QPushButton::clicked, this, &SizeDialog::acceptEntries);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void SizeDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    FillEntries();
}

void SizeDialog::ShowSize(int width, int height, bool same) {
    shownWidth_ = width;
    shownHeight_ = height;
    shownSame_ = same;
}

bool SizeDialog::Ask(QSize &size, bool &same) {
    ShowSize(size.width(), size.height(), same);
    if (exec() != QDialog::Accepted)
        return false;
    size = QSize(ReadLeadingInteger(widthEdit->text().toStdU16String()),
                 ReadLeadingInteger(heightEdit->text().toStdU16String()));
    same = sameSizeCheckBox->isChecked();
    return true;
}

void SizeDialog::FillEntries() {
    widthEdit->setText(QString::number(shownWidth_));
    heightEdit->setText(QString::number(shownHeight_));
    sameSizeCheckBox->setChecked(shownSame_);
    enableHeight();
    widthEdit->setFocus();
    widthEdit->selectAll();
}

void SizeDialog::enableHeight() {
    heightEdit->setEnabled(!sameSizeCheckBox->isChecked());
    heightLabel->setEnabled(heightEdit->isEnabled());
}

void SizeDialog::acceptEntries() {
    // Negative entries become 10; the largest side keeps the picture within what a
    // window and its screen picture can take.
    const auto entry = [](const QLineEdit *edit) {
        const int32_t value = ReadLeadingInteger(edit->text().toStdU16String());
        return value < 0 ? kNegativeEntry : std::min(value, kMaxAreaSide);
    };
    const int w = entry(widthEdit);
    const int h = sameSizeCheckBox->isChecked() ? w : entry(heightEdit);
    widthEdit->setText(QString::number(w));
    heightEdit->setText(QString::number(h));
    accept();
}
