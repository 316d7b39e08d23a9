#pragma once

#include <QWidget>

class QToolButton;

// A pair of up/down arrows holding a position within a range, apart from any edit.
// changing() reports the value the position is about to take: on every arrow click
// (at either end the position stays and that value is reported), and when the
// program sets a different position.
class UpDown : public QWidget {
    Q_OBJECT

public:
    explicit UpDown(QWidget *parent = nullptr);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Range changes leave the position alone.
    void SetMin(int min) { min_ = min; }
    void SetMax(int max) { max_ = max; }
    void SetPosition(int position);

    // Up and Down typed into edit step as the arrows do; the edit's other keys
    // stay its own.
    void StepFromKeysOf(QWidget &edit);

    QToolButton *UpButton() const { return up_; }
    QToolButton *DownButton() const { return down_; }

signals:
    void changing(int newPosition);
    // An arrow clicked, or Up or Down typed: after changing() was handled.
    void stepped(int position);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Step(int delta);

    QToolButton *up_;
    QToolButton *down_;
    int min_ = 0, max_ = 100, position_ = 0;
};
