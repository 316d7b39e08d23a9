#include "SpokenUndo.h"

#include "StarDescription.h"
#include "StarView.h"

#include <QCoreApplication>
#include <QUndoStack>

namespace {

QString Tr(const char *text) {
    return QCoreApplication::translate("SpokenUndo", text);
}

void StepAndSay(QUndoStack &stack, StarView &view, bool undo) {
    if (undo ? !stack.canUndo() : !stack.canRedo())
        return;
    // The view describes the star anew as the step redraws it.
    const QString before = view.accessibleDescription();
    undo ? stack.undo() : stack.redo();
    const QString changed = ChangedParts(before, view.accessibleDescription());
    const QString what = undo ? Tr(QT_TRANSLATE_NOOP("SpokenUndo", "元に戻す"))
                              : Tr(QT_TRANSLATE_NOOP("SpokenUndo", "やり直し"));
    view.Announce(changed.isEmpty()
                      ? what
                      : Tr(QT_TRANSLATE_NOOP("SpokenUndo", "%1: %2")).arg(what, changed));
}

} // namespace

void UndoAndSay(QUndoStack &stack, StarView &view) {
    StepAndSay(stack, view, true);
}

void RedoAndSay(QUndoStack &stack, StarView &view) {
    StepAndSay(stack, view, false);
}
