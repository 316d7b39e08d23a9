#include "PlatformChoice.h"
#include "Points.h"
#include "Rotaion.h"
#include "SaveRate.h"
#include "SettingsFile.h"
#include "Shape.h"
#include "SizeIn.h"
#include "StarFiles.h"
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
    Form1->Points1->trigger();
    Form1->Twist1->trigger();
    Form1->Shape1->trigger();
    if (GetParam().prepare)
        GetParam().prepare();
    Settle();
    const int steps = Form1->Recorder->Stack().count();
    const PictureState before = Form1->CaptureState(true);
    const QImage picture = Form1->PaintBox->Canvas();
    const QColor window = Form1->PaintBox->palette().color(QPalette::Window);
    GetParam().act();
    Settle();
    const PictureState after = Form1->CaptureState(true);
    const QImage changed = Form1->PaintBox->Canvas();
    ASSERT_FALSE(after.SameParameters(before));
    EXPECT_EQ(Form1->Recorder->Stack().count(), steps + GetParam().steps) << "one per gesture";
    Form1->Modified = false;
    for (int i = 0; i < GetParam().steps; ++i)
        Form1->Undo1->trigger();
    EXPECT_TRUE(Form1->CaptureState(true).SameParameters(before));
    EXPECT_EQ(Form1->PaintBox->Canvas(), picture);
    EXPECT_EQ(Form1->PaintBox->palette().color(QPalette::Window), window);
    EXPECT_TRUE(Form1->Modified);
    EXPECT_EQ(PointsDlg->Edit1->text(), QString::number(before.record.Points));
    EXPECT_EQ(RotationDlg->InRotateTrackBar->value(), before.record.InnerTwist);
    EXPECT_EQ(ShapeDlg->TipEdit->value(), before.extras.TipRounding);
    for (int i = 0; i < GetParam().steps; ++i)
        Form1->Redo1->trigger();
    EXPECT_TRUE(Form1->CaptureState(true).SameParameters(after));
    EXPECT_EQ(Form1->PaintBox->Canvas(), changed);
    EXPECT_EQ(Form1->StatusBar1->PanelText(1),
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
            QApplication::sendEvent(Form1->PaintBox, &key);
            Settle();
        }
    EXPECT_EQ(Form1->ShapeSettings.OuterRate, 92);
    EXPECT_EQ(Form1->ShapeSettings.InnerRate, 71);
}

void Drag() {
    QTest::mousePress(Form1->PaintBox, Qt::LeftButton, {}, QPoint(5, 5));
    for (int x : {6, 8, 12, 20}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, x),
                         Form1->PaintBox->mapToGlobal(QPointF(x, x)), Qt::NoButton, Qt::LeftButton,
                         {});
        QCoreApplication::sendEvent(Form1->PaintBox, &move);
    }
    QTest::mouseRelease(Form1->PaintBox, Qt::LeftButton, {}, QPoint(20, 20));
}

struct KeyAt {
    QEvent::Type type;
    bool repeat;
    int time; // ms
};

// The right arrow key pressed and released on the twist palette's inner slider.
void RightArrowOnASlider(std::initializer_list<KeyAt> keys) {
    QSlider *bar = RotationDlg->InRotateTrackBar;
    QApplication::setActiveWindow(RotationDlg);
    bar->setFocus();
    for (const KeyAt &k : keys) {
        QKeyEvent key(k.type, Qt::Key_Right, Qt::NoModifier, QString(), k.repeat);
        key.setTimestamp(quint64(k.time));
        QApplication::sendEvent(bar, &key);
        Settle();
    }
}

void TypeIntoTheJagCount(const char *text) {
    QApplication::setActiveWindow(PointsDlg);
    PointsDlg->Edit1->setFocus();
    PointsDlg->Edit1->selectAll();
    QTest::keyClicks(PointsDlg->Edit1, text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UndoRedo,
    testing::Values(StepRow{"DragOfARadius", Drag},
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
                                QApplication::setActiveWindow(Form1);
                                Form1->setFocus();
                                Settle();
                                TypeIntoTheJagCount("5");
                            },
                            nullptr, 2},
                    StepRow{"BackgroundColour",
                            [] {
                                const ModalAnswer answer =
                                    ModalAnswer::For<QColorDialog>([](QColorDialog *d) {
                                        d->setCurrentColor(QColor(10, 200, 30));
                                        d->accept();
                                    });
                                Form1->BackColor1->trigger();
                            }},
                    StepRow{"TypingAJagCount", [] { TypeIntoTheJagCount("37"); }},
                    StepRow{"UpArrowHeld",
                            [] {
                                QToolButton *up = PointsDlg->UpDown1->UpButton();
                                QTest::mousePress(up, Qt::LeftButton);
                                QTest::qWait(up->autoRepeatDelay() + 3 * up->autoRepeatInterval());
                                QTest::mouseRelease(up, Qt::LeftButton);
                            }},
                    StepRow{"TwistSliderMovedWithSync",
                            [] {
                                RotationDlg->SyncCheckBox->setChecked(true);
                                for (int v : {50, 120, 300})
                                    RotationDlg->InRotateTrackBar->setValue(v);
                            }},
                    StepRow{"Fill", [] { Form1->Fill1->trigger(); }},
                    StepRow{"RoundingSliderMoved",
                            [] {
                                for (int v : {10, 30, 55})
                                    ShapeDlg->TipTrackBar->setValue(v);
                            }},
                    StepRow{"ArrowKeysInTheDrawingArea", ArrowKeysInTheDrawingArea,
                            [] { Form1->ShapeSettings.OuterRate = 90, Form1->Redraw(); }, 3},
                    StepRow{"IrregularitySliderDragged",
                            [] { DragSlider(ShapeDlg->IrregularityTrackBar); }},
                    StepRow{"WidthSliderDragged", [] { DragSlider(ShapeDlg->LineWidthTrackBar); }},
                    StepRow{"TypingAnOutlineWidth",
                            [] {
                                QApplication::setActiveWindow(ShapeDlg);
                                ShapeDlg->LineWidthEdit->setFocus();
                                ShapeDlg->LineWidthEdit->selectAll();
                                QTest::keyClicks(ShapeDlg->LineWidthEdit, "85");
                                QTest::keyClick(ShapeDlg->LineWidthEdit, Qt::Key_Return);
                            }},
                    StepRow{"ResetAfterChanges", [] { Form1->Default->trigger(); },
                            [] {
                                Form1->ShapeSettings.LeanAngle = 30;
                                Form1->Document->Extras.TipRounding = 40;
                                Form1->PaintBox->Color = 0x00FF00;
                                Form1->SetWindowColor(0x00FF00);
                                Form1->Fill1->trigger();
                            }},
                    StepRow{"SizeDialog",
                            [] {
                                const ModalAnswer answer =
                                    ModalAnswer::For<TSizeInDlg>([](TSizeInDlg *d) {
                                        d->Width->setText("200");
                                        d->Same->click();
                                        d->OKBtn->click();
                                    });
                                Form1->Size->trigger();
                            }},
                    StepRow{"Magnification",
                            [] {
                                const ModalAnswer answer =
                                    ModalAnswer::For<TSaveRateDlg>([](TSaveRateDlg *d) {
                                        d->Rate->setText("7");
                                        d->OKBtn->click();
                                    });
                                Form1->SaveRate->trigger();
                            }}),
    [](const testing::TestParamInfo<StepRow> &p) { return p.param.name; });

// The undo and redo keys undo the star from any palette, whatever has the focus
// there; the jag-count edit keeps no undo history of its own.
TEST_F(MainWindowTest, UndoKeysWorkInEveryPalette) {
    Start();
    Form1->Points1->trigger();
    Form1->Twist1->trigger();
    Form1->Shape1->trigger();
    int typed = 9;
    for (QWidget *target : {static_cast<QWidget *>(PointsDlg->Edit1),
                            static_cast<QWidget *>(RotationDlg->InRotateTrackBar),
                            static_cast<QWidget *>(ShapeDlg->LineWidthEdit)}) {
        const int points = Form1->ShapeSettings.Points;
        TypeIntoTheJagCount(std::to_string(--typed).c_str());
        const int steps = Form1->Recorder->Stack().count();
        QApplication::setActiveWindow(target->window());
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Form1->ShapeSettings.Points, points) << target->objectName().toStdString();
        EXPECT_EQ(Form1->Recorder->Stack().count(), steps) << "no step of its own";
        QTest::keyClick(target, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(Form1->ShapeSettings.Points, typed) << target->objectName().toStdString();
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
        QCoreApplication::sendEvent(Form1, &enter);
        EXPECT_EQ(enter.isAccepted(), row.accepted) << row.name;
    }
    QMimeData data;
    data.setUrls({star});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(Form1, &drop);
    EXPECT_EQ(Form1->ShapeSettings.Points, 3) << "a record of zeros, brought into range";
}

// A star file named on the command line that does not exist yet is a new star:
// the defaults, created by 設定保存.
TEST_F(MainWindowTest, ANewStarFileFromTheCommandLine) {
    CreateForms(dir_.File("missing.def"));
    EXPECT_EQ(Form1->ShapeSettings.Points, 20);
    Form1->SaveDef->trigger();
    EXPECT_TRUE(ReadSettingsFile(dir_.File("missing.def")));
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

INSTANTIATE_TEST_SUITE_P(Rows, ProgramArgumentsRow,
                         testing::Values(ArgumentRow{"HelpWithoutADisplay", "--help", 0, "xcb"},
                                         ArgumentRow{"VersionWithoutADisplay", "--version", 0,
                                                     "xcb"},
                                         ArgumentRow{"TwoFiles", "a.def b.def", 2, "offscreen"},
                                         ArgumentRow{"DashIsNoStarFile", "-", 2, "offscreen"},
                                         ArgumentRow{"UnknownOption", "--bogus", 2, "offscreen"}),
                         [](const testing::TestParamInfo<ArgumentRow> &p) { return p.param.name; });

} // namespace
