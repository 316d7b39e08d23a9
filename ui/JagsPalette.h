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
    // Runs the body with updating_ set, so the change events it raises stop at once.
    template <typename Body> void WhileUpdating(Body body) {
        updating_ = true;
        body();
        updating_ = false;
    }

    // Set while one of the handlers updates its sibling controls, whose change events
    // would otherwise run the handlers again.
    bool updating_ = false;
};
