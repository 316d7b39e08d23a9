#include "Shape.h"

#include "ColorValue.h"
#include "FormFont.h"
#include "StarDocument.h"
#include "SystemPalette.h"

#include <QColorDialog>
#include <QRandomGenerator>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <limits>

TShapeDlg *ShapeDlg = nullptr;

TShapeDlg::TShapeDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent)
    : TPalette(ShapeSlot, true, document, mainWindow, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    controls_ = {Control{TipTrackBar, TipEdit, &StarExtras::TipRounding},
                 Control{ValleyTrackBar, ValleyEdit, &StarExtras::ValleyRounding},
                 Control{IrregularityTrackBar, IrregularityEdit, &StarExtras::Irregularity},
                 Control{LineWidthTrackBar, LineWidthEdit, &StarExtras::LineWidth}};
    for (const Control &control : controls_)
        ConnectControl(control);
    // A seed is any 32-bit unsigned number; longer numbers are cut to the largest.
    SeedEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), this));
    LeaveUndoToTheStar(SeedEdit);
    connect(SeedEdit, &QLineEdit::editingFinished, this, &TShapeDlg::SeedEditDone);
    connect(NewSeedButton, &QPushButton::clicked, this, &TShapeDlg::NewSeedButtonClick);
    connect(LineColorButton, &QPushButton::clicked, this, &TShapeDlg::LineColorButtonClick);
    connect(SameLineColorCheckBox, &QCheckBox::clicked, this,
            &TShapeDlg::SameLineColorCheckBoxClick);
    connect(RestButton, &QPushButton::clicked, this, &TShapeDlg::RestButtonClick);
}

TShapeDlg::~TShapeDlg() {
    // An edit that loses the focus as the palette goes reports its text as finished;
    // nothing of that is a change of the star.
    for (const QWidget *control : findChildren<QWidget *>())
        disconnect(control, nullptr, this, nullptr);
}

void TShapeDlg::ConnectControl(const Control &control) {
    LeaveUndoToTheStar(control.edit);
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

void TShapeDlg::SeedEditDone() {
    const qulonglong typed = SeedEdit->text().toULongLong();
    const auto seed =
        static_cast<uint32_t>(std::min<qulonglong>(typed, std::numeric_limits<uint32_t>::max()));
    SeedEdit->setText(QString::number(seed));
    Document().ChangeExtras([seed](StarExtras &e) { e.Seed = seed; });
}

void TShapeDlg::NewSeedButtonClick() {
    const uint32_t seed = QRandomGenerator::global()->generate();
    SeedEdit->setText(QString::number(seed));
    Document().ChangeExtras([seed](StarExtras &e) { e.Seed = seed; });
}

void TShapeDlg::LineColorButtonClick() {
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
    SameLineColorCheckBox->setChecked(false);
    ShowLineColor();
}

void TShapeDlg::SameLineColorCheckBoxClick(bool same) {
    Document().ChangeExtras([same](StarExtras &e) { e.OwnLineColor = !same; });
}

void TShapeDlg::RestButtonClick() {
    Document().ChangeExtras([](StarExtras &e) { e = StarExtras{}; });
    FormPaint();
}

void TShapeDlg::ShowLineColor() {
    const Pixel color =
        ResolveColorValue(Document().Extras.LineColor, SystemColorsFromPalette(palette()));
    QPixmap swatch(LineColorButton->size() - QSize(12, 8));
    swatch.fill(QColor::fromRgb(color));
    LineColorButton->setIcon(swatch);
    LineColorButton->setIconSize(swatch.size());
    // A screen reader tells the colour the swatch shows.
    LineColorButton->setAccessibleDescription(
        QStringLiteral("#%1").arg(color & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper());
}

void TShapeDlg::FormPaint() {
    const StarExtras &extras = Document().Extras;
    for (const Control &control : controls_) {
        const QSignalBlocker quietBar(control.bar), quietEdit(control.edit);
        control.bar->setValue(extras.*control.field);
        control.edit->setValue(extras.*control.field);
    }
    SeedEdit->setText(QString::number(extras.Seed));
    SameLineColorCheckBox->setChecked(!extras.OwnLineColor);
    ShowLineColor();
}
