#include "RadiusEditing.h"

#include "StarDocument.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

RadiusEditor::RadiusEditor(StarDocument &document, const QWidget &area, QObject *parent)
    : QObject(parent), document_(document), area_(area) {}

int32_t RadiusEditor::Rate() const {
    return inner_ ? document_.Settings.InnerRate : document_.Settings.OuterRate;
}

int RadiusEditor::DistanceFromCentre(int x, int y) const {
    const double dx = double(x) - area_.width() / 2;
    const double dy = double(y) - area_.height() / 2;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

void RadiusEditor::ChangeRadius(int by) {
    int32_t &rate = inner_ ? document_.Settings.InnerRate : document_.Settings.OuterRate;
    rate = std::clamp(rate + by, settings_range::kMinRate, settings_range::kMaxRate);
    document_.Modified = true;
    emit changed();
}

void RadiusEditor::Press(Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton || editing_)
        return;
    editing_ = true;
    byKeys_ = false;
    lastX_ = x;
    lastY_ = y;
    // A press on or inside the largest centred circle edits the inner radius.
    inner_ = DistanceFromCentre(x, y) <= std::min(area_.width() / 2, area_.height() / 2);
    startRate_ = Rate();
    emit changed();
}

void RadiusEditor::Move(int x, int y) {
    if (!editing_)
        return;
    // One pixel of movement towards or away from the centre is one percentage point.
    const int delta = DistanceFromCentre(x, y) - DistanceFromCentre(lastX_, lastY_);
    lastX_ = x;
    lastY_ = y;
    ChangeRadius(delta);
}

void RadiusEditor::Release(Qt::MouseButton button) {
    if (button == Qt::LeftButton && editing_)
        return End();
    emit changed();
}

void RadiusEditor::End() {
    if (!editing_)
        return;
    editing_ = false;
    emit changed();
    if (byKeys_ || Rate() != startRate_)
        emit radiusSet(inner_);
}

bool RadiusEditor::KeyPressed(int key, Qt::KeyboardModifiers modifiers) {
    if ((key != Qt::Key_Up && key != Qt::Key_Down) ||
        (modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != 0)
        return false;
    const bool inner = (modifiers & Qt::ShiftModifier) != 0;
    if (!editing_ || inner != inner_) {
        byKeys_ = true;
        inner_ = inner;
        startRate_ = Rate();
    }
    editing_ = true; // the markers show while the key changes a radius
    ChangeRadius(key == Qt::Key_Up ? 1 : -1);
    return true;
}

void RadiusEditor::KeyReleased(int key) {
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        End();
}
