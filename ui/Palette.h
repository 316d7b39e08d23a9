#pragma once

#include <QRect>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

class QAbstractSpinBox;
class QLineEdit;
class QLabel;
class QSlider;
class StarDocument;

// A tool palette beside the main window, a view of the star document. Palettes stack
// down the main window's right edge in fixed slots (jag count, rotation angle, twist,
// centre, shape) and bring their controls in line with the star's record whenever they are
// shown and whenever the record is set as a whole.
class Palette : public QWidget {
    Q_OBJECT

public:
    enum Slot { JagsSlot, RotationSlot, TwistSlot, CentreSlot, ShapeSlot, SlotCount };

    Palette(Slot slot, bool staysOnTop, StarDocument &document, QWidget &anchor,
            QWidget *parent = nullptr);
    ~Palette() override;

    void setVisible(bool visible) override;

    // Sets the controls from the star's record. A control that moves reports its
    // change like a user's move, so the values are applied again.
    virtual void ShowRecord() = 0;
    // Queues ShowRecord for when the event loop next runs, if the palette is shown
    // then; a hidden palette catches up when it is next shown.
    void RequestRepaint();
    // Shows a minimised palette again, raised and active.
    void BringBack();
    // Makes the palette the active window, the keyboard in its focused control or
    // else its first one.
    void TakeKeyboard();
    // Every palette there is, in slot order.
    static std::vector<Palette *> All();
    // Hides every palette; returns those that were shown.
    static std::vector<Palette *> HideAll();
    // The palette in the slot, or null while there is none.
    static Palette *InSlot(Slot slot);
    // Shows the palette in the slot when hidden, hides it when shown, and brings it
    // back when minimised.
    static void Toggle(Slot slot);

signals:
    // Shown or hidden, however: its menu command, its close button, the main window
    // minimised.
    void shownChanged(bool shown);

protected:
    StarDocument &Document() { return document_; }
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // Goes with the main window when it is minimised and comes back with it.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Escape gives the keyboard back to the main window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Places the palette's frame in its slot beside the main window.
    void PlaceInSlot();
    // ShowRecord, without recording the values it applies as a step.
    void ShowRecordQuietly();
    void KeepTarget();

    // When to look again, in ms after showing, whether a frame came and moved it.
    static constexpr std::array<int, 6> kPlacingChecks{0, 50, 150, 300, 700, 1500};
    StarDocument &document_;
    QWidget &mainWindow_;
    Slot slot_;
    QPoint target_;               // where the frame's top left corner belongs
    bool placing_ = false;        // just shown: a move by the window system is put right
    bool hiddenWithMain_ = false; // hidden because the main window was minimised
};

// Connects every scroll notification of a track bar to handler: a change of its
// position, and also a press, release or step that leaves the position as it was.
void ConnectTrackBar(QSlider *bar, QObject *context, const std::function<void()> &handler);

// The outer size of a window with its frame; for a window never framed yet, its
// size plus the main window's frame.
QSize FramedSize(const QWidget *window, const QWidget &anchor);

// Undo and redo keys typed into a palette's edit undo the star, not the edit: the
// edit keeps no undo history of its own.
void LeaveUndoToTheStar(QLineEdit *edit);
// The same for a spin box, which hands its keys to its edit past the edit's filters.
void LeaveUndoToTheStar(QAbstractSpinBox *box);

struct PalettePosition {
    int left, top;
};
// The places of the palettes (outer sizes, in slot order) beside the main window's
// frame, on the free area of its monitor: a column against the main window's right
// edge, or its left edge where the right has no room, the palettes one below the other
// from the main window's top. A palette that would run past the area's bottom starts
// a further column outside the first, from the area's top; columns that find no room
// on one side go to the other. Where no arrangement keeps every palette whole on the area without
// covering another or the main window, the first column's slots kept within the area.
std::vector<PalettePosition> PaletteSlots(const QRect &main, const std::vector<QSize> &sizes,
                                          const QRect &freeArea);
// The position nearest to p at which a frame of the given outer size lies wholly in
// the free area of a screen (a frame larger than the area keeps its left or top edge
// on the area's): a palette whose slot would leave part of it out of reach.
PalettePosition KeepWithin(PalettePosition p, QSize outer, const QRect &freeArea);
