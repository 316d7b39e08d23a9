#include "UndoSteps.h"

#include "Center.h"
#include "Lean.h"
#include "Points.h"
#include "Rotaion.h"
#include "Vantmain.h"

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
    differs(x.Trans != y.Trans || a.sameSize != b.sameSize || a.fill != b.fill ||
                a.foreColor != b.foreColor || a.backColor != b.backColor,
            StepKind::Other);
    return kinds == 1 ? kind : StepKind::Other;
}

} // namespace

bool PictureState::SameParameters(const PictureState &other) const {
    return SameLiveFields(record, other.record) && sameSize == other.sameSize &&
           fill == other.fill && foreColor == other.foreColor && backColor == other.backColor &&
           client == other.client;
}

PictureState CaptureState(const TForm1 &form, bool withClientSize) {
    PictureState state;
    state.record = form.ShapeSettings;
    state.sameSize = form.Circle1->isChecked();
    state.fill = form.Fill1->isChecked();
    state.foreColor = form.PaintBox->PenColor;
    state.backColor = form.PaintBox->Color;
    if (withClientSize)
        state.client = QSize(form.ClientWidth(), form.ClientHeight());
    return state;
}

void ApplyState(TForm1 &form, const PictureState &state) {
    ChangeRecorder::Suspend quiet(*form.Recorder);
    form.ShapeSettings = state.record;
    form.SetSameSizeMarks(state.sameSize);
    form.SetFillMarks(state.fill);
    form.SetTransMarks(state.record.Trans != 0);
    form.GetBack1->setEnabled(state.record.Trans != 0);
    form.GetBack2->setEnabled(state.record.Trans != 0);
    form.PaintBox->PenColor = state.foreColor;
    form.PaintBox->Color = state.backColor;
    form.SetWindowColor(state.backColor);
    if (state.client.isValid())
        form.SetClientSize(state.client.width(), state.client.height());
    form.Dragging = false;
    form.BuildDirections();
    form.FormResize();
    for (TPalette *palette :
         std::initializer_list<TPalette *>{RotationDlg, CenterSettingDlg, LeanDlg, PointsDlg})
        if (palette && palette->isVisible())
            palette->FormPaint();
}

PictureStep::PictureStep(ChangeRecorder &recorder, const PictureState &before,
                         const PictureState &after, StepKind kind, quint64 gesture)
    : recorder_(recorder), before_(before), after_(after), kind_(kind), gesture_(gesture) {}

void PictureStep::undo() {
    ApplyState(recorder_.Form(), before_);
    recorder_.Resync();
}

void PictureStep::redo() {
    if (applied_) {
        applied_ = false; // the first redo is the change the user just made
        return;
    }
    ApplyState(recorder_.Form(), after_);
    recorder_.Resync();
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

ChangeRecorder::ChangeRecorder(TForm1 &form) : QObject(&form), form_(form) {
    stack_.setUndoLimit(kStepLimit);
    recorded_ = CaptureState(form_);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { ++gesture_; });
}

void ChangeRecorder::Observe() {
    if (suspended_ > 0)
        return;
    const PictureState now = CaptureState(form_);
    if (now.SameParameters(recorded_))
        return;
    const PictureState before = recorded_;
    recorded_ = now;
    stack_.push(new PictureStep(*this, before, now, KindOfChange(before, now), gesture_));
}

void ChangeRecorder::Record(StepKind kind, const std::function<void()> &change) {
    Observe(); // anything not yet recorded is a step of its own
    const PictureState before = CaptureState(form_, true);
    {
        const Suspend quiet(*this);
        change();
    }
    const PictureState after = CaptureState(form_, true);
    Resync();
    if (!after.SameParameters(before))
        stack_.push(new PictureStep(*this, before, after, kind, gesture_));
}

void ChangeRecorder::Resync() {
    recorded_ = CaptureState(form_);
}

ChangeRecorder::Suspend::Suspend(ChangeRecorder &recorder) : recorder_(recorder) {
    ++recorder_.suspended_;
}

ChangeRecorder::Suspend::~Suspend() {
    if (--recorder_.suspended_ == 0)
        recorder_.Resync();
}

bool ChangeRecorder::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        ++gesture_;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        // Typing into an edit is one gesture until the focus leaves it.
        if (!static_cast<QKeyEvent *>(event)->isAutoRepeat() &&
            !qobject_cast<QLineEdit *>(QApplication::focusWidget()))
            ++gesture_;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
