#pragma once

#include "ui_SizeIn.h"

#include <QDialog>

// The size dialog: width and height of the drawing area and the same-size mode.
class TSizeInDlg : public QDialog, public Ui::TSizeInDlg {
    Q_OBJECT

public:
    explicit TSizeInDlg(QWidget *parent = nullptr);

    void SameClick();
    // Brings the entries into shape before the dialog closes with OK.
    void OKBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
};

extern TSizeInDlg *SizeInDlg;
