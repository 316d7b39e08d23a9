#include "SpokenUndo.h"

#include "StarDescription.h"
#include "StarView.h"

#include <QCoreApplication>
#include <QStringList>
#include <QUndoStack>
#include <QWidget>

namespace {

QString Tr(const char *text) {
    return QCoreApplication::translate("SpokenUndo", text);
}

void StepAndSay(QUndoStack &stack, StarView &view, const QWidget &statusBar, bool undo) {
    if (undo ? !stack.canUndo() : !stack.canRedo())
        return;
    // The view and the status bar describe the star anew as the step redraws it.
    const QString star = view.CompleteDescription(), status = statusBar.accessibleDescription();
    undo ? stack.undo() : stack.redo();
    QStringList changed;
    for (const QString &parts : {ChangedParts(star, view.CompleteDescription()),
                                 ChangedParts(status, statusBar.accessibleDescription())})
        if (!parts.isEmpty())
            changed << parts;
    const QString what = undo ? Tr(QT_TRANSLATE_NOOP("SpokenUndo", "元に戻す"))
                              : Tr(QT_TRANSLATE_NOOP("SpokenUndo", "やり直し"));
    view.Announce(changed.isEmpty()
                      ? what
                      : Tr(QT_TRANSLATE_NOOP("SpokenUndo", "%1: %2"))
                            .arg(what, changed.join(Tr(QT_TRANSLATE_NOOP("SpokenUndo", "、")))));
}

} // namespace

void UndoAndSay(QUndoStack &stack, StarView &view, const QWidget &statusBar) {
    StepAndSay(stack, view, statusBar, true);
}

void RedoAndSay(QUndoStack &stack, StarView &view, const QWidget &statusBar) {
    StepAndSay(stack, view, statusBar, false);
}
