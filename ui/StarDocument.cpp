#include "StarDocument.h"

#include "FileNames.h"
#include "SettingsFile.h"

bool StarDocument::FileStamp::operator==(const FileStamp &other) const {
    return exists == other.exists && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

StarDocument::StarDocument(std::string settingsPath, QObject *parent) : QObject(parent) {
    // Any other file than the scratch file is one the user named.
    file_.starFile = settingsPath != kSettingsFileName;
    file_.path = std::move(settingsPath);
    file_.stamp = StampOf(file_.path);
    connect(&stack_, &QUndoStack::indexChanged, this, &StarDocument::fileChanged);
    // Back where the picture was saved (or where the program started), the star is
    // that picture again.
    connect(&stack_, &QUndoStack::indexChanged, this, [this](int index) {
        if (index == pictureSavedAt_)
            Modified = false;
    });
}

void StarDocument::PictureSaved() {
    Modified = false;
    pictureSavedAt_ = stack_.index();
}

void StarDocument::Change(const std::function<void(::ShapeSettings &)> &change) {
    change(Settings);
    emit changed();
}

void StarDocument::ChangeExtras(const std::function<void(StarExtras &)> &change) {
    change(Extras);
    ClampExtras(Extras);
    emit changed();
}

void StarDocument::Reload() {
    emit reloaded();
}

StarDocument::Quiet::Quiet(StarDocument &document) : document_(document) {
    ++document_.quiet_;
}

StarDocument::Quiet::~Quiet() {
    if (--document_.quiet_ == 0)
        emit document_.quietEnded();
}

void StarDocument::SetFile(FileState file) {
    file_ = std::move(file);
    emit fileChanged();
}

void StarDocument::TakeFile(const std::string &path, bool starFile) {
    SetFile({path, starFile, stack_.index(), StampOf(path)});
}

bool StarDocument::ChangedOnDisk() const {
    return !(StampOf(file_.path) == file_.stamp);
}

bool StarDocument::Save(std::string *error) {
    emit aboutToSave();
    if (!WriteSettingsFile(file_.path, Settings, error, Extras))
        return false;
    TakeFile(file_.path, file_.starFile);
    return true;
}

StarDocument::FileStamp StarDocument::StampOf(const std::string &path) {
    const FileStatus status = StatusOf(path);
    if (status.kind == FileStatus::Missing)
        return {};
    return {true, status.size, status.modified};
}
