#include "FileMessages.h"
#include "FullDisk.h"
#include "PictureWriter.h"
#include "Points.h"
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
    Form1->Fill2->trigger();
    ASSERT_TRUE(Form1->Modified);
    const FormatRow &row = GetParam();
    const ModalAnswer answer = SaveAs(dir_.File(row.typed), QString::fromUtf8(row.filter));
    EXPECT_TRUE(Form1->SaveAsFile());
    EXPECT_FALSE(Form1->Modified);
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
        Form1->Modified = true;
        EXPECT_FALSE(Form1->SaveAsFile());
        EXPECT_TRUE(Form1->Modified) << "a cancelled Save As changes nothing";
    }
    ASSERT_GE(filters.size(), 4);
    EXPECT_TRUE(filters[0].startsWith("bmpファイル"));
    EXPECT_TRUE(filters[1].startsWith("jpgファイル"));

    const std::string first = dir_.File("first.jpg");
    {
        const ModalAnswer answer = SaveAs(first, filters[1]);
        ASSERT_TRUE(Form1->SaveAsFile());
    }
    QStringList offered;
    QString offeredFilter;
    const ModalAnswer answer = ModalAnswer::For<QFileDialog>([&](QFileDialog *dialog) {
        offered = dialog->selectedFiles();
        offeredFilter = dialog->selectedNameFilter();
        dialog->reject();
    });
    Form1->SaveAsFile();
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
    EXPECT_TRUE(Form1->SaveAsFile());
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
    Form1->Fill1->trigger();
    QString text;
    // Replacing was asked about and allowed; only the failure's message remains.
    Form1->SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    const ModalAnswer answer = SaveAs(path);
    const ModalAnswer message = NoteMessage(text);
    EXPECT_FALSE(Form1->SaveAsFile());
    EXPECT_EQ(text, QStringLiteral("ストリームへの書き込みエラー: %1: No space left on device")
                        .arg(QString::fromStdString(path)));
    EXPECT_TRUE(Form1->Modified);
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
    Form1->SaveDef->trigger();
    std::string file = SettingsPath();
    if (GetParam().starFile) {
        file = dir_.File("star.def");
        std::filesystem::copy_file(SettingsPath(), file);
        ASSERT_TRUE(OpenStarFile(*Form1, *Form1->Recorder, QString::fromStdString(file)));
    }
    const std::string chosen = GetParam().link ? dir_.File("link.bmp") : file;
    if (GetParam().link)
        std::filesystem::create_symlink(file, chosen);
    const std::vector<unsigned char> before = ReadBytes(file);
    Form1->Fill1->trigger();
    Form1->SaveDialog1->setOption(QFileDialog::DontConfirmOverwrite);
    QString text;
    const ModalAnswer answer = SaveAs(chosen);
    const ModalAnswer message = NoteMessage(text);
    EXPECT_FALSE(Form1->SaveAsFile());
    EXPECT_EQ(text, OverStarFileText(chosen, Form1->Document->FilePath()));
    EXPECT_EQ(ReadBytes(file), before);
    EXPECT_TRUE(Form1->Modified);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveAsOverTheStarsFile,
                         testing::Values(OwnFileRow{"TheStarFile", true, false},
                                         OwnFileRow{"ALinkToTheStarFile", true, true},
                                         OwnFileRow{"TheSettingsFile", false, false}),
                         [](const testing::TestParamInfo<OwnFileRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, NothingIsSavedFromAnEmptyDrawingArea) {
    Start();
    Form1->SetClientSize(300, 25); // the status bar alone
    Settle();
    ASSERT_EQ(Form1->PaintBox->height(), 0);
    Form1->Modified = true;
    QString text;
    const ModalAnswer answer = SaveAs(dir_.File("empty.bmp"));
    const ModalAnswer message = NoteMessage(text);
    EXPECT_FALSE(Form1->SaveAsFile());
    EXPECT_FALSE(text.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(dir_.File("empty.bmp")));
    EXPECT_TRUE(Form1->Modified);
}

struct YesRow {
    const char *name;
    bool saveSucceeds;
};

class PromptYes : public MainWindowTest, public testing::WithParamInterface<YesRow> {};

TEST_P(PromptYes, ClosesOnlyWhenThePictureWasWritten) {
    Start();
    Form1->Fill1->trigger();
    const ModalAnswer prompt = ModalAnswer::For<QMessageBox>(
        [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    const ModalAnswer save =
        GetParam().saveSucceeds ? SaveAs(dir_.File("closing.bmp")) : CancelSaveAs();
    EXPECT_EQ(Form1->close(), GetParam().saveSucceeds);
    EXPECT_EQ(Form1->Modified, !GetParam().saveSucceeds);
}

INSTANTIATE_TEST_SUITE_P(Rows, PromptYes,
                         testing::Values(YesRow{"SaveAsCancelled", false}, YesRow{"Saved", true}),
                         [](const testing::TestParamInfo<YesRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, CopyPutsTheOutputPictureAndItsSvgOnTheClipboard) {
    Start();
    Form1->ShapeSettings.SaveRate = 2;
    Form1->Fill2->trigger();
    Form1->Copy1->trigger();
    EXPECT_FALSE(Form1->Modified);
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QImage image = qvariant_cast<QImage>(data->imageData());
    EXPECT_EQ(image.size(), QSize(816, 502));
    QImage expected;
    Form1->RenderToBitmap(expected);
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_TRUE(data->data("image/svg+xml").startsWith("<?xml"));

    const ModalAnswer prompt(
        [](QWidget *w) { static_cast<QMessageBox *>(w)->button(QMessageBox::Cancel)->click(); });
    EXPECT_TRUE(Form1->close()) << "closing right after a copy asks nothing";
    Settle();
    EXPECT_FALSE(prompt.Seen());
}

// The command-line renderer draws the same picture from the same settings.
TEST_F(MainWindowTest, RendererWritesWhatSaveAsWrites) {
    Start();
    Form1->SetClientSize(150, 125);
    Form1->ShapeSettings.SaveRate = 3;
    Form1->ShapeSettings.LeanAngle = 12;
    Form1->PaintBox->PenColor = 0x0000C0;
    Form1->PaintBox->Color = 0x80000001; // a system colour, resolved alike by both
    Form1->Fill1->trigger();
    Form1->SaveDef->trigger();
    for (const char *name : {"gui.png", "gui.bmp", "gui.jpg", "gui.svg"}) {
        const ModalAnswer answer = SaveAs(dir_.File(name));
        ASSERT_TRUE(Form1->SaveAsFile());
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
    Form1->SetClientSize(100, 3000 + 25); // several bands, written in several steps
    Form1->Points1->trigger();
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
        auto *progress = Form1->findChild<QProgressDialog *>();
        if (!changed && progress && progress->isVisible()) {
            PointsDlg->Edit1->setText(QStringLiteral("35"));
            changed = true;
        }
    });
    poll.start(10);
    const ModalAnswer answer = SaveAs(fifo);
    const ModalAnswer replace = ModalAnswer::For<QMessageBox>(
        [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(Form1->SaveAsFile());
    reader.join();
    ASSERT_TRUE(changed) << "the change was made while the picture was written";
    EXPECT_EQ(Form1->ShapeSettings.Points, 35);
    EXPECT_TRUE(Form1->Modified);
}

} // namespace
