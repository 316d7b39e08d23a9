#include "Palette.h"

#include "Vantmain.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <array>

namespace {

// The palette living in each slot, for the heights of the slots above a palette.
std::array<TPalette *, TPalette::SlotCount> gSlots{};

} // namespace

PalettePosition PlacePalette(int mainLeft, int mainTop, int mainOuterWidth, int heightsAbove,
                             int paletteOuterWidth, int screenWidth) {
    PalettePosition p{mainLeft + mainOuterWidth, mainTop + heightsAbove};
    if (screenWidth < p.left + paletteOuterWidth)
        p.left = mainLeft - paletteOuterWidth;
    return p;
}

TPalette::TPalette(Slot slot, bool staysOnTop, QWidget *parent) : QWidget(parent), slot_(slot) {
    Qt::WindowFlags flags =
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (staysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    gSlots[slot_] = this;
}

TPalette::~TPalette() {
    gSlots[slot_] = nullptr;
}

void TPalette::setVisible(bool visible) {
    const bool showing = visible && !isVisible();
    if (showing)
        FormShow();
    QWidget::setVisible(visible);
    if (showing)
        FormPaint();
}

void TPalette::RequestRepaint() {
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            FormPaint();
    });
}

void TPalette::FormShow() {
    int heightsAbove = 0;
    for (int s = 0; s < slot_; ++s)
        if (gSlots[s])
            heightsAbove += gSlots[s]->frameGeometry().height();
    const QRect main = Form1->frameGeometry();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const PalettePosition p =
        PlacePalette(main.left(), main.top(), main.width(), heightsAbove, frameGeometry().width(),
                     screen ? screen->geometry().width() : 0);
    move(p.left, p.top);
}
