#pragma once

#include "Palette.h"
#include "ui_JagsPalette.h"

// The jag-count palette: an edit and up/down arrows for Points, 3..50.
class JagsPalette : public Palette, public Ui::JagsPalette {
    Q_OBJECT

public:
    JagsPalette(StarDocument &document, QWidget &anchor, QWidget *parent = nullptr);

    void ShowRecord() override;

public slots:
    void stepJags(int newPosition);
    void jagsEdited();

private:
    void ApplyPoints(int points);
};

// Set while one of the palette's handlers updates its sibling controls, whose
// change events would otherwise run the handlers again.
extern bool jagsUpdating;

extern JagsPalette *jagsPalette;
