#include "AccessibleInterfaces.h"

#include "NumberEdit.h"
#include "StarView.h"
#include "UnitSlider.h"
#include "UpDown.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

// The drawing area's announcement: a notification, which a screen reader speaks
// whenever it shows, without moving its focus from where the user is.
class AnnouncementInterface : public QAccessibleInterface {
public:
    explicit AnnouncementInterface(StarView &view) : view_(view) {}
    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return view_.window()->windowHandle(); }
    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(&view_);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? view_.Announcement() : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override { return QRect(view_.mapToGlobal(QPoint()), QSize(1, 1)); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    StarView &view_;
};

// The drawing area: a canvas, with the star in words as its description and its
// announcement as its one child.
class CanvasInterface : public QAccessibleWidget {
public:
    explicit CanvasInterface(StarView &view)
        : QAccessibleWidget(&view, QAccessible::Canvas),
          announcement_(new AnnouncementInterface(view)),
          announcementId_(QAccessible::registerAccessibleInterface(announcement_)) {}
    ~CanvasInterface() override { QAccessible::deleteAccessibleInterface(announcementId_); }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override {
        return index == 0 ? announcement_ : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return child == announcement_ ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

private:
    AnnouncementInterface *announcement_;
    QAccessible::Id announcementId_;
};

// Text that a reader may read but not change, for a value shown as text.
class ReadOnlyText : public QAccessibleTextInterface {
public:
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return Text().mid(start, end - start); }
    int characterCount() const override { return int(Text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

protected:
    virtual QString Text() const = 0;
};

// A palette's bar as a spin button whose text is its value with the unit: a reader
// speaks a spin button's text when its value changes, but a slider's bare number.
class UnitSliderInterface : public QAccessibleWidget,
                            public QAccessibleValueInterface,
                            public ReadOnlyText {
public:
    explicit UnitSliderInterface(UnitSlider &slider)
        : QAccessibleWidget(&slider, QAccessible::SpinBox), slider_(slider) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? Text() : QAccessibleWidget::text(t);
    }
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if (slider_.Label() && (match & QAccessible::Label))
            found.append(
                {QAccessible::queryAccessibleInterface(slider_.Label()), QAccessible::Label});
        return found;
    }

    QVariant currentValue() const override { return slider_.value(); }
    void setCurrentValue(const QVariant &value) override { slider_.setValue(value.toInt()); }
    QVariant maximumValue() const override { return slider_.maximum(); }
    QVariant minimumValue() const override { return slider_.minimum(); }
    QVariant minimumStepSize() const override { return slider_.singleStep(); }

protected:
    QString Text() const override { return slider_.ValueText(); }

private:
    UnitSlider &slider_;
};

// A number edit as a spin button: its text as an edit's, and its number as a value
// within its arrows' range.
class NumberEditInterface : public QAccessibleWidget,
                            public QAccessibleValueInterface,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit NumberEditInterface(NumberEdit &edit)
        : QAccessibleWidget(&edit, QAccessible::SpinBox), edit_(edit) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        switch (type) {
        case QAccessible::ValueInterface:
            return static_cast<QAccessibleValueInterface *>(this);
        case QAccessible::TextInterface:
            return static_cast<QAccessibleTextInterface *>(this);
        case QAccessible::EditableTextInterface:
            return static_cast<QAccessibleEditableTextInterface *>(this);
        default:
            return QAccessibleWidget::interface_cast(type);
        }
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? edit_.text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !edit_.isReadOnly();
        s.selectableText = true;
        return s;
    }

    // The value: the number the arrows hold, which follows what is typed.
    QVariant currentValue() const override { return Arrows() ? Arrows()->Position() : 0; }
    void setCurrentValue(const QVariant &value) override {
        if (Arrows())
            Arrows()->SetPosition(value.toInt());
    }
    QVariant maximumValue() const override { return Arrows() ? Arrows()->Max() : 0; }
    QVariant minimumValue() const override { return Arrows() ? Arrows()->Min() : 0; }
    QVariant minimumStepSize() const override { return 1; }

    // The text, as the edit holds it.
    void selection(int, int *start, int *end) const override {
        *start = edit_.hasSelectedText() ? int(edit_.selectionStart()) : 0;
        *end = edit_.hasSelectedText() ? *start + int(edit_.selectionLength()) : 0;
    }
    int selectionCount() const override { return edit_.hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit_.deselect(); }
    void setSelection(int, int start, int end) override { edit_.setSelection(start, end - start); }
    int cursorPosition() const override { return edit_.cursorPosition(); }
    void setCursorPosition(int position) override { edit_.setCursorPosition(position); }
    QString text(int start, int end) const override { return edit_.text().mid(start, end - start); }
    int characterCount() const override { return int(edit_.text().size()); }
    QRect characterRect(int offset) const override {
        // The text is a few digits from the edit's left margin: it never scrolls.
        const QRect inside = edit_.contentsRect().marginsRemoved(edit_.textMargins());
        const QFontMetrics metrics = edit_.fontMetrics();
        const QString text = edit_.text();
        const int left = metrics.horizontalAdvance(text.left(offset));
        const int width = offset < text.size() ? metrics.horizontalAdvance(text.at(offset)) : 0;
        const QPoint corner = edit_.mapToGlobal(inside.topLeft() + QPoint(2 + left, 0));
        return QRect(corner, QSize(width, inside.height()));
    }
    int offsetAtPoint(const QPoint &point) const override {
        return edit_.cursorPositionAt(edit_.mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int) override { edit_.setCursorPosition(start); }
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override {
        edit_.setText(edit_.text().replace(start, end - start, text));
    }

private:
    UpDown *Arrows() const { return edit_.Arrows(); }

    NumberEdit &edit_;
};

QAccessibleInterface *ProgramInterface(const QString &className, QObject *object) {
    if (className == QLatin1String("Palette"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("StarView"))
        return new CanvasInterface(*static_cast<StarView *>(object));
    if (className == QLatin1String("UnitSlider"))
        return new UnitSliderInterface(*static_cast<UnitSlider *>(object));
    if (className == QLatin1String("NumberEdit"))
        return new NumberEditInterface(*static_cast<NumberEdit *>(object));
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces() {
    QAccessible::installFactory(ProgramInterface);
}

void SendAnnouncement(QWidget &drawingArea) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *announcement =
        QAccessible::queryAccessibleInterface(&drawingArea)->child(0);
    // Hidden and shown again: each showing is spoken, the same words too.
    QAccessibleEvent hidden(announcement, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(announcement, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}
