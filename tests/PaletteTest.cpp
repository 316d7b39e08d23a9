#include "Palette.h"
#include "CentrePalette.h"
#include "JagsPalette.h"
#include "MagnificationDialog.h"
#include "RotationPalette.h"
#include "SettingsFile.h"
#include "ShapePalette.h"
#include "TwistPalette.h"
#include "WindowTestSupport.h"

#include <QAccessible>
#include <QCheckBox>
#include <QToolButton>

#include <limits>
#include <random>

namespace {

// Five palettes beside a main window frame of 416 x 300 at (mainLeft, mainTop), on a
// monitor's free area: all on the area and none over another or the main window,
// unless nothing fits; the first at firstLeft, the second right below it.
struct PlacementRow {
    const char *name;
    int mainLeft, mainTop;
    QRect area;
    int firstLeft;
    bool fits = true;
};

class Placement : public testing::TestWithParam<PlacementRow> {};

TEST_P(Placement, BesideTheMainWindowOnItsMonitorNoneOverAnother) {
    const PlacementRow &row = GetParam();
    const std::vector<QSize> sizes{{160, 135}, {160, 120}, {200, 150}, {180, 140}, {220, 260}};
    const QRect main(row.mainLeft, row.mainTop, 416, 300);
    const std::vector<PalettePosition> places = PaletteSlots(main, sizes, row.area);
    ASSERT_EQ(places.size(), sizes.size());
    EXPECT_EQ(places[0].left, row.firstLeft);
    EXPECT_EQ(places[1].top, places[0].top + 135);
    std::vector<QRect> windows{main};
    for (std::size_t i = 0; i < places.size(); ++i) {
        const QRect frame(QPoint(places[i].left, places[i].top), sizes[i]);
        EXPECT_TRUE(row.area.contains(frame)) << i;
        for (const QRect &other : windows)
            EXPECT_EQ(frame.intersects(other), !row.fits && frame.intersects(other)) << i;
        windows.push_back(frame);
    }
}

struct WithinRow {
    const char *name;
    PalettePosition slot, expected;
};

class KeptWithin : public testing::TestWithParam<WithinRow> {};

// A 160 x 100 frame on a free area of 1280 x 1000 below a 24-pixel panel.
TEST_P(KeptWithin, TheLeastMoveThatShowsTheWholeFrame) {
    const PalettePosition p =
        KeepWithin(GetParam().slot, QSize(160, 100), QRect(0, 24, 1280, 1000));
    EXPECT_EQ(p.left, GetParam().expected.left);
    EXPECT_EQ(p.top, GetParam().expected.top);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeptWithin,
                         testing::Values(WithinRow{"SlotFits", {300, 400}, {300, 400}},
                                         WithinRow{"FlippedPastTheLeft", {-268, 30}, {0, 30}},
                                         WithinRow{"BelowTheBottom", {900, 1000}, {900, 924}},
                                         WithinRow{"UnderThePanel", {900, 10}, {900, 24}},
                                         WithinRow{"PastTheRight", {1200, 50}, {1120, 50}}),
                         [](const testing::TestParamInfo<WithinRow> &p) { return p.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Rows, Placement,
    testing::Values(PlacementRow{"RoomOnTheRight", 100, 100, {0, 0, 1024, 1000}, 516},
                    PlacementRow{"NoRoomOnTheRight", 700, 100, {0, 0, 1024, 1000}, 540},
                    PlacementRow{"EndsExactlyAtTheAreaEdge", 388, 100, {0, 0, 1024, 1000}, 804},
                    PlacementRow{"OnePixelTooWide", 389, 100, {0, 0, 1024, 1000}, 229},
                    PlacementRow{"OnTheRightMonitor", 1500, 100, {1280, 0, 1280, 1000}, 1916},
                    PlacementRow{"LowOnTheScreen", 300, 400, {0, 0, 1280, 800}, 716},
                    PlacementRow{"LowAndNoRoomOnTheRight", 800, 400, {0, 0, 1280, 800}, 640},
                    PlacementRow{"SecondEndsOnTheLastRow", 300, 400, {0, 0, 1280, 655}, 716},
                    PlacementRow{"NothingFits", 10, 10, {0, 0, 600, 400}, 0, false}),
    [](const testing::TestParamInfo<PlacementRow> &p) { return p.param.name; });

// The palettes are the main window's tool windows: minimised, it takes the shown
// ones along and brings just those back.
TEST_F(MainWindowTest, PalettesGoAndComeBackWithTheMainWindow) {
    Start();
    mainWindow->togglePalette(Palette::JagsSlot);
    Settle();
    mainWindow->showMinimized();
    Settle();
    EXPECT_FALSE(jagsPalette->isVisible());
    mainWindow->showNormal();
    Settle();
    EXPECT_TRUE(jagsPalette->isVisible());
    EXPECT_FALSE(rotationPalette->isVisible());
}

// The keyboard reaches each palette by its menu command and by F6, and comes back.
struct KeyboardRow {
    const char *name;
    std::vector<int> keys; // F6 presses after the jag-count and twist palettes are shown;
                           // a negative one with Shift
    QWidget *(*active)();
};

class KeyboardReach : public MainWindowTest, public testing::WithParamInterface<KeyboardRow> {};

TEST_P(KeyboardReach, MovesBetweenTheShownWindows) {
    Start();
    mainWindow->actionJags->trigger();
    Settle();
    ASSERT_EQ(QApplication::activeWindow(), jagsPalette) << "the menu command gives the keyboard";
    EXPECT_TRUE(jagsPalette->isAncestorOf(QApplication::focusWidget()));
    EXPECT_TRUE(mainWindow->actionJags->isChecked() && mainWindow->actionJagsContext->isChecked());
    mainWindow->actionTwistContext->trigger();
    Settle();
    for (int key : GetParam().keys) {
        QTest::keyClick(QApplication::activeWindow(), Qt::Key_F6,
                        key < 0 ? Qt::ShiftModifier : Qt::NoModifier);
        Settle();
    }
    EXPECT_EQ(QApplication::activeWindow(), GetParam().active());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyboardReach,
    testing::Values(
        KeyboardRow{"LastShownHasIt", {}, [] { return (QWidget *)twistPalette; }},
        KeyboardRow{"F6GoesRoundToTheMainWindow", {1}, [] { return (QWidget *)mainWindow; }},
        KeyboardRow{"F6ThenToTheFirstPalette", {1, 1}, [] { return (QWidget *)jagsPalette; }},
        KeyboardRow{"ShiftF6GoesBack", {-1}, [] { return (QWidget *)jagsPalette; }}),
    [](const testing::TestParamInfo<KeyboardRow> &p) { return p.param.name; });

// No palette that stays on top covers a modal dialog of the program.
struct ModalRow {
    const char *name;
    QAction *(*command)();
};

class ModalAbovePalettes : public MainWindowTest, public testing::WithParamInterface<ModalRow> {};

TEST_P(ModalAbovePalettes, StaysAboveThem) {
    Start();
    mainWindow->actionJags->trigger();
    mainWindow->Modified = true; // Exit asks its question
    bool onTop = false;
    const ModalAnswer answer([&onTop](QWidget *dialog) {
        onTop = dialog->windowHandle()->flags() & Qt::WindowStaysOnTopHint;
        static_cast<QDialog *>(dialog)->reject();
    });
    GetParam().command()->trigger();
    ASSERT_TRUE(answer.Seen());
    EXPECT_TRUE(onTop);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ModalAbovePalettes,
    testing::Values(ModalRow{"SizeDialog", [] { return mainWindow->actionSize; }},
                    ModalRow{"MagnificationDialog", [] { return mainWindow->actionMagnification; }},
                    ModalRow{"ColourDialog", [] { return mainWindow->actionStarColor; }},
                    ModalRow{"ExitQuestion", [] { return mainWindow->actionQuit; }}),
    [](const testing::TestParamInfo<ModalRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, HidingAPaletteGivesTheKeyboardBack) {
    Start();
    mainWindow->actionCentre->trigger();
    Settle();
    mainWindow->actionCentreContext->trigger();
    Settle();
    EXPECT_EQ(QApplication::activeWindow(), mainWindow);
    EXPECT_FALSE(mainWindow->actionCentre->isChecked());
    QTest::keyClick(mainWindow, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(ReadSettingsFile(SettingsPath())) << "Ctrl+S saves the settings";
    QTest::keyClick(mainWindow->starView, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(mainWindow->contextMenu->isVisible()) << "Shift+F10 opens the context menu";
    EXPECT_EQ(mainWindow->contextMenu->activeAction(), mainWindow->actionCopyContext)
        << "its first command that can run is ready for Enter";
    mainWindow->contextMenu->hide();
}

TEST_F(MainWindowTest, PalettesKeepFixedSlotsDownTheRightEdge) {
    Start();
    // Opened before the palettes above them were ever shown (and so never framed),
    // the lower palettes still leave room for those palettes' whole frames.
    mainWindow->togglePalette(Palette::CentreSlot);
    mainWindow->togglePalette(Palette::RotationSlot);
    Settle();
    const QRect centre = centrePalette->frameGeometry(), lean = rotationPalette->frameGeometry();
    mainWindow->togglePalette(Palette::JagsSlot);
    mainWindow->togglePalette(Palette::TwistSlot);
    Settle();
    const QRect main = mainWindow->frameGeometry();
    EXPECT_EQ(lean.top(), main.top() + jagsPalette->frameGeometry().height());
    EXPECT_EQ(centre.top(), main.top() + jagsPalette->frameGeometry().height() +
                                rotationPalette->frameGeometry().height() +
                                twistPalette->frameGeometry().height());
    EXPECT_EQ(centre.left(), main.left() + main.width());
    // Flipped to the left, the palette's frame ends where the main window's begins.
    for (Palette *p : std::initializer_list<Palette *>{jagsPalette, rotationPalette, twistPalette,
                                                       centrePalette})
        p->hide();
    mainWindow->move(800 - main.width() - 20, main.top());
    mainWindow->togglePalette(Palette::TwistSlot);
    Settle();
    EXPECT_EQ(twistPalette->frameGeometry().right() + 1, mainWindow->frameGeometry().left());
    for (Palette *p : std::initializer_list<Palette *>{jagsPalette, rotationPalette, twistPalette,
                                                       centrePalette})
        EXPECT_EQ(p->windowTitle(), "Vantrell");
    EXPECT_TRUE(jagsPalette->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(centrePalette->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(centrePalette->centreYSlider->invertedAppearance())
        << "-50 at the top of the vertical bar";
}

TEST_F(MainWindowTest, CloseBoxHidesAPaletteAndTheCommandShowsItAgain) {
    Start();
    mainWindow->actionJagsContext->trigger();
    ASSERT_TRUE(jagsPalette->isVisible());
    jagsPalette->close();
    EXPECT_FALSE(jagsPalette->isVisible());
    EXPECT_TRUE(mainWindow->isVisible());
    mainWindow->actionJags->trigger();
    EXPECT_TRUE(jagsPalette->isVisible());
}

TEST_F(MainWindowTest, ArrowsStepTheJagCountWithinItsRange) {
    Start();
    mainWindow->actionJagsContext->trigger();
    Settle();
    mainWindow->Modified = false;
    EXPECT_EQ(jagsPalette->jagsEdit->text(), "20");
    jagsPalette->jagsSpinButtons->UpButton()->click();
    EXPECT_EQ(jagsPalette->jagsEdit->text(), "21");
    EXPECT_EQ(jagsPalette->jagsSpinButtons->Position(), 21);
    EXPECT_EQ(mainWindow->ShapeSettings.Points, 21);
    EXPECT_EQ(mainWindow->status->PanelText(1), "Points:21");
    EXPECT_TRUE(mainWindow->Modified);
    EXPECT_TRUE(jagsPalette->jagsEdit->hasSelectedText());

    // At a bound the arrow still takes the clamped value into the edit and applies it.
    struct Bound {
        const char *typed;
        int points;
        QToolButton *arrow;
    };
    for (const Bound &bound : {Bound{"50", 50, jagsPalette->jagsSpinButtons->UpButton()},
                               Bound{"3", 3, jagsPalette->jagsSpinButtons->DownButton()},
                               Bound{"75", 50, jagsPalette->jagsSpinButtons->UpButton()}}) {
        jagsPalette->jagsEdit->setText(QString::fromLatin1(bound.typed));
        mainWindow->Modified = false;
        bound.arrow->click();
        EXPECT_EQ(jagsPalette->jagsEdit->text(), QString::number(bound.points)) << bound.typed;
        EXPECT_EQ(jagsPalette->jagsEdit->selectedText(), jagsPalette->jagsEdit->text());
        EXPECT_EQ(mainWindow->ShapeSettings.Points, bound.points);
        EXPECT_TRUE(mainWindow->Modified) << bound.typed;
    }
    // Up and Down in the edit step as the arrows do.
    QTest::keyClick(jagsPalette->jagsEdit, Qt::Key_Down);
    QTest::keyClick(jagsPalette->jagsEdit, Qt::Key_Down);
    EXPECT_EQ(jagsPalette->jagsEdit->text(), "48");
    QTest::keyClick(jagsPalette->jagsEdit, Qt::Key_Up);
    EXPECT_EQ(mainWindow->ShapeSettings.Points, 49);
}

struct TypingRow {
    const char *name;
    const char *typed;
    int points;
};

class Typing : public MainWindowTest, public testing::WithParamInterface<TypingRow> {};

TEST_P(Typing, ClampsTheValueAndLeavesTheTextAsTyped) {
    Start();
    mainWindow->actionJagsContext->trigger();
    jagsPalette->jagsEdit->selectAll();
    QTest::keyClicks(jagsPalette->jagsEdit, GetParam().typed);
    EXPECT_EQ(jagsPalette->jagsEdit->text(), GetParam().typed);
    EXPECT_EQ(mainWindow->ShapeSettings.Points, GetParam().points);
    EXPECT_EQ(jagsPalette->jagsSpinButtons->Position(), GetParam().points);
    EXPECT_EQ(mainWindow->status->PanelText(1), QStringLiteral("Points:%1").arg(GetParam().points));
}

INSTANTIATE_TEST_SUITE_P(Rows, Typing,
                         testing::Values(TypingRow{"AboveTheRange", "75", 50},
                                         TypingRow{"BelowTheRange", "2", 3},
                                         TypingRow{"LettersOnly", "abc", 3},
                                         TypingRow{"DigitsThenLetters", "12x", 12},
                                         TypingRow{"Negative", "-8", 3}),
                         [](const testing::TestParamInfo<TypingRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, SyncedTwistBarsMoveTogetherAndStopAtTheirEnds) {
    Start();
    mainWindow->actionTwist->trigger();
    TwistPalette &twist = *twistPalette;
    twist.innerTwistSlider->setValue(100);
    twist.outerTwistSlider->setValue(300);
    twist.syncCheckBox->setChecked(true);
    twist.innerTwistSlider->setValue(150);
    EXPECT_EQ(twist.outerTwistSlider->value(), 350);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerTwist, 150);
    EXPECT_EQ(mainWindow->ShapeSettings.OuterTwist, 350);
    EXPECT_EQ(twist.outerValueLabel->text(), "350%");

    twist.resetButton->click();
    EXPECT_EQ(twist.innerTwistSlider->value(), 0);
    EXPECT_EQ(twist.outerTwistSlider->value(), 0);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerTwist, 0);
    EXPECT_EQ(mainWindow->ShapeSettings.OuterTwist, 0);
    EXPECT_EQ(twist.innerValueLabel->text(), "0%");

    twist.syncCheckBox->setChecked(false);
    twist.outerTwistSlider->setValue(950);
    twist.syncCheckBox->setChecked(true);
    twist.innerTwistSlider->setValue(100);
    EXPECT_EQ(twist.outerTwistSlider->value(), 1000);
    EXPECT_EQ(mainWindow->ShapeSettings.OuterTwist, 1000);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerTwist, 100);
}

TEST_F(MainWindowTest, OpeningPalettesShowsLoadedValuesWithoutChangingThePicture) {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.InnerTwist = 100;
    s.OuterTwist = 200;
    s.CenterXRate = 10;
    s.CenterYRate = -20;
    s.LeanAngle = -35;
    s.ClientWidth = 408;
    s.ClientHeight = 276;
    s.ForeColor = 0;
    s.BackColor = 0xFFFFFF;
    const SettingsBytes bytes = EncodeSettings(s);
    WriteSettings({bytes.begin(), bytes.end()});
    Start();
    Settle();
    const QImage before = mainWindow->starView->Canvas().copy();
    twistPalette->syncCheckBox->setChecked(true); // has no say in the re-sync
    for (QAction *toggle :
         {mainWindow->actionTwist, mainWindow->actionCentre, mainWindow->actionRotation})
        toggle->trigger();
    Settle();
    EXPECT_EQ(twistPalette->innerTwistSlider->value(), 100);
    EXPECT_EQ(twistPalette->outerTwistSlider->value(), 200);
    EXPECT_EQ(twistPalette->innerValueLabel->text(), "100%");
    EXPECT_EQ(twistPalette->outerValueLabel->text(), "200%");
    EXPECT_EQ(centrePalette->centreXSlider->value(), 10);
    EXPECT_EQ(centrePalette->centreYSlider->value(), -20);
    EXPECT_EQ(rotationPalette->angleLabel->text(), "-35度");
    EXPECT_EQ(mainWindow->ShapeSettings.InnerTwist, 100);
    EXPECT_EQ(mainWindow->ShapeSettings.OuterTwist, 200);
    EXPECT_EQ(mainWindow->ShapeSettings.CenterXRate, 10);
    EXPECT_EQ(mainWindow->ShapeSettings.CenterYRate, -20);
    EXPECT_EQ(mainWindow->starView->Canvas(), before);
}

TEST_F(MainWindowTest, ResetBringsOpenPalettesBackAndCountsTheirMovesAsChanges) {
    Start();
    for (QAction *toggle :
         {mainWindow->actionTwist, mainWindow->actionRotation, mainWindow->actionJags})
        toggle->trigger();
    twistPalette->innerTwistSlider->setValue(-400);
    twistPalette->outerTwistSlider->setValue(250);
    rotationPalette->rotationSlider->setValue(90);
    EXPECT_EQ(rotationPalette->angleLabel->text(), "90度");
    jagsPalette->jagsSpinButtons->UpButton()->click();
    mainWindow->actionDefaults->trigger();
    EXPECT_FALSE(mainWindow->Modified) << "the reset's own repaint does not count";
    Settle();
    EXPECT_EQ(twistPalette->innerTwistSlider->value(), 0);
    EXPECT_EQ(twistPalette->outerTwistSlider->value(), 0);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerTwist, 0);
    EXPECT_EQ(mainWindow->ShapeSettings.OuterTwist, 0);
    EXPECT_EQ(rotationPalette->angleLabel->text(), "0度");
    EXPECT_EQ(jagsPalette->jagsEdit->text(), "20");
    EXPECT_EQ(jagsPalette->jagsSpinButtons->Position(), 20);
    EXPECT_TRUE(mainWindow->Modified) << "the moved bars applied their values again";
}

TEST_F(MainWindowTest, ResetWithOnlyTheJagCountPaletteOpenCountsAsUnchanged) {
    Start();
    mainWindow->actionJagsContext->trigger();
    jagsPalette->jagsSpinButtons->UpButton()->click();
    mainWindow->actionDefaults->trigger();
    Settle();
    EXPECT_EQ(jagsPalette->jagsEdit->text(), "20");
    EXPECT_TRUE(jagsPalette->jagsEdit->hasSelectedText());
    EXPECT_FALSE(mainWindow->Modified);
}

TEST_F(MainWindowTest, RotationAndCentreResetButtonsReturnToZero) {
    Start();
    mainWindow->actionRotationContext->trigger();
    mainWindow->actionCentreContext->trigger();
    rotationPalette->rotationSlider->setValue(-90);
    EXPECT_EQ(rotationPalette->angleLabel->text(), "-90度");
    EXPECT_EQ(mainWindow->ShapeSettings.LeanAngle, -90);
    rotationPalette->resetButton->click();
    EXPECT_EQ(mainWindow->ShapeSettings.LeanAngle, 0);
    EXPECT_EQ(rotationPalette->angleLabel->text(), "0度");
    centrePalette->centreXSlider->setValue(50);
    centrePalette->centreYSlider->setValue(-50);
    EXPECT_EQ(mainWindow->ShapeSettings.CenterXRate, 50);
    EXPECT_EQ(mainWindow->ShapeSettings.CenterYRate, -50);
    centrePalette->resetButton->click();
    EXPECT_EQ(mainWindow->ShapeSettings.CenterXRate, 0);
    EXPECT_EQ(mainWindow->ShapeSettings.CenterYRate, 0);
}

} // namespace

namespace {

TEST_F(MainWindowTest, GetBackgroundBringsBackOnlyThePalettesThatWereOpen) {
    Start();
    mainWindow->actionTwist->trigger();
    mainWindow->starView->Color = ColorValueFromRgb(0, 0, 255);
    mainWindow->actionTransparent->trigger();
    mainWindow->Modified = false;
    ASSERT_TRUE(mainWindow->actionGetBackgroundContext->isEnabled());
    mainWindow->actionGetBackgroundContext->trigger();
    Settle();
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_TRUE(twistPalette->isVisible());
    EXPECT_FALSE(jagsPalette->isVisible() || rotationPalette->isVisible() ||
                 centrePalette->isVisible());
    EXPECT_FALSE(mainWindow->Modified) << "getting the background is no change to the picture";
    // The offscreen platform has no screen to read: the backdrop shows white.
    EXPECT_EQ(mainWindow->starView->Canvas().pixel(2, 2), PixelFromRgb(255, 255, 255));
    mainWindow->actionTransparentContext->trigger();
    EXPECT_EQ(mainWindow->starView->Canvas().pixel(2, 2), PixelFromRgb(0, 0, 255));
    EXPECT_FALSE(mainWindow->actionGetBackground->isEnabled() ||
                 mainWindow->actionGetBackgroundContext->isEnabled());
}

} // namespace

// What a screen reader may ask of the program's number edits, spin boxes and bars, with
// any offsets, texts and values: every answer comes, the values stay within their ranges
// and the text read is the text shown.
TEST_F(MainWindowTest, ScreenReadersMayAskAnythingOfTheValues) {
    Start();
    std::mt19937 random(33);
    std::uniform_int_distribution<int> any(std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max());
    std::uniform_int_distribution<int> near(-3, 8);
    const auto offset = [&] { return random() % 4 == 0 ? any(random) : near(random); };
    const std::vector<QWidget *> controls{
        jagsPalette->jagsEdit, magnificationDialog->magnificationEdit, shapePalette->tipEdit,
        shapePalette->seedEdit, rotationPalette->rotationSlider};
    for (int round = 0; round < 3000; ++round) {
        QWidget *control = controls[std::size_t(round) % controls.size()];
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
        ASSERT_NE(reader, nullptr);
        if (QAccessibleValueInterface *value = reader->valueInterface()) {
            value->setCurrentValue(any(random) % 200);
            const int now = value->currentValue().toInt();
            EXPECT_GE(now, value->minimumValue().toInt());
            EXPECT_LE(now, value->maximumValue().toInt());
        }
        if (QAccessibleEditableTextInterface *editable = reader->editableTextInterface()) {
            const QString text = QString::number(any(random) % 1000);
            switch (random() % 3) {
            case 0:
                editable->insertText(offset(), text);
                break;
            case 1:
                editable->deleteText(offset(), offset());
                break;
            default:
                editable->replaceText(offset(), offset(), text);
                break;
            }
        }
        QAccessibleTextInterface *text = reader->textInterface();
        ASSERT_NE(text, nullptr);
        int start = 0, end = 0;
        const auto boundary = QAccessible::TextBoundaryType(random() % 6);
        text->textAtOffset(offset(), boundary, &start, &end);
        text->textBeforeOffset(offset(), boundary, &start, &end);
        text->textAfterOffset(offset(), boundary, &start, &end);
        text->setSelection(0, offset(), offset());
        text->setCursorPosition(offset());
        text->characterRect(offset());
        EXPECT_EQ(text->text(0, text->characterCount()), reader->text(QAccessible::Value));
    }
}
