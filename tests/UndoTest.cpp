#include "JagsPalette.h"
#include "MagnificationDialog.h"
#include "PlatformChoice.h"
#include "ProgramArguments.h"
#include "SettingsFile.h"
#include "ShapePalette.h"
#include "SizeDialog.h"
#include "StarFiles.h"
#include "TwistPalette.h"
#include "UndoSteps.h"
#include "WindowTestSupport.h"

#include <QColorDialog>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QSlider>
#include <QToolButton>
#include <QUrl>

#include <random>

#include <sys/stat.h>
#include <sys/wait.h>

namespace {

// One user action: afterwards the stack holds exactly as many more steps as the
// action had gestures, which undo and redo take back and forth, pixels, parameters and
// the window's colour alike.
struct StepRow {
    const char *name;
    void (*act)();
    void (*prepare)() = nullptr; // brings the window into the state the action starts from
    int steps = 1;
};

class UndoRedo : public MainWindowTest, public testing::WithParamInterface<StepRow> {};

TEST_P(UndoRedo, RestoresTheEarlierPictureExactly) {
    Start();
    mainWindow->actionJagsContext->trigger();
    mainWindow->actionTwist->trigger();
    mainWindow->actionShape->trigger();
    if (GetParam().prepare)
        GetParam().prepare();
    Settle();
    const int steps = mainWindow->Recorder->Stack().count();
    const PictureState before = mainWindow->CaptureState(true);
    const QImage picture = mainWindow->starView->Canvas();
    const QColor window = mainWindow->starView->palette().color(QPalette::Window);
    GetParam().act();
    Settle();
    const PictureState after = mainWindow->CaptureState(true);
    const QImage changed = mainWindow->starView->Canvas();
    ASSERT_FALSE(after.SameParameters(before));
    EXPECT_EQ(mainWindow->Recorder->Stack().count(), steps + GetParam().steps) << "one per gesture";
    mainWindow->Document->PictureSaved();
    for (int i = 0; i < GetParam().steps; ++i)
        mainWindow->actionUndo->trigger();
    EXPECT_TRUE(mainWindow->CaptureState(true).SameParameters(before));
    EXPECT_EQ(mainWindow->starView->Canvas(), picture);
    EXPECT_EQ(mainWindow->starView->palette().color(QPalette::Window), window);
    // A screen reader hears what the undo changed, as the star now stands.
    const QStringList said = mainWindow->starView->Announcement().split(QStringLiteral(": "));
    ASSERT_EQ(said.size(), 2) << said.first().toStdString();
    EXPECT_EQ(said.first(), QStringLiteral("元に戻す"));
    for (const QString &part : said.last().split(QStringLiteral("、")))
        EXPECT_TRUE(mainWindow->starView->CompleteDescription().contains(part) ||
                    mainWindow->status->accessibleDescription().contains(part))
            << part.toStdString();
    EXPECT_TRUE(mainWindow->Modified);
    EXPECT_EQ(jagsPalette->jagsEdit->text(), QString::number(before.record.Points));
    EXPECT_EQ(twistPalette->innerTwistSlider->value(), before.record.InnerTwist);
    EXPECT_EQ(shapePalette->tipEdit->value(), before.extras.TipRounding);
    for (int i = 0; i < GetParam().steps; ++i)
        mainWindow->actionRedo->trigger();
    EXPECT_TRUE(mainWindow->CaptureState(true).SameParameters(after));
    EXPECT_EQ(mainWindow->starView->Canvas(), changed);
    EXPECT_EQ(mainWindow->status->PanelText(1),
              QStringLiteral("Points:%1").arg(after.record.Points));
}

// The handle pressed, moved through three places and let go.
void DragSlider(QSlider *bar) {
    bar->setSliderDown(true);
    for (int v : {10, 30, 55})
        bar->setSliderPosition(v);
    bar->setSliderDown(false);
}

// Up, Up and Shift+Up in the drawing area, each a step of its own.
void ArrowKeysInTheDrawingArea() {
    int time = 100;
    for (const auto shift : {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier})
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent key(type, Qt::Key_Up, shift);
            key.setTimestamp(quint64(time += 100));
            QApplication::sendEvent(mainWindow->starView, &key);
            Settle();
        }
    EXPECT_EQ(mainWindow->ShapeSettings.OuterRate, 92);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 71);
}

// midway: what happens between the second and the third move.
void Drag(void (*midway)() = nullptr) {
    QTest::mousePress(mainWindow->starView, Qt::LeftButton, {}, QPoint(5, 5));
    for (int x : {6, 8, 12, 20}) {
        if (x == 12 && midway)
            midway();
        QMouseEvent move(QEvent::MouseMove, QPointF(x, x),
                         mainWindow->starView->mapToGlobal(QPointF(x, x)), Qt::NoButton,
                         Qt::LeftButton, {});
        QCoreApplication::sendEvent(mainWindow->starView, &move);
    }
    QTest::mouseRelease(mainWindow->starView, Qt::LeftButton, {}, QPoint(20, 20));
}

struct KeyAt {
    QEvent::Type type;
    bool repeat;
    int time; // ms
};

// The right arrow key pressed and released on the twist palette's inner slider.
void RightArrowOnASlider(std::initializer_list<KeyAt> keys) {
    QSlider *bar = twistPalette->innerTwistSlider;
    QApplication::setActiveWindow(twistPalette);
    bar->setFocus();
    for (const KeyAt &k : keys) {
        QKeyEvent key(k.type, Qt::Key_Right, Qt::NoModifier, QString(), k.repeat);
        key.setTimestamp(quint64(k.time));
        QApplication::sendEvent(bar, &key);
        Settle();
    }
}

void TypeIntoTheJagCount(const char *text) {
    QApplication::setActiveWindow(jagsPalette);
    jagsPalette->jagsEdit->setFocus();
    jagsPalette->jagsEdit->selectAll();
    QTest::keyClicks(jagsPalette->jagsEdit, text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UndoRedo,
    testing::Values(
        StepRow{"DragOfARadius", [] { Drag(); }},
        // The window's activation (and with it the focus) arrives in the middle.
        StepRow{"DragIntoAWindowThatBecomesActive",
                [] {
                    QApplication::setActiveWindow(nullptr);
                    Drag([] { QApplication::setActiveWindow(mainWindow); });
                }},
        StepRow{"TwoDrags",
                [] {
                    Drag();
                    Drag();
                },
                nullptr, 2},
        StepRow{"TwoKeyStepsOfASlider",
                [] {
                    RightArrowOnASlider({{QEvent::KeyPress, false, 100},
                                         {QEvent::KeyRelease, false, 150},
                                         {QEvent::KeyPress, false, 300},
                                         {QEvent::KeyRelease, false, 350}});
                },
                nullptr, 2},
        // While a screen reader listens, Qt's accessibility bridge hands the keys
        // back without their times.
        StepRow{"TwoKeyStepsWithoutTimes",
                [] {
                    RightArrowOnASlider({{QEvent::KeyPress, false, 0},
                                         {QEvent::KeyRelease, false, 0},
                                         {QEvent::KeyPress, false, 0},
                                         {QEvent::KeyRelease, false, 0}});
                },
                nullptr, 2},
        // Held: repeats marked as such, then a release and a press of one
        // time, as some X servers send a repeat.
        StepRow{"ArrowKeyHeldOnASlider",
                [] {
                    RightArrowOnASlider({{QEvent::KeyPress, false, 100},
                                         {QEvent::KeyPress, true, 130},
                                         {QEvent::KeyRelease, false, 160},
                                         {QEvent::KeyPress, false, 160},
                                         {QEvent::KeyRelease, false, 200}});
                }},
        StepRow{"TypingAgainAfterTheFocusWasAway",
                [] {
                    TypeIntoTheJagCount("3");
                    QApplication::setActiveWindow(mainWindow);
                    mainWindow->setFocus();
                    Settle();
                    TypeIntoTheJagCount("5");
                },
                nullptr, 2},
        StepRow{"BackgroundColour",
                [] {
                    const ModalAnswer answer = ModalAnswer::For<QColorDialog>([](QColorDialog *d) {
                        d->setCurrentColor(QColor(10, 200, 30));
                        d->accept();
                    });
                    mainWindow->actionBackgroundColorContext->trigger();
                }},
        StepRow{"TypingAJagCount", [] { TypeIntoTheJagCount("37"); }},
        StepRow{"UpArrowHeld",
                [] {
                    QToolButton *up = jagsPalette->jagsSpinButtons->UpButton();
                    QTest::mousePress(up, Qt::LeftButton);
                    QTest::qWait(up->autoRepeatDelay() + 3 * up->autoRepeatInterval());
                    QTest::mouseRelease(up, Qt::LeftButton);
                }},
        StepRow{"TwistSliderMovedWithSync",
                [] {
                    twistPalette->syncCheckBox->setChecked(true);
                    for (int v : {50, 120, 300})
                        twistPalette->innerTwistSlider->setValue(v);
                }},
        StepRow{"Fill", [] { mainWindow->actionFillContext->trigger(); }},
        StepRow{"RoundingSliderMoved",
                [] {
                    for (int v : {10, 30, 55})
                        shapePalette->tipSlider->setValue(v);
                }},
        StepRow{"ArrowKeysInTheDrawingArea", ArrowKeysInTheDrawingArea,
                [] { mainWindow->ShapeSettings.OuterRate = 90, mainWindow->redraw(); }, 3},
        StepRow{"IrregularitySliderDragged", [] { DragSlider(shapePalette->irregularitySlider); }},
        StepRow{"WidthSliderDragged", [] { DragSlider(shapePalette->lineWidthSlider); }},
        StepRow{"TypingAnOutlineWidth",
                [] {
                    QApplication::setActiveWindow(shapePalette);
                    shapePalette->lineWidthEdit->setFocus();
                    shapePalette->lineWidthEdit->selectAll();
                    QTest::keyClicks(shapePalette->lineWidthEdit, "85");
                    QTest::keyClick(shapePalette->lineWidthEdit, Qt::Key_Return);
                }},
        StepRow{"ResetAfterChanges", [] { mainWindow->actionDefaults->trigger(); },
                [] {
                    mainWindow->ShapeSettings.LeanAngle = 30;
                    mainWindow->Document->Extras.TipRounding = 40;
                    mainWindow->starView->SetBackgroundColor(0x00FF00);
                    mainWindow->actionFillContext->trigger();
                }},
        StepRow{"SizeDialog",
                [] {
                    const ModalAnswer answer = ModalAnswer::For<SizeDialog>([](SizeDialog *d) {
                        d->widthEdit->setText("200");
                        d->sameSizeCheckBox->click();
                        d->okButton->click();
                    });
                    mainWindow->actionSizeContext->trigger();
                }},
        StepRow{"Magnification",
                [] {
                    const ModalAnswer answer =
                        ModalAnswer::For<MagnificationDialog>([](MagnificationDialog *d) {
                            d->magnificationEdit->setText("7");
                            d->okButton->click();
                        });
                    mainWindow->actionMagnification->trigger();
                }}),
    [](const testing::TestParamInfo<StepRow> &p) { return p.param.name; });

// The undo and redo keys undo the star from any palette, whatever has the focus
// there; the jag-count edit keeps no undo history of its own.
TEST_F(MainWindowTest, UndoKeysWorkInEveryPalette) {
    Start();
    mainWindow->actionJagsContext->trigger();
    mainWindow->actionTwist->trigger();
    mainWindow->actionShape->trigger();
    int typed = 9;
    for (QWidget *target : {static_cast<QWidget *>(jagsPalette->jagsEdit),
                            static_cast<QWidget *>(twistPalette->innerTwistSlider),
                            static_cast<QWidget *>(shapePalette->lineWidthEdit)}) {
        const int points = mainWindow->ShapeSettings.Points;
        TypeIntoTheJagCount(std::to_string(--typed).c_str());
        const int steps = mainWindow->Recorder->Stack().count();
        QApplication::setActiveWindow(target->window());
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(mainWindow->ShapeSettings.Points, points) << target->objectName().toStdString();
        EXPECT_EQ(mainWindow->Recorder->Stack().count(), steps) << "no step of its own";
        QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(mainWindow->ShapeSettings.Points, typed) << target->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, OnlyOneStarFileIsTakenByDropping) {
    Start();
    WriteBytes(dir_.File("drop.def"), std::vector<unsigned char>(68, 0));
    struct DropRow {
        const char *name;
        QList<QUrl> urls;
        bool accepted;
    };
    const QUrl star = QUrl::fromLocalFile(QString::fromStdString(dir_.File("drop.def")));
    for (const DropRow &row :
         {DropRow{"StarFile", {star}, true},
          DropRow{"Picture", {QUrl::fromLocalFile(QStringLiteral("/tmp/a.png"))}, false},
          DropRow{"TwoFiles", {star, star}, false},
          DropRow{"RemoteFile", {QUrl(QStringLiteral("https://example.org/a.def"))}, false}}) {
        QMimeData data;
        data.setUrls(row.urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(mainWindow, &enter);
        EXPECT_EQ(enter.isAccepted(), row.accepted) << row.name;
    }
    QMimeData data;
    data.setUrls({star});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(mainWindow, &drop);
    EXPECT_EQ(mainWindow->ShapeSettings.Points, 3) << "a record of zeros, brought into range";
}

// A star file named on the command line that does not exist yet is a new star:
// the defaults, created by 設定保存.
TEST_F(MainWindowTest, ANewStarFileFromTheCommandLine) {
    CreateProgramWindows(dir_.File("missing.def"));
    EXPECT_EQ(mainWindow->ShapeSettings.Points, 20);
    mainWindow->actionSaveSettings->trigger();
    EXPECT_TRUE(ReadSettingsFile(dir_.File("missing.def")));
}

// Undone back to where the picture was last saved (or to the start), nothing is
// left to save: Exit asks nothing.
TEST_F(MainWindowTest, UndoingBackToTheStartLeavesNothingToSave) {
    Start();
    mainWindow->actionFill->trigger();
    mainWindow->actionSameSize->trigger();
    ASSERT_TRUE(mainWindow->Modified);
    mainWindow->actionUndo->trigger();
    EXPECT_TRUE(mainWindow->Modified) << "one change is still there";
    mainWindow->actionUndo->trigger();
    EXPECT_FALSE(mainWindow->Modified);
    const ModalAnswer question([](QWidget *box) { static_cast<QDialog *>(box)->reject(); });
    EXPECT_TRUE(mainWindow->close());
    EXPECT_FALSE(question.Seen()) << "closes without a question";
}

// Two instances in one folder: the second does not replace the first's settings
// without asking.
TEST_F(MainWindowTest, ASettingsFileWrittenMeanwhileIsNotReplacedWithoutAsking) {
    Start();
    const std::vector<unsigned char> other(68, 7);
    WriteSettings(other);
    const ModalAnswer question([](QWidget *box) { static_cast<QDialog *>(box)->reject(); });
    mainWindow->actionSaveSettings->trigger();
    EXPECT_TRUE(question.Seen());
    EXPECT_EQ(ReadBytes(SettingsPath()), other);
}

// Over random command lines of Qt's options, their values, the program's own
// arguments and "--": Qt's options go with their values, and nothing else does.
TEST(ProgramArguments, OnlyQtsOptionsAreSetAside) {
    const QStringList qtValued = {"-platform", "--style", "-qwindowtitle", "-display"};
    const QStringList qtFlags = {"-reverse", "--sync", "-widgetcount"};
    const QStringList words =
        qtValued + qtFlags + QStringList{"xcb", "star.def", "-", "--bogus", "--help", "--", "-x"};
    std::mt19937 random(7);
    for (int run = 0; run < 2000; ++run) {
        QStringList arguments{"vantrell"};
        for (int n = int(random() % 7); n > 0; --n)
            arguments << words.at(qsizetype(random() % std::size_t(words.size())));
        const QStringList kept = WithoutQtOptions(arguments);
        // As Qt reads them: an option takes the next argument for its value, whatever
        // it is; a "--" that is no value ends Qt's options.
        QStringList expected{"vantrell"};
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            if (arguments.at(i) == "--") {
                expected << arguments.mid(i);
                break;
            }
            if (qtValued.contains(arguments.at(i)) && i + 1 < arguments.size())
                ++i;
            else if (!qtFlags.contains(arguments.at(i)))
                expected << arguments.at(i);
        }
        ASSERT_EQ(kept, expected) << arguments.join(' ').toStdString();
    }
}

struct PlatformRow {
    const char *name;
    const char *user, *wayland, *display;
    const char *chosen;
};

class Platform : public testing::TestWithParam<PlatformRow> {};

// X11 first where XWayland runs beside Wayland; the user's choice always wins.
TEST_P(Platform, PrefersAWindowSystemThatPlacesWindows) {
    EXPECT_EQ(PreferredPlatform(GetParam().user, GetParam().wayland, GetParam().display),
              QByteArray(GetParam().chosen));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Platform,
    testing::Values(PlatformRow{"WaylandWithXWayland", "", "wayland-0", ":0", "xcb;wayland"},
                    PlatformRow{"UsersChoiceWins", "wayland", "wayland-0", ":0", ""},
                    PlatformRow{"WaylandOnly", "", "wayland-0", "", ""},
                    PlatformRow{"X11Only", "", "", ":0", ""}),
    [](const testing::TestParamInfo<PlatformRow> &p) { return p.param.name; });

struct ArgumentRow {
    const char *name;
    const char *arguments;
    int status;
    const char *platform; // xcb without a display: nothing that needs one may run
};

class ProgramArgumentsRow : public testing::TestWithParam<ArgumentRow> {};

TEST_P(ProgramArgumentsRow, ExitStatus) {
    const std::string command = std::string("env -u DISPLAY QT_QPA_PLATFORM=") +
                                GetParam().platform + " " + VANTRELL_PATH + " " +
                                GetParam().arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgramArgumentsRow,
    testing::Values(ArgumentRow{"HelpWithoutADisplay", "--help", 0, "xcb"},
                    ArgumentRow{"VersionWithoutADisplay", "--version", 0, "xcb"},
                    ArgumentRow{"TwoFiles", "a.def b.def", 2, "offscreen"},
                    ArgumentRow{"DashIsNoStarFile", "-", 2, "offscreen"},
                    ArgumentRow{"UnknownOption", "--bogus", 2, "offscreen"},
                    ArgumentRow{"TwoFilesWithoutADisplay", "a.def b.def", 2, "xcb"},
                    ArgumentRow{"DashWithoutADisplay", "-", 2, "xcb"},
                    ArgumentRow{"UnknownOptionWithoutADisplay", "-style fusion --bogus", 2, "xcb"}),
    [](const testing::TestParamInfo<ArgumentRow> &p) { return p.param.name; });

} // namespace
