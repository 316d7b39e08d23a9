#pragma once

#include "ui_About.h"

#include <QDialog>

// The About box: name, version, and the program's home page, which opens in the
// web browser.
class TAboutDlg : public QDialog, public Ui::TAboutDlg {
    Q_OBJECT

public:
    explicit TAboutDlg(QWidget *parent = nullptr);

    void stxTulimoUrlClick();
};

inline constexpr const char *kHomePage = "https://vantrell.example.org/";

extern TAboutDlg *AboutDlg;
