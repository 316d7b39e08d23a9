#pragma once

#include <QColor>
#include <QObject>

#include <cstdint>

class QColorDialog;
class QWidget;

// The colour dialog of the star and background colour commands. It opens at the
// colour it returned last (black at first), whichever command asks.
class ColorChoice : public QObject {
public:
    // The dialog and the choice belong to parent.
    explicit ColorChoice(QWidget &parent);

    // Runs the dialog; the chosen colour as a colour value, false on Cancel.
    bool Choose(uint32_t &colorValue);

private:
    QColorDialog *dialog_;
    QColor last_ = Qt::black;
};
