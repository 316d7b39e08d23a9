#include "ClientArea.h"

#include "Palette.h"
#include "ScreenPixels.h"
#include "StarPicture.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>

#include <algorithm>

namespace {

// The narrowest frame, in pixels, whatever the menu bar asks for.
constexpr int kMinimumFrameWidth = 120;
// A frame's borders and title bar (width, height), in pixels, before the window manager
// has framed the window.
constexpr QSize kUnframedBorders(16, 48);

} // namespace

ClientArea::ClientArea(QMainWindow &window, QMenuBar &menuBar, QScrollArea &scroller,
                       QWidget &drawingArea, int statusBarHeight)
    : window_(window), menuBar_(menuBar), scroller_(scroller), drawingArea_(drawingArea),
      statusBarHeight_(statusBarHeight) {}

int ClientArea::Width() const {
    if (oversized_)
        return oversized_->width();
    return narrowClientWidth_ >= 0 ? narrowClientWidth_ : window_.width();
}

int ClientArea::Height() const {
    return oversized_ ? oversized_->height() : window_.height() - MenuBarHeight(window_.width());
}

// Computed rather than read from the laid-out widgets, so it also holds before the
// window is first shown.
int ClientArea::MenuBarHeight(int frameWidth) const {
    // Measured with the style's font, as the bar is laid out once shown.
    menuBar_.ensurePolished();
    const int wrapped = menuBar_.heightForWidth(frameWidth);
    return wrapped >= 0 ? wrapped : menuBar_.sizeHint().height();
}

int ClientArea::MinimumFrameWidth() const {
    return std::max(kMinimumFrameWidth, menuBar_.minimumSizeHint().width());
}

void ClientArea::SetSize(int width, int height) {
    const int clientWidth = std::clamp(width, 0, kMaxAreaSide);
    const int clientHeight = std::clamp(height, 0, kMaxAreaSide + statusBarHeight_);
    // A window narrower than its menu bar's minimum (0 wide at the extreme) is not
    // mapped by the window system and could never be reached again. The frame keeps
    // that minimum and the drawing area alone takes the narrower width, at the left.
    const int frameWidth = std::max(clientWidth, MinimumFrameWidth());
    narrowClientWidth_ = clientWidth < frameWidth ? clientWidth : -1;
    narrowFrameWidth_ = frameWidth;
    QSize size(frameWidth, clientHeight + MenuBarHeight(frameWidth));
    const QScreen *screen = window_.screen();
    const QRect free = screen ? screen->availableGeometry() : QRect();
    // The frame's borders and title, as the window has them or, before it is first
    // framed, as much as window managers commonly add.
    const QSize framed = window_.frameGeometry().size() - window_.geometry().size();
    const QSize borders = framed.isEmpty() ? kUnframedBorders : framed;
    const QSize room = free.size() - borders;
    oversized_.reset();
    if (screen && (size.width() > room.width() || size.height() > room.height())) {
        oversized_ = QSize(clientWidth, clientHeight);
        narrowClientWidth_ = -1;
        size = size.boundedTo(room).expandedTo(
            QSize(MinimumFrameWidth(), MenuBarHeight(room.width()) + statusBarHeight_));
    }
    if (oversized_) {
        drawingArea_.setFixedSize(clientWidth, clientHeight - statusBarHeight_);
    } else {
        drawingArea_.setMinimumSize(0, 0);
        drawingArea_.setMaximumSize(narrowClientWidth_ >= 0 ? narrowClientWidth_ : QWIDGETSIZE_MAX,
                                    QWIDGETSIZE_MAX);
    }
    window_.setBaseSize(BaseSizeFor(size, window_.devicePixelRatioF()));
    // The window manager (a user's drag) may make the window no larger than the whole
    // desktop, or than the size asked for here: the window's own buffers grow with it.
    window_.setMaximumSize(screen ? size.expandedTo(screen->virtualGeometry().size())
                                  : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    window_.resize(size);
    if (oversized_) {
        // Title and menu bar on the screen, and as much of the area as fits, its
        // middle (where the star is) in view once the scroll bars know their ranges.
        const PalettePosition corner = KeepWithin({window_.x(), window_.y()}, size + borders, free);
        window_.move(corner.left, corner.top);
        QMetaObject::invokeMethod(
            &scroller_,
            [this] {
                const QSize view = scroller_.viewport()->size();
                scroller_.ensureVisible(drawingArea_.width() / 2, drawingArea_.height() / 2,
                                        view.width() / 2, view.height() / 2);
            },
            Qt::QueuedConnection);
    }
}

void ClientArea::WindowResized() {
    // Resized to another width from outside (the window manager): the drawing area
    // fills the window again. An oversized area keeps its size, the window showing
    // more or less of it.
    if (narrowClientWidth_ >= 0 && window_.width() != narrowFrameWidth_) {
        narrowClientWidth_ = -1;
        drawingArea_.setMaximumWidth(QWIDGETSIZE_MAX);
    }
    // The window's layout leaves an empty central area as it was; the drawing area
    // must still shrink to nothing with it.
    const QSize area(Width(), Height() - statusBarHeight_);
    if (!oversized_ && area.isEmpty() && scroller_.size() != area.expandedTo({0, 0}))
        scroller_.resize(area.expandedTo({0, 0}));
}
