#pragma once

#include <QObject>

#include <cstdint>

class QWidget;
class StarDocument;

// Changing the radii in the drawing area, by mouse or keyboard: the one place where a
// gesture there becomes a change of the record. A left drag moves the inner radius
// when it starts on or inside the largest centred circle, else the outer one, a
// percentage point per pixel towards or away from the centre; Up and Down move the
// outer radius by a point, with Shift the inner one. While a radius changes, the
// vertex markers show. Each change sets Modified and says changed(), and the undo
// recorder makes one step of each gesture (a drag, a key press, a key held).
class RadiusEditor : public QObject {
    Q_OBJECT

public:
    // area: the drawing area, whose centre the distances are taken from.
    RadiusEditor(StarDocument &document, const QWidget &area, QObject *parent = nullptr);

    // A radius is being changed: the markers show.
    bool Editing() const { return editing_; }
    // The radius changed is the inner one (the markers on the inner vertices).
    bool EditsInner() const { return inner_; }

    void Press(Qt::MouseButton button, int x, int y);
    void Move(int x, int y);
    void Release(Qt::MouseButton button);
    // Ends a drag whose release will not come; the markers go.
    void End();
    // Forgets a gesture without a word, for a star that is replaced whole.
    void Forget() { editing_ = false; }
    // Up or Down, with or without Shift: true when the key changed a radius.
    bool KeyPressed(int key, Qt::KeyboardModifiers modifiers);
    // The key let go (not a repeat of a held one): the markers go.
    void KeyReleased(int key);

signals:
    // A radius or the markers changed: the picture is to be drawn again.
    void changed();
    // A gesture that changed a radius ended, or a key press asked for a change
    // (also one at the radius's bound): inner tells which radius.
    void radiusSet(bool inner);

private:
    // Distance of a point from the drawing area's centre, truncated to whole pixels.
    int DistanceFromCentre(int x, int y) const;
    void ChangeRadius(int by);
    // The radius being changed, in percent.
    int32_t Rate() const;

    StarDocument &document_;
    const QWidget &area_;
    bool editing_ = false;
    bool inner_ = false;
    bool byKeys_ = false;   // the gesture is a key press or a key held
    int32_t startRate_ = 0; // the radius when the gesture began
    int lastX_ = 0, lastY_ = 0;
};
