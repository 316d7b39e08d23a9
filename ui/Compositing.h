#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

// What the window system lets the program do with the desktop behind its windows.
// One file a window system answers these: CompositingX11.cpp asks the X server,
// CompositingQt.cpp takes what Qt alone tells (QtDesktop) where no file of its own
// is built.

// Whether the screen can be read back as a picture (X11, Windows, macOS; not
// Wayland, whose compositors keep the screen from programs, nor the offscreen
// platform).
bool DesktopCanBeCaptured();

// Whether translucent windows show the desktop behind them: every Wayland
// compositor, Windows and macOS; on X11 only while a compositing manager owns the
// screen's _NET_WM_CM_Sn selection.
bool DesktopComposites();

// Where widget's top-left corner lies on the desktop, in device pixels. At a
// fractional ratio a window manager may place a window where no logical position
// falls; X11 is asked where it is.
QPoint DevicePosition(const QWidget &widget);

// The window's size in device pixels. At a fractional ratio its logical size is
// rounded, its device size is what the window system gives it; X11 is asked.
QSize DeviceWindowSize(const QWidget &window);
