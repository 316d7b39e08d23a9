#pragma once

#include "ui_SizeIn.h"

#include <QDialog>

// The size dialog: width and height of the drawing area and the same-size mode.
class TSizeInDlg : public QDialog, public Ui::TSizeInDlg {
    Q_OBJECT

public:
    explicit TSizeInDlg(QWidget *parent = nullptr);

    // The drawing area's size and mode that the dialog shows when it opens.
    void ShowSize(int width, int height, bool same);
    void SameClick();
    // Brings the entries into shape before the dialog closes with OK.
    void OKBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    int shownWidth_ = 0, shownHeight_ = 0;
    bool shownSame_ = false;
};

extern TSizeInDlg *SizeInDlg;
