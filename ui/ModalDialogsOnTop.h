#pragma once

#include <QObject>

// Keeps every modal dialog of the program (its own, the colour and file dialogs, the
// message boxes) above the palettes that stay on top of other windows, so no palette
// covers a field the dialog asks for. Installed on the application once.
class ModalDialogsOnTop : public QObject {
    Q_OBJECT

public:
    explicit ModalDialogsOnTop(QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
