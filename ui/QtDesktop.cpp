#include "QtDesktop.h"

#include <QGuiApplication>
#include <QWidget>

bool QtPlatformIs(const char *name) {
    return QGuiApplication::platformName() == QLatin1String(name);
}

bool QtDesktopCanBeCaptured() {
    return QtPlatformIs("xcb") || QtPlatformIs("windows") || QtPlatformIs("cocoa");
}

bool QtDesktopComposites() {
    return QtPlatformIs("wayland") || QtPlatformIs("windows") || QtPlatformIs("cocoa");
}

bool QtClipboardNeedsImage() {
    return QtPlatformIs("windows");
}

QPoint QtDevicePosition(const QWidget &widget) {
    return widget.mapToGlobal(QPoint(0, 0)) * widget.devicePixelRatioF();
}

QSize QtDeviceWindowSize(const QWidget &window) {
    return (QSizeF(window.size()) * window.devicePixelRatioF()).toSize();
}
