#include "MainWindow.h"

#include "AboutDialog.h"
#include "CentrePalette.h"
#include "ColorValue.h"
#include "Compositing.h"
#include "ExportCommands.h"
#include "FormFont.h"
#include "JagsPalette.h"
#include "LiveBackground.h"
#include "MagnificationDialog.h"
#include "NumberText.h"
#include "PictureOptions.h"
#include "RadiusEditing.h"
#include "RotationPalette.h"
#include "ScreenPixels.h"
#include "SettingsFile.h"
#include "ShapePalette.h"
#include "SizeDialog.h"
#include "StarDescription.h"
#include "StarFiles.h"
#include "StarPicture.h"
#include "SystemPalette.h"
#include "TwistPalette.h"
#include "UndoSteps.h"
#include "WindowLayout.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QThread>

#include <algorithm>

MainWindow *mainWindow = nullptr;

namespace {

constexpr int kLayoutLeft = 57, kLayoutTop = 202;
// The narrowest frame, in pixels, whatever the menu bar asks for.
constexpr int kMinimumFrameWidth = 120;

} // namespace

MainWindow::MainWindow(std::string settingsPath, QWidget *parent)
    : QMainWindow(parent), Document(new StarDocument(std::move(settingsPath), this)),
      ShapeSettings(Document->Settings), Modified(Document->Modified) {
    setupUi(this);
    setFont(FormFont(12));
    Radii = new RadiusEditor(*Document, *starView, this);
    connect(Radii, &RadiusEditor::changed, this, [this] { DrawShape(starView->Canvas()); });

    status->setFixedHeight(kStatusBarHeight);
    colorDialog = new QColorDialog(this);
    saveDialog = CreateSaveDialog(*this, actionTransparentPicture);
    contextMenu = new QMenu(this);
    contextMenu->addActions({actionUndo, actionRedo});
    contextMenu->addSeparator();
    contextMenu->addActions({actionCopyContext});
    contextMenu->addSeparator();
    contextMenu->addActions({actionJagsContext, actionRotationContext, actionTwistContext,
                             actionCentreContext, actionShapeContext, actionSameSizeContext,
                             actionSizeContext});
    contextMenu->addSeparator();
    contextMenu->addActions({actionFillContext, actionStarColorContext,
                             actionBackgroundColorContext, actionTransparentContext});
    contextMenu->addSeparator();
    contextMenu->addActions({actionGetBackgroundContext});

    move(kLayoutLeft, kLayoutTop);
    SetClientSize(kLayoutAreaWidth, kLayoutAreaHeight + kStatusBarHeight);

    connect(starView, &StarView::resized, this, &MainWindow::redraw);
    connect(starView, &StarView::mousePressed, this, &MainWindow::pressInDrawingArea);
    connect(starView, &StarView::mouseMoved, this, &MainWindow::moveInDrawingArea);
    connect(starView, &StarView::mouseReleased, this,
            [this](Qt::MouseButton button, int, int) { releaseInDrawingArea(button); });
    connect(
        starView, &StarView::arrowPressed, this,
        [this](int key, Qt::KeyboardModifiers modifiers) { Radii->KeyPressed(key, modifiers); });
    connect(starView, &StarView::arrowReleased, this, [this](int key) { Radii->KeyReleased(key); });
    starView->setAccessibleName(tr("星"));
    status->setAccessibleName(tr("ステータスバー"));
    ConnectCommands();
    ConnectPictureOptions(actionTransparentPicture, actionSmooth);
    // Preferences of the program, not of the star: the picture shows them at once,
    // and nothing counts as changed.
    for (QAction *option : {actionTransparentPicture, actionSmooth})
        connect(option, &QAction::toggled, this, [this] { DrawShape(starView->Canvas()); });
    Live = new LiveBackground(actionLiveSeeThrough, *this, {mainMenuBar, status});
    menuEdit->setToolTipsVisible(true);
    // A compositing manager may have come or gone since the menu was last open.
    for (QMenu *menu : {menuEdit, contextMenu})
        connect(menu, &QMenu::aboutToShow, Live, &LiveBackground::Review);
    connect(Live, &LiveBackground::activeChanged, this, [this] {
        setTransparentMarks(ShapeSettings.Trans != 0);
        DrawShape(starView->Canvas());
    });
    // The compositing manager stopped under a live background: the still backdrop,
    // taken afresh, shows instead.
    connect(Live, &LiveBackground::compositorLeft, this, [this] {
        if (ShapeSettings.Trans != 0)
            captureBackground();
    });
    // A window made again, shown again or placed by the window manager after it was
    // drawn: the still backdrop follows it to where it is now.
    connect(starView, &StarView::aboutToPaint, this, [this] {
        if (BackdropDrawnAt && DevicePosition(*starView) != *BackdropDrawnAt)
            DrawShape(starView->Canvas());
    });
    // A palette's change of the star: the picture follows. BuildDirections depends on
    // the jag count and the twists only, so rebuilding after any change is exact.
    connect(Document, &StarDocument::changed, this, [this] {
        BuildDirections();
        redraw();
    });
    connect(Document, &StarDocument::aboutToSave, this, &MainWindow::StoreWindowFields);
    StartUp();
    Recorder = new ChangeRecorder(
        *Document, [this](bool withClientSize) { return CaptureState(withClientSize); },
        [this](const PictureState &state) { ApplyState(state); }, this);
    ConnectUndo();
    connect(Document, &StarDocument::fileChanged, this,
            [this] { ShowDocumentTitle(*this, *Document); });
    ShowDocumentTitle(*this, *Document);
    setAcceptDrops(true);
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
    connect(actionUndo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(actionRedo, &QAction::triggered, &stack, &QUndoStack::redo);
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
    connect(actionAbout, &QAction::triggered, this, &MainWindow::showAbout);
    for (QAction *a : {actionCopy, actionCopyContext})
        connect(a, &QAction::triggered, this, &MainWindow::copyPicture);
    for (QAction *a : {actionSize, actionSizeContext})
        connect(a, &QAction::triggered, this, &MainWindow::showSizeDialog);
    connect(actionDefaults, &QAction::triggered, this, &MainWindow::resetToDefaults);
    connect(actionQuit, &QAction::triggered, this, &MainWindow::quit);
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
    for (QAction *a : {actionJags, actionJagsContext})
        connect(a, &QAction::triggered, this, &MainWindow::showJagsPalette);
    for (QAction *a : {actionRotation, actionRotationContext})
        connect(a, &QAction::triggered, this, &MainWindow::showRotationPalette);
    for (QAction *a : {actionTwist, actionTwistContext})
        connect(a, &QAction::triggered, this, &MainWindow::showTwistPalette);
    for (QAction *a : {actionCentre, actionCentreContext})
        connect(a, &QAction::triggered, this, &MainWindow::showCentrePalette);
    for (QAction *a : {actionShape, actionShapeContext})
        connect(a, &QAction::triggered, this, &MainWindow::showShapePalette);
}

void MainWindow::StartUp() {
    if (Document->IsStarFile())
        RefuseUnreadableStarFile();
    LoadSettings();
    setWindowColor(starView->Color);
    Radii->Forget();
    Modified = false;
    FirstResize = true;
    setTransparentMarks(ShapeSettings.Trans != 0);
    BuildDirections();
    // Taken before any window of the program is on the screen.
    CaptureBackdrop();
}

// The menu bar takes the height it needs at the window's width (it may wrap onto
// more lines); everything below it is client area. Computed rather than read from the
// laid-out widgets, so it also holds before the window is first shown.
int MainWindow::MenuBarHeight(int width) const {
    // Measured with the style's font, as the bar is laid out once shown.
    mainMenuBar->ensurePolished();
    const int wrapped = mainMenuBar->heightForWidth(width);
    return wrapped >= 0 ? wrapped : mainMenuBar->sizeHint().height();
}

int MainWindow::ClientWidth() const {
    return narrowClientWidth_ >= 0 ? narrowClientWidth_ : width();
}

int MainWindow::ClientHeight() const {
    return height() - MenuBarHeight(width());
}

int MainWindow::MinimumFrameWidth() const {
    return std::max(kMinimumFrameWidth, mainMenuBar->minimumSizeHint().width());
}

void MainWindow::SetClientSize(int width, int height) {
    const int clientWidth = std::clamp(width, 0, kMaxAreaSide);
    const int clientHeight = std::clamp(height, 0, kMaxAreaSide + kStatusBarHeight);
    // A window narrower than its menu bar's minimum (0 wide at the extreme) is not
    // mapped by the window system and could never be reached again. The frame keeps
    // that minimum and the drawing area alone takes the narrower width, at the left.
    const int frameWidth = std::max(clientWidth, MinimumFrameWidth());
    narrowClientWidth_ = clientWidth < frameWidth ? clientWidth : -1;
    narrowFrameWidth_ = frameWidth;
    starView->setMaximumWidth(narrowClientWidth_ >= 0 ? narrowClientWidth_ : QWIDGETSIZE_MAX);
    const QSize size(frameWidth, clientHeight + MenuBarHeight(frameWidth));
    setBaseSize(BaseSizeFor(size, devicePixelRatioF()));
    // The window manager (a user's drag) may make the window no larger than the whole
    // desktop, or than the size asked for here: the window's own buffers grow with it.
    const QScreen *screen = this->screen();
    setMaximumSize(screen ? size.expandedTo(screen->virtualGeometry().size())
                          : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    resize(size);
}

void MainWindow::KeepOnSomeScreen() {
    const QRect frame(pos(), frameGeometry().size().expandedTo(size()));
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty() || std::any_of(screens.begin(), screens.end(), [&](QScreen *screen) {
            return screen->geometry().intersects(frame);
        }))
        return;
    // Off every screen: centre it on the primary screen's free area, or put its
    // top left corner there when it is larger.
    const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint centred = free.center() - QRect(QPoint(), frame.size()).center();
    move(std::max(centred.x(), free.left()), std::max(centred.y(), free.top()));
}

QSize MainWindow::DrawingSize() const {
    QSize size = starView->size();
    if (actionSameSizeContext->isChecked())
        size.setWidth(std::min(size.width(), size.height())), size.setHeight(size.width());
    return size;
}

void MainWindow::BuildDirections() {
    ::BuildDirections(ShapeSettings, DirectionTable);
}

StarPicture MainWindow::MakePicture(bool onScreen, const BackdropView *backdrop) const {
    const SystemColors system = SystemColorsFromPalette(palette());
    PictureInputs inputs;
    inputs.areaWidth = starView->width();
    inputs.areaHeight = starView->height();
    inputs.sameSize = actionSameSizeContext->isChecked();
    inputs.fill = actionFillContext->isChecked();
    inputs.output = !onScreen;
    inputs.dragging = Radii->Editing();
    inputs.dragInner = Radii->EditsInner();
    inputs.foreground = ResolveColorValue(starView->PenColor, system);
    inputs.background = ResolveColorValue(starView->Color, system);
    inputs.backdrop = backdrop;
    inputs.transparent = actionTransparentPicture->isChecked();
    inputs.smooth = actionSmooth->isChecked();
    inputs.seeThrough = Live && Live->Active();
    inputs.extras = Document->Extras;
    inputs.lineColor = ResolveColorValue(Document->Extras.LineColor, system);
    const qreal ratio = starView->devicePixelRatioF();
    inputs.screenScale = onScreen ? ScreenScale(ratio) : 1;
    if (onScreen && ScreenScale(ratio) != ratio) {
        // Drawn straight in device pixels: crisp one-pixel lines at any ratio.
        const QSize device = DeviceSize(*starView);
        inputs.areaWidth = device.width();
        inputs.areaHeight = device.height();
        inputs.screenScale = 1;
        inputs.screenRatio = ratio;
    }
    return MakeStarPicture(ShapeSettings, DirectionTable, inputs);
}

void MainWindow::DrawShape(QImage &target) {
    const bool onScreen = &target == &starView->Canvas();
    // The captured screen, placed where the drawing area is on the screen now, in
    // device pixels; looked up only when it shows.
    const qreal ratio = starView->devicePixelRatioF();
    const QPoint at = onScreen && ShapeSettings.Trans != 0 ? DevicePosition(*starView) : QPoint();
    const QPoint origin = at - BackdropOrigin * ratio;
    const BackdropView backdrop{reinterpret_cast<const Pixel *>(Backdrop.constBits()),
                                Backdrop.bytesPerLine() / qsizetype(sizeof(Pixel)),
                                Backdrop.width(),
                                Backdrop.height(),
                                origin.x(),
                                origin.y()};
    const StarPicture picture = MakePicture(onScreen, &backdrop);
    if (onScreen)
        BackdropDrawnAt = picture.backdrop ? std::optional<QPoint>(at) : std::nullopt;
    if (onScreen && Recorder)
        Recorder->Observe(); // every change of the picture is drawn here
    if (onScreen)
        starView->setAccessibleDescription(DescribeStar(
            ShapeSettings, Document->Extras, picture.fill, picture.foreground,
            picture.backdrop || picture.seeThrough ? std::nullopt
                                                   : std::optional<Pixel>(picture.background),
            picture.LineColor()));
    const auto render = [&picture](QImage &image) {
        RenderStarRows(picture, reinterpret_cast<Pixel *>(image.bits()),
                       image.bytesPerLine() / qsizetype(sizeof(Pixel)), 0, picture.height);
    };
    const QSize size(picture.width, picture.height);
    const QImage::Format format =
        picture.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    if (!onScreen && target.size() == size && target.format() == format) {
        // Nobody sees an output bitmap while it is drawn: render straight into it.
        render(target);
        return;
    }
    QRect part(QPoint(), size);
    if (onScreen) {
        const QScreen *screen = starView->screen();
        const QRect shown = ShownPart(starView->size(), starView->mapToGlobal(QPoint()),
                                      screen ? screen->virtualGeometry() : QRect(QPoint(), size));
        part &=
            QRect((QPointF(shown.topLeft()) * ratio).toPoint(), DeviceSize(shown.size(), ratio));
        starView->SetCanvasOrigin(shown.topLeft());
    }
    QImage offscreen;
    if (part.size() != size) {
        offscreen = RenderPart(picture, part, format);
    } else {
        offscreen = QImage(size, format);
        if (!offscreen.isNull())
            render(offscreen);
    }
    // The finished picture replaces the target's in one piece.
    if (onScreen)
        offscreen.setDevicePixelRatio(ratio);
    target = offscreen;
    if (onScreen)
        starView->update();
}

void MainWindow::RenderToBitmap(QImage &bitmap) {
    const PictureSize size =
        OutputPictureSize(starView->width(), starView->height(), actionSameSizeContext->isChecked(),
                          ShapeSettings.SaveRate);
    bitmap = QImage(size.width, size.height,
                    actionTransparentPicture->isChecked() ? QImage::Format_ARGB32
                                                          : QImage::Format_RGB32);
    if (!bitmap.isNull())
        DrawShape(bitmap);
}

bool MainWindow::SaveAsFile() {
    return SavePictureAs(*saveDialog, *Document, *this);
}

void MainWindow::copyPicture() {
    CopyPicture(*this, *Document, *this);
}

void MainWindow::showSizeDialog() {
    sizeDialog->ShowSize(starView->width(), starView->height(), actionSameSizeContext->isChecked());
    if (sizeDialog->exec() != QDialog::Accepted)
        return;
    const int w = ReadLeadingInteger(sizeDialog->widthEdit->text().toStdU16String());
    const int h = ReadLeadingInteger(sizeDialog->heightEdit->text().toStdU16String());
    const bool same = sizeDialog->sameSizeCheckBox->isChecked();
    if (w == starView->width() && h == starView->height() &&
        same == actionSameSizeContext->isChecked())
        return;
    Recorder->Record(StepKind::Other, [&] {
        // Everything around the drawing area keeps its size.
        SetClientSize(ClientWidth() - starView->width() + w,
                      ClientHeight() - starView->height() + h);
        setSameSizeMarks(same);
        Modified = true;
        redraw();
    });
}

void MainWindow::showMagnificationDialog() {
    magnificationDialog->magnificationEdit->setText(QString::number(ShapeSettings.SaveRate));
    if (magnificationDialog->exec() != QDialog::Accepted)
        return;
    ShapeSettings.SaveRate = magnificationDialog->MagnificationValue();
    redraw();
}

void MainWindow::showAbout() {
    aboutDialog->exec();
}

void MainWindow::redraw() {
    if (!FirstResize)
        Modified = true;
    FirstResize = false;
    // Any repaint already queued for the drawing area is merged into this one.
    repaintPicture();
}

void MainWindow::repaintPicture() {
    const QSize size = DrawingSize();
    DrawShape(starView->Canvas());
    status->SetPanelText(0, QStringLiteral("Size:%1,%2").arg(size.width()).arg(size.height()));
    status->SetPanelText(1, QStringLiteral("Points:%1").arg(ShapeSettings.Points));
    status->SetPanelText(2, QStringLiteral("x %1").arg(ShapeSettings.SaveRate));
}

void MainWindow::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    // Keeps a pseudo-transparent background in register with the desktop.
    repaintPicture();
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    // Resized to another width from outside (the window manager): the drawing area
    // fills the window again.
    if (narrowClientWidth_ >= 0 && width() != narrowFrameWidth_) {
        narrowClientWidth_ = -1;
        starView->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    // The window's layout leaves an empty central area as it was; the drawing area
    // must still shrink to nothing with it.
    const QSize area(ClientWidth(), ClientHeight() - status->height());
    if (area.isEmpty() && starView->size() != area.expandedTo({0, 0}))
        starView->setGeometry(QRect(starView->pos(), area.expandedTo({0, 0})));
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event) {
    // Anything but one star file is refused, and the cursor shows it.
    if (IsStarFileDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void MainWindow::dropEvent(QDropEvent *event) {
    QString path;
    if (!IsStarFileDrop(event->mimeData(), &path))
        return event->ignore();
    event->acceptProposedAction();
    OpenStarFile(*this, *Recorder, path);
}

void MainWindow::contextMenuEvent(QContextMenuEvent *event) {
    // A menu opened during a drag would take the mouse, and the left release that
    // ends the drag would never arrive.
    if (!Radii->Editing())
        contextMenu->popup(event->globalPos());
}

void MainWindow::pressInDrawingArea(Qt::MouseButton button, int x, int y) {
    Radii->Press(button, x, y);
}

void MainWindow::moveInDrawingArea(int x, int y) {
    Radii->Move(x, y);
}

void MainWindow::endDrag() {
    Radii->End();
}

bool MainWindow::event(QEvent *event) {
    // A dialog or another window that takes the mouse in the middle of a drag keeps
    // the release from arriving: the drag ends here instead.
    if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowDeactivate)
        endDrag();
    return QMainWindow::event(event);
}

void MainWindow::releaseInDrawingArea(Qt::MouseButton button) {
    Radii->Release(button);
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
    starView->Color = state.backColor;
    setWindowColor(state.backColor);
    if (state.client.isValid())
        SetClientSize(state.client.width(), state.client.height());
    Radii->Forget();
    BuildDirections();
    redraw();
    Document->Reload();
}

void MainWindow::setWindowColor(uint32_t colorValue) {
    QPalette p = starView->palette();
    p.setColor(QPalette::Window,
               QColor::fromRgb(ResolveColorValue(colorValue, SystemColorsFromPalette(palette()))));
    starView->setPalette(p);
}

void MainWindow::setSameSizeMarks(bool on) {
    actionSameSize->setChecked(on);
    actionSameSizeContext->setChecked(on);
}

void MainWindow::setFillMarks(bool on) {
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

void MainWindow::RefuseUnreadableStarFile() {
    SettingsProblem problem;
    if (!StarDocument::StampOf(Document->FilePath()).exists ||
        ReadStarFile(Document->FilePath(), &problem))
        return; // a new star file, or one that can be opened
    // Said once the window is up, over it, as every later message of the program.
    QMetaObject::invokeMethod(
        this,
        [this, path = Document->FilePath(), problem] { ShowStarFileProblem(*this, path, problem); },
        Qt::QueuedConnection);
    Document->TakeFile(kSettingsFileName, false);
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
            SetClientSize(ShapeSettings.ClientWidth, ShapeSettings.ClientHeight);
            move(ShapeSettings.Left, ShapeSettings.Top);
        }
        setSameSizeMarks(ShapeSettings.SameSize != 0);
        setFillMarks(ShapeSettings.Fill != 0);
        setTransparentMarks(ShapeSettings.Trans != 0);
        starView->Color = ShapeSettings.BackColor;
        starView->PenColor = ShapeSettings.ForeColor;
        KeepOnSomeScreen();
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
    // version does not know is saved over.
    if (Document->IsStarFile() || HoldsUnknownData(*Document))
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
    setWindowColor(starView->Color);
    Radii->Forget();
    Modified = false;
    FirstResize = true;
    BuildDirections();
    redraw();
    // The palettes catch up with the reset values after this repaint, in this order.
    for (Palette *palette :
         {static_cast<Palette *>(twistPalette), static_cast<Palette *>(centrePalette),
          static_cast<Palette *>(rotationPalette), static_cast<Palette *>(jagsPalette),
          static_cast<Palette *>(shapePalette)})
        palette->RequestRepaint();
}

void MainWindow::quit() {
    close();
}

bool MainWindow::ChooseColor(uint32_t &colorValue) {
    colorDialog->setCurrentColor(lastChosenColor_);
    if (colorDialog->exec() != QDialog::Accepted)
        return false;
    lastChosenColor_ = colorDialog->selectedColor();
    colorValue = ColorValueFromRgb(lastChosenColor_.red(), lastChosenColor_.green(),
                                   lastChosenColor_.blue());
    return true;
}

void MainWindow::chooseStarColor() {
    if (!ChooseColor(starView->PenColor))
        return;
    Modified = true;
    DrawShape(starView->Canvas());
}

void MainWindow::chooseBackgroundColor() {
    uint32_t color = 0;
    if (!ChooseColor(color))
        return;
    setWindowColor(color);
    starView->Color = color;
    Modified = true;
    DrawShape(starView->Canvas());
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
    DrawShape(starView->Canvas());
}

void MainWindow::CaptureBackdrop() {
    const DesktopPicture desktop = CaptureDesktop(devicePixelRatioF());
    Backdrop = desktop.image;
    BackdropOrigin = desktop.origin;
}

void MainWindow::captureBackground() {
    std::vector<Palette *> shown;
    for (Palette *palette : Palette::All()) {
        if (palette->isVisible())
            shown.push_back(palette);
        palette->hide();
    }
    hide();
    // Let the window system take the windows off the screen, then give the programs
    // underneath time to repaint before the screen is read.
    QGuiApplication::sync();
    QThread::msleep(100);
    CaptureBackdrop();
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

namespace {
// Shows a hidden palette, hides a shown one, and brings back a minimised one.
void ToggleVisible(Palette *palette) {
    if (palette->isVisible() && palette->isMinimized())
        palette->BringBack();
    else
        palette->setVisible(!palette->isVisible());
}
} // namespace

void MainWindow::showJagsPalette() {
    ToggleVisible(jagsPalette);
    Modified = true;
}

void MainWindow::showRotationPalette() {
    ToggleVisible(rotationPalette);
    Modified = true;
}

void MainWindow::showTwistPalette() {
    ToggleVisible(twistPalette);
    Modified = true;
}

void MainWindow::showCentrePalette() {
    ToggleVisible(centrePalette);
    Modified = true;
}

void MainWindow::showShapePalette() {
    ToggleVisible(shapePalette);
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
    for (Palette *palette : Palette::All())
        palette->hide();
    QMessageBox prompt(QMessageBox::Question, tr("確認"), tr("ファイルに保存しますか?"),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (prompt.exec()) {
    case QMessageBox::Yes:
        return SaveAsFile();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}
