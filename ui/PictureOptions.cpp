#include "PictureOptions.h"

#include "PictureExport.h"
#include "PictureFormat.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileDialog>
#include <QSettings>

namespace {

const QString kTransparentKey = QStringLiteral("picture/transparent");
const QString kSmoothKey = QStringLiteral("picture/smooth");

void Persist(QAction *item, const QString &key) {
    item->setChecked(QSettings().value(key, false).toBool());
    QObject::connect(item, &QAction::toggled, item,
                     [key](bool on) { QSettings().setValue(key, on); });
}

} // namespace

void ConnectPictureOptions(QAction *transparent, QAction *smooth) {
    Persist(transparent, kTransparentKey);
    Persist(smooth, kSmoothKey);
}

void ConnectTransparencyNote(QFileDialog *dialog, QAction *transparent) {
    const QString plain = dialog->labelText(QFileDialog::FileType);
    const auto update = [dialog, transparent, plain] {
        // The entry's first pattern tells the format, as the file name will.
        const QString pattern = dialog->selectedNameFilter()
                                    .section(QLatin1Char('('), 1)
                                    .section(QLatin1Char(' '), 0, 0);
        const bool lost = transparent->isChecked() &&
                          !FormatCarriesAlpha(FormatForFileName(pattern.toStdString()));
        dialog->setLabelText(QFileDialog::FileType,
                             lost ? plain + QCoreApplication::translate("PictureOptions",
                                                                        " (背景は透明になりません)")
                                  : plain);
    };
    QObject::connect(dialog, &QFileDialog::filterSelected, dialog, update);
    QObject::connect(transparent, &QAction::toggled, dialog, update);
    update();
}
