#pragma once

#include "Compositing.h"

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QWidget;

// What the window system says of the desktop, asked again at every look: the answers
// of Compositing.h, or answers of its own that a test gives.
struct DesktopAnswers {
    std::function<bool()> composites = DesktopComposites;
    std::function<bool()> canBeCaptured = DesktopCanBeCaptured;
};

// The live see-through background. Where the desktop composites, the main window
// can be translucent: the drawing area is then truly transparent behind the star and
// shows the desktop live, in place of a still picture taken by 背景取得. A preference
// of the program (its check item, off by default, kept in the user's Qt settings);
// where nothing can be captured (Wayland) it is the only see-through there is.
class LiveBackground : public QObject {
    Q_OBJECT

public:
    // window: the main window; opaque: its parts that stay opaque over a translucent
    // window (the menu and status bars). Call before the window is first shown.
    LiveBackground(QAction *item, QWidget &window, QList<QWidget *> opaque,
                   DesktopAnswers desktop = {});

    // The window is translucent: a see-through picture leaves its background alpha 0.
    bool Active() const { return active_; }
    // Looks again whether the desktop composites (a compositing manager may have
    // started or stopped) and follows it.
    void Review();

signals:
    void activeChanged(bool active);
    // The compositing manager went away while the live background showed.
    void compositorLeft();

private:
    void Apply(bool active);

    QAction *item_;
    QWidget &window_;
    QList<QWidget *> opaque_;
    DesktopAnswers desktop_;
    bool active_ = false;
    bool composites_ = false; // as last looked
    bool plainNoSystemBackground_ = false;
};
