#pragma once

#include "ShapeSettings.h"
#include "StarDocument.h"

#include <QObject>
#include <QSize>
#include <QUndoCommand>
#include <QUndoStack>

#include <functional>

// The picture's parameters as one value: what one step of the undo stack restores.
struct PictureState {
    ::ShapeSettings record{}; // live fields and reserved bytes; mirrored ones ride along
    bool sameSize = false, fill = false;
    uint32_t foreColor = 0, backColor = 0;
    QSize client; // the client size, for the steps that change it; invalid otherwise
    StarExtras extras{};

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
    TipRounding,
    ValleyRounding,
    Irregularity,
    LineWidth,
    Other,
};

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

protected:
    ChangeRecorder &recorder_;

private:
    PictureState before_, after_;
    StepKind kind_;
    quint64 gesture_;
    bool applied_ = true; // pushed after the change was made and shown
};

// A step that also moves the star to another file: opening a star file. Undone, the
// star returns to the file it had, with the state in which it matched that file.
class FileStep : public PictureStep {
public:
    FileStep(ChangeRecorder &recorder, const PictureState &before, const PictureState &after,
             StarDocument::FileState fileBefore, StarDocument::FileState fileAfter);
    void undo() override;
    void redo() override;

private:
    StarDocument::FileState fileBefore_, fileAfter_;
};

// Turns each change of the picture into a step of the document's undo stack. Every
// change ends in a redraw of the drawing area, which calls Observe(); a change that is
// not the user's own (a palette catching up with the record) runs while the document
// is quiet. Gestures end after each press and release of a mouse button or a key
// (keys typed into an edit excepted) has been handled, and whenever the keyboard
// focus moves.
class ChangeRecorder : public QObject {
public:
    static constexpr int kStepLimit = 10000;
    // Reads the picture's state from the window, with the client size when asked.
    using Capture = std::function<PictureState(bool withClientSize)>;
    // Puts the window in a state and repaints every view of it.
    using Apply = std::function<void(const PictureState &)>;

    ChangeRecorder(StarDocument &document, Capture capture, Apply apply, QObject *parent);

    StarDocument &Document() { return document_; }
    QUndoStack &Stack() { return document_.UndoStack(); }

    // Records the change since the last step, if any.
    void Observe();
    // Runs change as one step of the given kind, the client size included.
    void Record(StepKind kind, const std::function<void()> &change);
    // Puts the window in state as one step that also makes file the star's file.
    void RecordFileChange(const PictureState &state, StarDocument::FileState file);
    // Puts the window in state, quietly; the recorded state follows.
    void Restore(const PictureState &state);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Takes the present state as the recorded one, without a step.
    void Resync();
    void StartGesture();
    void GoOnWithTheGesture();
    void EndGestureAfterThisEvent();
    // The gesture a change belongs to now.
    quint64 Gesture();

    StarDocument &document_;
    Capture capture_;
    Apply apply_;
    PictureState recorded_;
    quint64 gesture_ = 0;
    bool endPending_ = false; // the gesture ends before the next change
    quint64 endToken_ = 0;    // which queued end still applies
    struct {
        int key = 0;
        quint64 timestamp = 0;
    } lastRelease_;
};
