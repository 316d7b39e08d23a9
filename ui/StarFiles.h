#pragma once

#include <QString>

class QMimeData;
class TForm1;

// Star files: settings records (68 bytes, the format of Vantrell.def) under names
// the user chooses, suffix ".def".

// 開く…: asks for a star file and opens it.
void OpenStarFileClick(TForm1 &form);
// Applies the file's parameters and drawing-area size as one undoable step and makes
// it the settings file. A file that cannot be read at all is reported and changes
// nothing; a short one gives the defaults, as at start-up.
bool OpenStarFile(TForm1 &form, const QString &path);
// 設定に名前を付けて保存…: writes the settings to a chosen file, which becomes the
// settings file.
void SaveStarFileAsClick(TForm1 &form);
// Whether dropped data is exactly one local star file; its path when it is.
bool IsStarFileDrop(const QMimeData *data, QString *path = nullptr);
