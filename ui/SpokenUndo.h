#pragma once

class QUndoStack;
class StarView;

// Undo and redo of the star's last step, with a screen reader told what the step
// changed, in the words of the star's description ("Undo: rotation 0°").
void UndoAndSay(QUndoStack &stack, StarView &view);
void RedoAndSay(QUndoStack &stack, StarView &view);
