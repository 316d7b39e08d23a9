#pragma once

class QFileDialog;
class MainWindow;

// The picture leaving the program: Save As to a file and Copy to the clipboard,
// both rendered afresh at the magnification, and the save dialog they share. A
// failure is said in a message box, in the interface's language, with its cause.

// The save dialog of the window, with one filter entry per format; the entry
// selected supplies the extension of a name typed without one.
QFileDialog *CreateSaveDialog(MainWindow &window);
// Save As; true when a picture file was written. A name that leads to the star's own
// file (the document's, or Vantrell.def) is refused and nothing is written.
bool SavePictureAs(MainWindow &window);
// Copy: the picture on the clipboard.
void CopyPicture(MainWindow &window);
