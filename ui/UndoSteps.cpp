#include "UndoSteps.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <cstring>

namespace {

bool SameLiveFields(const ShapeSettings &a, const ShapeSettings &b) {
    return a.Points == b.Points && a.InnerRate == b.InnerRate && a.InnerTwist == b.InnerTwist &&
           a.OuterTwist == b.OuterTwist && a.CenterXRate == b.CenterXRate &&
           a.CenterYRate == b.CenterYRate && a.SaveRate == b.SaveRate &&
           a.LeanAngle == b.LeanAngle && a.OuterRate == b.OuterRate && a.Trans == b.Trans;
}

// The one kind of parameter that differs between two states, or Other.
StepKind KindOfChange(const PictureState &a, const PictureState &b) {
    const ShapeSettings &x = a.record, &y = b.record;
    int kinds = 0;
    StepKind kind = StepKind::Other;
    const auto differs = [&](bool changed, StepKind k) {
        if (changed)
            ++kinds, kind = k;
    };
    differs(x.Points != y.Points, StepKind::Points);
    differs(x.InnerRate != y.InnerRate, StepKind::InnerRate);
    differs(x.OuterRate != y.OuterRate, StepKind::OuterRate);
    differs(x.LeanAngle != y.LeanAngle, StepKind::Rotation);
    differs(x.InnerTwist != y.InnerTwist || x.OuterTwist != y.OuterTwist, StepKind::Twist);
    differs(x.CenterXRate != y.CenterXRate || x.CenterYRate != y.CenterYRate, StepKind::Centre);
    differs(x.SaveRate != y.SaveRate, StepKind::SaveRate);
    const StarExtras &e = a.extras, &f = b.extras;
    differs(e.TipRounding != f.TipRounding, StepKind::TipRounding);
    differs(e.ValleyRounding != f.ValleyRounding, StepKind::ValleyRounding);
    differs(e.Irregularity != f.Irregularity, StepKind::Irregularity);
    differs(e.LineWidth != f.LineWidth, StepKind::LineWidth);
    differs(e.Seed != f.Seed || e.OwnLineColor != f.OwnLineColor || e.LineColor != f.LineColor,
            StepKind::Other);
    differs(x.Trans != y.Trans || a.sameSize != b.sameSize || a.fill != b.fill ||
                a.foreColor != b.foreColor || a.backColor != b.backColor,
            StepKind::Other);
    return kinds == 1 ? kind : StepKind::Other;
}

} // namespace

bool PictureState::SameParameters(const PictureState &other) const {
    return SameLiveFields(record, other.record) && sameSize == other.sameSize &&
           fill == other.fill && foreColor == other.foreColor && backColor == other.backColor &&
           client == other.client && extras == other.extras;
}

PictureStep::PictureStep(ChangeRecorder &recorder, const PictureState &before,
                         const PictureState &after, StepKind kind, quint64 gesture)
    : recorder_(recorder), before_(before), after_(after), kind_(kind), gesture_(gesture) {}

void PictureStep::undo() {
    recorder_.Restore(before_);
}

void PictureStep::redo() {
    if (applied_) {
        applied_ = false; // the first redo is the change the user just made
        return;
    }
    recorder_.Restore(after_);
}

int PictureStep::id() const {
    return kind_ == StepKind::Other ? -1 : int(kind_);
}

bool PictureStep::mergeWith(const QUndoCommand *other) {
    const auto *next = static_cast<const PictureStep *>(other);
    if (next->gesture_ != gesture_)
        return false;
    after_ = next->after_;
    // Moved and brought back within one gesture: nothing is left to undo.
    setObsolete(before_.SameParameters(after_));
    return true;
}

FileStep::FileStep(ChangeRecorder &recorder, const PictureState &before, const PictureState &after,
                   StarDocument::FileState fileBefore, StarDocument::FileState fileAfter)
    : PictureStep(recorder, before, after, StepKind::Other, 0), fileBefore_(std::move(fileBefore)),
      fileAfter_(std::move(fileAfter)) {}

void FileStep::undo() {
    PictureStep::undo();
    recorder_.Document().SetFile(fileBefore_);
}

void FileStep::redo() {
    PictureStep::redo();
    recorder_.Document().SetFile(fileAfter_);
}

ChangeRecorder::ChangeRecorder(StarDocument &document, Capture capture, Apply apply,
                               QObject *parent)
    : QObject(parent), document_(document), capture_(std::move(capture)), apply_(std::move(apply)) {
    Stack().setUndoLimit(kStepLimit);
    recorded_ = capture_(false);
    qApp->installEventFilter(this);
    // The focus that comes with the window's activation is no move of the user's: a
    // click into an inactive window may start a drag before the activation arrives.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *old, QWidget *) {
        if (old)
            StartGesture();
    });
    connect(&document_, &StarDocument::quietEnded, this, &ChangeRecorder::Resync);
}

void ChangeRecorder::Observe() {
    if (document_.IsQuiet())
        return;
    const PictureState now = capture_(false);
    if (now.SameParameters(recorded_))
        return;
    const PictureState before = recorded_;
    recorded_ = now;
    Stack().push(new PictureStep(*this, before, now, KindOfChange(before, now), Gesture()));
}

void ChangeRecorder::Record(StepKind kind, const std::function<void()> &change) {
    Observe(); // anything not yet recorded is a step of its own
    const PictureState before = capture_(true);
    {
        const StarDocument::Quiet quiet(document_);
        change();
    }
    const PictureState after = capture_(true);
    if (!after.SameParameters(before))
        Stack().push(new PictureStep(*this, before, after, kind, Gesture()));
}

void ChangeRecorder::RecordFileChange(const PictureState &state, StarDocument::FileState file) {
    Observe();
    const PictureState before = capture_(true);
    StarDocument::FileState fileBefore = document_.File();
    Restore(state);
    // The new file matches the star as it is once this step is on the stack.
    file.cleanIndex = Stack().index() + 1;
    document_.SetFile(file);
    Stack().push(new FileStep(*this, before, capture_(true), std::move(fileBefore), file));
}

void ChangeRecorder::Restore(const PictureState &state) {
    const StarDocument::Quiet quiet(document_);
    apply_(state);
}

void ChangeRecorder::Resync() {
    recorded_ = capture_(false);
}

void ChangeRecorder::StartGesture() {
    ++gesture_;
    GoOnWithTheGesture();
}

void ChangeRecorder::GoOnWithTheGesture() {
    endPending_ = false;
    ++endToken_; // an end still queued no longer applies
}

void ChangeRecorder::EndGestureAfterThisEvent() {
    // What the release itself does (a button's click) still belongs to the gesture
    // it ends, and so does a key's repeat that comes as a release and a press.
    const quint64 token = ++endToken_;
    QMetaObject::invokeMethod(
        this, [this, token] { endPending_ = endPending_ || token == endToken_; },
        Qt::QueuedConnection);
}

quint64 ChangeRecorder::Gesture() {
    if (endPending_)
        StartGesture();
    return gesture_;
}

bool ChangeRecorder::eventFilter(QObject *watched, QEvent *event) {
    const bool isKey = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    const auto *key = isKey ? static_cast<const QKeyEvent *>(event) : nullptr;
    // Typing into an edit is one gesture until the focus leaves it.
    const bool keyOfAGesture = key && !key->isAutoRepeat() && !qobject_cast<QLineEdit *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        StartGesture();
        break;
    case QEvent::MouseButtonRelease:
        EndGestureAfterThisEvent();
        break;
    case QEvent::KeyPress:
        // A window system that repeats a held key as releases and presses gives
        // both the same time: that press goes on with the gesture. Keys without a
        // time (handed back by the accessibility bridge) tell nothing by it.
        if (keyOfAGesture && key->key() == lastRelease_.key && key->timestamp() != 0 &&
            key->timestamp() == lastRelease_.timestamp)
            GoOnWithTheGesture();
        else if (keyOfAGesture)
            StartGesture();
        break;
    case QEvent::KeyRelease:
        if (keyOfAGesture) {
            lastRelease_ = {key->key(), key->timestamp()};
            EndGestureAfterThisEvent();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
