#include "PaintBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

TPaintBox::TPaintBox(QWidget *parent) : QWidget(parent) {
    // The widget paints every pixel itself from its canvas.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void TPaintBox::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRegion(event->region());
    painter.drawImage(0, 0, canvas_);
    // Anything the canvas does not cover yet (before the first picture) shows the
    // window's background.
    const QRegion uncovered =
        QRegion(rect()) - QRegion(QRect(QPoint(), canvas_.deviceIndependentSize().toSize()));
    for (const QRect &r : uncovered)
        painter.fillRect(r, palette().window());
    if (focusShown_ && hasFocus()) {
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

void TPaintBox::keyPressEvent(QKeyEvent *event) {
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)
        return QWidget::keyPressEvent(event);
    focusShown_ = true;
    emit arrowPressed(event->key(), event->modifiers());
}

void TPaintBox::keyReleaseEvent(QKeyEvent *event) {
    if ((event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) || event->isAutoRepeat())
        return QWidget::keyReleaseEvent(event);
    emit arrowReleased(event->key());
}

void TPaintBox::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    focusShown_ =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    update();
}

void TPaintBox::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    update();
}

void TPaintBox::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    emit resized();
}

// A double click arrives as a second press (QWidget's default for double clicks).
void TPaintBox::mousePressEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit mousePressed(event->button(), p.x(), p.y());
}

void TPaintBox::mouseMoveEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(p.x(), p.y());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit mouseReleased(event->button(), p.x(), p.y());
}
