#include "RadiusEditing.h"

#include "MainWindow.h"

#include <algorithm>
#include <cmath>

namespace {

// Distance of a point from the drawing area's centre, truncated to whole pixels.
int DistanceFromCentre(const MainWindow &window, int x, int y) {
    const double dx = double(x) - window.starView->width() / 2;
    const double dy = double(y) - window.starView->height() / 2;
    return static_cast<int>(std::sqrt(dx * dx + dy * dy));
}

void ChangeRadius(MainWindow &window, bool inner, int by) {
    int32_t &rate = inner ? window.ShapeSettings.InnerRate : window.ShapeSettings.OuterRate;
    rate = std::clamp(rate + by, settings_range::kMinRate, settings_range::kMaxRate);
    window.Modified = true;
    window.DrawShape(window.starView->Canvas());
}

} // namespace

void PressForRadius(MainWindow &window, Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton || window.Dragging)
        return;
    window.Dragging = true;
    window.DragLastX = x;
    window.DragLastY = y;
    // A press on or inside the largest centred circle edits the inner radius.
    window.DragInner = DistanceFromCentre(window, x, y) <=
                       std::min(window.starView->width() / 2, window.starView->height() / 2);
    window.DrawShape(window.starView->Canvas());
}

void MoveForRadius(MainWindow &window, int x, int y) {
    if (!window.Dragging)
        return;
    // One pixel of movement towards or away from the centre is one percentage point.
    const int delta = DistanceFromCentre(window, x, y) -
                      DistanceFromCentre(window, window.DragLastX, window.DragLastY);
    window.DragLastX = x;
    window.DragLastY = y;
    ChangeRadius(window, window.DragInner, delta);
}

void ReleaseForRadius(MainWindow &window, Qt::MouseButton button) {
    if (button == Qt::LeftButton)
        window.Dragging = false;
    window.DrawShape(window.starView->Canvas());
}

void EndRadiusDrag(MainWindow &window) {
    if (!window.Dragging)
        return;
    window.Dragging = false;
    window.DrawShape(window.starView->Canvas());
}

bool RadiusKeyPressed(MainWindow &window, int key, Qt::KeyboardModifiers modifiers) {
    if ((key != Qt::Key_Up && key != Qt::Key_Down) ||
        (modifiers & ~(Qt::ShiftModifier | Qt::KeypadModifier)) != 0)
        return false;
    window.Dragging = true; // the markers show while the key changes a radius
    window.DragInner = (modifiers & Qt::ShiftModifier) != 0;
    ChangeRadius(window, window.DragInner, key == Qt::Key_Up ? 1 : -1);
    return true;
}

void RadiusKeyReleased(MainWindow &window, int key) {
    if (key == Qt::Key_Up || key == Qt::Key_Down)
        EndRadiusDrag(window);
}
