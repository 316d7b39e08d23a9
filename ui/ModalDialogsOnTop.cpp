#include "ModalDialogsOnTop.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

ModalDialogsOnTop::ModalDialogsOnTop(QObject *parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

bool ModalDialogsOnTop::eventFilter(QObject *watched, QEvent *event) {
    // Asked of the shown window itself, which the window system takes without the
    // widget being made again.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        QWindow *window = widget->windowHandle();
        if (widget->isWindow() && widget->isModal() && window &&
            !(window->flags() & Qt::WindowStaysOnTopHint))
            window->setFlags(window->flags() | Qt::WindowStaysOnTopHint);
    }
    return QObject::eventFilter(watched, event);
}
