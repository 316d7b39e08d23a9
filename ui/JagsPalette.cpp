#include "JagsPalette.h"

#include "FormFont.h"
#include "NumberText.h"
#include "ShapeSettings.h"
#include "StarDocument.h"

#include <algorithm>

JagsPalette::JagsPalette(StarDocument &document, QWidget &anchor, QWidget *parent)
    : Palette(JagsSlot, true, document, anchor, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    jagsEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    LeaveUndoToTheStar(jagsEdit);
    jagsEdit->StepWith(*jagsSpinButtons);
    // The jag count's range from the start: a screen reader may set the value before
    // the palette was ever shown.
    jagsSpinButtons->SetMax(settings_range::kMaxPoints);
    jagsSpinButtons->SetMin(settings_range::kMinPoints);
    connect(jagsSpinButtons, &UpDown::changing, this, &JagsPalette::stepJags);
    connect(jagsEdit, &QLineEdit::textChanged, this, &JagsPalette::jagsEdited);
}

void JagsPalette::ApplyPoints(int points) {
    Document().Change([points](ShapeSettings &s) { s.Points = points; });
}

void JagsPalette::stepJags(int newPosition) {
    if (updating_)
        return;
    WhileUpdating([&] {
        jagsEdit->setText(QString::number(newPosition));
        jagsEdit->setFocus();
        jagsEdit->selectAll();
        ApplyPoints(newPosition);
    });
}

void JagsPalette::jagsEdited() {
    if (updating_)
        return;
    WhileUpdating([&] {
        using namespace settings_range;
        const int32_t typed = ReadLeadingInteger(jagsEdit->text().toStdU16String());
        const int points = std::min(std::max(typed, kMinPoints), kMaxPoints);
        jagsSpinButtons->SetPosition(points);
        ApplyPoints(points);
    });
}

void JagsPalette::ShowRecord() {
    WhileUpdating([&] {
        // Text rewritten unchanged would be read out again by a screen reader.
        if (jagsEdit->text() != QString::number(Document().Settings.Points))
            jagsEdit->setText(QString::number(Document().Settings.Points));
        jagsEdit->setFocus();
        jagsEdit->selectAll();
        jagsSpinButtons->SetMax(settings_range::kMaxPoints);
        jagsSpinButtons->SetMin(settings_range::kMinPoints);
        jagsSpinButtons->SetPosition(Document().Settings.Points);
    });
}
