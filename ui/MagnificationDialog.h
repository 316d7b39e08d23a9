#pragma once

#include "ui_MagnificationDialog.h"

#include <QDialog>

// The magnification dialog: SaveRate, 1..64, as an edit with up/down arrows.
class MagnificationDialog : public QDialog, public Ui::MagnificationDialog {
    Q_OBJECT

public:
    explicit MagnificationDialog(QWidget *parent = nullptr);

    // Shows rate and runs the dialog; on OK the rate entered, within 1..64.
    bool Ask(int32_t &rate);
    // The edit's number within 1..64.
    int MagnificationValue() const;

public slots:
    void magnificationEdited();
    void stepMagnification(int newPosition);
    // Brings the entry into 1..64 before the dialog closes with OK.
    void acceptEntry();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool updating_ = false; // the edit and the arrows are updating each other
};
