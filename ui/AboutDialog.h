#pragma once

#include "ui_AboutDialog.h"

#include <QDialog>

// The About box: name, version, and the program's home page, which opens in the
// web browser.
class AboutDialog : public QDialog, public Ui::AboutDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

public slots:
    void openHomePage();
};

inline constexpr const char *kHomePage = "https://vantrell.example.org/";
