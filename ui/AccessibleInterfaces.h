#pragma once

// What screen readers are told of the program's own widgets, beyond what Qt tells of
// a plain widget: the palettes are windows; the drawing area is a canvas whose one
// child is its announcement, a notification spoken wherever the keyboard is;
// UnitSlider, NumberEdit and SpinBox are values a reader hears with their text and
// range, and whose words it may ask for at any offset. Installs once; later calls do
// nothing.
void InstallAccessibleInterfaces();
