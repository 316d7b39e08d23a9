#pragma once

#include "ShapeSettings.h"
#include "StarExtras.h"

#include <QObject>
#include <QUndoStack>

#include <ctime>
#include <functional>
#include <string>

// The star being worked on: its parameter record, the file it is kept in, the undo
// stack of its changes with the index at which it matches that file, and whether the
// picture has changed since it was last exported. The windows read and change the
// star through it and are told of changes by its signals.
//
// Two modes: with no star file, the file is Vantrell.def in the start folder, a
// scratch file the program reads at start and writes on request; once a star file
// is opened or saved under a name, that file is the user's document.
class StarDocument : public QObject {
    Q_OBJECT

public:
    // The file's identity on disk when it was last read or written, to notice a
    // change made by someone else.
    struct FileStamp {
        bool exists = false;
        long long size = 0;
        timespec modified{};
        bool operator==(const FileStamp &other) const;
    };
    // Which file the star belongs to, and when it matched that file.
    struct FileState {
        std::string path;
        bool starFile = false;
        int cleanIndex = 0; // undo stack index at which the star matched the file; -1 never
        FileStamp stamp;
    };

    // settingsPath: Vantrell.def, or a star file named on the command line.
    explicit StarDocument(std::string settingsPath, QObject *parent = nullptr);

    // The parameter record. Views change it through Change(), or set it whole and
    // call Reload().
    ::ShapeSettings Settings{};
    // Rounding, irregularity and the outline, stored after the record.
    StarExtras Extras{};
    // The picture changed since it was last saved or copied.
    bool Modified = false;
    // The picture was written or copied as it stands: nothing is left to save, and
    // nothing is when undo or redo comes back to this point.
    void PictureSaved();

    // Changes the record and tells the views (changed()).
    void Change(const std::function<void(::ShapeSettings &)> &change);
    // Changes the extras, brought into their ranges, and tells the views (changed()).
    void ChangeExtras(const std::function<void(StarExtras &)> &change);
    // The record was set as a whole: every view catches up (reloaded()).
    void Reload();

    // While a Quiet lives, what the views apply back into the record (catching up
    // with it) is not a change of the user's; quietEnded() follows the last one.
    class Quiet {
    public:
        explicit Quiet(StarDocument &document);
        ~Quiet();
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;

    private:
        StarDocument &document_;
    };
    bool IsQuiet() const { return quiet_ > 0; }

    // The file 設定保存 writes, as the bytes of its name.
    const std::string &FilePath() const { return file_.path; }
    bool IsStarFile() const { return file_.starFile; }
    const FileState &File() const { return file_; }
    void SetFile(FileState file);
    // Makes path the document's file as it is now on disk, matching the star as it is.
    void TakeFile(const std::string &path, bool starFile);

    QUndoStack &UndoStack() { return stack_; }
    // Whether the star is as its file holds it.
    bool IsClean() const { return stack_.index() == file_.cleanIndex; }
    // Whether the file on disk is no longer the one last read or written.
    bool ChangedOnDisk() const;

    // Writes the record to the file; views first put their part of it in
    // (aboutToSave()). On failure returns false with the system's reason.
    bool Save(std::string *error);

    static FileStamp StampOf(const std::string &path);

signals:
    void changed();
    void reloaded();
    void quietEnded();
    void aboutToSave();
    // The file, or whether the star matches it.
    void fileChanged();

private:
    QUndoStack stack_;
    FileState file_;
    int quiet_ = 0;
    int pictureSavedAt_ = 0; // the undo index the picture was last saved at (start: 0)
};
