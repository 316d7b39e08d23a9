#include "ScreenPixels.h"

#include "Compositing.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <vector>

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

QImage OverBackdrop(const QImage &picture, qreal ratio, QSize logical, const QImage &backdrop,
                    QPoint origin) {
    QImage star = AtDeviceRatio(picture, ratio, logical);
    star.setDevicePixelRatio(1);
    QImage shown(star.size(), QImage::Format_RGB32);
    if (shown.isNull())
        return star;
    shown.fill(Qt::white);
    QPainter painter(&shown);
    painter.drawImage(QPoint(0, 0), backdrop, QRect(origin, shown.size()));
    painter.drawImage(QPoint(0, 0), star);
    painter.end();
    shown.setDevicePixelRatio(ratio);
    return shown;
}

DesktopPicture CaptureDesktop(qreal scale) {
    if (!DesktopCanBeCaptured())
        return {};
    // Each screen's picture in its own device pixels, placed at its corner: where its
    // ratio is the one asked for it is copied as it is, never resampled (a screen's
    // logical size is rounded at a fractional ratio, its device size is exact).
    struct Shot {
        QImage image;
        QRectF place;
    };
    std::vector<Shot> shots;
    QRect logical;
    for (const QScreen *screen : QGuiApplication::screens())
        logical |= screen->geometry();
    QRectF desktop;
    for (QScreen *screen : QGuiApplication::screens()) {
        QImage image = screen->grabWindow(0).toImage();
        const qreal ratio = image.devicePixelRatio() > 0 ? image.devicePixelRatio() : 1;
        const QRectF place(QPointF(screen->geometry().topLeft() - logical.topLeft()) * scale,
                           QSizeF(image.size()) * (scale / ratio));
        desktop |= place;
        shots.push_back({std::move(image), place});
    }
    QImage whole(desktop.size().toSize(), QImage::Format_RGB32);
    if (whole.isNull())
        return {};
    whole.fill(Qt::white);
    QPainter painter(&whole);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const Shot &shot : shots)
        painter.drawImage(shot.place, shot.image);
    painter.end();
    return {whole, logical.topLeft()};
}
