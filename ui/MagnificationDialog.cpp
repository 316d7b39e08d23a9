#include "MagnificationDialog.h"

#include "FormFont.h"
#include "NumberText.h"
#include "ShapeSettings.h"

#include <algorithm>

MagnificationDialog::MagnificationDialog(QWidget *parent) : QDialog(parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    magnificationEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    magnificationEdit->StepWith(*magnificationSpinButtons);
    magnificationSpinButtons->SetMin(settings_range::kMinSaveRate);
    magnificationSpinButtons->SetMax(settings_range::kMaxSaveRate);
    magnificationSpinButtons->SetPosition(settings_range::kMinSaveRate);
    connect(magnificationEdit, &QLineEdit::textChanged, this,
            &MagnificationDialog::magnificationEdited);
    connect(magnificationSpinButtons, &UpDown::changing, this,
            &MagnificationDialog::stepMagnification);
    connect(okButton, &QPushButton::clicked, this, &MagnificationDialog::acceptEntry);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

bool MagnificationDialog::Ask(int32_t &rate) {
    magnificationEdit->setText(QString::number(rate));
    if (exec() != QDialog::Accepted)
        return false;
    rate = MagnificationValue();
    return true;
}

int MagnificationDialog::MagnificationValue() const {
    using namespace settings_range;
    const int32_t typed = ReadLeadingInteger(magnificationEdit->text().toStdU16String());
    return std::min(std::max(typed, kMinSaveRate), kMaxSaveRate);
}

void MagnificationDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    magnificationEdit->setFocus();
    magnificationEdit->selectAll();
}

void MagnificationDialog::magnificationEdited() {
    if (updating_)
        return;
    updating_ = true;
    magnificationSpinButtons->SetPosition(MagnificationValue());
    updating_ = false;
}

void MagnificationDialog::stepMagnification(int newPosition) {
    if (updating_)
        return;
    updating_ = true;
    magnificationEdit->setText(QString::number(newPosition));
    magnificationEdit->setFocus();
    magnificationEdit->selectAll();
    updating_ = false;
}

void MagnificationDialog::acceptEntry() {
    magnificationEdit->setText(QString::number(MagnificationValue()));
    accept();
}
