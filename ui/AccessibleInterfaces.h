#pragma once

class QWidget;

// What screen readers are told of the program's own widgets, beyond what Qt tells of
// a plain widget: the palettes are windows; the drawing area is a canvas that can
// announce a change; UnitSlider, NumberEdit and SpinBox are values a reader hears with
// their text and range, and whose words it may ask for at any offset. Installs once;
// later calls do nothing.
void InstallAccessibleInterfaces();

// Has screen readers speak the drawing area's announcement now, wherever the keyboard
// is: it shows as a notification.
void SendAnnouncement(QWidget &drawingArea);
