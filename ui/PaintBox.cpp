#include "PaintBox.h"

#include <QPaintEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget *parent) : QWidget(parent) {
    // The widget paints every pixel itself from its canvas.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, canvas_);
    // Anything the canvas does not cover yet (before the first picture) shows the
    // window's background.
    const QRegion uncovered = QRegion(rect()) - QRegion(canvas_.rect());
    for (const QRect &r : uncovered)
        painter.fillRect(r, palette().window());
}

void TPaintBox::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    emit resized();
}
