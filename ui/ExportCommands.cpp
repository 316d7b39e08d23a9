#include "ExportCommands.h"

#include "FileMessages.h"
#include "OutputFile.h"
#include "PictureExport.h"
#include "PictureMimeData.h"
#include "PictureOptions.h"
#include "PictureSource.h"
#include "StarDocument.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProgressDialog>

namespace {

struct SaveFilter {
    const char *name;
    const char *suffix;
};
constexpr SaveFilter kSaveFilters[] = {
    {QT_TRANSLATE_NOOP("MainWindow", "bmpファイル (*.BMP *.bmp)"), "bmp"},
    {QT_TRANSLATE_NOOP("MainWindow", "jpgファイル (*.JPG *.jpg)"), "jpg"},
    {QT_TRANSLATE_NOOP("MainWindow", "pngファイル (*.PNG *.png)"), "png"},
    {QT_TRANSLATE_NOOP("MainWindow", "svgファイル (*.SVG *.svg)"), "svg"},
};

QString Tr(const char *text) {
    return QCoreApplication::translate("MainWindow", text);
}

QString FilterName(const SaveFilter &filter) {
    return Tr(filter.name);
}

void ShowFailure(QWidget *parent, const QString &text) {
    QMessageBox::critical(parent, QStringLiteral("Vantrell"), text);
}

} // namespace

QFileDialog *CreateSaveDialog(QWidget &parent, QAction *transparentPicture) {
    auto *dialog = new QFileDialog(&parent);
    dialog->setObjectName(QStringLiteral("saveDialog"));
    // Its title is the platform's; a screen reader tells it from the star file's.
    dialog->setAccessibleName(Tr(QT_TRANSLATE_NOOP("MainWindow", "画像に名前を付けて保存")));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    // Qt's own dialog: the same on every platform, and tests can answer it.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const SaveFilter &f : kSaveFilters)
        filters << FilterName(f);
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(QString::fromLatin1(kSaveFilters[0].suffix));
    ConnectTransparencyNote(dialog, transparentPicture);
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, [dialog](const QString &filter) {
        for (const SaveFilter &f : kSaveFilters)
            if (filter == FilterName(f))
                dialog->setDefaultSuffix(QString::fromLatin1(f.suffix));
    });
    return dialog;
}

bool SavePictureAs(QFileDialog &dialog, StarDocument &document, PictureSource &source) {
    QWidget *const window = dialog.parentWidget();
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QString path = dialog.selectedFiles().constFirst();
    // The next Save As offers the same name again.
    dialog.selectFile(path);
    const std::string fileName = FileNameBytes(path);
    // The star's own file, under any name that leads to it (a link, a hard link), is
    // never replaced by its picture: the star would be lost with it.
    const std::string &starFile = document.FilePath();
    if (IsSameFile(fileName, starFile)) {
        ShowFailure(window, OverStarFileText(fileName, starFile));
        return false;
    }

    const StarPicture picture = source.OutputPicture();
    if (picture.width <= 0 || picture.height <= 0) {
        ShowFailure(window, NothingToSaveText());
        return false;
    }
    QProgressDialog progress(
        Tr(QT_TRANSLATE_NOOP("MainWindow", "%1 に保存しています...")).arg(path),
        Tr(QT_TRANSLATE_NOOP("MainWindow", "Cancel")), 0, picture.height, window);
    progress.setWindowTitle(QStringLiteral("Vantrell"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    // The picture is fixed now. The palettes stay usable while it is written, and a
    // change made meanwhile sets Modified again, so the saved state is what was
    // written and nothing later is taken for saved.
    const bool wasModified = document.Modified;
    document.PictureSaved();
    const ExportResult result = ExportPictureFile(fileName, picture, FormatForFileName(fileName),
                                                  [&progress](int64_t done, int64_t) {
                                                      progress.setValue(int(done));
                                                      return !progress.wasCanceled();
                                                  });
    progress.reset();
    if (result.status == ExportResult::Written)
        return true;
    document.Modified = document.Modified || wasModified;
    if (result.status == ExportResult::Failed)
        ShowFailure(window, ExportFailureText(result, fileName));
    return false;
}

void CopyPicture(QWidget &parent, StarDocument &document, PictureSource &source) {
    const StarPicture picture = source.OutputPicture();
    if (picture.width <= 0 || picture.height <= 0) {
        ShowFailure(&parent, NothingToSaveText());
        return;
    }
    QImage bitmap;
    source.RenderOutput(bitmap);
    if (bitmap.isNull()) {
        ShowFailure(&parent,
                    Tr(QT_TRANSLATE_NOOP("MainWindow",
                                         "メモリが足りないため、%1 x %2 の画像をクリップボードに"
                                         "コピーできません"))
                        .arg(picture.width)
                        .arg(picture.height));
        return;
    }
    QGuiApplication::clipboard()->setMimeData(new PictureMimeData(picture, bitmap));
    document.PictureSaved();
}

bool MayLeaveUnsavedPicture(const std::function<bool()> &saveAs) {
    QMessageBox prompt(QMessageBox::Question, Tr(QT_TRANSLATE_NOOP("MainWindow", "確認")),
                       Tr(QT_TRANSLATE_NOOP("MainWindow", "ファイルに保存しますか?")),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (prompt.exec()) {
    case QMessageBox::Yes:
        return saveAs();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}
