#include "Points.h"

#include "FormFont.h"
#include "NumberText.h"
#include "ShapeSettings.h"
#include "StarDocument.h"

#include <algorithm>

TPointsDlg *PointsDlg = nullptr;
bool PointsUpdating = false;

namespace {

// Runs the body with PointsUpdating set, so the change events it raises stop at once.
template <typename Body> void WhileUpdating(Body body) {
    PointsUpdating = true;
    body();
    PointsUpdating = false;
}

} // namespace

TPointsDlg::TPointsDlg(StarDocument &document, QWidget &mainWindow, QWidget *parent)
    : TPalette(PointsSlot, true, document, mainWindow, parent) {
    setupUi(this);
    setFont(FormFont(12));
    setFixedSize(size());
    Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
    LeaveUndoToTheStar(Edit1);
    connect(UpDown1, &TUpDown::changing, this, &TPointsDlg::UpDown1Changing);
    connect(Edit1, &QLineEdit::textChanged, this, &TPointsDlg::Edit1Change);
}

void TPointsDlg::ApplyPoints(int points) {
    Document().Change([points](ShapeSettings &s) { s.Points = points; });
}

void TPointsDlg::UpDown1Changing(int newPosition) {
    if (PointsUpdating)
        return;
    WhileUpdating([&] {
        Edit1->setText(QString::number(newPosition));
        Edit1->setFocus();
        Edit1->selectAll();
        ApplyPoints(newPosition);
    });
}

void TPointsDlg::Edit1Change() {
    if (PointsUpdating)
        return;
    WhileUpdating([&] {
        using namespace settings_range;
        const int32_t typed = ReadLeadingInteger(Edit1->text().toStdU16String());
        const int points = std::min(std::max(typed, kMinPoints), kMaxPoints);
        UpDown1->SetPosition(points);
        ApplyPoints(points);
    });
}

void TPointsDlg::FormPaint() {
    WhileUpdating([&] {
        Edit1->setText(QString::number(Document().Settings.Points));
        Edit1->setFocus();
        Edit1->selectAll();
        UpDown1->SetMax(settings_range::kMaxPoints);
        UpDown1->SetMin(settings_range::kMinPoints);
        UpDown1->SetPosition(Document().Settings.Points);
    });
}
