#pragma once

#include "Palette.h"

#include <QObject>

#include <array>

class QAction;
class QWidget;
class StarDocument;

// The commands that show and hide the palettes: each palette's menu item and its
// context-menu twin, checked while the palette shows. Showing a palette gives it the
// keyboard; hiding it gives the keyboard back to the main window. Showing or hiding
// the jag, rotation, twist or centre palette counts as a change of the picture,
// which the close question asks about; the shape palette's does not.
class PaletteCommands : public QObject {
    Q_OBJECT

public:
    using Items = std::array<std::array<QAction *, 2>, Palette::SlotCount>;

    // items: in slot order; mainWindow owns the commands and takes the keyboard back.
    PaletteCommands(StarDocument &document, QWidget &mainWindow, const Items &items);

    // Shows a hidden palette, hides a shown one, and brings back a minimised one.
    void Toggle(Palette::Slot slot);
    // Keeps the marks with the palettes however they are shown or hidden (their close
    // buttons, the main window minimised); call once the palettes exist.
    void FollowPalettes();

private:
    void ShowMarks();

    StarDocument &document_;
    QWidget &main_;
    Items items_;
};
