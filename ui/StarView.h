#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

// The drawing area. It shows a ready picture (its canvas) and carries the two
// colours the picture is drawn with, as colour values that may name system colours.
// It takes the keyboard focus, by a click or Tab, and shows it with a focus frame
// once the keyboard is used there (a click alone shows no frame, so the picture on
// screen stays as it was).
class StarView : public QWidget {
    Q_OBJECT

public:
    explicit StarView(QWidget *parent = nullptr);

    uint32_t Color = 0;    // background colour value
    uint32_t PenColor = 0; // star colour value

    // The picture on screen. Replacing it and calling update() shows the new
    // picture whole, never half drawn.
    QImage &Canvas() { return canvas_; }
    // Where the canvas's top-left corner lies in the box: it may cover only the part
    // of a box larger than the screens that they can show.
    void SetCanvasOrigin(QPoint origin) { canvasOrigin_ = origin; }
    QPoint CanvasOrigin() const { return canvasOrigin_; }

signals:
    void resized();
    // About to show the canvas: a last look whether it is still the right picture.
    void aboutToPaint();
    // Mouse events in the box's own coordinates. While a button is held the box
    // keeps the mouse, so moves and releases outside it still arrive.
    void mousePressed(Qt::MouseButton button, int x, int y);
    void mouseMoved(int x, int y);
    void mouseReleased(Qt::MouseButton button, int x, int y);
    // Up or Down pressed (again while held: autoRepeat), and let go.
    void arrowPressed(int key, Qt::KeyboardModifiers modifiers);
    void arrowReleased(int key);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QImage canvas_;
    QPoint canvasOrigin_;
    bool focusShown_ = false;
    int heldArrow_ = 0; // the arrow key down, or 0
};
