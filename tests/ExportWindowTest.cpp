#include "FileMessages.h"
#include "FullDisk.h"
#include "JagsPalette.h"
#include "PictureWriter.h"
#include "SettingsFile.h"
#include "StarFiles.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>

#include <QProgressDialog>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Answers the Save As dialog with a name, and a filter entry when given.
ModalAnswer SaveAs(const std::string &path, const QString &filter = {}) {
    return ModalAnswer::For<QFileDialog>([path, filter](QFileDialog *dialog) {
        if (!filter.isEmpty()) {
            // As the user picks an entry from the list.
            auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            const int index = types->findText(filter);
            types->setCurrentIndex(index);
            emit types->activated(index);
            emit types->textActivated(filter);
        }
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
            ->setText(QString::fromStdString(path));
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
}

ModalAnswer CancelSaveAs() {
    return ModalAnswer::For<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
}

// Closes the next message box with OK and keeps its text.
ModalAnswer NoteMessage(QString &text) {
    return ModalAnswer::For<QMessageBox>([&text](QMessageBox *box) {
        text = box->text();
        box->accept();
    });
}

std::string Head(const std::string &path, std::size_t n) {
    const std::vector<unsigned char> b = ReadBytes(path);
    return std::string(b.begin(), b.begin() + std::min(n, b.size()));
}

struct FormatRow {
    const char *name;
    const char *typed;
    const char *filter; // empty: the entry the dialog starts with
    const char *written;
    std::string signature;
};

class SaveAsFormats : public MainWindowTest, public testing::WithParamInterface<FormatRow> {};

TEST_P(SaveAsFormats, WritesWhatTheNameAsksForAndClearsModified) {
    Start();
    mainWindow->actionFill->trigger();
    ASSERT_TRUE(mainWindow->Modified);
    const FormatRow &row = GetParam();
    const ModalAnswer answer = SaveAs(dir_.File(row.typed), QString::fromUtf8(row.filter));
    EXPECT_TRUE(mainWindow->SaveAsFile());
    EXPECT_FALSE(mainWindow->Modified);
    const std::string written = dir_.File(row.written);
    ASSERT_TRUE(std::filesystem::exists(written)) << written;
    EXPECT_EQ(Head(written, row.signature.size()), row.signature);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SaveAsFormats,
    testing::Values(FormatRow{"Bmp", "star.bmp", "", "star.bmp", "BM"},
                    FormatRow{"JpgUpper", "star.JPG", "", "star.JPG", "\xFF\xD8\xFF\xE0"},
                    FormatRow{"Jpeg", "star.jpeg", "", "star.jpeg", "\xFF\xD8\xFF\xE0"},
                    FormatRow{"Png", "star.png", "", "star.png", "\x89PNG"},
                    FormatRow{"Svg", "star.svg", "", "star.svg", "<?xml"},
                    FormatRow{"NoExtensionBmpEntry", "star", "", "star.bmp", "BM"},
                    FormatRow{"NoExtensionJpgEntry", "star", "jpgファイル (*.JPG *.jpg)",
                              "star.jpg", "\xFF\xD8"},
                    FormatRow{"NoExtensionPngEntry", "star", "pngファイル (*.PNG *.png)",
                              "star.png", "\x89PNG"}),
    [](const testing::TestParamInfo<FormatRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, SaveDialogListsBmpAndJpgFirstAndRemembersTheLastChoice) {
    Start();
    QStringList filters;
    {
        const ModalAnswer answer = ModalAnswer::For<QFileDialog>([&](QFileDialog *dialog) {
            filters = dialog->nameFilters();
            dialog->reject();
        });
        mainWindow->Modified = true;
        EXPECT_FALSE(mainWindow->SaveAsFile());
        EXPECT_TRUE(mainWindow->Modified) << "a cancelled Save As changes nothing";
    }
    ASSERT_GE(filters.size(), 4);
    EXPECT_TRUE(filters[0].startsWith("bmpファイル"));
    EXPECT_TRUE(filters[1].startsWith("jpgファイル"));

    const std::string first = dir_.File("first.jpg");
    {
        const ModalAnswer answer = SaveAs(first, filters[1]);
        ASSERT_TRUE(mainWindow->SaveAsFile());
    }
    QStringList offered;
    QString offeredFilter;
    const ModalAnswer answer = ModalAnswer::For<QFileDialog>([&](QFileDialog *dialog) {
        offered = dialog->selectedFiles();
        offeredFilter = dialog->selectedNameFilter();
        dialog->reject();
    });
    mainWindow->SaveAsFile();
    ASSERT_FALSE(offered.isEmpty());
    EXPECT_EQ(offered.first(), QString::fromStdString(first));
    EXPECT_EQ(offeredFilter, filters[1]);
}

TEST_F(MainWindowTest, ReplacingAnExistingFileAsksFirst) {
    Start();
    const std::string path = dir_.File("old.bmp");
    WriteBytes(path, {1, 2, 3});
    bool asked = false;
    const ModalAnswer confirm = ModalAnswer::For<QMessageBox>([&asked](QMessageBox *box) {
        asked = true;
        box->button(QMessageBox::Yes)->click();
    });
    const ModalAnswer answer = SaveAs(path);
    EXPECT_TRUE(mainWindow->SaveAsFile());
    EXPECT_TRUE(asked);
    EXPECT_EQ(Head(path, 2), "BM");
}

TEST_F(MainWindowTest, FailedSaveShowsTheErrorAndKeepsTheOldFile) {
    FullDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    Start();
    const std::string path = disk.File("old.png");
    WriteBytes(path, {4, 5, 6});
    disk.Fill();
    mainWindow->actionFillContext->trigger();
    QString text;
    // Replacing was asked about and allowed; only the failure's message remains.
    mainWindow->saveDialog->setOption(QFileDialog::DontConfirmOverwrite);
    const ModalAnswer answer = SaveAs(path);
    const ModalAnswer message = NoteMessage(text);
    EXPECT_FALSE(mainWindow->SaveAsFile());
    EXPECT_EQ(text, QStringLiteral("ストリームへの書き込みエラー: %1: No space left on device")
                        .arg(QString::fromStdString(path)));
    EXPECT_TRUE(mainWindow->Modified);
    EXPECT_EQ(ReadBytes(path), (std::vector<unsigned char>{4, 5, 6}));
}

// The star's own file, under the name chosen or a link to it, is never replaced by
// its picture: the open star file, or Vantrell.def without one.
struct OwnFileRow {
    const char *name;
    bool starFile, link;
};

class SaveAsOverTheStarsFile : public MainWindowTest,
                               public testing::WithParamInterface<OwnFileRow> {};

TEST_P(SaveAsOverTheStarsFile, IsRefusedAndWritesNothing) {
    Start();
    mainWindow->actionSaveSettings->trigger();
    std::string file = SettingsPath();
    if (GetParam().starFile) {
        file = dir_.File("star.def");
        std::filesystem::copy_file(SettingsPath(), file);
        ASSERT_TRUE(OpenStarFile(*mainWindow, *mainWindow->Recorder, QString::fromStdString(file)));
    }
    const std::string chosen = GetParam().link ? dir_.File("link.bmp") : file;
    if (GetParam().link)
        std::filesystem::create_symlink(file, chosen);
    const std::vector<unsigned char> before = ReadBytes(file);
    mainWindow->actionFillContext->trigger();
    mainWindow->saveDialog->setOption(QFileDialog::DontConfirmOverwrite);
    QString text;
    const ModalAnswer answer = SaveAs(chosen);
    const ModalAnswer message = NoteMessage(text);
    EXPECT_FALSE(mainWindow->SaveAsFile());
    EXPECT_EQ(text, OverStarFileText(chosen, mainWindow->Document->FilePath()));
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_TRUE(mainWindow->Modified);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveAsOverTheStarsFile,
                         testing::Values(OwnFileRow{"TheStarFile", true, false},
                                         OwnFileRow{"ALinkToTheStarFile", true, true},
                                         OwnFileRow{"TheSettingsFile", false, false}),
                         [](const testing::TestParamInfo<OwnFileRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, NothingIsSavedFromAnEmptyDrawingArea) {
    Start();
    mainWindow->SetClientSize(300, 25); // the status bar alone
    Settle();
    ASSERT_EQ(mainWindow->starView->height(), 0);
    mainWindow->Modified = true;
    QString text;
    const ModalAnswer answer = SaveAs(dir_.File("empty.bmp"));
    const ModalAnswer message = NoteMessage(text);
    EXPECT_FALSE(mainWindow->SaveAsFile());
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(dir_.File("empty.bmp")));
    EXPECT_TRUE(mainWindow->Modified);
}

struct YesRow {
    const char *name;
    bool saveSucceeds;
};

class PromptYes : public MainWindowTest, public testing::WithParamInterface<YesRow> {};

TEST_P(PromptYes, ClosesOnlyWhenThePictureWasWritten) {
    Start();
    mainWindow->actionFillContext->trigger();
    const ModalAnswer prompt = ModalAnswer::For<QMessageBox>(
        [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    const ModalAnswer save =
        GetParam().saveSucceeds ? SaveAs(dir_.File("closing.bmp")) : CancelSaveAs();
    EXPECT_EQ(mainWindow->close(), GetParam().saveSucceeds);
    EXPECT_EQ(mainWindow->Modified, !GetParam().saveSucceeds);
}

INSTANTIATE_TEST_SUITE_P(Rows, PromptYes,
                         testing::Values(YesRow{"SaveAsCancelled", false}, YesRow{"Saved", true}),
                         [](const testing::TestParamInfo<YesRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, CopyPutsTheOutputPictureAndItsSvgOnTheClipboard) {
    Start();
    mainWindow->ShapeSettings.SaveRate = 2;
    mainWindow->actionFill->trigger();
    mainWindow->actionCopy->trigger();
    EXPECT_FALSE(mainWindow->Modified);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    // Only formats that carry the picture exactly, each as Save As writes it.
    EXPECT_EQ(data->formats(),
              (QStringList{"image/png", "image/bmp", "image/jpeg", "image/svg+xml"}));
    const QImage image = QImage::fromData(data->data("image/png"), "PNG");
    EXPECT_EQ(image.size(), QSize(816, 502));
    QImage expected;
    mainWindow->starView->RenderOutput(expected);
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), expected);
    for (const char *format : {"jpg", "bmp", "png"}) {
        const std::string file = dir_.File(std::string("copied.") + format);
        const ModalAnswer answer = SaveAs(file);
        ASSERT_TRUE(mainWindow->SaveAsFile());
        const QByteArray copied =
            data->data(QStringLiteral("image/") + (format == std::string("jpg") ? "jpeg" : format));
        EXPECT_EQ(std::vector<unsigned char>(copied.begin(), copied.end()), ReadBytes(file))
            << format;
    }
    EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));
    mainWindow->actionCopy->trigger(); // saved as a file, then copied: nothing to save

    const ModalAnswer prompt(
        [](QWidget *w) { static_cast<QMessageBox *>(w)->button(QMessageBox::Cancel)->click(); });
    EXPECT_TRUE(mainWindow->close()) << "closing right after a copy asks nothing";
    Settle();
    EXPECT_FALSE(prompt.Seen());
}

// The command-line renderer draws the same picture from the same settings.
TEST_F(MainWindowTest, RendererWritesWhatSaveAsWrites) {
    Start();
    mainWindow->SetClientSize(150, 125);
    mainWindow->ShapeSettings.SaveRate = 3;
    mainWindow->ShapeSettings.LeanAngle = 12;
    mainWindow->starView->PenColor = 0x0000C0;
    mainWindow->starView->Color = 0x80000001; // a system colour, resolved alike by both
    mainWindow->actionFillContext->trigger();
    mainWindow->actionSaveSettings->trigger();
    for (const char *name : {"gui.png", "gui.bmp", "gui.jpg", "gui.svg"}) {
        const ModalAnswer answer = SaveAs(dir_.File(name));
        ASSERT_TRUE(mainWindow->SaveAsFile());
        const std::string cli = dir_.File(std::string("cli") + (name + 3));
        const std::string command = std::string(VANTRELL_RENDER_PATH) + " --settings '" +
                                    SettingsPath() + "' '" + cli + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        EXPECT_EQ(ReadBytes(cli), ReadBytes(dir_.File(name))) << name;
    }
}

// A change made in a palette while a picture is written is not taken for saved.
TEST_F(MainWindowTest, AChangeDuringAnExportStaysUnsaved) {
    Start();
    mainWindow->SetClientSize(100, 3000 + 25); // several bands, written in several steps
    mainWindow->actionJagsContext->trigger();
    Settle();
    const std::string fifo = dir_.File("slow.bmp");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The other end reads late, so the export lasts long enough to show its progress.
    std::thread reader([fifo] {
        const int fd = ::open(fifo.c_str(), O_RDONLY);
        std::this_thread::sleep_for(std::chrono::milliseconds(900));
        char buffer[65536];
        while (::read(fd, buffer, sizeof buffer) > 0) {
        }
        ::close(fd);
    });
    bool changed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *progress = mainWindow->findChild<QProgressDialog *>();
        if (!changed && progress && progress->isVisible()) {
            jagsPalette->jagsEdit->setText(QStringLiteral("35"));
            changed = true;
        }
    });
    poll.start(10);
    const ModalAnswer answer = SaveAs(fifo);
    const ModalAnswer replace = ModalAnswer::For<QMessageBox>(
        [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(mainWindow->SaveAsFile());
    reader.join();
    ASSERT_TRUE(changed) << "the change was made while the picture was written";
    EXPECT_EQ(mainWindow->ShapeSettings.Points, 35);
    EXPECT_TRUE(mainWindow->Modified);
}

} // namespace
