#pragma once

#include "StarPicture.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The drawing area on screens of any device pixel ratio.

// The device pixel ratio rounded up to a whole number: where it is the ratio itself,
// the drawing area shows the picture Save As makes at that magnification; at a
// fractional ratio the area is drawn for its device pixels.
int ScreenScale(qreal ratio);

// The device pixels of an area of logical size at the ratio.
QSize DeviceSize(QSize logical, qreal ratio);
// The device pixels the widget owns in its window: from its edges' places in device
// pixels, each rounded as the window system rounds them, so that at a fractional ratio
// it neither loses a row to its neighbour nor draws one under it.
QSize DeviceSize(const QWidget &widget);
// The same for an area at place (logical pixels) in a window of window device pixels,
// whose logical size, rounded from them, may reach a pixel past them: the area ends
// with the window.
QSize DeviceSize(const QRect &place, qreal ratio, QSize window);

// The part of a drawing area of logical size area, whose top-left corner lies at
// corner on the desktop, that the screen needs drawn, in the area's own pixels: the
// whole area while it is no larger than the desktop; else its part on the desktop,
// never larger than the desktop, so that a window larger than every screen keeps
// buffers no larger than the screens.
QRect ShownPart(QSize area, QPoint corner, const QRect &desktop);

// The device pixels part (within the picture) of the picture, as an image of the
// part's size: the rows it covers are drawn a few at a time and their columns copied.
QImage RenderPart(const StarPicture &picture, const QRect &part, QImage::Format format);

// The base size, in logical pixels, from which a window manager that sizes windows
// in steps reaches size exactly. At a scaled ratio the window system is asked to size
// the window in steps of the ratio rounded, in device pixels (1 logical pixel), counted
// from the base size; with a base of 0 a window whose device size is odd at ratio 1.5
// would lose a pixel.
QSize BaseSizeFor(QSize size, qreal ratio);

// Moves a top-level window that lies off every screen onto the primary screen's free
// area: centred, or its top left corner there when it is larger.
void KeepOnSomeScreen(QWidget &window);

// A still picture of the whole desktop, every screen in its place, at scale device
// pixels per logical pixel; origin is the desktop's top-left corner in logical
// pixels. Null where the screen cannot be read (the offscreen platform, Wayland).
struct DesktopPicture {
    QImage image;
    QPoint origin;
};
DesktopPicture CaptureDesktop(qreal scale);
