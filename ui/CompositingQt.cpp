// The desktop as Qt alone tells of it, for builds without a window system of their own.
#include "Compositing.h"
#include "QtDesktop.h"

bool DesktopCanBeCaptured() {
    return QtDesktopCanBeCaptured();
}

bool DesktopComposites() {
    return QtDesktopComposites();
}

QPoint DevicePosition(const QWidget &widget) {
    return QtDevicePosition(widget);
}

QSize DeviceWindowSize(const QWidget &window) {
    return QtDeviceWindowSize(window);
}
