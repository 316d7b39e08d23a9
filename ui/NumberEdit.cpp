#include "NumberEdit.h"

#include "UpDown.h"

#include <QAccessible>

NumberEdit::NumberEdit(QWidget *parent) : QLineEdit(parent) {}

void NumberEdit::StepWith(UpDown &arrows) {
    arrows_ = &arrows;
    arrows.StepFromKeysOf(*this);
    // A step shows its number in the edit first; the value heard is the new one.
    connect(&arrows, &UpDown::stepped, this, [this](int position) {
        QAccessibleValueChangeEvent event(this, position);
        QAccessible::updateAccessibility(&event);
    });
}

SpinBox::SpinBox(QWidget *parent) : QSpinBox(parent) {
    setLineEdit(new NumberEdit(this));
}
