#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

// The drawing area. It shows a ready picture (its canvas) and carries the two
// colours the picture is drawn with, as colour values that may name system colours.
class TPaintBox : public QWidget {
    Q_OBJECT

public:
    explicit TPaintBox(QWidget *parent = nullptr);

    uint32_t Color = 0;    // background colour value
    uint32_t PenColor = 0; // star colour value

    // The picture on screen. Replacing it and calling update() shows the new
    // picture whole, never half drawn.
    QImage &Canvas() { return canvas_; }

signals:
    void resized();
    // Mouse events in the box's own coordinates. While a button is held the box
    // keeps the mouse, so moves and releases outside it still arrive.
    void mousePressed(Qt::MouseButton button, int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage canvas_;
};
