#include "Compositing.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef VANTRELL_X11
#include <QtGui/qguiapplication_platform.h>
#include <X11/Xlib.h>
#endif

namespace {

bool PlatformIs(const char *name) {
    return QGuiApplication::platformName() == QLatin1String(name);
}

} // namespace

bool DesktopCanBeCaptured() {
    return PlatformIs("xcb") || PlatformIs("windows") || PlatformIs("cocoa");
}

bool DesktopComposites() {
    if (PlatformIs("wayland") || PlatformIs("windows") || PlatformIs("cocoa"))
        return true;
#ifdef VANTRELL_X11
    if (PlatformIs("xcb")) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        Display *display = x11 ? x11->display() : nullptr;
        if (!display)
            return false;
        const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
        const Atom atom = XInternAtom(display, selection.constData(), False);
        return XGetSelectionOwner(display, atom) != None;
    }
#endif
    return false;
}

QPoint DevicePosition(const QWidget &widget) {
    const qreal ratio = widget.devicePixelRatioF();
#ifdef VANTRELL_X11
    if (PlatformIs("xcb") && widget.window()->internalWinId()) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        Display *display = x11 ? x11->display() : nullptr;
        int x = 0, y = 0;
        Window child = 0;
        if (display && XTranslateCoordinates(display, widget.window()->internalWinId(),
                                             DefaultRootWindow(display), 0, 0, &x, &y, &child))
            return QPoint(x, y) + widget.mapTo(widget.window(), QPoint(0, 0)) * ratio;
    }
#endif
    return widget.mapToGlobal(QPoint(0, 0)) * ratio;
}

QSize DeviceWindowSize(const QWidget &window) {
#ifdef VANTRELL_X11
    if (PlatformIs("xcb") && window.internalWinId()) {
        auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        Display *display = x11 ? x11->display() : nullptr;
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (display && XGetGeometry(display, window.internalWinId(), &root, &x, &y, &width, &height,
                                    &border, &depth))
            return QSize(int(width), int(height));
    }
#endif
    return (QSizeF(window.size()) * window.devicePixelRatioF()).toSize();
}
