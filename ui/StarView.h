#pragma once

#include "PictureSource.h"
#include "StarGeometry.h"
#include "StarPicture.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>

class LiveBackground;
class RadiusEditor;
class StarDocument;

// The drawing area: a view of the star document. It draws the star for its own
// device pixels, keeps a still picture of the desktop behind it in register while
// the record's Trans is on, changes the radii by mouse and keys (with the vertex
// markers), tells a screen reader the star in words (its accessible description),
// and is the source of the output picture Save As and Copy render.
//
// It takes the keyboard focus, by a click or Tab, and shows it with a focus frame
// once the keyboard is used there (a click alone shows no frame, so the picture on
// screen stays as it was).
class StarView : public QWidget, public PictureSource {
    Q_OBJECT

public:
    explicit StarView(QWidget *parent = nullptr);

    // The star shown; call once, before the view is first drawn.
    void ShowDocument(StarDocument &document);
    // live: the window's live see-through background, whose state the picture follows.
    void FollowLiveBackground(const LiveBackground &live) { live_ = &live; }

    // How the star is drawn beyond its record. The colours are colour values that may
    // name system colours.
    uint32_t Color = 0;    // background colour value; set by SetBackgroundColor
    uint32_t PenColor = 0; // star colour value
    bool SameSize = false; // the picture is the largest centred square of the area
    bool Fill = false;
    // The program's picture preferences: alpha 0 behind the star, exact smooth edges.
    bool TransparentBackground = false;
    bool SmoothEdges = false;

    // The background colour value, also the area's own colour where no picture covers it.
    void SetBackgroundColor(uint32_t colorValue);

    RadiusEditor &Radii() { return *radii_; }
    // Draws the picture afresh for the screen and shows it whole.
    void Draw();
    // The size of the picture in the area: square with SameSize.
    QSize DrawingSize() const;
    // Takes the still picture of the desktop shown behind the star.
    void CaptureBackdrop();

    // Has a screen reader speak text now, wherever the keyboard is: what a change
    // did ("outer radius 101 %").
    void Announce(const QString &text);
    const QString &Announcement() const { return announcement_; }
    // The star in words with every part told, its rounding and outline also at their
    // defaults: what an announcement of a change compares.
    QString CompleteDescription() const { return Described(true); }

    // The picture as the view's state describes it, for the screen (in device pixels)
    // or for output; an on-screen picture with Trans on shows backdrop behind the star.
    StarPicture MakePicture(bool onScreen, const BackdropView *backdrop = nullptr) const;
    StarPicture OutputPicture() const override { return MakePicture(false); }
    // Gives bitmap the output size (the box times the magnification) and renders it.
    void RenderOutput(QImage &bitmap) override;

    // The picture on screen. Replacing it and calling update() shows the new
    // picture whole, never half drawn.
    QImage &Canvas() { return canvas_; }
    // Where the canvas's top-left corner lies in the area: it may cover only the part
    // of an area larger than the screens that they can show.
    QPoint CanvasOrigin() const { return canvasOrigin_; }

public slots:
    // The picture preferences, shown at once.
    void setTransparentBackground(bool on);
    void setSmoothEdges(bool on);

signals:
    void resized();
    // A new picture of the star is being drawn for the screen: every change of the
    // picture passes here.
    void drawing();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    // Scrolled (an area larger than its window): the canvas covers another part.
    void moveEvent(QMoveEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    // The window's moves and its loss of the mouse, seen from here.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Renders the picture into a new image that replaces the canvas in one piece.
    void DrawCanvas(const StarPicture &picture, qreal ratio);
    void Describe(const StarPicture &picture);
    // The star in words, with the colours last drawn.
    QString Described(bool complete) const;

    StarDocument *document_ = nullptr;
    // The vertex directions, and the jag count and twists they were built for.
    mutable Directions directions_{};
    mutable std::array<int32_t, 3> directionsFor_{-1, 0, 0};
    const LiveBackground *live_ = nullptr;
    RadiusEditor *radii_ = nullptr;
    QImage canvas_;
    QPoint canvasOrigin_;
    // A still picture of the whole desktop (every screen), in the screen's device
    // pixels; null where the screen cannot be read, which shows white.
    QImage backdrop_;
    QPoint backdropOrigin_; // the desktop's top-left corner, in logical pixels
    // Where on the desktop (device pixels) the area was when the still backdrop was
    // last drawn under the star; empty when it does not show.
    std::optional<QPoint> backdropDrawnAt_;
    QString announcement_;
    // The colours of the picture last drawn, which its description tells.
    struct {
        bool fill = false;
        Pixel foreground = 0;
        std::optional<Pixel> background;
        Pixel line = 0;
    } described_;
    bool focusShown_ = false;
    int heldArrow_ = 0; // the arrow key down, or 0
};
