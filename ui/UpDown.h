#pragma once

#include <QWidget>

class QToolButton;

// A pair of up/down arrows holding a position within a range, apart from any edit.
// Before the position changes, by an arrow or by the program, changing() reports
// the value it is about to take; a step beyond either end changes nothing.
class TUpDown : public QWidget {
    Q_OBJECT

public:
    explicit TUpDown(QWidget *parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Range changes leave the position alone.
    void SetMin(int min) { min_ = min; }
    void SetMax(int max) { max_ = max; }
    void SetPosition(int position);

    QToolButton *UpButton() const { return up_; }
    QToolButton *DownButton() const { return down_; }

signals:
    void changing(int newPosition);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Step(int delta);

    QToolButton *up_;
    QToolButton *down_;
    int min_ = 0, max_ = 100, position_ = 0;
};
