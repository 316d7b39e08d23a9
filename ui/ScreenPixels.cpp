#include "ScreenPixels.h"

#include "Compositing.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

int ScreenScale(qreal ratio) {
    return std::max(1, int(std::ceil(ratio - 1e-6)));
}

QImage AtDeviceRatio(QImage picture, qreal ratio, QSize logical) {
    if (ScreenScale(ratio) != ratio && !picture.isNull())
        picture = picture.scaled((QSizeF(logical) * ratio).toSize(), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QSize BaseSizeFor(QSize size, qreal ratio) {
    const int step = std::max(1, qRound(ratio));
    const auto base = [&](int length) {
        const int wanted = qRound(length * ratio) % step;
        for (int b = 0; b < 4 * step; ++b)
            if (qRound(b * ratio) % step == wanted)
                return b;
        return 0;
    };
    return {base(size.width()), base(size.height())};
}

DesktopPicture CaptureDesktop(int scale) {
    if (!DesktopCanBeCaptured())
        return {};
    const QList<QScreen *> screens = QGuiApplication::screens();
    QRect desktop;
    for (const QScreen *screen : screens)
        desktop |= screen->geometry();
    QImage whole(desktop.size() * scale, QImage::Format_RGB32);
    if (whole.isNull())
        return {};
    whole.fill(Qt::white);
    QPainter painter(&whole);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (QScreen *screen : screens)
        painter.drawImage(QRect((screen->geometry().topLeft() - desktop.topLeft()) * scale,
                                screen->geometry().size() * scale),
                          screen->grabWindow(0).toImage());
    painter.end();
    return {whole, desktop.topLeft()};
}
