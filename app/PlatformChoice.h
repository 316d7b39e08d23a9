#pragma once

#include <QByteArray>

// The window system to ask Qt for, from the environment. The palettes' placement and
// the desktop capture need one that lets a program place its windows and read the
// screen: on a Wayland session that also runs XWayland (WAYLAND_DISPLAY and DISPLAY
// both set), X11 first, then Wayland. A QT_QPA_PLATFORM the user set always wins.
// Empty: Qt's own choice.
QByteArray PreferredPlatform(const QByteArray &userPlatform, const QByteArray &waylandDisplay,
                             const QByteArray &display);
