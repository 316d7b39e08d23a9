#pragma once

#include "ui_SaveRate.h"

#include <QDialog>

// The magnification dialog: SaveRate, 1..64, as an edit with up/down arrows.
class TSaveRateDlg : public QDialog, public Ui::TSaveRateDlg {
    Q_OBJECT

public:
    explicit TSaveRateDlg(QWidget *parent = nullptr);

    void RateChange();
    void UpDown1Changing(int newPosition);
    // Brings the entry into 1..64 before the dialog closes with OK.
    void OKBtnClick();

    // The edit's number within 1..64.
    int RateValue() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool updating_ = false; // the edit and the arrows are updating each other
};

extern TSaveRateDlg *SaveRateDlg;
