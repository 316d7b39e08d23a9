#pragma once

class QAction;
class QFileDialog;

// The program's two picture preferences, transparent background and smooth edges:
// kept in the user's Qt settings (not in the star's record, whose layout other
// readers rely on), never steps of the undo stack and never an unsaved change.

// Gives the two check items their stored state, and stores every later toggle.
void ConnectPictureOptions(QAction *transparent, QAction *smooth);

// Keeps a note in the Save dialog, next to the file types, while the transparent
// background is on and a format that cannot carry it (BMP, JPEG) is chosen.
void ConnectTransparencyNote(QFileDialog *dialog, QAction *transparent);
