#include "PaletteCommands.h"

#include "StarDocument.h"

#include <QAction>
#include <QWidget>

PaletteCommands::PaletteCommands(StarDocument &document, QWidget &mainWindow, const Items &items)
    : QObject(&mainWindow), document_(document), main_(mainWindow), items_(items) {
    for (int slot = 0; slot < Palette::SlotCount; ++slot)
        for (QAction *item : items_[std::size_t(slot)]) {
            // Checked while the palette shows, so the toggle is seen and heard.
            item->setCheckable(true);
            connect(item, &QAction::triggered, this, [this, slot] { Toggle(Palette::Slot(slot)); });
        }
}

void PaletteCommands::FollowPalettes() {
    for (Palette *palette : Palette::All())
        connect(palette, &Palette::shownChanged, this, &PaletteCommands::ShowMarks);
}

void PaletteCommands::ShowMarks() {
    for (int slot = 0; slot < Palette::SlotCount; ++slot) {
        const Palette *palette = Palette::InSlot(Palette::Slot(slot));
        for (QAction *item : items_[std::size_t(slot)])
            item->setChecked(palette && palette->isVisible());
    }
}

void PaletteCommands::Toggle(Palette::Slot slot) {
    Palette::Toggle(slot);
    if (Palette *palette = Palette::InSlot(slot); palette && palette->isVisible()) {
        palette->TakeKeyboard();
    } else {
        main_.raise();
        main_.activateWindow();
    }
    ShowMarks();
    if (slot != Palette::ShapeSlot)
        document_.Modified = true;
}
