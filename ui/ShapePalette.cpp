#include "ShapePalette.h"

#include "ColorValue.h"
#include "FormFont.h"
#include "StarDocument.h"
#include "SystemPalette.h"

#include <QColorDialog>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <limits>

ShapePalette::ShapePalette(StarDocument &document, QWidget &anchor, QWidget *parent)
    : Palette(ShapeSlot, true, document, anchor, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    controls_ = {Control{tipSlider, tipEdit, &StarExtras::TipRounding},
                 Control{valleySlider, valleyEdit, &StarExtras::ValleyRounding},
                 Control{irregularitySlider, irregularityEdit, &StarExtras::Irregularity},
                 Control{lineWidthSlider, lineWidthEdit, &StarExtras::LineWidth}};
    for (const Control &control : controls_)
        ConnectControl(control);
    // A seed is any 32-bit unsigned number; longer numbers are cut to the largest.
    seedEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), this));
    LeaveUndoToTheStar(seedEdit);
    connect(seedEdit, &QLineEdit::editingFinished, this, &ShapePalette::seedEdited);
    connect(newSeedButton, &QPushButton::clicked, this, &ShapePalette::newSeed);
    connect(lineColorButton, &QPushButton::clicked, this, &ShapePalette::chooseLineColor);
    connect(sameLineColorCheckBox, &QCheckBox::clicked, this, &ShapePalette::setSameLineColor);
    connect(resetButton, &QPushButton::clicked, this, &ShapePalette::reset);
}

ShapePalette::~ShapePalette() {
    // An edit that loses the focus as the palette goes reports its text as finished;
    // nothing of that is a change of the star.
    for (const QWidget *control : findChildren<QWidget *>())
        disconnect(control, nullptr, this, nullptr);
}

void ShapePalette::ConnectControl(const Control &control) {
    LeaveUndoToTheStar(control.edit);
    // The bar is heard as its edit shows the value, and named by the edit's label.
    control.bar->SetValueFormat(QStringLiteral("%1") + control.edit->suffix());
    for (QLabel *label : findChildren<QLabel *>())
        if (label->buddy() == control.edit)
            control.bar->SetLabel(*label);
    const auto apply = [this, field = control.field](int value) {
        Document().ChangeExtras([&](StarExtras &e) { e.*field = value; });
    };
    connect(control.bar, &QSlider::valueChanged, this, [control, apply](int value) {
        const QSignalBlocker quiet(control.edit);
        control.edit->setValue(value);
        apply(value);
    });
    connect(control.edit, &QSpinBox::valueChanged, this, [control, apply](int value) {
        const QSignalBlocker quiet(control.bar);
        control.bar->setValue(value);
        apply(value);
    });
}

void ShapePalette::seedEdited() {
    const qulonglong typed = seedEdit->text().toULongLong();
    const auto seed =
        static_cast<uint32_t>(std::min<qulonglong>(typed, std::numeric_limits<uint32_t>::max()));
    seedEdit->setText(QString::number(seed));
    Document().ChangeExtras([seed](StarExtras &e) { e.Seed = seed; });
}

void ShapePalette::newSeed() {
    const uint32_t seed = QRandomGenerator::global()->generate();
    seedEdit->setText(QString::number(seed));
    Document().ChangeExtras([seed](StarExtras &e) { e.Seed = seed; });
}

void ShapePalette::chooseLineColor() {
    QColorDialog dialog(this);
    dialog.setCurrentColor(QColor::fromRgb(
        ResolveColorValue(Document().Extras.LineColor, SystemColorsFromPalette(palette()))));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QColor chosen = dialog.selectedColor();
    const uint32_t color = ColorValueFromRgb(chosen.red(), chosen.green(), chosen.blue());
    Document().ChangeExtras([color](StarExtras &e) {
        e.OwnLineColor = true;
        e.LineColor = color;
    });
    sameLineColorCheckBox->setChecked(false);
    ShowLineColor();
}

void ShapePalette::setSameLineColor(bool same) {
    Document().ChangeExtras([same](StarExtras &e) { e.OwnLineColor = !same; });
}

void ShapePalette::reset() {
    Document().ChangeExtras([](StarExtras &e) { e = StarExtras{}; });
    ShowRecord();
}

void ShapePalette::ShowLineColor() {
    const Pixel color =
        ResolveColorValue(Document().Extras.LineColor, SystemColorsFromPalette(palette()));
    QPixmap swatch(lineColorButton->size() - QSize(12, 8));
    swatch.fill(QColor::fromRgb(color));
    lineColorButton->setIcon(swatch);
    lineColorButton->setIconSize(swatch.size());
    // A screen reader tells the colour the swatch shows.
    lineColorButton->setAccessibleDescription(
        QStringLiteral("#%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
}

void ShapePalette::ShowRecord() {
    const StarExtras &extras = Document().Extras;
    for (const Control &control : controls_) {
        const QSignalBlocker quietBar(control.bar), quietEdit(control.edit);
        control.bar->setValue(extras.*control.field);
        control.edit->setValue(extras.*control.field);
    }
    // Text rewritten unchanged would be read out again by a screen reader.
    if (seedEdit->text() != QString::number(extras.Seed))
        seedEdit->setText(QString::number(extras.Seed));
    sameLineColorCheckBox->setChecked(!extras.OwnLineColor);
    ShowLineColor();
}
