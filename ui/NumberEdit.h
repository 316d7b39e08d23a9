#pragma once

#include <QLineEdit>
#include <QSpinBox>

class UpDown;

// An edit for a whole number. Beside up/down arrows, which hold the number's range,
// Up and Down typed into it step as the arrows do, and a screen reader reads it as a
// value within that range and hears each step. Any edit of the program is one of
// these: a screen reader reads its words safely.
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

// A spin box whose edit a screen reader reads safely, as a NumberEdit's.
class SpinBox : public QSpinBox {
    Q_OBJECT

public:
    explicit SpinBox(QWidget *parent = nullptr);

    QLineEdit &Edit() const { return *lineEdit(); }
};
