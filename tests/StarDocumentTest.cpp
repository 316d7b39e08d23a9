#include "SettingsFile.h"
#include "StarFiles.h"
#include "WindowTestSupport.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <utime.h>

namespace {

// A star file of 68 bytes with seven jags.
std::vector<unsigned char> StarBytes(int points = 7) {
    ShapeSettings s = StartingRecord(std::nullopt);
    s.Points = points;
    s.ClientWidth = 300;
    s.ClientHeight = 200;
    const SettingsBytes bytes = EncodeSettings(s);
    return {bytes.begin(), bytes.end()};
}

// Answers the next message box with the button of that text, or as Escape does
// without one, and keeps what it said.
struct Answer {
    explicit Answer(const QString &answer = {})
        : modal(ModalAnswer::For<QMessageBox>([this, answer](QMessageBox *box) {
              text = box->text();
              overShownWindow = box->parentWidget() && box->parentWidget()->isVisible();
              for (QAbstractButton *button : box->buttons())
                  if (!answer.isEmpty() && button->text().startsWith(answer + QStringLiteral("(&")))
                      return button->click();
              box->reject();
          })) {}
    QString text;
    bool overShownWindow = false;
    ModalAnswer modal;
};

class StarDocuments : public MainWindowTest {
public:
    std::string File(const std::string &name) const { return dir_.File(name); }
    // 開く… or 設定に名前を付けて保存…, naming the file in the dialog.
    void Choose(QAction *command, const std::string &name) {
        const ModalAnswer answer = ModalAnswer::For<QFileDialog>([this, name](QFileDialog *d) {
            d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(dir_.File(name)));
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        });
        command->trigger();
    }
    void Open(const std::string &name) { Choose(mainWindow->actionOpen, name); }
    void Drop(const std::string &name) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir_.File(name)))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(mainWindow, &enter); // a drop goes where the drag entered
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(mainWindow, &drop);
    }
};

// What the user does, in order, against files that the row puts in place; then the
// window's title, the file the star belongs to, and what each file holds.
struct ScenarioRow {
    const char *name;
    void (*act)(StarDocuments &t);
    const char *title;    // with [*] where the star differs from its file
    bool marked;          // the [*] shown
    const char *document; // the file 設定保存 writes
    int starPoints;       // the jag count star.def holds afterwards (7: untouched)
};

class DocumentScenario : public StarDocuments, public testing::WithParamInterface<ScenarioRow> {};

TEST_P(DocumentScenario, KeepsTheUsersFile) {
    WriteBytes(dir_.File("star.def"), StarBytes());
    WriteBytes(dir_.File("other.def"), StarBytes(9));
    Start();
    GetParam().act(*this);
    Settle();
    EXPECT_EQ(mainWindow->windowTitle(), QString::fromUtf8(GetParam().title));
    EXPECT_EQ(mainWindow->isWindowModified(), GetParam().marked);
    EXPECT_EQ(mainWindow->Document->FilePath(), std::string(GetParam().document) == "Vantrell.def"
                                                    ? "Vantrell.def"
                                                    : dir_.File(GetParam().document));
    const std::optional<ShapeSettings> star = ReadStarFile(dir_.File("star.def"));
    EXPECT_EQ(star ? star->Points : -1, GetParam().starPoints);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DocumentScenario,
    testing::Values(ScenarioRow{"AChangeMarksIt",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    mainWindow->actionFillContext->trigger();
                                },
                                "star.def[*] — Vantrell", true, "star.def", 7},
                    ScenarioRow{"UndoOfTheChangeClearsTheMark",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    mainWindow->actionFillContext->trigger();
                                    mainWindow->actionUndo->trigger();
                                },
                                "star.def[*] — Vantrell", false, "star.def", 7},
                    ScenarioRow{"ResetIsAChange",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    mainWindow->actionDefaults->trigger();
                                },
                                "star.def[*] — Vantrell", true, "star.def", 7},
                    ScenarioRow{"UndoOfAnOpenReturnsToThePreviousDocument",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    mainWindow->actionUndo->trigger();
                                    mainWindow->actionSaveSettings->trigger();
                                },
                                "Vantrell", false, "Vantrell.def", 7},
                    ScenarioRow{"SaveWritesTheOpenedFile",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    mainWindow->ShapeSettings.Points = 11;
                                    mainWindow->actionSaveSettings->trigger();
                                },
                                "star.def[*] — Vantrell", false, "star.def", 11},
                    ScenarioRow{"SaveAsMakesTheNewFileTheDocument",
                                [](StarDocuments &w) {
                                    w.Choose(mainWindow->actionSaveSettingsAs, "new.def");
                                    mainWindow->ShapeSettings.Points = 12;
                                    mainWindow->actionSaveSettings->trigger();
                                    EXPECT_EQ(ReadStarFile(w.File("new.def"))->Points, 12);
                                },
                                "new.def[*] — Vantrell", false, "new.def", 7},
                    ScenarioRow{"DroppingAnotherAsksAndCancelKeepsThisOne",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    mainWindow->actionFillContext->trigger();
                                    const Answer cancel(QStringLiteral("キャンセル"));
                                    w.Drop("other.def");
                                    EXPECT_FALSE(cancel.text.isEmpty());
                                },
                                "star.def[*] — Vantrell", true, "star.def", 7},
                    ScenarioRow{"OpeningAnotherAfterSavingTheChanges",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    mainWindow->ShapeSettings.Points = 13;
                                    mainWindow->actionFillContext->trigger();
                                    const Answer save(QStringLiteral("保存"));
                                    w.Drop("other.def");
                                },
                                "other.def[*] — Vantrell", false, "other.def", 13},
                    ScenarioRow{"ReadOnlyFileIsNotReplaced",
                                [](StarDocuments &w) {
                                    ::chmod(w.File("star.def").c_str(), 0444);
                                    w.Open("star.def");
                                    mainWindow->ShapeSettings.Points = 14;
                                    const Answer cancel;
                                    mainWindow->actionSaveSettings->trigger();
                                    EXPECT_TRUE(
                                        cancel.text.contains(QStringLiteral("読み取り専用")));
                                },
                                "star.def[*] — Vantrell", false, "star.def", 7},
                    ScenarioRow{"FileChangedOnDiskIsReplacedOnlyWhenAsked",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    WriteBytes(w.File("star.def"), StarBytes(8));
                                    const utimbuf past{1000, 1000};
                                    ::utime(w.File("star.def").c_str(), &past);
                                    const Answer no;
                                    mainWindow->actionSaveSettings->trigger();
                                    EXPECT_FALSE(no.text.isEmpty());
                                },
                                "star.def[*] — Vantrell", false, "star.def", 8},
                    ScenarioRow{"SameSizeRewriteWithinTheSameSecondAsks",
                                [](StarDocuments &w) {
                                    w.Open("star.def");
                                    struct stat st {};
                                    ::stat(w.File("star.def").c_str(), &st);
                                    WriteBytes(w.File("star.def"), StarBytes(8));
                                    timespec same[2] = {st.st_mtim, st.st_mtim};
                                    same[1].tv_nsec = (st.st_mtim.tv_nsec + 1) % 1000000000;
                                    ::utimensat(AT_FDCWD, w.File("star.def").c_str(), same, 0);
                                    const Answer no;
                                    mainWindow->actionSaveSettings->trigger();
                                    EXPECT_FALSE(no.text.isEmpty());
                                },
                                "star.def[*] — Vantrell", false, "star.def", 8},
                    ScenarioRow{"ScratchChangesAreNotAskedAboutOnOpening",
                                [](StarDocuments &w) {
                                    mainWindow->actionFillContext->trigger();
                                    const Answer none;
                                    w.Open("star.def");
                                    EXPECT_TRUE(none.text.isEmpty()) << none.text.toStdString();
                                    EXPECT_FALSE(std::filesystem::exists(w.File("Vantrell.def")));
                                },
                                "star.def[*] — Vantrell", false, "star.def", 7},
                    // Also when such a block reaches the file after it was opened.
                    ScenarioRow{"ALaterVersionsBlockIsNeverCut",
                                [](StarDocuments &w) {
                                    std::vector<unsigned char> bytes = StarBytes();
                                    bytes.insert(bytes.end(), {'V', 'T', 'X', 'B', 2, 0, 32, 0});
                                    bytes.resize(bytes.size() + 32, 3);
                                    WriteBytes(w.File("star.def"), bytes);
                                    const Answer note, cancel;
                                    w.Open("star.def");
                                    EXPECT_TRUE(note.text.contains("知らないデータ"));
                                    mainWindow->ShapeSettings.Points = 16;
                                    mainWindow->actionSaveSettings->trigger(); // offers a new name
                                    EXPECT_EQ(ReadBytes(w.File("star.def")), bytes);
                                },
                                "star.def[*] — Vantrell", false, "star.def", 7}),
    [](const testing::TestParamInfo<ScenarioRow> &p) { return p.param.name; });

// Closing with changes not saved to the star file: save, discard or stay.
TEST_F(StarDocuments, CloseAsksAboutTheStarFile) {
    WriteBytes(dir_.File("star.def"), StarBytes());
    for (const auto &[button, closes, saved] :
         {std::tuple{"キャンセル", false, false}, std::tuple{"破棄", true, false},
          std::tuple{"保存", true, true}}) {
        Start();
        Open("star.def");
        mainWindow->ShapeSettings.Points = 15;
        mainWindow->actionFillContext->trigger();
        const Answer answer(QString::fromUtf8(button));
        EXPECT_EQ(mainWindow->close(), closes) << button;
        EXPECT_EQ(ReadStarFile(dir_.File("star.def"))->Points, saved ? 15 : 7) << button;
        DestroyProgramWindows();
    }
}

// What is not a readable star file of 68 bytes is refused by every way in: it does
// not become the document, and nothing is written to it.
struct RefusedRow {
    const char *name;
    std::size_t size; // bytes of text in the file; SIZE_MAX: a folder
};

class RefusedFile : public StarDocuments, public testing::WithParamInterface<RefusedRow> {};

TEST_P(RefusedFile, NeitherOpensNorIsWritten) {
    const std::string path = dir_.File("refused.def");
    if (GetParam().size == SIZE_MAX)
        std::filesystem::create_directory(path);
    else
        WriteBytes(path, std::vector<unsigned char>(GetParam().size, 'a'));
    const auto contents = [&path] {
        return std::filesystem::is_directory(path) ? std::vector<unsigned char>{1}
                                                   : ReadBytes(path);
    };
    const std::vector<unsigned char> before = contents();
    for (const std::string way : {"argument", "open", "drop"}) {
        if (way == "open" && GetParam().size == SIZE_MAX)
            continue; // the dialog goes into a folder
        const Answer ok;
        if (way == "argument") {
            CreateProgramWindows(path);
            mainWindow->show();
        } else {
            Start();
            if (way == "open")
                Open("refused.def");
            else
                Drop("refused.def");
        }
        Settle();
        EXPECT_TRUE(ok.text.contains(QFile::decodeName(QByteArray::fromStdString(path))))
            << way << ": " << ok.text.toStdString();
        EXPECT_TRUE(ok.overShownWindow) << way;
        EXPECT_EQ(mainWindow->Document->FilePath(), "Vantrell.def") << way;
        EXPECT_EQ(mainWindow->windowTitle(), QStringLiteral("Vantrell")) << way;
        mainWindow->actionSaveSettings->trigger();
        EXPECT_EQ(contents(), before) << way;
        DestroyProgramWindows();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, RefusedFile,
                         testing::Values(RefusedRow{"Empty", 0}, RefusedRow{"OneByteShort", 67},
                                         RefusedRow{"OneByteLong", 69}, RefusedRow{"Text", 200},
                                         RefusedRow{"Folder", SIZE_MAX}),
                         [](const testing::TestParamInfo<RefusedRow> &p) { return p.param.name; });

} // namespace
