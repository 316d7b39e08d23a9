#include "WindowCycle.h"

#include "Palette.h"

#include <QApplication>
#include <QShortcut>

#include <algorithm>
#include <vector>

WindowCycle::WindowCycle(QWidget &mainWindow) : QObject(&mainWindow), main_(mainWindow) {
    for (const auto &[key, by] : {std::pair{QKeySequence(Qt::Key_F6), 1},
                                  std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F6), -1}}) {
        auto *shortcut = new QShortcut(key, &mainWindow);
        shortcut->setContext(Qt::ApplicationShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, by = by] { Step(by); });
    }
}

void WindowCycle::Step(int by) {
    std::vector<QWidget *> windows{&main_};
    for (Palette *palette : Palette::All())
        if (palette->isVisible() && !palette->isMinimized())
            windows.push_back(palette);
    const auto active = std::find(windows.begin(), windows.end(), QApplication::activeWindow());
    const int at = active == windows.end() ? 0 : int(active - windows.begin());
    const int count = int(windows.size());
    QWidget *next = windows[std::size_t(((at + by) % count + count) % count)];
    next->raise();
    next->activateWindow();
}
