#pragma once

#include "ClientArea.h"
#include "Palette.h"
#include "PaletteCommands.h"
#include "SettingsFile.h"
#include "ShapeSettings.h"
#include "StarDocument.h"
#include "StarView.h"
#include "UndoSteps.h"
#include "ui_MainWindow.h"

#include <QMainWindow>

#include <memory>

class AboutDialog;
class LiveBackground;
class MagnificationDialog;
class ColorChoice;
class QFileDialog;
class SizeDialog;

// The main window: drawing area, menus and status bar, a view of the star document.
// Its menu items are public for the dialogs and the tests.
class MainWindow : public QMainWindow, public Ui::MainWindow {
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
    bool FirstResize = false;
    // Shows and hides the palettes.
    PaletteCommands *Palettes = nullptr;
    // Records every change of the picture as a step of the undo stack.
    ChangeRecorder *Recorder = nullptr;

    // The live see-through background, where the desktop composites.
    LiveBackground *Live = nullptr;
    QMenu *contextMenu = nullptr;  // the context menu, twin of the main menu's commands
    ColorChoice *colors = nullptr; // the colour dialog of both colour commands
    QFileDialog *saveDialog = nullptr;
    // Windows of their own, shown modal.
    std::unique_ptr<SizeDialog> sizeDialog;
    std::unique_ptr<MagnificationDialog> magnificationDialog;
    std::unique_ptr<AboutDialog> aboutDialog;

    // Save As; true when a picture file was written.
    bool SaveAsFile();

    void LoadSettings();
    // Writes the settings file; on failure says so and returns false.
    bool WriteSettings();
    // The picture's parameters as the window shows them, with the client size when asked.
    PictureState CaptureState(bool withClientSize = false) const;
    // Puts the window in that state: parameters, check marks, colours, the size when
    // the state carries one; then repaints the picture, the status bar and every
    // shown palette. Sets Modified like any other change.
    void ApplyState(const PictureState &state);

    // Client area: the drawing area plus the status bar; the menu bar is not part of it.
    int ClientWidth() const { return client_->Width(); }
    int ClientHeight() const { return client_->Height(); }
    // Width and height of the client area; a width below the frame's minimum
    // leaves the frame at that minimum with a drawing area that narrow inside it, and
    // an area larger than the screen is scrolled in a frame that fits.
    void SetClientSize(int width, int height) { client_->SetSize(width, height); }
    int MenuBarHeight(int width) const { return client_->MenuBarHeight(width); }
    int MinimumFrameWidth() const { return client_->MinimumFrameWidth(); }

public slots:
    // After the drawing area was resized or a parameter changed: marks the star
    // changed (except for the first layout) and repaints the picture.
    void redraw();
    // Draws the picture afresh and shows its size, jags and magnification.
    void repaintPicture();

    void resetToDefaults();
    void saveSettings();
    void chooseStarColor();
    void chooseBackgroundColor();
    void toggleSameSize(bool checked);
    void toggleFill(bool checked);
    void toggleTransparent(bool checked);
    void captureBackground();
    // Shows a hidden palette with the keyboard in it, hides a shown one and gives
    // the keyboard back to this window, and brings back a minimised one.
    void togglePalette(Palette::Slot slot) { Palettes->Toggle(slot); }
    void copyPicture();
    void showSizeDialog();
    void showMagnificationDialog();

    // The twin check marks, both items at once, and the view's look with them; the
    // transparency marks also enable the capture commands.
    void setSameSizeMarks(bool on);
    void setFillMarks(bool on);
    void setTransparentMarks(bool on);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void StartUp();
    // The window's own fields of the record: position, size, marks and colours.
    void StoreWindowFields();
    bool MayClose();
    void ConnectCommands();
    void ConnectUndo();
    std::unique_ptr<ClientArea> client_;
};
