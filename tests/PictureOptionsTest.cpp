#include "SettingsFile.h"
#include "UndoSteps.h"
#include "WindowTestSupport.h"

#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QSettings>

#include <cstdlib>

namespace {

// The two preferences: kept in the user's settings, shown at once, never a change of
// the star (no step, no unsaved change).
TEST_F(MainWindowTest, PictureOptionsArePreferencesOfTheProgram) {
    Start();
    mainWindow->Modified = false;
    const int steps = mainWindow->Recorder->Stack().count();
    mainWindow->actionTransparentPicture->trigger();
    mainWindow->actionSmooth->trigger();
    EXPECT_FALSE(mainWindow->Modified);
    EXPECT_EQ(mainWindow->Recorder->Stack().count(), steps);
    EXPECT_TRUE(QSettings().value("picture/transparent").toBool());
    EXPECT_TRUE(QSettings().value("picture/smooth").toBool());
    // A checkerboard shows where the picture will be transparent.
    const QImage &canvas = mainWindow->starView->Canvas();
    EXPECT_NE(canvas.pixel(1, 1), canvas.pixel(9, 1));
    EXPECT_EQ(canvas.pixel(1, 1), canvas.pixel(9, 9));
    // The next start keeps them.
    DestroyProgramWindows();
    CreateProgramWindows();
    EXPECT_TRUE(mainWindow->actionTransparentPicture->isChecked());
    EXPECT_TRUE(mainWindow->actionSmooth->isChecked());
}

TEST_F(MainWindowTest, SaveAsCopyAndTheRendererAgreeWithBothOptionsOn) {
    Start();
    mainWindow->actionTransparentPicture->trigger();
    mainWindow->actionSmooth->trigger();
    mainWindow->ShapeSettings.SaveRate = 2;
    mainWindow->actionSaveSettings->trigger();
    for (const char *name : {"gui.png", "gui.svg", "gui.bmp", "gui.jpg"}) {
        const ModalAnswer answer = ModalAnswer::For<QFileDialog>([this, name](QFileDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(dir_.File(name)));
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        });
        ASSERT_TRUE(mainWindow->SaveAsFile());
        const std::string cli = dir_.File(std::string("cli") + (name + 3));
        const std::string command = std::string(VANTRELL_RENDER_PATH) +
                                    " --transparent --smooth --settings '" + SettingsPath() +
                                    "' '" + cli + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(ReadBytes(cli), ReadBytes(dir_.File(name))) << name;
    }
    mainWindow->actionCopy->trigger();
    const QImage copied = QImage::fromData(
        QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/png")), "PNG");
    EXPECT_TRUE(copied.hasAlphaChannel());
    EXPECT_EQ(qAlpha(copied.pixel(0, 0)), 0);
    // A program that takes the copy as BMP gets the picture a BMP file holds.
    const QImage bmp = QImage::fromData(
        QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("image/bmp")), "BMP");
    EXPECT_EQ(
        bmp.convertToFormat(QImage::Format_RGB32),
        QImage(QString::fromStdString(dir_.File("cli.bmp"))).convertToFormat(QImage::Format_RGB32));
}

TEST_F(MainWindowTest, TheSaveDialogSaysWhenAFormatLosesTransparency) {
    Start();
    mainWindow->actionTransparentPicture->trigger();
    QFileDialog *dialog = mainWindow->saveDialog;
    const QString plain = QFileDialog().labelText(QFileDialog::FileType);
    for (const QString &filter : dialog->nameFilters()) {
        dialog->selectNameFilter(filter);
        emit dialog->filterSelected(filter);
        const bool carries = filter.contains("png") || filter.contains("svg");
        EXPECT_EQ(dialog->labelText(QFileDialog::FileType).length() > plain.length(), !carries)
            << filter.toStdString();
    }
}

} // namespace
