#include "StarView.h"

#include "LiveBackground.h"
#include "RadiusEditing.h"
#include "ScreenPixels.h"
#include "StarDescription.h"
#include "StarDocument.h"
#include "StarGeometry.h"
#include "SystemPalette.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QScreen>

#include <algorithm>
#include <utility>

StarView::StarView(QWidget *parent) : QWidget(parent) {
    // The widget paints every pixel itself from its canvas.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void StarView::ShowDocument(StarDocument &document) {
    document_ = &document;
    radii_ = new RadiusEditor(document, *this, this);
    connect(radii_, &RadiusEditor::changed, this, &StarView::Draw);
    connect(radii_, &RadiusEditor::radiusSet, this, [this](bool inner) {
        Announce(DescribeRadius(inner, inner ? document_->Settings.InnerRate
                                             : document_->Settings.OuterRate));
    });
    window()->installEventFilter(this);
}

void StarView::SetBackgroundColor(uint32_t colorValue) {
    Color = colorValue;
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor::fromRgb(ResolveColorValue(
                                     colorValue, SystemColorsFromPalette(window()->palette()))));
    setPalette(p);
}

void StarView::setTransparentBackground(bool on) {
    TransparentBackground = on;
    Draw();
}

void StarView::setSmoothEdges(bool on) {
    SmoothEdges = on;
    Draw();
}

QSize StarView::DrawingSize() const {
    QSize size = this->size();
    if (SameSize)
        size.setWidth(std::min(size.width(), size.height())), size.setHeight(size.width());
    return size;
}

void StarView::CaptureBackdrop() {
    const DesktopPicture desktop = CaptureDesktop(window()->devicePixelRatioF());
    backdrop_ = desktop.image;
    backdropOrigin_ = desktop.origin;
}

StarPicture StarView::MakePicture(bool onScreen, const BackdropView *backdrop) const {
    const SystemColors system = SystemColorsFromPalette(window()->palette());
    PictureInputs inputs;
    inputs.areaWidth = width();
    inputs.areaHeight = height();
    inputs.sameSize = SameSize;
    inputs.fill = Fill;
    inputs.output = !onScreen;
    inputs.dragging = radii_->Editing();
    inputs.dragInner = radii_->EditsInner();
    inputs.foreground = ResolveColorValue(PenColor, system);
    inputs.background = ResolveColorValue(Color, system);
    inputs.backdrop = backdrop;
    inputs.transparent = TransparentBackground;
    inputs.smooth = SmoothEdges;
    inputs.seeThrough = live_ && live_->Active();
    inputs.extras = document_->Extras;
    inputs.lineColor = ResolveColorValue(document_->Extras.LineColor, system);
    const qreal ratio = devicePixelRatioF();
    inputs.screenScale = onScreen ? ScreenScale(ratio) : 1;
    if (onScreen && ScreenScale(ratio) != ratio) {
        // Drawn straight in device pixels: crisp one-pixel lines at any ratio.
        const QSize device = DeviceSize(*this);
        inputs.areaWidth = device.width();
        inputs.areaHeight = device.height();
        inputs.screenScale = 1;
        inputs.screenRatio = ratio;
    }
    // The directions depend on the jag count and the twists only: built again when
    // one of them changed, so a drag or a move does not compute them at every redraw.
    const ShapeSettings &settings = document_->Settings;
    const std::array<int32_t, 3> shape{settings.Points, settings.OuterTwist, settings.InnerTwist};
    if (shape != directionsFor_) {
        BuildDirections(settings, directions_);
        directionsFor_ = shape;
    }
    return MakeStarPicture(settings, directions_, inputs);
}

void StarView::Draw() {
    // The captured screen, placed where the area is on the screen now, in device
    // pixels; looked up only when it shows.
    const qreal ratio = devicePixelRatioF();
    const QPoint at = document_->Settings.Trans != 0 ? DevicePosition(*this) : QPoint();
    const QPoint origin = at - backdropOrigin_ * ratio;
    const BackdropView backdrop{reinterpret_cast<const Pixel *>(backdrop_.constBits()),
                                backdrop_.bytesPerLine() / qsizetype(sizeof(Pixel)),
                                backdrop_.width(),
                                backdrop_.height(),
                                origin.x(),
                                origin.y()};
    const StarPicture picture = MakePicture(true, &backdrop);
    backdropDrawnAt_ = picture.backdrop ? std::optional<QPoint>(at) : std::nullopt;
    emit drawing();
    Describe(picture);
    DrawCanvas(picture, ratio);
    update();
}

void StarView::Describe(const StarPicture &picture) {
    described_ = {picture.fill, picture.foreground,
                  picture.backdrop || picture.seeThrough ? std::nullopt
                                                         : std::optional<Pixel>(picture.background),
                  picture.LineColor()};
    setAccessibleDescription(Described(false));
}

QString StarView::Described(bool complete) const {
    return DescribeStar(document_->Settings, document_->Extras, described_.fill,
                        described_.foreground, described_.background, described_.line, complete);
}

void StarView::Announce(const QString &text) {
    announcement_ = text;
    if (!QAccessible::isActive())
        return;
    // The area's accessible interface has the announcement as its one child: hidden
    // and shown again, it is spoken, the same words too.
    QAccessibleInterface *area = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface *announcement = area ? area->child(0) : nullptr) {
        QAccessibleEvent hidden(announcement, QAccessible::ObjectHide);
        QAccessible::updateAccessibility(&hidden);
        QAccessibleEvent shown(announcement, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

void StarView::DrawCanvas(const StarPicture &picture, qreal ratio) {
    const QSize size(picture.width, picture.height);
    const QImage::Format format =
        picture.transparent ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QScreen *screen = this->screen();
    const QRect shown = ShownPart(this->size(), mapToGlobal(QPoint()),
                                  screen ? screen->virtualGeometry() : QRect(QPoint(), size));
    const QRect part = QRect(QPoint(), size) & QRect((QPointF(shown.topLeft()) * ratio).toPoint(),
                                                     DeviceSize(shown.size(), ratio));
    canvasOrigin_ = shown.topLeft();
    QImage image;
    if (part.size() != size) {
        image = RenderPart(picture, part, format);
    } else {
        image = QImage(size, format);
        if (!image.isNull())
            RenderStarRows(picture, reinterpret_cast<Pixel *>(image.bits()),
                           image.bytesPerLine() / qsizetype(sizeof(Pixel)), 0, picture.height);
    }
    image.setDevicePixelRatio(ratio);
    canvas_ = image;
}

void StarView::RenderOutput(QImage &bitmap) {
    const PictureSize size =
        OutputPictureSize(width(), height(), SameSize, document_->Settings.SaveRate);
    bitmap = QImage(size.width, size.height,
                    TransparentBackground ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (bitmap.isNull())
        return;
    const StarPicture picture = MakePicture(false);
    if (bitmap.size() == QSize(picture.width, picture.height)) {
        // Nobody sees an output bitmap while it is drawn: render straight into it.
        RenderStarRows(picture, reinterpret_cast<Pixel *>(bitmap.bits()),
                       bitmap.bytesPerLine() / qsizetype(sizeof(Pixel)), 0, picture.height);
        return;
    }
    QImage image(picture.width, picture.height, bitmap.format());
    if (!image.isNull())
        RenderStarRows(picture, reinterpret_cast<Pixel *>(image.bits()),
                       image.bytesPerLine() / qsizetype(sizeof(Pixel)), 0, picture.height);
    bitmap = image;
}

void StarView::paintEvent(QPaintEvent *event) {
    // A window made again, shown again or placed by the window manager after it was
    // drawn: the still backdrop follows it to where it is now.
    if (backdropDrawnAt_ && DevicePosition(*this) != *backdropDrawnAt_)
        Draw();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setClipRegion(event->region());
    painter.drawImage(canvasOrigin_, canvas_);
    // Anything the canvas does not cover (before the first picture, or off the
    // screens) shows the window's background.
    const QRegion uncovered =
        QRegion(rect()) - QRegion(QRect(canvasOrigin_, canvas_.deviceIndependentSize().toSize()));
    for (const QRect &r : uncovered)
        painter.fillRect(r, palette().window());
    if (focusShown_ && hasFocus()) {
        // A dotted line along the edge, over the picture: the picture itself stays
        // as it is.
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(palette().highlight(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

bool StarView::eventFilter(QObject *watched, QEvent *event) {
    if (watched == window()) {
        // Moved: a still backdrop keeps in register with the desktop.
        if (event->type() == QEvent::Move)
            Draw();
        // A dialog or another window that takes the mouse in the middle of a drag
        // keeps the release from arriving: the drag ends here instead.
        if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowDeactivate)
            radii_->End();
    }
    return QWidget::eventFilter(watched, event);
}

void StarView::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        // The context menu from the keyboard, at the middle of the area; the window
        // that owns the menu takes the event on its way up.
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, rect().center(),
                               mapToGlobal(rect().center()));
        QCoreApplication::sendEvent(this, &menu);
        return;
    }
    if (event->key() != Qt::Key_Up && event->key() != Qt::Key_Down)
        return QWidget::keyPressEvent(event);
    focusShown_ = true;
    heldArrow_ = event->key();
    radii_->KeyPressed(event->key(), event->modifiers());
}

void StarView::keyReleaseEvent(QKeyEvent *event) {
    if ((event->key() != Qt::Key_Up && event->key() != Qt::Key_Down) || event->isAutoRepeat())
        return QWidget::keyReleaseEvent(event);
    heldArrow_ = 0;
    radii_->KeyReleased(event->key());
}

void StarView::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    // Only a Tab the user pressed shows the frame: the window's first focus also
    // comes as a Tab, but without a key.
    focusShown_ =
        (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) &&
        window()->testAttribute(Qt::WA_KeyboardFocusChange);
    update();
}

void StarView::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    // A menu or window that takes the keyboard while an arrow is held gets its
    // release: the key counts as let go now.
    if (heldArrow_ != 0)
        radii_->KeyReleased(std::exchange(heldArrow_, 0));
    update();
}

void StarView::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    if (document_)
        Draw();
}

void StarView::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    emit resized();
}

// A double click arrives as a second press (QWidget's default for double clicks).
// While a button is held the area keeps the mouse, so moves and releases outside it
// still arrive.
void StarView::mousePressEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    radii_->Press(event->button(), p.x(), p.y());
}

void StarView::mouseMoveEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    radii_->Move(p.x(), p.y());
}

void StarView::mouseReleaseEvent(QMouseEvent *event) {
    radii_->Release(event->button());
}
