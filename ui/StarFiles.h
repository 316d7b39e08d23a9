#pragma once

#include <QString>

#include <string>

struct SettingsProblem;

class ChangeRecorder;
class QMimeData;
class QWidget;
class StarDocument;

// Star files: settings records (68 bytes, the format of Vantrell.def) under names the
// user chooses, suffix ".def". Once one is opened or saved, it is the star's document:
// its name is in the title, and changes not yet saved to it are asked about before
// they could be lost.

// 開く…: asks for a star file and opens it.
void ChooseStarFileToOpen(QWidget &parent, ChangeRecorder &recorder);
// Offers to save unsaved changes first, then applies the file's parameters and
// drawing-area size as one undoable step that makes it the star's file. A file that
// is not a readable star file is reported with the reason and changes nothing.
bool OpenStarFile(QWidget &parent, ChangeRecorder &recorder, const QString &path);
// 設定に名前を付けて保存…: writes the star to a chosen file, which becomes its file.
bool SaveStarFileAs(QWidget &parent, StarDocument &document);
// 設定保存 with a star file: a read-only file, or one holding data this version does
// not know, is not replaced (Save As is offered instead), and a file changed on disk since it was
// read or written is replaced only when the user says so.
bool SaveStarFile(QWidget &parent, StarDocument &document);
// Whether the document's file holds data this version does not know, as it is on
// disk now: opened so, or given such data by another program since.
bool HoldsUnknownData(const StarDocument &document);
// With unsaved changes of a star file, asks whether to save them: true when the
// star may be left (saved, or discarded).
bool MayLeaveStarFile(QWidget &parent, StarDocument &document);
// Writes the star to its file; on failure says so, with the reason, and returns false.
bool SaveDocument(QWidget &parent, StarDocument &document);
// A star file named on the command line that exists but cannot be the document is
// refused: the document goes on with Vantrell.def, and the reason is said over
// parent once the event loop runs.
void RefuseUnreadableStarFile(QWidget &parent, StarDocument &document);
// Says that the file cannot be a star file, and why.
void ShowStarFileProblem(QWidget &parent, const std::string &path, const SettingsProblem &problem);
// Says that the document's file holds data this version does not know, which is
// why 設定保存 will not save over it.
void ShowUnknownDataNote(QWidget &parent, const std::string &path);
// Whether dropped data is exactly one local star file; its path when it is.
bool IsStarFileDrop(const QMimeData *data, QString *path = nullptr);
// Lets window take one star file dropped on it, opened as OpenStarFile does; anything
// else dragged over it is refused, and the cursor shows it.
void AcceptStarFileDrops(QWidget &window, ChangeRecorder &recorder);
// The window's title: "Vantrell", or with a star file "name.def[*] — Vantrell", marked
// while the star differs from the file.
void ShowDocumentTitle(QWidget &window, const StarDocument &document);
