#include "StarView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>

#include <utility>

StarView::StarView(QWidget *parent) : QWidget(parent) {
    // The widget paints every pixel itself from its canvas.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void StarView::paintEvent(QPaintEvent *event) {
    emit aboutToPaint();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRegion(event->region());
    painter.drawImage(canvasOrigin_, canvas_);
    // Anything the canvas does not cover (before the first picture, or off the
    // screens) shows the window's background.
    const QRegion uncovered =
        QRegion(rect()) - QRegion(QRect(canvasOrigin_, canvas_.deviceIndependentSize().toSize()));
    for (const QRect &r : uncovered)
        painter.fillRect(r, palette().window());
    if (focusShown_ && hasFocus()) {
        // A dotted line along the edge, over the picture: the picture itself stays
        // as it is.
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(palette().highlight(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void StarView::keyPressEvent(QKeyEvent *event) {
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)
        return QWidget::keyPressEvent(event);
    focusShown_ = true;
    heldArrow_ = event->key();
    emit arrowPressed(event->key(), event->modifiers());
}

void StarView::keyReleaseEvent(QKeyEvent *event) {
    if ((event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) || event->isAutoRepeat())
        return QWidget::keyReleaseEvent(event);
    heldArrow_ = 0;
    emit arrowReleased(event->key());
}

void StarView::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    // Only a Tab the user pressed shows the frame: the window's first focus also
    // comes as a Tab, but without a key.
    focusShown_ =
        (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) &&
        window()->testAttribute(Qt::WA_KeyboardFocusChange);
    update();
}

void StarView::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    // A menu or window that takes the keyboard while an arrow is held gets its
    // release: the key counts as let go now.
    if (heldArrow_ != 0)
        emit arrowReleased(std::exchange(heldArrow_, 0));
    update();
}

void StarView::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    emit resized();
}

// A double click arrives as a second press (QWidget's default for double clicks).
void StarView::mousePressEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit mousePressed(event->button(), p.x(), p.y());
}

void StarView::mouseMoveEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit mouseMoved(p.x(), p.y());
}

void StarView::mouseReleaseEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit mouseReleased(event->button(), p.x(), p.y());
}
