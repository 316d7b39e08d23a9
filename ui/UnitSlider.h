#pragma once

#include <QSlider>
#include <QString>

class QLabel;

// A palette's track bar that a screen reader hears as its value with the unit
// ("30°", "20%"), where a plain slider's value is a bare number.
class UnitSlider : public QSlider {
    Q_OBJECT

public:
    explicit UnitSlider(QWidget *parent = nullptr);

    // format: the value's text with %1 for the number, as the palette shows it.
    void SetValueFormat(const QString &format) { format_ = format; }
    QString ValueText() const { return format_.arg(value()); }
    // A label that names the bar without being its buddy (a caption over several bars,
    // or a label whose buddy is the bar's edit).
    void SetLabel(QLabel &label) { label_ = &label; }
    QLabel *Label() const { return label_; }

private:
    QString format_ = QStringLiteral("%1");
    QLabel *label_ = nullptr;
};
