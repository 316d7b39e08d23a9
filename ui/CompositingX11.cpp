// The desktop on X11: the compositing manager's selection, and the window's place and
// size as the X server has them. Under any other platform Qt's own answers hold.
#include "Compositing.h"
#include "QtDesktop.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>

namespace {

// The X display, where the program runs on X11 and the widget has a window.
Display *X11Display(const QWidget *window = nullptr) {
    if (!QtPlatformIs("xcb") || (window && !window->internalWinId()))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

} // namespace

bool DesktopCanBeCaptured() {
    return QtDesktopCanBeCaptured();
}

bool DesktopComposites() {
    if (!QtPlatformIs("xcb"))
        return QtDesktopComposites();
    Display *display = X11Display();
    if (!display)
        return false;
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(DefaultScreen(display));
    const Atom atom = XInternAtom(display, selection.constData(), False);
    return XGetSelectionOwner(display, atom) != None;
}

QPoint DevicePosition(const QWidget &widget) {
    if (Display *display = X11Display(widget.window())) {
        int x = 0, y = 0;
        Window child = 0;
        if (XTranslateCoordinates(display, widget.window()->internalWinId(),
                                  DefaultRootWindow(display), 0, 0, &x, &y, &child))
            return QPoint(x, y) +
                   widget.mapTo(widget.window(), QPoint(0, 0)) * widget.devicePixelRatioF();
    }
    return QtDevicePosition(widget);
}

QSize DeviceWindowSize(const QWidget &window) {
    if (Display *display = X11Display(&window)) {
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (XGetGeometry(display, window.internalWinId(), &root, &x, &y, &width, &height, &border,
                         &depth))
            return QSize(int(width), int(height));
    }
    return QtDeviceWindowSize(window);
}
