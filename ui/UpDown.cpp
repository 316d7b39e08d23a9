#include "UpDown.h"

#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

UpDown::UpDown(QWidget *parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    for (QToolButton *button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(tr("増やす"));
    down_->setAccessibleName(tr("減らす"));
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDown::SetPosition(int position) {
    position = std::clamp(position, min_, std::max(min_, max_));
    if (position == position_)
        return;
    emit changing(position);
    position_ = position;
}

void UpDown::Step(int delta) {
    // Every arrow click reports, also one at a bound that leaves the position.
    const int position = std::clamp(position_ + delta, min_, std::max(min_, max_));
    emit changing(position);
    position_ = position;
    emit stepped(position);
}

void UpDown::resizeEvent(QResizeEvent *) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

void UpDown::StepFromKeysOf(QWidget &edit) {
    edit.installEventFilter(this);
}

bool UpDown::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) &&
            (key->modifiers() & ~Qt::KeypadModifier) == 0) {
            Step(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
