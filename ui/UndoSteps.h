#pragma once

#include "ShapeSettings.h"

#include <QObject>
#include <QSize>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>

class TForm1;

// The picture's parameters as one value: what one step of the undo stack restores.
struct PictureState {
    ::ShapeSettings record{}; // live fields and reserved bytes; mirrored ones ride along
    bool sameSize = false, fill = false;
    uint32_t foreColor = 0, backColor = 0;
    QSize client; // the client size, for the steps that change it; invalid otherwise

    // Equal in everything the picture is drawn from.
    bool SameParameters(const PictureState &other) const;
};

// What a step changed. Steps of the continuous kinds merge while one gesture lasts
// (a drag, a slider or arrow held, typing into an edit); the others never merge.
enum class StepKind {
    Points,
    InnerRate,
    OuterRate,
    Rotation,
    Twist,
    Centre,
    SaveRate,
    Other,
};

PictureState CaptureState(const TForm1 &form, bool withClientSize = false);
// Puts the window in that state: parameters, check marks, colours, the size when the
// state carries one; then repaints the picture, the status bar and every shown
// palette. Sets Modified like any other change.
void ApplyState(TForm1 &form, const PictureState &state);

class ChangeRecorder;

// One step: from one state to another.
class PictureStep : public QUndoCommand {
public:
    PictureStep(ChangeRecorder &recorder, const PictureState &before, const PictureState &after,
                StepKind kind, quint64 gesture);
    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    ChangeRecorder &recorder_;
    PictureState before_, after_;
    StepKind kind_;
    quint64 gesture_;
    bool applied_ = true; // pushed after the change was made and shown
};

// Turns each change of the picture into a step of the undo stack. Every change ends
// in a redraw of the drawing area, which calls Observe(); a change that is not the
// user's own (a palette catching up with the record) runs while Suspend() is held.
// Gestures end at each press and release of a mouse button or a key (keys typed into
// an edit excepted) and whenever the keyboard focus moves.
class ChangeRecorder : public QObject {
public:
    static constexpr int kStepLimit = 10000;

    explicit ChangeRecorder(TForm1 &form);

    QUndoStack &Stack() { return stack_; }
    TForm1 &Form() { return form_; }

    // Records the change since the last step, if any.
    void Observe();
    // Runs change as one step of the given kind, the client size included.
    void Record(StepKind kind, const std::function<void()> &change);
    // Takes the present state as the recorded one, without a step.
    void Resync();

    // While a guard lives, changes are not recorded.
    class Suspend {
    public:
        explicit Suspend(ChangeRecorder &recorder);
        ~Suspend();
        Suspend(const Suspend &) = delete;
        Suspend &operator=(const Suspend &) = delete;

    private:
        ChangeRecorder &recorder_;
    };

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TForm1 &form_;
    QUndoStack stack_;
    PictureState recorded_;
    quint64 gesture_ = 0;
    int suspended_ = 0;
};
