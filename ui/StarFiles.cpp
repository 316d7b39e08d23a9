#include "StarFiles.h"

#include "SettingsFile.h"
#include "UndoSteps.h"
#include "Vantmain.h"
#include "WindowLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include <filesystem>
#include <fstream>

namespace {

QStringList StarFileFilters() {
    return {QCoreApplication::translate("StarFiles", "設定ファイル (*.def)"),
            QCoreApplication::translate("StarFiles", "すべてのファイル (*)")};
}

// Qt's own dialog, the same on every platform, which tests can answer.
QString AskForStarFile(TForm1 &form, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(&form);
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

} // namespace

void OpenStarFileClick(TForm1 &form) {
    const QString path = AskForStarFile(form, QFileDialog::AcceptOpen);
    if (!path.isEmpty())
        OpenStarFile(form, path);
}

bool OpenStarFile(TForm1 &form, const QString &path) {
    const std::string name = QFile::encodeName(path).toStdString();
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error) || !std::ifstream(name)) {
        QMessageBox::warning(
            &form, QStringLiteral("Vantrell"),
            QCoreApplication::translate("StarFiles", "設定ファイル %1 を読み込めません").arg(path));
        return false;
    }
    const std::optional<ShapeSettings> loaded = ReadSettingsFile(name);
    PictureState state;
    state.record = StartingRecord(loaded);
    state.sameSize = state.record.SameSize != 0;
    state.fill = state.record.Fill != 0;
    state.foreColor = state.record.ForeColor;
    state.backColor = state.record.BackColor;
    state.client = loaded ? QSize(state.record.ClientWidth, state.record.ClientHeight)
                          : QSize(kLayoutAreaWidth, kLayoutAreaHeight + kStatusBarHeight);
    form.Recorder->Record(StepKind::Other, [&] { ApplyState(form, state); });
    form.SettingsPath = name;
    return true;
}

void SaveStarFileAsClick(TForm1 &form) {
    const QString path = AskForStarFile(form, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    const std::string previous = form.SettingsPath;
    form.SettingsPath = QFile::encodeName(path).toStdString();
    if (!form.SaveSettings())
        form.SettingsPath = previous;
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
