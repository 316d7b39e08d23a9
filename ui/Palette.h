#pragma once

#include <QWidget>

// A tool palette beside the main window. Palettes stack down the main window's right
// edge in fixed slots (jag count, rotation angle, twist, centre) and bring their
// controls in line with the main window's ShapeSettings whenever they are shown.
class TPalette : public QWidget {
    Q_OBJECT

public:
    enum Slot { PointsSlot, LeanSlot, TwistSlot, CenterSlot, SlotCount };

    TPalette(Slot slot, bool staysOnTop, QWidget *parent = nullptr);
    ~TPalette() override;

    void setVisible(bool visible) override;

    // Sets the controls from ShapeSettings. A control that moves reports its change
    // like a user's move, so the values are applied again.
    virtual void FormPaint() = 0;
    // Queues FormPaint for when the event loop next runs, if the palette is shown
    // then; a hidden palette catches up when it is next shown.
    void RequestRepaint();

private:
    // Places the palette in its slot beside the main window.
    void FormShow();

    Slot slot_;
};

// Where a palette goes: top after the outer heights of the slots above it, left
// against the main window's right edge, or against its left edge when the palette
// would run past the right of a screen screenWidth pixels wide.
struct PalettePosition {
    int left, top;
};
PalettePosition PlacePalette(int mainLeft, int mainTop, int mainOuterWidth, int heightsAbove,
                             int paletteOuterWidth, int screenWidth);
