#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

// What Qt alone tells of the desktop, for the platforms whose window system a
// Compositing file does not ask itself.

// Whether Qt's platform is the one named ("xcb", "wayland", "windows", "cocoa").
bool QtPlatformIs(const char *name);
// The screen can be read back on X11, Windows and macOS.
bool QtDesktopCanBeCaptured();
// Every Wayland compositor, Windows and macOS show the desktop behind translucent
// windows.
bool QtDesktopComposites();
// Windows' clipboard hands other programs a bitmap only from Qt's own image;
// elsewhere Qt would offer that image in every format it can write, exact or not.
bool QtClipboardNeedsImage();

// Positions and sizes from the logical ones times the ratio.
QPoint QtDevicePosition(const QWidget &widget);
QSize QtDeviceWindowSize(const QWidget &window);
