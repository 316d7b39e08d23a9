#pragma once

#include "Palette.h"
#include "ui_TwistPalette.h"

// The twist palette: track bars for InnerTwist and OuterTwist, -1000..1000 percent,
// optionally moving together.
class TwistPalette : public Palette, public Ui::TwistPalette {
    Q_OBJECT

public:
    TwistPalette(StarDocument &document, QWidget &anchor, QWidget *parent = nullptr);

    void ShowRecord() override;

    // Set while a sync move of the other bar is under way.
    bool Syncing = false;

public slots:
    void innerTwistMoved();
    void outerTwistMoved();
    void reset();

private:
    // With sync on, moves the other bar by as much as this bar moved since the twists
    // were last applied.
    void SyncOther(QSlider *other, int moved);
    void UpdateTwistLabels();
    void ApplyTwists();

    bool resyncing_ = false; // ShowRecord is setting the bars; sync stays out of it
};
