#include "Vantmain.h"

#include "About.h"
#include "Center.h"
#include "ColorValue.h"
#include "Compositing.h"
#include "ExportCommands.h"
#include "FormFont.h"
#include "Lean.h"
#include "LiveBackground.h"
#include "NumberText.h"
#include "PictureOptions.h"
#include "Points.h"
#include "RadiusEditing.h"
#include "Rotaion.h"
#include "SaveRate.h"
#include "ScreenPixels.h"
#include "SettingsFile.h"
#include "Shape.h"
#include "SizeIn.h"
#include "StarDescription.h"
#include "StarFiles.h"
#include "StarPicture.h"
#include "SystemPalette.h"
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

TForm1 *Form1 = nullptr;

namespace {

constexpr int kLayoutLeft = 57, kLayoutTop = 202;
// The narrowest frame, in pixels, whatever the menu bar asks for.
constexpr int kMinimumFrameWidth = 120;

} // namespace

TForm1::TForm1(std::string settingsPath, QWidget *parent)
    : QMainWindow(parent), Document(new StarDocument(std::move(settingsPath), this)),
      ShapeSettings(Document->Settings), Modified(Document->Modified) {
    setupUi(this);
    setFont(FormFont(12));

    StatusBar1->setFixedHeight(kStatusBarHeight);
    ColorDialog1 = new QColorDialog(this);
    SaveDialog1 = CreateSaveDialog(*this);
    PopupMenu1 = new QMenu(this);
    PopupMenu1->addActions({Undo1, Redo1});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({Clip});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({Points1, Lean2, Rotate, Center, Shape2, Circle1, Size});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({Fill1, ForeColor1, BackColor1, Trans2});
    PopupMenu1->addSeparator();
    PopupMenu1->addActions({GetBack2});

    move(kLayoutLeft, kLayoutTop);
    SetClientSize(kLayoutAreaWidth, kLayoutAreaHeight + kStatusBarHeight);

    connect(PaintBox, &TPaintBox::resized, this, &TForm1::FormResize);
    connect(PaintBox, &TPaintBox::mousePressed, this, &TForm1::FormMouseDown);
    connect(PaintBox, &TPaintBox::mouseMoved, this, &TForm1::FormMouseMove);
    connect(PaintBox, &TPaintBox::mouseReleased, this,
            [this](Qt::MouseButton button, int, int) { FormMouseUp(button); });
    connect(PaintBox, &TPaintBox::arrowPressed, this,
            [this](int key, Qt::KeyboardModifiers modifiers) {
                RadiusKeyPressed(*this, key, modifiers);
            });
    connect(PaintBox, &TPaintBox::arrowReleased, this,
            [this](int key) { RadiusKeyReleased(*this, key); });
    PaintBox->setAccessibleName(tr("星"));
    StatusBar1->setAccessibleName(tr("ステータスバー"));
    ConnectCommands();
    ConnectPictureOptions(Transparent1, Smooth1);
    // Preferences of the program, not of the star: the picture shows them at once,
    // and nothing counts as changed.
    for (QAction *option : {Transparent1, Smooth1})
        connect(option, &QAction::toggled, this, [this] { DrawShape(PaintBox->Canvas()); });
    Live = new LiveBackground(LiveSeeThrough1, *this, {MainMenu1, StatusBar1});
    Edit1->setToolTipsVisible(true);
    // A compositing manager may have come or gone since the menu was last open.
    for (QMenu *menu : {Edit1, PopupMenu1})
        connect(menu, &QMenu::aboutToShow, Live, &LiveBackground::Review);
    connect(Live, &LiveBackground::activeChanged, this, [this] {
        SetTransMarks(ShapeSettings.Trans != 0);
        DrawShape(PaintBox->Canvas());
    });
    // The compositing manager stopped under a live background: the still backdrop,
    // taken afresh, shows instead.
    connect(Live, &LiveBackground::compositorLeft, this, [this] {
        if (ShapeSettings.Trans != 0)
            GetBack1Click();
    });
    // A window made again, shown again or placed by the window manager after it was
    // drawn: the still backdrop follows it to where it is now.
    connect(PaintBox, &TPaintBox::aboutToPaint, this, [this] {
        if (BackdropDrawnAt && DevicePosition(*PaintBox) != *BackdropDrawnAt)
            DrawShape(PaintBox->Canvas());
    });
    // A palette's change of the star: the picture follows. BuildDirections depends on
    // the jag count and the twists only, so rebuilding after any change is exact.
    connect(Document, &StarDocument::changed, this, [this] {
        BuildDirections();
        Redraw();
    });
    connect(Document, &StarDocument::aboutToSave, this, &TForm1::StoreWindowFields);
    FormCreate();
    Recorder = new ChangeRecorder(
        *Document, [this](bool withClientSize) { return CaptureState(withClientSize); },
        [this](const PictureState &state) { ApplyState(state); }, this);
    ConnectUndo();
    connect(Document, &StarDocument::fileChanged, this,
            [this] { ShowDocumentTitle(*this, *Document); });
    ShowDocumentTitle(*this, *Document);
    setAcceptDrops(true);
}

TForm1::~TForm1() {
    // The document goes after the window: nothing it says then is for the window.
    disconnect(Document, nullptr, this, nullptr);
    Document->UndoStack().clear();
}

void TForm1::ConnectUndo() {
    QUndoStack &stack = Recorder->Stack();
    Undo1->setShortcuts(QKeySequence::Undo);
    Redo1->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Undo and redo work from the palettes too: the star is one document.
    for (QAction *action : {Undo1, Redo1})
        action->setShortcutContext(Qt::ApplicationShortcut);
    connect(Undo1, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(Redo1, &QAction::triggered, &stack, &QUndoStack::redo);
    connect(&stack, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
}

void TForm1::ConnectCommands() {
    connect(SaveAs2, &QAction::triggered, this, [this] { SaveAsFile(); });
    connect(Open1, &QAction::triggered, this, [this] { OpenStarFileClick(*this, *Recorder); });
    connect(SaveDefAs1, &QAction::triggered, this,
            [this] { SaveStarFileAsClick(*this, *Document); });
    connect(SaveRate, &QAction::triggered, this, &TForm1::SaveRateClick);
    connect(SaveDef, &QAction::triggered, this, &TForm1::SaveDefClick);
    connect(About1, &QAction::triggered, this, &TForm1::AboutClick);
    for (QAction *a : {Copy1, Clip})
        connect(a, &QAction::triggered, this, &TForm1::ClipClick);
    for (QAction *a : {Size1, Size})
        connect(a, &QAction::triggered, this, &TForm1::SizeClick);
    connect(Default, &QAction::triggered, this, &TForm1::DefaultClick);
    connect(Exit1, &QAction::triggered, this, &TForm1::Quit1Click);
    // Twin items of the main and the context menu share one handler.
    for (QAction *a : {xy111, Circle1})
        connect(a, &QAction::triggered, this, &TForm1::Circle1Click);
    for (QAction *a : {Fill2, Fill1})
        connect(a, &QAction::triggered, this, &TForm1::Fill1Click);
    for (QAction *a : {Trans1, Trans2})
        connect(a, &QAction::triggered, this, &TForm1::Trans1Click);
    for (QAction *a : {GetBack1, GetBack2})
        connect(a, &QAction::triggered, this, &TForm1::GetBack1Click);
    for (QAction *a : {ForeColor2, ForeColor1})
        connect(a, &QAction::triggered, this, &TForm1::ForeColor1Click);
    for (QAction *a : {BackColor2, BackColor1})
        connect(a, &QAction::triggered, this, &TForm1::BackColor1Click);
    for (QAction *a : {Points2, Points1})
        connect(a, &QAction::triggered, this, &TForm1::Points1Click);
    for (QAction *a : {Lean, Lean2})
        connect(a, &QAction::triggered, this, &TForm1::LeanClick);
    for (QAction *a : {Twist1, Rotate})
        connect(a, &QAction::triggered, this, &TForm1::RotateClick);
    for (QAction *a : {Center1, Center})
        connect(a, &QAction::triggered, this, &TForm1::CenterClick);
    for (QAction *a : {Shape1, Shape2})
        connect(a, &QAction::triggered, this, &TForm1::ShapeClick);
}

void TForm1::FormCreate() {
    if (Document->IsStarFile())
        RefuseUnreadableStarFile();
    LoadSettings();
    SetWindowColor(PaintBox->Color);
    Dragging = false;
    Modified = false;
    FirstResize = true;
    SetTransMarks(ShapeSettings.Trans != 0);
    BuildDirections();
    // Taken before any window of the program is on the screen.
    CaptureBackdrop();
}

// The menu bar takes the height it needs at the window's width (it may wrap onto
// more lines); everything below it is client area. Computed rather than read from the
// laid-out widgets, so it also holds before the window is first shown.
int TForm1::MenuBarHeight(int width) const {
    // Measured with the style's font, as the bar is laid out once shown.
    MainMenu1->ensurePolished();
    const int wrapped = MainMenu1->heightForWidth(width);
    return wrapped >= 0 ? wrapped : MainMenu1->sizeHint().height();
}

int TForm1::ClientWidth() const {
    return narrowClientWidth_ >= 0 ? narrowClientWidth_ : width();
}

int TForm1::ClientHeight() const {
    return height() - MenuBarHeight(width());
}

int TForm1::MinimumFrameWidth() const {
    return std::max(kMinimumFrameWidth, MainMenu1->minimumSizeHint().width());
}

void TForm1::SetClientSize(int width, int height) {
    const int clientWidth = std::clamp(width, 0, kMaxAreaSide);
    const int clientHeight = std::clamp(height, 0, kMaxAreaSide + kStatusBarHeight);
    // A window narrower than its menu bar's minimum (0 wide at the extreme) is not
    // mapped by the window system and could never be reached again. The frame keeps
    // that minimum and the drawing area alone takes the narrower width, at the left.
    const int frameWidth = std::max(clientWidth, MinimumFrameWidth());
    narrowClientWidth_ = clientWidth < frameWidth ? clientWidth : -1;
    narrowFrameWidth_ = frameWidth;
    PaintBox->setMaximumWidth(narrowClientWidth_ >= 0 ? narrowClientWidth_ : QWIDGETSIZE_MAX);
    const QSize size(frameWidth, clientHeight + MenuBarHeight(frameWidth));
    setBaseSize(BaseSizeFor(size, devicePixelRatioF()));
    // The window manager (a user's drag) may make the window no larger than the whole
    // desktop, or than the size asked for here: the window's own buffers grow with it.
    const QScreen *screen = this->screen();
    setMaximumSize(screen ? size.expandedTo(screen->virtualGeometry().size())
                          : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    resize(size);
}

void TForm1::KeepOnSomeScreen() {
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

QSize TForm1::DrawingSize() const {
    QSize size = PaintBox->size();
    if (Circle1->isChecked())
        size.setWidth(std::min(size.width(), size.height())), size.setHeight(size.width());
    return size;
}

void TForm1::BuildDirections() {
    ::BuildDirections(ShapeSettings, DirectionTable);
}

StarPicture TForm1::MakePicture(bool onScreen, const BackdropView *backdrop) const {
    const SystemColors system = SystemColorsFromPalette(palette());
    PictureInputs inputs;
    inputs.areaWidth = PaintBox->width();
    inputs.areaHeight = PaintBox->height();
    inputs.sameSize = Circle1->isChecked();
    inputs.fill = Fill1->isChecked();
    inputs.output = !onScreen;
    inputs.dragging = Dragging;
    inputs.dragInner = DragInner;
    inputs.foreground = ResolveColorValue(PaintBox->PenColor, system);
    inputs.background = ResolveColorValue(PaintBox->Color, system);
    inputs.backdrop = backdrop;
    inputs.transparent = Transparent1->isChecked();
    inputs.smooth = Smooth1->isChecked();
    inputs.seeThrough = Live && Live->Active();
    inputs.extras = Document->Extras;
    inputs.lineColor = ResolveColorValue(Document->Extras.LineColor, system);
    const qreal ratio = PaintBox->devicePixelRatioF();
    inputs.screenScale = onScreen ? ScreenScale(ratio) : 1;
    if (onScreen && ScreenScale(ratio) != ratio) {
        // Drawn straight in device pixels: crisp one-pixel lines at any ratio.
        const QSize device = DeviceSize(*PaintBox);
        inputs.areaWidth = device.width();
        inputs.areaHeight = device.height();
        inputs.screenScale = 1;
        inputs.screenRatio = ratio;
    }
    return MakeStarPicture(ShapeSettings, DirectionTable, inputs);
}

void TForm1::DrawShape(QImage &target) {
    const bool onScreen = &target == &PaintBox->Canvas();
    // The captured screen, placed where the drawing area is on the screen now, in
    // device pixels; looked up only when it shows.
    const qreal ratio = PaintBox->devicePixelRatioF();
    const QPoint at = onScreen && ShapeSettings.Trans != 0 ? DevicePosition(*PaintBox) : QPoint();
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
        PaintBox->setAccessibleDescription(DescribeStar(
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
        const QScreen *screen = PaintBox->screen();
        const QRect shown = ShownPart(PaintBox->size(), PaintBox->mapToGlobal(QPoint()),
                                      screen ? screen->virtualGeometry() : QRect(QPoint(), size));
        part &=
            QRect((QPointF(shown.topLeft()) * ratio).toPoint(), DeviceSize(shown.size(), ratio));
        PaintBox->SetCanvasOrigin(shown.topLeft());
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
        PaintBox->update();
}

void TForm1::RenderToBitmap(QImage &bitmap) {
    const PictureSize size = OutputPictureSize(PaintBox->width(), PaintBox->height(),
                                               Circle1->isChecked(), ShapeSettings.SaveRate);
    bitmap = QImage(size.width, size.height,
                    Transparent1->isChecked() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (!bitmap.isNull())
        DrawShape(bitmap);
}

bool TForm1::SaveAsFile() {
    return SavePictureAs(*this);
}

void TForm1::ClipClick() {
    CopyPicture(*this);
}

void TForm1::SizeClick() {
    SizeInDlg->ShowSize(PaintBox->width(), PaintBox->height(), Circle1->isChecked());
    if (SizeInDlg->exec() != QDialog::Accepted)
        return;
    const int w = ReadLeadingInteger(SizeInDlg->Width->text().toStdU16String());
    const int h = ReadLeadingInteger(SizeInDlg->Height->text().toStdU16String());
    const bool same = SizeInDlg->Same->isChecked();
    if (w == PaintBox->width() && h == PaintBox->height() && same == Circle1->isChecked())
        return;
    Recorder->Record(StepKind::Other, [&] {
        // Everything around the drawing area keeps its size.
        SetClientSize(ClientWidth() - PaintBox->width() + w,
                      ClientHeight() - PaintBox->height() + h);
        SetSameSizeMarks(same);
        Modified = true;
        FormResize();
    });
}

void TForm1::SaveRateClick() {
    SaveRateDlg->Rate->setText(QString::number(ShapeSettings.SaveRate));
    if (SaveRateDlg->exec() != QDialog::Accepted)
        return;
    ShapeSettings.SaveRate = SaveRateDlg->RateValue();
    FormResize();
}

void TForm1::AboutClick() {
    AboutDlg->exec();
}

void TForm1::FormResize() {
    if (!FirstResize)
        Modified = true;
    FirstResize = false;
    // Any repaint already queued for the drawing area is merged into this one.
    FormPaint();
}

void TForm1::FormPaint() {
    const QSize size = DrawingSize();
    DrawShape(PaintBox->Canvas());
    StatusBar1->SetPanelText(0, QStringLiteral("Size:%1,%2").arg(size.width()).arg(size.height()));
    StatusBar1->SetPanelText(1, QStringLiteral("Points:%1").arg(ShapeSettings.Points));
    StatusBar1->SetPanelText(2, QStringLiteral("x %1").arg(ShapeSettings.SaveRate));
}

void TForm1::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    // Keeps a pseudo-transparent background in register with the desktop.
    FormPaint();
}

void TForm1::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    // Resized to another width from outside (the window manager): the drawing area
    // fills the window again.
    if (narrowClientWidth_ >= 0 && width() != narrowFrameWidth_) {
        narrowClientWidth_ = -1;
        PaintBox->setMaximumWidth(QWIDGETSIZE_MAX);
    }
    // The window's layout leaves an empty central area as it was; the drawing area
    // must still shrink to nothing with it.
    const QSize area(ClientWidth(), ClientHeight() - StatusBar1->height());
    if (area.isEmpty() && PaintBox->size() != area.expandedTo({0, 0}))
        PaintBox->setGeometry(QRect(PaintBox->pos(), area.expandedTo({0, 0})));
}

void TForm1::dragEnterEvent(QDragEnterEvent *event) {
    // Anything but one star file is refused, and the cursor shows it.
    if (IsStarFileDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dropEvent(QDropEvent *event) {
    QString path;
    if (!IsStarFileDrop(event->mimeData(), &path))
        return event->ignore();
    event->acceptProposedAction();
    OpenStarFile(*this, *Recorder, path);
}

void TForm1::contextMenuEvent(QContextMenuEvent *event) {
    // A menu opened during a drag would take the mouse, and the left release that
    // ends the drag would never arrive.
    if (!Dragging)
        PopupMenu1->popup(event->globalPos());
}

void TForm1::FormMouseDown(Qt::MouseButton button, int x, int y) {
    PressForRadius(*this, button, x, y);
}

void TForm1::FormMouseMove(int x, int y) {
    MoveForRadius(*this, x, y);
}

void TForm1::EndDrag() {
    EndRadiusDrag(*this);
}

bool TForm1::event(QEvent *event) {
    // A dialog or another window that takes the mouse in the middle of a drag keeps
    // the release from arriving: the drag ends here instead.
    if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowDeactivate)
        EndDrag();
    return QMainWindow::event(event);
}

void TForm1::FormMouseUp(Qt::MouseButton button) {
    ReleaseForRadius(*this, button);
}

PictureState TForm1::CaptureState(bool withClientSize) const {
    PictureState state;
    state.record = ShapeSettings;
    state.sameSize = Circle1->isChecked();
    state.fill = Fill1->isChecked();
    state.foreColor = PaintBox->PenColor;
    state.backColor = PaintBox->Color;
    state.extras = Document->Extras;
    if (withClientSize)
        state.client = QSize(ClientWidth(), ClientHeight());
    return state;
}

void TForm1::ApplyState(const PictureState &state) {
    ShapeSettings = state.record;
    Document->Extras = state.extras;
    SetSameSizeMarks(state.sameSize);
    SetFillMarks(state.fill);
    SetTransMarks(state.record.Trans != 0);
    PaintBox->PenColor = state.foreColor;
    PaintBox->Color = state.backColor;
    SetWindowColor(state.backColor);
    if (state.client.isValid())
        SetClientSize(state.client.width(), state.client.height());
    Dragging = false;
    BuildDirections();
    FormResize();
    Document->Reload();
}

void TForm1::SetWindowColor(uint32_t colorValue) {
    QPalette p = PaintBox->palette();
    p.setColor(QPalette::Window,
               QColor::fromRgb(ResolveColorValue(colorValue, SystemColorsFromPalette(palette()))));
    PaintBox->setPalette(p);
}

void TForm1::SetSameSizeMarks(bool on) {
    xy111->setChecked(on);
    Circle1->setChecked(on);
}

void TForm1::SetFillMarks(bool on) {
    Fill1->setChecked(on);
    Fill2->setChecked(on);
}

void TForm1::SetTransMarks(bool on) {
    Trans1->setChecked(on);
    Trans2->setChecked(on);
    // A live background needs no still picture of the desktop.
    const bool capture = on && !(Live && Live->Active());
    GetBack1->setEnabled(capture);
    GetBack2->setEnabled(capture);
}

void TForm1::RefuseUnreadableStarFile() {
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

void TForm1::LoadSettings() {
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
        SetSameSizeMarks(ShapeSettings.SameSize != 0);
        SetFillMarks(ShapeSettings.Fill != 0);
        SetTransMarks(ShapeSettings.Trans != 0);
        PaintBox->Color = ShapeSettings.BackColor;
        PaintBox->PenColor = ShapeSettings.ForeColor;
        KeepOnSomeScreen();
        // Said once the window is up, over it.
        if (contents.block == ExtrasBlock::Unknown)
            QMetaObject::invokeMethod(
                this, [this] { ShowUnknownDataNote(*this, Document->FilePath()); },
                Qt::QueuedConnection);
    } else {
        PaintBox->Color = kWindowColor;
        PaintBox->PenColor = kWindowTextColor;
        ApplyDefaultParameters(ShapeSettings);
    }
}

void TForm1::StoreWindowFields() {
    ShapeSettings.Left = x();
    ShapeSettings.Top = y();
    ShapeSettings.ClientWidth = ClientWidth();
    ShapeSettings.ClientHeight = ClientHeight();
    ShapeSettings.SameSize = Circle1->isChecked() ? 1 : 0;
    ShapeSettings.Fill = Fill1->isChecked() ? 1 : 0;
    ShapeSettings.ForeColor = PaintBox->PenColor;
    ShapeSettings.BackColor = PaintBox->Color;
}

bool TForm1::SaveSettings() {
    return SaveDocument(*this, *Document);
}

void TForm1::SaveDefClick() {
    // A star file is the user's document: one that is read-only or was changed by
    // someone else is not replaced without asking. No file that holds data this
    // version does not know is saved over.
    if (Document->IsStarFile() || HoldsUnknownData(*Document))
        SaveStarFile(*this, *Document);
    else
        SaveSettings();
}

void TForm1::DefaultClick() {
    PaintBox->Color = kWindowColor;
    PaintBox->PenColor = kWindowTextColor;
    ApplyDefaultParameters(ShapeSettings);
    Document->Extras = StarExtras{};
    SetSameSizeMarks(false);
    SetFillMarks(false);
    SetTransMarks(false);
    SetWindowColor(PaintBox->Color);
    Dragging = false;
    Modified = false;
    FirstResize = true;
    BuildDirections();
    FormResize();
    // The palettes catch up with the reset values after this repaint, in this order.
    for (TPalette *palette :
         {static_cast<TPalette *>(RotationDlg), static_cast<TPalette *>(CenterSettingDlg),
          static_cast<TPalette *>(LeanDlg), static_cast<TPalette *>(PointsDlg),
          static_cast<TPalette *>(ShapeDlg)})
        palette->RequestRepaint();
}

void TForm1::Quit1Click() {
    close();
}

bool TForm1::ChooseColor(uint32_t &colorValue) {
    ColorDialog1->setCurrentColor(lastChosenColor_);
    if (ColorDialog1->exec() != QDialog::Accepted)
        return false;
    lastChosenColor_ = ColorDialog1->selectedColor();
    colorValue = ColorValueFromRgb(lastChosenColor_.red(), lastChosenColor_.green(),
                                   lastChosenColor_.blue());
    return true;
}

void TForm1::ForeColor1Click() {
    if (!ChooseColor(PaintBox->PenColor))
        return;
    Modified = true;
    DrawShape(PaintBox->Canvas());
}

void TForm1::BackColor1Click() {
    uint32_t color = 0;
    if (!ChooseColor(color))
        return;
    SetWindowColor(color);
    PaintBox->Color = color;
    Modified = true;
    DrawShape(PaintBox->Canvas());
}

// A checkable item has already toggled itself when its handler runs, so the
// handlers take the new state and give it to both twins.
void TForm1::Circle1Click(bool checked) {
    SetSameSizeMarks(checked);
    Modified = true;
    FormResize();
}

void TForm1::Fill1Click(bool checked) {
    SetFillMarks(checked);
    Modified = true;
    DrawShape(PaintBox->Canvas());
}

void TForm1::CaptureBackdrop() {
    const DesktopPicture desktop = CaptureDesktop(devicePixelRatioF());
    Backdrop = desktop.image;
    BackdropOrigin = desktop.origin;
}

void TForm1::GetBack1Click() {
    std::vector<TPalette *> shown;
    for (TPalette *palette : TPalette::All()) {
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
    FormPaint(); // the window comes back showing the new picture
    for (TPalette *palette : shown)
        palette->show();
}

void TForm1::Trans1Click(bool checked) {
    ShapeSettings.Trans = checked ? 1 : 0;
    SetTransMarks(checked);
    Redraw();
}

namespace {
// Shows a hidden palette, hides a shown one, and brings back a minimised one.
void ToggleVisible(TPalette *palette) {
    if (palette->isVisible() && palette->isMinimized())
        palette->BringBack();
    else
        palette->setVisible(!palette->isVisible());
}
} // namespace

void TForm1::Points1Click() {
    ToggleVisible(PointsDlg);
    Modified = true;
}

void TForm1::LeanClick() {
    ToggleVisible(LeanDlg);
    Modified = true;
}

void TForm1::RotateClick() {
    ToggleVisible(RotationDlg);
    Modified = true;
}

void TForm1::CenterClick() {
    ToggleVisible(CenterSettingDlg);
    Modified = true;
}

void TForm1::ShapeClick() {
    ToggleVisible(ShapeDlg);
}

void TForm1::closeEvent(QCloseEvent *event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TForm1::FormCloseQuery() {
    // With a star file, the question is about the star: the picture can always be
    // made again from it.
    if (Document->IsStarFile())
        return MayLeaveStarFile(*this, *Document);
    if (!Modified)
        return true;
    for (TPalette *palette : TPalette::All())
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
