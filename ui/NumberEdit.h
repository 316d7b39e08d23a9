#pragma once

#include <QLineEdit>

class UpDown;

// An edit for a whole number beside its up/down arrows, which hold the number's
// range: Up and Down typed into it step as the arrows do, and a screen reader reads
// it as a value within that range and hears each step.
class NumberEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NumberEdit(QWidget *parent = nullptr);

    // Call once: the arrows that step this edit.
    void StepWith(UpDown &arrows);
    UpDown *Arrows() const { return arrows_; }

private:
    UpDown *arrows_ = nullptr;
};
