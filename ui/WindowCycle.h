#pragma once

#include <QObject>

class QWidget;

// F6 moves the keyboard from the main window to the next shown palette, in slot
// order, and round again; Shift+F6 goes backwards. The keys work in every window of
// the program.
class WindowCycle : public QObject {
    Q_OBJECT

public:
    explicit WindowCycle(QWidget &mainWindow);

    // Activates the window after (or before) the active one.
    void Step(int by);

private:
    QWidget &main_;
};
