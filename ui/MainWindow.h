#pragma once

#include "PictureSource.h"
#include "RadiusEditing.h"
#include "SettingsFile.h"
#include "ShapeSettings.h"
#include "StarDocument.h"
#include "StarGeometry.h"
#include "StarPicture.h"
#include "StarView.h"
#include "UndoSteps.h"
#include "ui_MainWindow.h"

#include <QColor>
#include <QMainWindow>

#include <optional>

class LiveBackground;
class QColorDialog;
class QFileDialog;

// The main window: drawing area, menus and status bar, a view of the star document.
// Its menu items are public for the dialogs and the tests.
class MainWindow : public QMainWindow, public Ui::MainWindow, public PictureSource {
    Q_OBJECT

public:
    // settingsPath: the settings file, as the bytes of its name; any other name than
    // Vantrell.def is a star file named on the command line.
    explicit MainWindow(std::string settingsPath = kSettingsFileName, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The star: its record, its file and its undo stack. ShapeSettings and Modified
    // are the document's own.
    StarDocument *const Document;
    ::ShapeSettings &ShapeSettings;
    bool &Modified;
    Directions DirectionTable{};
    // Changes the radii by mouse and keys in the drawing area.
    RadiusEditor *Radii = nullptr;
    bool FirstResize = false;
    // Records every change of the picture as a step of the undo stack.
    ChangeRecorder *Recorder = nullptr;

    // A still picture of the whole desktop (every screen), shown behind the star
    // while Trans is on, in the screen's device pixels; null where the screen cannot
    // be read, which shows white.
    QImage Backdrop;
    QPoint BackdropOrigin; // the desktop's top-left corner, in logical pixels
    // Where on the desktop (device pixels) the drawing area was when the still
    // backdrop was last drawn under the star; empty when it does not show.
    std::optional<QPoint> BackdropDrawnAt;
    // The live see-through background, where the desktop composites.
    LiveBackground *Live = nullptr;
    QMenu *contextMenu = nullptr; // the context menu, twin of the main menu's commands
    QColorDialog *colorDialog = nullptr;
    QFileDialog *saveDialog = nullptr;

    void BuildDirections();
    // Renders the whole picture onto target: an on-screen rendering when target is
    // the drawing area's canvas, an output rendering otherwise.
    void DrawShape(QImage &target);
    // Gives bitmap the output size (the box times SaveRate) and renders into it.
    void RenderToBitmap(QImage &bitmap);
    // Save As; true when a picture file was written.
    bool SaveAsFile();
    // The picture as the window's state describes it, for the screen (in device
    // pixels) or for output; an on-screen picture with Trans on shows backdrop behind
    // the star.
    StarPicture MakePicture(bool onScreen, const BackdropView *backdrop = nullptr) const;
    StarPicture OutputPicture() const override { return MakePicture(false); }
    void RenderOutput(QImage &bitmap) override { RenderToBitmap(bitmap); }

    void LoadSettings();
    // Writes the settings file; on failure says so and returns false.
    bool WriteSettings();
    // The picture's parameters as the window shows them, with the client size when asked.
    PictureState CaptureState(bool withClientSize = false) const;
    // Puts the window in that state: parameters, check marks, colours, the size when
    // the state carries one; then repaints the picture, the status bar and every
    // shown palette. Sets Modified like any other change.
    void ApplyState(const PictureState &state);
    void CaptureBackdrop();

    // Client area: the drawing area plus the status bar; the menu bar is not part of it.
    int ClientWidth() const;
    int ClientHeight() const;
    // Width and height of the client area; a width below the frame's minimum
    // leaves the frame at that minimum with a drawing area that narrow inside it.
    void SetClientSize(int width, int height);
    int MenuBarHeight(int width) const;
    int MinimumFrameWidth() const;
    // Moves a window that lies off every screen onto the primary screen.
    void KeepOnSomeScreen();

public slots:
    // After the drawing area was resized or a parameter changed: marks the star
    // changed (except for the first layout) and repaints the picture.
    void redraw();
    // Draws the picture afresh and shows its size, jags and magnification.
    void repaintPicture();

    void resetToDefaults();
    void saveSettings();
    void quit();
    void chooseStarColor();
    void chooseBackgroundColor();
    void toggleSameSize(bool checked);
    void toggleFill(bool checked);
    void toggleTransparent(bool checked);
    void captureBackground();
    void showJagsPalette();
    void showRotationPalette();
    void showTwistPalette();
    void showCentrePalette();
    void showShapePalette();
    void copyPicture();
    void showSizeDialog();
    void showMagnificationDialog();
    void showAbout();

    void pressInDrawingArea(Qt::MouseButton button, int x, int y);
    void moveInDrawingArea(int x, int y);
    void releaseInDrawingArea(Qt::MouseButton button);
    // Ends a drag whose release will not come; the markers go.
    void endDrag();

    // The window's own colour and the twin check marks, both items at once; the
    // transparency marks also enable the capture commands.
    void setWindowColor(uint32_t colorValue);
    void setSameSizeMarks(bool on);
    void setFillMarks(bool on);
    void setTransparentMarks(bool on);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void StartUp();
    // A star file named on the command line that cannot be the document is refused:
    // the program goes on with Vantrell.def.
    void RefuseUnreadableStarFile();
    // The window's own fields of the record: position, size, marks and colours.
    void StoreWindowFields();
    bool MayClose();
    void ConnectCommands();
    void ConnectUndo();
    QSize DrawingSize() const;
    // Runs the colour dialog from the colour it returned last; false on Cancel.
    bool ChooseColor(uint32_t &colorValue);

    QColor lastChosenColor_ = Qt::black;
    int narrowClientWidth_ = -1; // a client width narrower than the frame, or -1
    int narrowFrameWidth_ = 0;   // the frame width that goes with it
};

extern MainWindow *mainWindow;
