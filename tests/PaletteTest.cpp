#include "Palette.h"
#include "Center.h"
#include "Lean.h"
#include "Points.h"
#include "Rotaion.h"
#include "SettingsFile.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QToolButton>

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
    Form1->Points1Click();
    Settle();
    Form1->showMinimized();
    Settle();
    EXPECT_FALSE(PointsDlg->isVisible());
    Form1->showNormal();
    Settle();
    EXPECT_TRUE(PointsDlg->isVisible());
    EXPECT_FALSE(LeanDlg->isVisible());
}

TEST_F(MainWindowTest, PalettesKeepFixedSlotsDownTheRightEdge) {
    Start();
    // Opened before the palettes above them were ever shown (and so never framed),
    // the lower palettes still leave room for those palettes' whole frames.
    Form1->CenterClick();
    Form1->LeanClick();
    Settle();
    const QRect centre = CenterSettingDlg->frameGeometry(), lean = LeanDlg->frameGeometry();
    Form1->Points1Click();
    Form1->RotateClick();
    Settle();
    const QRect main = Form1->frameGeometry();
    EXPECT_EQ(lean.top(), main.top() + PointsDlg->frameGeometry().height());
    EXPECT_EQ(centre.top(), main.top() + PointsDlg->frameGeometry().height() +
                                LeanDlg->frameGeometry().height() +
                                RotationDlg->frameGeometry().height());
    EXPECT_EQ(centre.left(), main.left() + main.width());
    // Flipped to the left, the palette's frame ends where the main window's begins.
    for (TPalette *p :
         std::initializer_list<TPalette *>{PointsDlg, LeanDlg, RotationDlg, CenterSettingDlg})
        p->hide();
    Form1->move(800 - main.width() - 20, main.top());
    Form1->RotateClick();
    Settle();
    EXPECT_EQ(RotationDlg->frameGeometry().right() + 1, Form1->frameGeometry().left());
    for (TPalette *p :
         std::initializer_list<TPalette *>{PointsDlg, LeanDlg, RotationDlg, CenterSettingDlg})
        EXPECT_EQ(p->windowTitle(), "Vantrell");
    EXPECT_TRUE(PointsDlg->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(CenterSettingDlg->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(CenterSettingDlg->CenterYRateTrackBar->invertedAppearance())
        << "-50 at the top of the vertical bar";
}

TEST_F(MainWindowTest, CloseBoxHidesAPaletteAndTheCommandShowsItAgain) {
    Start();
    Form1->Points1->trigger();
    ASSERT_TRUE(PointsDlg->isVisible());
    PointsDlg->close();
    EXPECT_FALSE(PointsDlg->isVisible());
    EXPECT_TRUE(Form1->isVisible());
    Form1->Points2->trigger();
    EXPECT_TRUE(PointsDlg->isVisible());
}

TEST_F(MainWindowTest, ArrowsStepTheJagCountWithinItsRange) {
    Start();
    Form1->Points1->trigger();
    Settle();
    Form1->Modified = false;
    EXPECT_EQ(PointsDlg->Edit1->text(), "20");
    PointsDlg->UpDown1->UpButton()->click();
    EXPECT_EQ(PointsDlg->Edit1->text(), "21");
    EXPECT_EQ(PointsDlg->UpDown1->Position(), 21);
    EXPECT_EQ(Form1->ShapeSettings.Points, 21);
    EXPECT_EQ(Form1->StatusBar1->PanelText(1), "Points:21");
    EXPECT_TRUE(Form1->Modified);
    EXPECT_TRUE(PointsDlg->Edit1->hasSelectedText());

    // At a bound the arrow still takes the clamped value into the edit and applies it.
    struct Bound {
        const char *typed;
        int points;
        QToolButton *arrow;
    };
    for (const Bound &bound : {Bound{"50", 50, PointsDlg->UpDown1->UpButton()},
                               Bound{"3", 3, PointsDlg->UpDown1->DownButton()},
                               Bound{"75", 50, PointsDlg->UpDown1->UpButton()}}) {
        PointsDlg->Edit1->setText(QString::fromLatin1(bound.typed));
        Form1->Modified = false;
        bound.arrow->click();
        EXPECT_EQ(PointsDlg->Edit1->text(), QString::number(bound.points)) << bound.typed;
        EXPECT_EQ(PointsDlg->Edit1->selectedText(), PointsDlg->Edit1->text());
        EXPECT_EQ(Form1->ShapeSettings.Points, bound.points);
        EXPECT_TRUE(Form1->Modified) << bound.typed;
    }
}

struct TypingRow {
    const char *name;
    const char *typed;
    int points;
};

class Typing : public MainWindowTest, public testing::WithParamInterface<TypingRow> {};

TEST_P(Typing, ClampsTheValueAndLeavesTheTextAsTyped) {
    Start();
    Form1->Points1->trigger();
    PointsDlg->Edit1->selectAll();
    QTest::keyClicks(PointsDlg->Edit1, GetParam().typed);
    EXPECT_EQ(PointsDlg->Edit1->text(), GetParam().typed);
    EXPECT_EQ(Form1->ShapeSettings.Points, GetParam().points);
    EXPECT_EQ(PointsDlg->UpDown1->Position(), GetParam().points);
    EXPECT_EQ(Form1->StatusBar1->PanelText(1), QStringLiteral("Points:%1").arg(GetParam().points));
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
    Form1->Twist1->trigger();
    TRotationDlg &twist = *RotationDlg;
    twist.InRotateTrackBar->setValue(100);
    twist.OutRotateTrackBar->setValue(300);
    twist.SyncCheckBox->setChecked(true);
    twist.InRotateTrackBar->setValue(150);
    EXPECT_EQ(twist.OutRotateTrackBar->value(), 350);
    EXPECT_EQ(Form1->ShapeSettings.InnerTwist, 150);
    EXPECT_EQ(Form1->ShapeSettings.OuterTwist, 350);
    EXPECT_EQ(twist.OutRate->text(), "350%");

    twist.RestButton->click();
    EXPECT_EQ(twist.InRotateTrackBar->value(), 0);
    EXPECT_EQ(twist.OutRotateTrackBar->value(), 0);
    EXPECT_EQ(Form1->ShapeSettings.InnerTwist, 0);
    EXPECT_EQ(Form1->ShapeSettings.OuterTwist, 0);
    EXPECT_EQ(twist.InRate->text(), "0%");

    twist.SyncCheckBox->setChecked(false);
    twist.OutRotateTrackBar->setValue(950);
    twist.SyncCheckBox->setChecked(true);
    twist.InRotateTrackBar->setValue(100);
    EXPECT_EQ(twist.OutRotateTrackBar->value(), 1000);
    EXPECT_EQ(Form1->ShapeSettings.OuterTwist, 1000);
    EXPECT_EQ(Form1->ShapeSettings.InnerTwist, 100);
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
    const QImage before = Form1->PaintBox->Canvas().copy();
    RotationDlg->SyncCheckBox->setChecked(true); // has no say in the re-sync
    for (QAction *toggle : {Form1->Twist1, Form1->Center1, Form1->Lean})
        toggle->trigger();
    Settle();
    EXPECT_EQ(RotationDlg->InRotateTrackBar->value(), 100);
    EXPECT_EQ(RotationDlg->OutRotateTrackBar->value(), 200);
    EXPECT_EQ(RotationDlg->InRate->text(), "100%");
    EXPECT_EQ(RotationDlg->OutRate->text(), "200%");
    EXPECT_EQ(CenterSettingDlg->CenterXRateTrackBar->value(), 10);
    EXPECT_EQ(CenterSettingDlg->CenterYRateTrackBar->value(), -20);
    EXPECT_EQ(LeanDlg->Lean->text(), "-35度");
    EXPECT_EQ(Form1->ShapeSettings.InnerTwist, 100);
    EXPECT_EQ(Form1->ShapeSettings.OuterTwist, 200);
    EXPECT_EQ(Form1->ShapeSettings.CenterXRate, 10);
    EXPECT_EQ(Form1->ShapeSettings.CenterYRate, -20);
    EXPECT_EQ(Form1->PaintBox->Canvas(), before);
}

TEST_F(MainWindowTest, ResetBringsOpenPalettesBackAndCountsTheirMovesAsChanges) {
    Start();
    for (QAction *toggle : {Form1->Twist1, Form1->Lean, Form1->Points2})
        toggle->trigger();
    RotationDlg->InRotateTrackBar->setValue(-400);
    RotationDlg->OutRotateTrackBar->setValue(250);
    LeanDlg->LeanTrackBar->setValue(90);
    EXPECT_EQ(LeanDlg->Lean->text(), "90度");
    PointsDlg->UpDown1->UpButton()->click();
    Form1->Default->trigger();
    EXPECT_FALSE(Form1->Modified) << "the reset's own repaint does not count";
    Settle();
    EXPECT_EQ(RotationDlg->InRotateTrackBar->value(), 0);
    EXPECT_EQ(RotationDlg->OutRotateTrackBar->value(), 0);
    EXPECT_EQ(Form1->ShapeSettings.InnerTwist, 0);
    EXPECT_EQ(Form1->ShapeSettings.OuterTwist, 0);
    EXPECT_EQ(LeanDlg->Lean->text(), "0度");
    EXPECT_EQ(PointsDlg->Edit1->text(), "20");
    EXPECT_EQ(PointsDlg->UpDown1->Position(), 20);
    EXPECT_TRUE(Form1->Modified) << "the moved bars applied their values again";
}

TEST_F(MainWindowTest, ResetWithOnlyTheJagCountPaletteOpenCountsAsUnchanged) {
    Start();
    Form1->Points1->trigger();
    PointsDlg->UpDown1->UpButton()->click();
    Form1->Default->trigger();
    Settle();
    EXPECT_EQ(PointsDlg->Edit1->text(), "20");
    EXPECT_TRUE(PointsDlg->Edit1->hasSelectedText());
    EXPECT_FALSE(Form1->Modified);
}

TEST_F(MainWindowTest, RotationAndCentreResetButtonsReturnToZero) {
    Start();
    Form1->Lean2->trigger();
    Form1->Center->trigger();
    LeanDlg->LeanTrackBar->setValue(-90);
    EXPECT_EQ(LeanDlg->Lean->text(), "-90度");
    EXPECT_EQ(Form1->ShapeSettings.LeanAngle, -90);
    LeanDlg->RestButton->click();
    EXPECT_EQ(Form1->ShapeSettings.LeanAngle, 0);
    EXPECT_EQ(LeanDlg->Lean->text(), "0度");
    CenterSettingDlg->CenterXRateTrackBar->setValue(50);
    CenterSettingDlg->CenterYRateTrackBar->setValue(-50);
    EXPECT_EQ(Form1->ShapeSettings.CenterXRate, 50);
    EXPECT_EQ(Form1->ShapeSettings.CenterYRate, -50);
    CenterSettingDlg->RestButton->click();
    EXPECT_EQ(Form1->ShapeSettings.CenterXRate, 0);
    EXPECT_EQ(Form1->ShapeSettings.CenterYRate, 0);
}

} // namespace

namespace {

TEST_F(MainWindowTest, GetBackgroundBringsBackOnlyThePalettesThatWereOpen) {
    Start();
    Form1->Twist1->trigger();
    Form1->PaintBox->Color = ColorValueFromRgb(0, 0, 255);
    Form1->Trans1->trigger();
    Form1->Modified = false;
    ASSERT_TRUE(Form1->GetBack2->isEnabled());
    Form1->GetBack2->trigger();
    Settle();
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_TRUE(RotationDlg->isVisible());
    EXPECT_FALSE(PointsDlg->isVisible() || LeanDlg->isVisible() || CenterSettingDlg->isVisible());
    EXPECT_FALSE(Form1->Modified) << "getting the background is no change to the picture";
    // The offscreen platform has no screen to read: the backdrop shows white.
    EXPECT_EQ(Form1->PaintBox->Canvas().pixel(2, 2), PixelFromRgb(255, 255, 255));
    Form1->Trans2->trigger();
    EXPECT_EQ(Form1->PaintBox->Canvas().pixel(2, 2), PixelFromRgb(0, 0, 255));
    EXPECT_FALSE(Form1->GetBack1->isEnabled() || Form1->GetBack2->isEnabled());
}

} // namespace
