#include "StarFiles.h"

#include "FileMessages.h"
#include "OutputFile.h"
#include "SettingsFile.h"
#include "StarDocument.h"
#include "UndoSteps.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

namespace {

QString Tr(const char *text) {
    return QCoreApplication::translate("StarFiles", text);
}

QStringList StarFileFilters() {
    return {Tr(QT_TRANSLATE_NOOP("StarFiles", "設定ファイル (*.def)")),
            Tr(QT_TRANSLATE_NOOP("StarFiles", "すべてのファイル (*)"))};
}

// Qt's own dialog, the same on every platform, which tests can answer.
QString AskForStarFile(QWidget &parent, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(&parent);
    dialog.setAccessibleName(mode == QFileDialog::AcceptOpen
                                 ? Tr(QT_TRANSLATE_NOOP("StarFiles", "設定ファイルを開く"))
                                 : Tr(QT_TRANSLATE_NOOP("StarFiles", "設定に名前を付けて保存")));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setNameFilters(StarFileFilters());
    dialog.setDefaultSuffix(QStringLiteral("def"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool Confirm(QWidget &parent, const QString &text) {
    return QMessageBox::question(&parent, QStringLiteral("Vantrell"), text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace

bool SaveDocument(QWidget &parent, StarDocument &document) {
    std::string error;
    if (document.Save(&error))
        return true;
    QMessageBox::warning(
        &parent, QStringLiteral("Vantrell"),
        QCoreApplication::translate("MainWindow", "設定ファイル %1 を保存できません\n%2")
            .arg(FileNameText(document.FilePath()), QString::fromStdString(error)));
    return false;
}

void ShowStarFileProblem(QWidget &parent, const std::string &path, const SettingsProblem &problem) {
    QMessageBox::warning(&parent, QStringLiteral("Vantrell"), StarFileProblemText(path, problem));
}

void ShowUnknownDataNote(QWidget &parent, const std::string &path) {
    QMessageBox::information(
        &parent, QStringLiteral("Vantrell"),
        Tr(QT_TRANSLATE_NOOP("StarFiles",
                             "設定ファイル %1 には、この版の知らないデータがあります。星はこの版の"
                             "知っている値で開きました。そのデータを失わないよう、設定保存はこの"
                             "ファイルを上書きせず、別の名前で保存します。"))
            .arg(FileNameText(path)));
}

void ChooseStarFileToOpen(QWidget &parent, ChangeRecorder &recorder) {
    const QString path = AskForStarFile(parent, QFileDialog::AcceptOpen);
    if (!path.isEmpty())
        OpenStarFile(parent, recorder, path);
}

bool OpenStarFile(QWidget &parent, ChangeRecorder &recorder, const QString &path) {
    const std::string name = FileNameBytes(path);
    SettingsProblem problem;
    SettingsContents contents;
    const std::optional<ShapeSettings> loaded = ReadStarFile(name, &problem, &contents);
    if (!loaded) {
        ShowStarFileProblem(parent, name, problem);
        return false;
    }
    if (!MayLeaveStarFile(parent, recorder.Document()))
        return false;
    PictureState state;
    state.record = StartingRecord(loaded);
    state.sameSize = state.record.SameSize != 0;
    state.fill = state.record.Fill != 0;
    state.foreColor = state.record.ForeColor;
    state.backColor = state.record.BackColor;
    state.client = QSize(state.record.ClientWidth, state.record.ClientHeight);
    state.extras = contents.extras;
    recorder.RecordFileChange(state, {name, true, 0, StarDocument::StampOf(name)});
    if (contents.block == ExtrasBlock::Unknown)
        ShowUnknownDataNote(parent, name);
    return true;
}

bool SaveStarFileAs(QWidget &parent, StarDocument &document) {
    const QString path = AskForStarFile(parent, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return false;
    const StarDocument::FileState previous = document.File();
    document.TakeFile(FileNameBytes(path), true);
    if (SaveDocument(parent, document))
        return true;
    document.SetFile(previous);
    return false;
}

bool HoldsUnknownData(const StarDocument &document) {
    SettingsContents contents;
    return ReadSettingsFile(document.FilePath(), nullptr, &contents) &&
           contents.block == ExtrasBlock::Unknown;
}

bool SaveStarFile(QWidget &parent, StarDocument &document) {
    const bool unknownData = HoldsUnknownData(document);
    if (unknownData || IsWriteProtected(document.FilePath())) {
        const char *question =
            unknownData
                ? QT_TRANSLATE_NOOP(
                      "StarFiles",
                      "設定ファイル %1 には、この版の知らないデータがあり、上書きすると"
                      "失われます。別の名前で保存しますか?")
                : QT_TRANSLATE_NOOP("StarFiles",
                                    "設定ファイル %1 は読み取り専用です。別の名前で保存しますか?");
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Vantrell"),
                        Tr(question).arg(FileNameText(document.FilePath())), QMessageBox::Cancel,
                        &parent);
        QPushButton *saveAs =
            box.addButton(Tr(QT_TRANSLATE_NOOP("StarFiles", "設定に名前を付けて保存...")),
                          QMessageBox::AcceptRole);
        box.exec();
        return box.clickedButton() == saveAs && SaveStarFileAs(parent, document);
    }
    if (document.ChangedOnDisk() &&
        !Confirm(parent, Tr(QT_TRANSLATE_NOOP("StarFiles",
                                              "設定ファイル %1 は開いた後でほかのプログラムに変更"
                                              "されています。置き換えますか?"))
                             .arg(FileNameText(document.FilePath()))))
        return false;
    return SaveDocument(parent, document);
}

bool MayLeaveStarFile(QWidget &parent, StarDocument &document) {
    if (!document.IsStarFile() || document.IsClean())
        return true;
    QMessageBox prompt(QMessageBox::Question, Tr(QT_TRANSLATE_NOOP("StarFiles", "確認")),
                       Tr(QT_TRANSLATE_NOOP("StarFiles", "設定ファイル %1 への変更を保存しますか?"))
                           .arg(QFileInfo(FileNameText(document.FilePath())).fileName()),
                       QMessageBox::NoButton, &parent);
    QPushButton *save =
        prompt.addButton(Tr(QT_TRANSLATE_NOOP("StarFiles", "保存(&S)")), QMessageBox::AcceptRole);
    QPushButton *discard = prompt.addButton(Tr(QT_TRANSLATE_NOOP("StarFiles", "破棄(&D)")),
                                            QMessageBox::DestructiveRole);
    prompt.addButton(Tr(QT_TRANSLATE_NOOP("StarFiles", "キャンセル(&C)")), QMessageBox::RejectRole);
    prompt.setDefaultButton(save);
    prompt.exec();
    if (prompt.clickedButton() == save)
        return SaveStarFile(parent, document);
    return prompt.clickedButton() == discard;
}

bool IsStarFileDrop(const QMimeData *data, QString *path) {
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return false;
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() ||
        QFileInfo(url.toLocalFile()).suffix().compare(QLatin1String("def"), Qt::CaseInsensitive))
        return false;
    if (path)
        *path = url.toLocalFile();
    return true;
}

void RefuseUnreadableStarFile(QWidget &parent, StarDocument &document) {
    SettingsProblem problem;
    if (!document.IsStarFile() || !StarDocument::StampOf(document.FilePath()).exists ||
        ReadStarFile(document.FilePath(), &problem))
        return; // Vantrell.def, a new star file, or one that can be opened
    // Said once the window is up, over it, as every later message of the program.
    QMetaObject::invokeMethod(
        &parent,
        [&parent, path = document.FilePath(), problem] {
            ShowStarFileProblem(parent, path, problem);
        },
        Qt::QueuedConnection);
    document.TakeFile(kSettingsFileName, false);
}

namespace {

// Takes the drags and drops that reach the window it watches.
class StarFileDrops : public QObject {
public:
    StarFileDrops(QWidget &window, ChangeRecorder &recorder)
        : QObject(&window), window_(window), recorder_(recorder) {
        window.setAcceptDrops(true);
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &window_)
            return false;
        if (event->type() == QEvent::DragEnter) {
            auto *enter = static_cast<QDragEnterEvent *>(event);
            if (IsStarFileDrop(enter->mimeData()))
                enter->acceptProposedAction();
            else
                enter->ignore();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto *drop = static_cast<QDropEvent *>(event);
            QString path;
            if (!IsStarFileDrop(drop->mimeData(), &path)) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            OpenStarFile(window_, recorder_, path);
            return true;
        }
        return false;
    }

private:
    QWidget &window_;
    ChangeRecorder &recorder_;
};

} // namespace

void AcceptStarFileDrops(QWidget &window, ChangeRecorder &recorder) {
    new StarFileDrops(window, recorder);
}

void ShowDocumentTitle(QWidget &window, const StarDocument &document) {
    if (!document.IsStarFile()) {
        window.setWindowFilePath({});
        window.setWindowTitle(QStringLiteral("Vantrell"));
        window.setWindowModified(false);
        return;
    }
    const QString path = FileNameText(document.FilePath());
    window.setWindowFilePath(path);
    window.setWindowTitle(QFileInfo(path).fileName() + QStringLiteral("[*] — Vantrell"));
    window.setWindowModified(!document.IsClean());
}
