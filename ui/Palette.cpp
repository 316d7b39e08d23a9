#include "Palette.h"

#include "StarDocument.h"

#include <QAbstractSpinBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

namespace {

// The palette living in each slot, for the sizes of the slots around a palette.
std::array<Palette *, Palette::SlotCount> gSlots{};

} // namespace

PalettePosition KeepWithin(PalettePosition p, QSize outer, const QRect &freeArea) {
    const auto within = [](int at, int size, int first, int length) {
        return std::max(first, std::min(at, first + length - size));
    };
    return {within(p.left, outer.width(), freeArea.left(), freeArea.width()),
            within(p.top, outer.height(), freeArea.top(), freeArea.height())};
}

namespace {

// Every palette in columns on one side of the main window, each whole on the area and
// none over another or the main window; nothing where they do not fit.
std::optional<std::vector<PalettePosition>>
InColumns(const QRect &main, const std::vector<QSize> &sizes, const QRect &area, bool right) {
    std::vector<PalettePosition> places;
    // The first column from the main window's top, the others (beside the first)
    // from the area's.
    int outward = 0, columnWidth = 0, y = std::max(main.top(), area.top());
    bool columnEmpty = true;
    for (const QSize &size : sizes) {
        if (!columnEmpty && y + size.height() > area.bottom() + 1) {
            outward += columnWidth;
            columnWidth = 0, y = area.top(), columnEmpty = true;
        }
        // Alone in its column a palette may rise above the main window's top.
        const int top = std::max(area.top(), std::min(y, area.bottom() + 1 - size.height()));
        const int left = right ? main.right() + 1 + outward : main.left() - outward - size.width();
        if (top + size.height() > area.bottom() + 1 || left < area.left() ||
            left + size.width() > area.right() + 1)
            return std::nullopt;
        places.push_back({left, top});
        y = top + size.height();
        columnWidth = std::max(columnWidth, size.width());
        columnEmpty = false;
    }
    return places;
}

} // namespace

std::vector<PalettePosition> PaletteSlots(const QRect &main, const std::vector<QSize> &sizes,
                                          const QRect &freeArea) {
    int widest = 0;
    for (const QSize &size : sizes)
        widest = std::max(widest, size.width());
    const bool rightFirst = main.right() + widest <= freeArea.right();
    for (const bool right : {rightFirst, !rightFirst})
        if (auto places = InColumns(main, sizes, freeArea, right))
            return *places;
    std::vector<PalettePosition> places;
    int heightsAbove = 0;
    for (const QSize &size : sizes) {
        const int left = rightFirst ? main.right() + 1 : main.left() - size.width();
        places.push_back(KeepWithin({left, main.top() + heightsAbove}, size, freeArea));
        heightsAbove += size.height();
    }
    return places;
}

Palette::Palette(Slot slot, bool staysOnTop, StarDocument &document, QWidget &anchor,
                 QWidget *parent)
    : QWidget(parent), document_(document), mainWindow_(anchor), slot_(slot) {
    // A utility window with a title and only a close button: nothing to minimise or
    // maximise, as far as the window manager honours the request.
    Qt::WindowFlags flags =
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (staysOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    gSlots[slot_] = this;
    connect(&document_, &StarDocument::reloaded, this, [this] {
        if (isVisible())
            ShowRecordQuietly();
    });
    mainWindow_.installEventFilter(this);
}

bool Palette::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &mainWindow_ && event->type() == QEvent::WindowStateChange) {
        if (mainWindow_.isMinimized() && isVisible()) {
            hiddenWithMain_ = true;
            hide();
        } else if (!mainWindow_.isMinimized() && hiddenWithMain_) {
            hiddenWithMain_ = false;
            show();
        }
    }
    return QWidget::eventFilter(watched, event);
}

Palette::~Palette() {
    gSlots[slot_] = nullptr;
}

void Palette::setVisible(bool visible) {
    const bool showing = visible && !isVisible();
    if (showing)
        PlaceInSlot();
    QWidget::setVisible(visible);
    if (showing) {
        ShowRecordQuietly();
        // A window manager frames the palette after it is mapped and may place it by
        // its client area; the frame goes where it belongs once it exists.
        // The frame's arrival moves nothing in Qt's view of the window, so it is
        // looked for a few times.
        placing_ = true;
        for (int delay : kPlacingChecks)
            QTimer::singleShot(delay, this, &Palette::KeepTarget);
        QTimer::singleShot(kPlacingChecks.back() + 1, this, [this] { placing_ = false; });
    }
}

std::vector<Palette *> Palette::All() {
    std::vector<Palette *> all;
    for (Palette *palette : gSlots)
        if (palette)
            all.push_back(palette);
    return all;
}

std::vector<Palette *> Palette::HideAll() {
    std::vector<Palette *> shown;
    for (Palette *palette : All()) {
        if (palette->isVisible())
            shown.push_back(palette);
        palette->hide();
    }
    return shown;
}

Palette *Palette::InSlot(Slot slot) {
    return gSlots[slot];
}

void Palette::Toggle(Slot slot) {
    Palette *palette = gSlots[slot];
    if (!palette)
        return;
    if (palette->isVisible() && palette->isMinimized())
        palette->BringBack();
    else
        palette->setVisible(!palette->isVisible());
}

void Palette::TakeKeyboard() {
    raise();
    activateWindow();
    if (focusWidget())
        return;
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain())
        if (isAncestorOf(w) && w->isVisibleTo(this) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
}

void Palette::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    emit shownChanged(true);
}

void Palette::hideEvent(QHideEvent *event) {
    QWidget::hideEvent(event);
    emit shownChanged(false);
}

void Palette::BringBack() {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void Palette::KeepTarget() {
    if (!placing_ || !isVisible())
        return;
    const bool framed = frameGeometry().size() != size();
    if (frameGeometry().topLeft() != target_)
        move(target_);
    else if (framed)
        placing_ = false; // framed and in place: later moves are the user's
}

void Palette::keyPressEvent(QKeyEvent *event) {
    if (event->key() != Qt::Key_Escape)
        return QWidget::keyPressEvent(event);
    mainWindow_.activateWindow();
    mainWindow_.raise();
}

void Palette::moveEvent(QMoveEvent *event) {
    QWidget::moveEvent(event);
    KeepTarget();
}

void Palette::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    KeepTarget();
}

void Palette::ShowRecordQuietly() {
    // The controls catch up with the record; a value they apply again is no step of
    // the user's.
    const StarDocument::Quiet quiet(document_);
    ShowRecord();
}

void Palette::RequestRepaint() {
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            ShowRecordQuietly();
    });
}

void ConnectTrackBar(QSlider *bar, QObject *context, const std::function<void()> &handler) {
    QObject::connect(bar, &QSlider::valueChanged, context, handler);
    QObject::connect(bar, &QSlider::sliderPressed, context, handler);
    QObject::connect(bar, &QSlider::sliderReleased, context, handler);
    // A step is reported before the position moves; one that moves it is handled by
    // the change of value that follows.
    QObject::connect(bar, &QSlider::actionTriggered, context, [bar, handler](int) {
        if (bar->sliderPosition() == bar->value())
            handler();
    });
}

QSize FramedSize(const QWidget *window, const QWidget &anchor) {
    const QSize own = window->frameGeometry().size() - window->size();
    if (own.width() > 0 || own.height() > 0)
        return window->frameGeometry().size();
    // Not framed yet: it will get a frame like the main window's, except that a
    // window of fixed size has no resize handle, so its bottom border is as thin as
    // its side borders.
    const QRect outer = anchor.frameGeometry(), inner = anchor.geometry();
    const int side = inner.left() - outer.left();
    const int top = inner.top() - outer.top();
    const int bottom = std::min(outer.bottom() - inner.bottom(), side);
    return window->size() + QSize(outer.width() - inner.width(), top + bottom);
}

void Palette::PlaceInSlot() {
    // Every slot keeps room for its palette, shown or not, so that a palette opened
    // later never moves the others.
    std::vector<QSize> sizes;
    for (const Palette *palette : gSlots)
        sizes.push_back(palette ? FramedSize(palette, mainWindow_) : QSize());
    const QRect main = mainWindow_.frameGeometry();
    const QScreen *screen = mainWindow_.screen();
    const QRect area =
        screen ? screen->availableGeometry() : QRect(main.topLeft(), QSize(1 << 20, 1 << 20));
    const PalettePosition p = PaletteSlots(main, sizes, area)[std::size_t(slot_)];
    target_ = QPoint(p.left, p.top);
    move(target_);
}

namespace {

// Lets the undo and redo keys pass a line edit to the application's shortcuts, and
// keeps the edit from acting on them itself.
class UndoKeysPass : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo) &&
            key->keyCombination() != QKeyCombination(Qt::CTRL, Qt::Key_Y))
            return false;
        event->ignore(); // not overridden: the shortcut takes it
        return true;
    }
};

} // namespace

void LeaveUndoToTheStar(QLineEdit *edit) {
    edit->installEventFilter(new UndoKeysPass(edit));
    // The edit's menu without its own undo and redo (its first two items and the
    // separator after them).
    edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(edit, &QWidget::customContextMenuRequested, edit, [edit](QPoint at) {
        const std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        const QList<QAction *> items = menu->actions();
        for (int i = 0; i < std::min<qsizetype>(3, items.size()); ++i)
            menu->removeAction(items[i]);
        menu->exec(edit->mapToGlobal(at));
    });
}

void LeaveUndoToTheStar(QAbstractSpinBox *box) {
    box->installEventFilter(new UndoKeysPass(box));
}
