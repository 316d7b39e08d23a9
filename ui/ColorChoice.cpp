#include "ColorChoice.h"

#include "ColorValue.h"

#include <QColorDialog>

ColorChoice::ColorChoice(QWidget &parent) : QObject(&parent), dialog_(new QColorDialog(&parent)) {}

bool ColorChoice::Choose(uint32_t &colorValue) {
    dialog_->setCurrentColor(last_);
    if (dialog_->exec() != QDialog::Accepted)
        return false;
    last_ = dialog_->selectedColor();
    colorValue = ColorValueFromRgb(last_.red(), last_.green(), last_.blue());
    return true;
}
