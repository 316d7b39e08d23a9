#pragma once

#include <Qt>

class MainWindow;

// Changing the radii in the drawing area, by mouse or keyboard: the one place where a
// gesture there becomes a change of the record. A left drag moves the inner radius
// when it starts on or inside the largest centred circle, else the outer one, a
// percentage point per pixel towards or away from the centre; Up and Down move the
// outer radius by a point, with Shift the inner one. While a radius changes, the
// vertex markers show. Each change sets Modified and redraws, and the undo recorder
// makes one step of each gesture (a drag, a key press, a key held).

void PressForRadius(MainWindow &window, Qt::MouseButton button, int x, int y);
void MoveForRadius(MainWindow &window, int x, int y);
void ReleaseForRadius(MainWindow &window, Qt::MouseButton button);
// Ends a drag whose release will not come; the markers go.
void EndRadiusDrag(MainWindow &window);
// Up or Down, with or without Shift: true when the key changed a radius.
bool RadiusKeyPressed(MainWindow &window, int key, Qt::KeyboardModifiers modifiers);
// The key let go (not a repeat of a held one): the markers go.
void RadiusKeyReleased(MainWindow &window, int key);
