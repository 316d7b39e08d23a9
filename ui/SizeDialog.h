#pragma once

#include "ui_SizeDialog.h"

#include <QDialog>

// The size dialog: width and height of the drawing area and the same-size mode.
class SizeDialog : public QDialog, public Ui::SizeDialog {
    Q_OBJECT

public:
    explicit SizeDialog(QWidget *parent = nullptr);

    // The drawing area's size and mode that the dialog shows when it opens.
    void ShowSize(int width, int height, bool same);
    // Shows size and same and runs the dialog; on OK the entries, brought into shape.
    bool Ask(QSize &size, bool &same);

public slots:
    void enableHeight();
    // Brings the entries into shape before the dialog closes with OK.
    void acceptEntries();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FillEntries();

    int shownWidth_ = 0, shownHeight_ = 0;
    bool shownSame_ = false;
};
