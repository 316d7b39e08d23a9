#pragma once

class QUndoStack;
class QWidget;
class StarView;

// Undo and redo of the star's last step, with a screen reader told what the step
// changed, in the words of the star's description and of the status bar (its size and
// magnification): "Undo: rotation 0°".
void UndoAndSay(QUndoStack &stack, StarView &view, const QWidget &statusBar);
void RedoAndSay(QUndoStack &stack, StarView &view, const QWidget &statusBar);
