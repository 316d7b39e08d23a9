#include "AccessibleInterfaces.h"

#include "NumberEdit.h"
#include "StarView.h"
#include "UnitSlider.h"
#include "UpDown.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

#include <algorithm>
#include <functional>
#include <utility>

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

// Text whose characters, words and lines a reader may ask for at any offset. Qt 6.4's
// own search for them never ends where no word follows the offset (as at the end of
// an edit, where Orca asks after Ctrl+Right), and the whole program would hang. The
// program's texts are one short line each: a word is a run of letters and digits, the
// characters between words are a piece of their own, and every larger piece is the
// whole text.
class BoundedText : public QAccessibleTextInterface {
public:
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                             int *end) const override {
        const QString all = text(0, characterCount());
        offset = std::clamp(offset, 0, int(all.size()));
        const int at = offset < all.size() ? Piece(all, offset, type).first : offset;
        return Answer(all, at > 0 ? Piece(all, at - 1, type) : std::pair{0, 0}, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                            int *end) const override {
        const QString all = text(0, characterCount());
        const int n = int(all.size());
        const int after = offset >= 0 && offset < n ? Piece(all, offset, type).second : n;
        return Answer(all, after < n ? Piece(all, after, type) : std::pair{n, n}, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int *start,
                         int *end) const override {
        const QString all = text(0, characterCount());
        const int n = int(all.size());
        offset = std::max(offset, 0);
        return Answer(all, offset < n ? Piece(all, offset, type) : std::pair{n, n}, start, end);
    }

    // Plain text: no attributes anywhere in it.
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    // The piece of text a boundary type makes around offset, as [first, second);
    // offset lies in the text.
    static std::pair<int, int> Piece(const QString &text, int offset,
                                     QAccessible::TextBoundaryType type) {
        if (type == QAccessible::CharBoundary)
            return {offset, offset + 1};
        if (type != QAccessible::WordBoundary)
            return {0, int(text.size())};
        const auto word = [&text](int i) { return text.at(i).isLetterOrNumber(); };
        const bool inWord = word(offset);
        int first = offset, second = offset + 1;
        while (first > 0 && word(first - 1) == inWord)
            --first;
        while (second < text.size() && word(second) == inWord)
            ++second;
        return {first, second};
    }
    static QString Answer(const QString &text, std::pair<int, int> piece, int *start, int *end) {
        *start = piece.first;
        *end = piece.second;
        return text.mid(piece.first, piece.second - piece.first);
    }
};

// Text that a reader may read but not change, for a value shown as text.
class ReadOnlyText : public BoundedText {
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

// The value an edit holds, within its range, once present.
struct EditRange {
    std::function<bool()> present;
    std::function<int()> value, min, max;
    std::function<void(int)> set;
    int step = 1;
};

// An edit as a reader sees it: its text, and with a range, a spin button's value. The
// widget is the edit itself, or a spin box around it.
class EditInterface : public QAccessibleWidget,
                      public QAccessibleValueInterface,
                      public BoundedText,
                      public QAccessibleEditableTextInterface {
public:
    EditInterface(QWidget &widget, QLineEdit &edit, EditRange range)
        : QAccessibleWidget(&widget), edit_(edit), range_(std::move(range)) {}

    QAccessible::Role role() const override {
        return range_.present() ? QAccessible::SpinBox : QAccessible::EditableText;
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        switch (type) {
        case QAccessible::ValueInterface:
            return range_.present() ? static_cast<QAccessibleValueInterface *>(this) : nullptr;
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
        s.focused = s.focused || edit_.hasFocus();
        return s;
    }

    QVariant currentValue() const override { return range_.value(); }
    void setCurrentValue(const QVariant &value) override { range_.set(value.toInt()); }
    QVariant maximumValue() const override { return range_.max(); }
    QVariant minimumValue() const override { return range_.min(); }
    QVariant minimumStepSize() const override { return range_.step; }

    // The text, as the edit holds it.
    void selection(int, int *start, int *end) const override {
        *start = edit_.hasSelectedText() ? int(edit_.selectionStart()) : 0;
        *end = edit_.hasSelectedText() ? *start + int(edit_.selectionLength()) : 0;
    }
    int selectionCount() const override { return edit_.hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { edit_.deselect(); }
    void setSelection(int, int start, int end) override {
        start = Within(start), end = Within(end);
        edit_.setSelection(start, end - start);
    }
    int cursorPosition() const override { return edit_.cursorPosition(); }
    void setCursorPosition(int position) override { edit_.setCursorPosition(Within(position)); }
    QString text(int start, int end) const override {
        start = Within(start);
        return edit_.text().mid(start, std::max(Within(end) - start, 0));
    }
    int characterCount() const override { return int(edit_.text().size()); }
    QRect characterRect(int offset) const override {
        offset = Within(offset);
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
    void scrollToSubstring(int start, int) override { setCursorPosition(start); }
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString &text) override {
        start = Within(start), end = Within(end);
        if (end < start)
            std::swap(start, end);
        edit_.setText(edit_.text().replace(start, end - start, text));
    }

private:
    // An offset a reader gave, brought into the text: a reader may give any number.
    int Within(int offset) const { return std::clamp(offset, 0, characterCount()); }

    QLineEdit &edit_;
    EditRange range_;
};

// A number edit: its range is its arrows', once it has them.
QAccessibleInterface *NumberEditInterface(NumberEdit &edit) {
    return new EditInterface(edit, edit,
                             EditRange{[&edit] { return edit.Arrows() != nullptr; },
                                       [&edit] { return edit.Arrows()->Position(); },
                                       [&edit] { return edit.Arrows()->Min(); },
                                       [&edit] { return edit.Arrows()->Max(); },
                                       [&edit](int value) { edit.Arrows()->SetPosition(value); }});
}

QAccessibleInterface *SpinBoxInterface(SpinBox &box) {
    return new EditInterface(
        box, box.Edit(),
        EditRange{[] { return true; }, [&box] { return box.value(); },
                  [&box] { return box.minimum(); }, [&box] { return box.maximum(); },
                  [&box](int value) { box.setValue(value); }, box.singleStep()});
}

QAccessibleInterface *ProgramInterface(const QString &className, QObject *object) {
    if (className == QLatin1String("Palette"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    if (className == QLatin1String("StarView"))
        return new CanvasInterface(*static_cast<StarView *>(object));
    if (className == QLatin1String("UnitSlider"))
        return new UnitSliderInterface(*static_cast<UnitSlider *>(object));
    if (className == QLatin1String("NumberEdit"))
        return NumberEditInterface(*static_cast<NumberEdit *>(object));
    if (className == QLatin1String("SpinBox"))
        return SpinBoxInterface(*static_cast<SpinBox *>(object));
    return nullptr;
}

} // namespace

void InstallAccessibleInterfaces() {
    QAccessible::installFactory(ProgramInterface);
}
