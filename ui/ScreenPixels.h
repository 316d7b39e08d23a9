#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>

// The drawing area on screens of any device pixel ratio.

// The whole number of device pixels per pixel the drawing area is drawn at: the
// device pixel ratio, or the next whole number above a fractional one.
int ScreenScale(qreal ratio);

// The picture drawn at ScreenScale(ratio) as the screen shows it: at a fractional
// ratio scaled down smoothly to the device pixels, so no outline doubles.
QImage AtDeviceRatio(QImage picture, qreal ratio, QSize logical);

// The base size, in logical pixels, from which a window manager that sizes windows
// in steps reaches size exactly. At a scaled ratio the window system is asked to size
// the window in steps of the ratio rounded, in device pixels (1 logical pixel), counted
// from the base size; with a base of 0 a window whose device size is odd at ratio 1.5
// would lose a pixel.
QSize BaseSizeFor(QSize size, qreal ratio);

// A picture drawn over a clear background at ScreenScale(ratio), scaled down to the
// device pixels and laid over the piece of backdrop (device pixels) whose top-left
// corner is at origin; white where the backdrop ends. The backdrop is copied, never
// resampled, so it stays sharp and in register at a fractional ratio.
QImage OverBackdrop(const QImage &picture, qreal ratio, QSize logical, const QImage &backdrop,
                    QPoint origin);

// A still picture of the whole desktop, every screen in its place, at scale device
// pixels per logical pixel; origin is the desktop's top-left corner in logical
// pixels. Null where the screen cannot be read (the offscreen platform, Wayland).
struct DesktopPicture {
    QImage image;
    QPoint origin;
};
DesktopPicture CaptureDesktop(qreal scale);
