#pragma once

#include <QSize>

#include <optional>

class QMainWindow;
class QMenuBar;
class QScrollArea;
class QWidget;

// The main window's client area: the drawing area with the status bar under it,
// below the menu bar. The window's frame takes the client's size, except that
// - a client narrower than the menu bar keeps the frame at the menu bar's width,
//   with the drawing area that narrow at its left;
// - a client larger than the free area of the window's screen gets a frame that fits
//   that area, with the drawing area at its full size scrolled inside it: a window
//   that large would have its title and menu bar off the screen and its whole
//   picture held in memory.
class ClientArea {
public:
    ClientArea(QMainWindow &window, QMenuBar &menuBar, QScrollArea &scroller, QWidget &drawingArea,
               int statusBarHeight);

    int Width() const;
    int Height() const;
    // Width and height of the client area, each clamped to what a drawing area may be.
    void SetSize(int width, int height);
    // The menu bar's height at a frame width (it may wrap onto more lines).
    int MenuBarHeight(int frameWidth) const;
    int MinimumFrameWidth() const;
    // The window was resized, by the program or from outside.
    void WindowResized();

private:
    QMainWindow &window_;
    QMenuBar &menuBar_;
    QScrollArea &scroller_;
    QWidget &drawingArea_;
    int statusBarHeight_;
    int narrowClientWidth_ = -1;     // a client width narrower than the frame, or -1
    int narrowFrameWidth_ = 0;       // the frame width that goes with it
    std::optional<QSize> oversized_; // a client larger than the frame shows
};
