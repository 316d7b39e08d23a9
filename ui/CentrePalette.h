#pragma once

#include "Palette.h"
#include "ui_CentrePalette.h"

// The centre palette: track bars for the inner ring's shift, CenterXRate along the
// bottom and CenterYRate down the right edge, -50..50 percent.
class CentrePalette : public Palette, public Ui::CentrePalette {
    Q_OBJECT

public:
    CentrePalette(StarDocument &document, QWidget &anchor, QWidget *parent = nullptr);

    void ShowRecord() override;

public slots:
    void reset();

private:
    void ApplyCentre();
};
