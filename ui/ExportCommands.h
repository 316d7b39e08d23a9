#pragma once

#include <functional>

class PictureSource;
class QAction;
class QFileDialog;
class QWidget;
class StarDocument;

// The picture leaving the program: Save As to a file and Copy to the clipboard,
// both rendered afresh at the magnification, and the save dialog they share. A
// failure is said in a message box, in the interface's language, with its cause.

// The save dialog of the window parent, with one filter entry per format; the entry
// selected supplies the extension of a name typed without one. transparentPicture is
// the command whose note the dialog shows for formats without alpha.
QFileDialog *CreateSaveDialog(QWidget &parent, QAction *transparentPicture);
// Save As through dialog; true when a picture file was written, which leaves the
// document saved. A name that leads to the document's own file (a star file, or
// Vantrell.def) is refused and nothing is written.
bool SavePictureAs(QFileDialog &dialog, StarDocument &document, PictureSource &source);
// Asks whether to save the picture before the program ends: true when it may end
// (saved by saveAs, or not to be saved).
bool MayLeaveUnsavedPicture(const std::function<bool()> &saveAs);
// Copy: the picture on the clipboard, which leaves the document saved. parent shows
// a failure.
void CopyPicture(QWidget &parent, StarDocument &document, PictureSource &source);
