#include "MainWindow.h"

#include "AboutDialog.h"
#include "ColorChoice.h"
#include "ColorValue.h"
#include "ExportCommands.h"
#include "FormFont.h"
#include "LiveBackground.h"
#include "MagnificationDialog.h"
#include "ModalDialogsOnTop.h"
#include "PaletteCommands.h"
#include "PictureOptions.h"
#include "RadiusEditing.h"
#include "ScreenPixels.h"
#include "SettingsFile.h"
#include "SizeDialog.h"
#include "SpokenUndo.h"
#include "StarFiles.h"
#include "UndoSteps.h"
#include "WindowCycle.h"
#include "WindowLayout.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QThread>

#include <algorithm>

namespace {

constexpr int kLayoutLeft = 57, kLayoutTop = 202;

} // namespace

MainWindow::MainWindow(std::string settingsPath, QWidget *parent)
    : QMainWindow(parent), Document(new StarDocument(std::move(settingsPath), this)),
      ShapeSettings(Document->Settings), Modified(Document->Modified) {
    setupUi(this);
    setFont(FormFont(12));
    starView->ShowDocument(*Document);

    status->setFixedHeight(kStatusBarHeight);
    client_ = std::make_unique<ClientArea>(*this, *mainMenuBar, *drawingScroller, *starView,
                                           kStatusBarHeight);
    // Narrower, the window manager would lose the title and the menu bar, and no
    // resize could reach them again.
    setMinimumWidth(MinimumFrameWidth());
    colors = new ColorChoice(*this);
    sizeDialog = std::make_unique<SizeDialog>();
    magnificationDialog = std::make_unique<MagnificationDialog>();
    aboutDialog = std::make_unique<AboutDialog>();
    saveDialog = CreateSaveDialog(*this, actionTransparentPicture);
    contextMenu = new QMenu(this);
    // A null item is a separator.
    for (QAction *item : std::initializer_list<QAction *>{
             actionUndo, actionRedo, nullptr, actionCopyContext, nullptr, actionJagsContext,
             actionRotationContext, actionTwistContext, actionCentreContext, actionShapeContext,
             actionSameSizeContext, actionSizeContext, nullptr, actionFillContext,
             actionStarColorContext, actionBackgroundColorContext, actionTransparentContext,
             nullptr, actionGetBackgroundContext}) {
        if (item)
            contextMenu->addAction(item);
        else
            contextMenu->addSeparator();
    }

    move(kLayoutLeft, kLayoutTop);
    SetClientSize(kLayoutAreaWidth, kLayoutAreaHeight + kStatusBarHeight);

    connect(starView, &StarView::resized, this, &MainWindow::redraw);
    starView->setAccessibleName(tr("星"));
    status->setAccessibleName(tr("ステータスバー"));
    ConnectCommands();
    new WindowCycle(*this);
    new ModalDialogsOnTop(this);
    ConnectPictureOptions(actionTransparentPicture, actionSmooth);
    // Preferences of the program, not of the star: the picture shows them at once,
    // and nothing counts as changed.
    starView->TransparentBackground = actionTransparentPicture->isChecked();
    starView->SmoothEdges = actionSmooth->isChecked();
    connect(actionTransparentPicture, &QAction::toggled, starView,
            &StarView::setTransparentBackground);
    connect(actionSmooth, &QAction::toggled, starView, &StarView::setSmoothEdges);
    Live = new LiveBackground(actionLiveSeeThrough, *this, {mainMenuBar, status});
    starView->FollowLiveBackground(*Live);
    menuEdit->setToolTipsVisible(true);
    // A compositing manager may have come or gone since the menu was last open.
    for (QMenu *menu : {menuEdit, contextMenu})
        connect(menu, &QMenu::aboutToShow, Live, &LiveBackground::Review);
    connect(Live, &LiveBackground::activeChanged, this, [this] {
        setTransparentMarks(ShapeSettings.Trans != 0);
        starView->Draw();
    });
    // The compositing manager stopped under a live background: the still backdrop,
    // taken afresh, shows instead.
    connect(Live, &LiveBackground::compositorLeft, this, [this] {
        if (ShapeSettings.Trans != 0)
            captureBackground();
    });
    // A palette's change of the star: the picture follows.
    connect(Document, &StarDocument::changed, this, &MainWindow::redraw);
    connect(Document, &StarDocument::aboutToSave, this, &MainWindow::StoreWindowFields);
    StartUp();
    Recorder = new ChangeRecorder(
        *Document, [this](bool withClientSize) { return CaptureState(withClientSize); },
        [this](const PictureState &state) { ApplyState(state); }, this);
    // Every change of the picture is drawn, and recorded as it is.
    connect(starView, &StarView::drawing, Recorder, &ChangeRecorder::Observe);
    ConnectUndo();
    connect(Document, &StarDocument::fileChanged, this,
            [this] { ShowDocumentTitle(*this, *Document); });
    ShowDocumentTitle(*this, *Document);
    AcceptStarFileDrops(*this, *Recorder);
}

MainWindow::~MainWindow() {
    // The document goes after the window: nothing it says then is for the window.
    disconnect(Document, nullptr, this, nullptr);
    Document->UndoStack().clear();
}

void MainWindow::ConnectUndo() {
    QUndoStack &stack = Recorder->Stack();
    actionUndo->setShortcuts(QKeySequence::Undo);
    actionRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Undo and redo work from the palettes too: the star is one document.
    for (QAction *action : {actionUndo, actionRedo})
        action->setShortcutContext(Qt::ApplicationShortcut);
    connect(actionUndo, &QAction::triggered, this,
            [this] { UndoAndSay(Recorder->Stack(), *starView, *status); });
    connect(actionRedo, &QAction::triggered, this,
            [this] { RedoAndSay(Recorder->Stack(), *starView, *status); });
    connect(&stack, &QUndoStack::canUndoChanged, actionUndo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, actionRedo, &QAction::setEnabled);
}

void MainWindow::ConnectCommands() {
    connect(actionSaveAs, &QAction::triggered, this, [this] { SaveAsFile(); });
    connect(actionOpen, &QAction::triggered, this,
            [this] { ChooseStarFileToOpen(*this, *Recorder); });
    connect(actionSaveSettingsAs, &QAction::triggered, this,
            [this] { SaveStarFileAs(*this, *Document); });
    connect(actionMagnification, &QAction::triggered, this, &MainWindow::showMagnificationDialog);
    connect(actionSaveSettings, &QAction::triggered, this, &MainWindow::saveSettings);
    actionSaveSettings->setShortcut(QKeySequence::Save);
    connect(actionAbout, &QAction::triggered, this, [this] { aboutDialog->exec(); });
    for (QAction *a : {actionCopy, actionCopyContext})
        connect(a, &QAction::triggered, this, &MainWindow::copyPicture);
    for (QAction *a : {actionSize, actionSizeContext})
        connect(a, &QAction::triggered, this, &MainWindow::showSizeDialog);
    connect(actionDefaults, &QAction::triggered, this, &MainWindow::resetToDefaults);
    connect(actionQuit, &QAction::triggered, this, &QWidget::close);
    // Twin items of the main and the context menu share one handler.
    for (QAction *a : {actionSameSize, actionSameSizeContext})
        connect(a, &QAction::triggered, this, &MainWindow::toggleSameSize);
    for (QAction *a : {actionFill, actionFillContext})
        connect(a, &QAction::triggered, this, &MainWindow::toggleFill);
    for (QAction *a : {actionTransparent, actionTransparentContext})
        connect(a, &QAction::triggered, this, &MainWindow::toggleTransparent);
    for (QAction *a : {actionGetBackground, actionGetBackgroundContext})
        connect(a, &QAction::triggered, this, &MainWindow::captureBackground);
    for (QAction *a : {actionStarColor, actionStarColorContext})
        connect(a, &QAction::triggered, this, &MainWindow::chooseStarColor);
    for (QAction *a : {actionBackgroundColor, actionBackgroundColorContext})
        connect(a, &QAction::triggered, this, &MainWindow::chooseBackgroundColor);
    Palettes = new PaletteCommands(*Document, *this,
                                   {{{actionJags, actionJagsContext},
                                     {actionRotation, actionRotationContext},
                                     {actionTwist, actionTwistContext},
                                     {actionCentre, actionCentreContext},
                                     {actionShape, actionShapeContext}}});
}

void MainWindow::StartUp() {
    RefuseUnreadableStarFile(*this, *Document);
    LoadSettings();
    starView->SetBackgroundColor(starView->Color);
    starView->Radii().Forget();
    Modified = false;
    FirstResize = true;
    setTransparentMarks(ShapeSettings.Trans != 0);
    // Taken before any window of the program is on the screen.
    starView->CaptureBackdrop();
}

bool MainWindow::SaveAsFile() {
    return SavePictureAs(*saveDialog, *Document, *starView);
}

void MainWindow::copyPicture() {
    CopyPicture(*this, *Document, *starView);
}

void MainWindow::showSizeDialog() {
    QSize size = starView->size();
    bool same = starView->SameSize;
    if (!sizeDialog->Ask(size, same) || (size == starView->size() && same == starView->SameSize))
        return;
    Recorder->Record(StepKind::Other, [&] {
        // Everything around the drawing area keeps its size.
        SetClientSize(ClientWidth() - starView->width() + size.width(),
                      ClientHeight() - starView->height() + size.height());
        setSameSizeMarks(same);
        Modified = true;
        redraw();
    });
}

void MainWindow::showMagnificationDialog() {
    if (magnificationDialog->Ask(ShapeSettings.SaveRate))
        redraw();
}

void MainWindow::redraw() {
    if (!FirstResize)
        Modified = true;
    FirstResize = false;
    // Any repaint already queued for the drawing area is merged into this one.
    repaintPicture();
}

void MainWindow::repaintPicture() {
    const QSize size = starView->DrawingSize();
    starView->Draw();
    status->SetPanelText(0, QStringLiteral("Size:%1,%2").arg(size.width()).arg(size.height()));
    status->SetPanelText(1, QStringLiteral("Points:%1").arg(ShapeSettings.Points));
    status->SetPanelText(2, QStringLiteral("x %1").arg(ShapeSettings.SaveRate));
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    client_->WindowResized();
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event) {
    // A menu opened during a drag would take the mouse, and the left release that
    // ends the drag would never arrive.
    if (starView->Radii().Editing())
        return;
    contextMenu->popup(event->globalPos());
    // Opened by the keyboard, the menu has its first command ready for Enter.
    if (event->reason() == QContextMenuEvent::Keyboard)
        for (QAction *item : contextMenu->actions())
            if (item->isEnabled() && !item->isSeparator())
                return contextMenu->setActiveAction(item);
}

PictureState MainWindow::CaptureState(bool withClientSize) const {
    PictureState state;
    state.record = ShapeSettings;
    state.sameSize = actionSameSizeContext->isChecked();
    state.fill = actionFillContext->isChecked();
    state.foreColor = starView->PenColor;
    state.backColor = starView->Color;
    state.extras = Document->Extras;
    if (withClientSize)
        state.client = QSize(ClientWidth(), ClientHeight());
    return state;
}

void MainWindow::ApplyState(const PictureState &state) {
    ShapeSettings = state.record;
    Document->Extras = state.extras;
    setSameSizeMarks(state.sameSize);
    setFillMarks(state.fill);
    setTransparentMarks(state.record.Trans != 0);
    starView->PenColor = state.foreColor;
    starView->SetBackgroundColor(state.backColor);
    if (state.client.isValid())
        SetClientSize(state.client.width(), state.client.height());
    starView->Radii().Forget();
    redraw();
    Document->Reload();
}

void MainWindow::setSameSizeMarks(bool on) {
    starView->SameSize = on;
    actionSameSize->setChecked(on);
    actionSameSizeContext->setChecked(on);
}

void MainWindow::setFillMarks(bool on) {
    starView->Fill = on;
    actionFillContext->setChecked(on);
    actionFill->setChecked(on);
}

void MainWindow::setTransparentMarks(bool on) {
    actionTransparent->setChecked(on);
    actionTransparentContext->setChecked(on);
    // A live background needs no still picture of the desktop.
    const bool capture = on && !(Live && Live->Active());
    actionGetBackground->setEnabled(capture);
    actionGetBackgroundContext->setEnabled(capture);
}

void MainWindow::LoadSettings() {
    SettingsContents contents;
    const std::optional<::ShapeSettings> loaded =
        ReadSettingsFile(Document->FilePath(), nullptr, &contents);
    Document->Extras = contents.extras;
    if (loaded) {
        ShapeSettings = *loaded;
        ClampToEditorRanges(ShapeSettings);
        if (HoldsDrawingArea(ShapeSettings.ClientWidth, ShapeSettings.ClientHeight)) {
            // Placed first: an area larger than the free area of the screen it is on
            // gets a window that fits there.
            move(ShapeSettings.Left, ShapeSettings.Top);
            SetClientSize(ShapeSettings.ClientWidth, ShapeSettings.ClientHeight);
        }
        setSameSizeMarks(ShapeSettings.SameSize != 0);
        setFillMarks(ShapeSettings.Fill != 0);
        setTransparentMarks(ShapeSettings.Trans != 0);
        starView->Color = ShapeSettings.BackColor;
        starView->PenColor = ShapeSettings.ForeColor;
        KeepOnSomeScreen(*this);
        // Said once the window is up, over it.
        if (contents.block == ExtrasBlock::Unknown)
            QMetaObject::invokeMethod(
                this, [this] { ShowUnknownDataNote(*this, Document->FilePath()); },
                Qt::QueuedConnection);
    } else {
        starView->Color = kWindowColor;
        starView->PenColor = kWindowTextColor;
        ApplyDefaultParameters(ShapeSettings);
    }
}

void MainWindow::StoreWindowFields() {
    ShapeSettings.Left = x();
    ShapeSettings.Top = y();
    ShapeSettings.ClientWidth = ClientWidth();
    ShapeSettings.ClientHeight = ClientHeight();
    ShapeSettings.SameSize = actionSameSizeContext->isChecked() ? 1 : 0;
    ShapeSettings.Fill = actionFillContext->isChecked() ? 1 : 0;
    ShapeSettings.ForeColor = starView->PenColor;
    ShapeSettings.BackColor = starView->Color;
}

bool MainWindow::WriteSettings() {
    return SaveDocument(*this, *Document);
}

void MainWindow::saveSettings() {
    // A star file is the user's document: one that is read-only or was changed by
    // someone else is not replaced without asking. No file that holds data this
    // version does not know is saved over, and a Vantrell.def that another instance
    // wrote meanwhile is not replaced without asking either.
    if (Document->IsStarFile() || HoldsUnknownData(*Document) || Document->ChangedOnDisk())
        SaveStarFile(*this, *Document);
    else
        WriteSettings();
}

void MainWindow::resetToDefaults() {
    starView->Color = kWindowColor;
    starView->PenColor = kWindowTextColor;
    ApplyDefaultParameters(ShapeSettings);
    Document->Extras = StarExtras{};
    setSameSizeMarks(false);
    setFillMarks(false);
    setTransparentMarks(false);
    starView->SetBackgroundColor(starView->Color);
    starView->Radii().Forget();
    Modified = false;
    FirstResize = true;
    redraw();
    // The palettes catch up with the reset values after this repaint, in this order.
    for (Palette::Slot slot : {Palette::TwistSlot, Palette::CentreSlot, Palette::RotationSlot,
                               Palette::JagsSlot, Palette::ShapeSlot})
        if (Palette *palette = Palette::InSlot(slot))
            palette->RequestRepaint();
}

void MainWindow::chooseStarColor() {
    if (!colors->Choose(starView->PenColor))
        return;
    Modified = true;
    starView->Draw();
}

void MainWindow::chooseBackgroundColor() {
    uint32_t color = 0;
    if (!colors->Choose(color))
        return;
    starView->SetBackgroundColor(color);
    Modified = true;
    starView->Draw();
}

// A checkable item has already toggled itself when its handler runs, so the
// handlers take the new state and give it to both twins.
void MainWindow::toggleSameSize(bool checked) {
    setSameSizeMarks(checked);
    Modified = true;
    redraw();
}

void MainWindow::toggleFill(bool checked) {
    setFillMarks(checked);
    Modified = true;
    starView->Draw();
}

void MainWindow::captureBackground() {
    const std::vector<Palette *> shown = Palette::HideAll();
    hide();
    // Let the window system take the windows off the screen, then give the programs
    // underneath time to repaint before the screen is read.
    QGuiApplication::sync();
    QThread::msleep(100);
    starView->CaptureBackdrop();
    show();
    repaintPicture(); // the window comes back showing the new picture
    for (Palette *palette : shown)
        palette->show();
}

void MainWindow::toggleTransparent(bool checked) {
    ShapeSettings.Trans = checked ? 1 : 0;
    setTransparentMarks(checked);
    redraw();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (MayClose())
        event->accept();
    else
        event->ignore();
}

bool MainWindow::MayClose() {
    // With a star file, the question is about the star: the picture can always be
    // made again from it.
    if (Document->IsStarFile())
        return MayLeaveStarFile(*this, *Document);
    if (!Modified)
        return true;
    Palette::HideAll();
    return MayLeaveUnsavedPicture([this] { return SaveAsFile(); });
}
