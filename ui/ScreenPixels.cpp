#include "ScreenPixels.h"

#include "Compositing.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

int ScreenScale(qreal ratio) {
    return std::max(1, int(std::ceil(ratio - 1e-6)));
}

QSize DeviceSize(QSize logical, qreal ratio) {
    return (QSizeF(logical) * ratio).toSize();
}

QSize DeviceSize(const QWidget &widget) {
    return DeviceSize(QRect(widget.mapTo(widget.window(), QPoint(0, 0)), widget.size()),
                      widget.devicePixelRatioF(), DeviceWindowSize(*widget.window()));
}

QSize DeviceSize(const QRect &place, qreal ratio, QSize window) {
    const auto at = [ratio](int logical) { return qRound(logical * ratio); };
    // No further than the window's own device pixels, whose logical size is rounded.
    return {std::min(at(place.x() + place.width()), window.width()) - at(place.x()),
            std::min(at(place.y() + place.height()), window.height()) - at(place.y())};
}

QRect ShownPart(QSize area, QPoint corner, const QRect &desktop) {
    const QRect whole(QPoint(), area);
    if (area.width() <= desktop.width() && area.height() <= desktop.height())
        return whole;
    const QRect onDesktop = QRect(desktop.topLeft() - corner, desktop.size()) & whole;
    return onDesktop.isEmpty() ? whole & QRect(QPoint(), desktop.size()) : onDesktop;
}

QImage RenderPart(const StarPicture &picture, const QRect &part, QImage::Format format) {
    QImage image(part.size(), format);
    if (image.isNull())
        return image;
    constexpr int32_t kRows = 32;
    std::vector<Pixel> rows(std::size_t(picture.width) * kRows);
    for (int32_t y = part.top(); y <= part.bottom(); y += kRows) {
        const int32_t end = std::min(y + kRows, int32_t(part.bottom()) + 1);
        RenderStarRows(picture, rows.data(), picture.width, y, end);
        for (int32_t row = y; row < end; ++row)
            std::copy_n(rows.data() + std::size_t(row - y) * std::size_t(picture.width) +
                            part.left(),
                        part.width(), reinterpret_cast<Pixel *>(image.scanLine(row - part.top())));
    }
    return image;
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

void KeepOnSomeScreen(QWidget &window) {
    const QRect frame(window.pos(), window.frameGeometry().size().expandedTo(window.size()));
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty() || std::any_of(screens.begin(), screens.end(), [&](QScreen *screen) {
            return screen->geometry().intersects(frame);
        }))
        return;
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint centred = free.center() - QRect(QPoint(), frame.size()).center();
    window.move(std::max(centred.x(), free.left()), std::max(centred.y(), free.top()));
}
