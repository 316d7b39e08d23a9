#include "About.h"
#include "Center.h"
#include "Lean.h"
#include "Points.h"
#include "Rotaion.h"
#include "SaveRate.h"
#include "SettingsFile.h"
#include "SizeIn.h"
#include "WindowTestSupport.h"

#include <QLineEdit>
#include <QScreen>
#include <QSlider>

namespace {

// The main window stays on a screen and wide enough to be mapped, whatever size
// or position it is given.
struct ReachRow {
    const char *name;
    std::vector<unsigned char> settings; // empty: none
    const char *dialogWidth;             // typed into the size dialog, or nullptr
    int areaWidth;
    QPoint keptAt; // (-1, -1): anywhere on a screen
};

std::vector<unsigned char> Record(int32_t width, int32_t height, int32_t left, int32_t top) {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.ClientWidth = width;
    s.ClientHeight = height;
    s.Left = left;
    s.Top = top;
    const SettingsBytes bytes = EncodeSettings(s);
    return {bytes.begin(), bytes.end()};
}

class WindowStaysReachable : public MainWindowTest, public testing::WithParamInterface<ReachRow> {};

TEST_P(WindowStaysReachable, OnAScreenAndWideEnoughToMap) {
    const ReachRow &row = GetParam();
    if (!row.settings.empty())
        WriteSettings(row.settings);
    Start();
    if (row.dialogWidth) {
        const ModalAnswer answer = ModalAnswer::For<TSizeInDlg>([&](TSizeInDlg *dialog) {
            dialog->Width->setText(QString::fromLatin1(row.dialogWidth));
            dialog->OKBtn->click();
        });
        Form1->Size->trigger();
        ASSERT_TRUE(answer.Seen());
    }
    Settle();
    EXPECT_TRUE(Form1->isVisible());
    EXPECT_GE(Form1->width(), Form1->MinimumFrameWidth());
    EXPECT_EQ(Form1->PaintBox->width(), row.areaWidth);
    EXPECT_EQ(Form1->ClientWidth(), row.areaWidth);
    EXPECT_TRUE(
        Form1->StatusBar1->PanelText(0).startsWith(QStringLiteral("Size:%1,").arg(row.areaWidth)));
    EXPECT_TRUE(QGuiApplication::primaryScreen()->geometry().intersects(Form1->frameGeometry()));
    if (row.keptAt.x() != -1) {
        EXPECT_EQ(Form1->pos(), row.keptAt);
    }
    // Saved and loaded again, the narrow client width comes back as it was.
    Form1->SaveSettings();
    EXPECT_EQ(ReadSettingsFile(SettingsPath())->ClientWidth, row.areaWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowStaysReachable,
    testing::Values(
        ReachRow{"SizeDialogWidthZero", {}, "0", 0, {57, 202}},
        ReachRow{"SizeDialogLetters", {}, "abc", 0, {57, 202}},
        ReachRow{"SizeDialogNarrow", {}, "7", 7, {57, 202}},
        ReachRow{"RecordOfZerosOpensInTheLayout",
                 std::vector<unsigned char>(68, 0),
                 nullptr,
                 408,
                 {57, 202}},
        ReachRow{"OffEveryScreen", Record(408, 276, -5000, 9000), nullptr, 408, {-1, -1}},
        ReachRow{"PartlyVisibleStays", Record(408, 276, -100, 30), nullptr, 408, {-100, 30}}),
    [](const testing::TestParamInfo<ReachRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, ADragEndsWhenADialogTakesTheMouse) {
    Start();
    QTest::mousePress(Form1->PaintBox, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(Form1->Dragging);
    const ModalAnswer answer = ModalAnswer::For<TSizeInDlg>([](TSizeInDlg *d) { d->reject(); });
    Form1->Size->trigger();
    ASSERT_TRUE(answer.Seen());
    EXPECT_FALSE(Form1->Dragging);
    const QImage withoutMarkers = Form1->PaintBox->Canvas();
    Form1->DrawShape(Form1->PaintBox->Canvas());
    EXPECT_EQ(Form1->PaintBox->Canvas(), withoutMarkers) << "the markers are gone";
}

// A key step at the end of a track bar moves nothing, yet is a user's action on it.
struct StepRow {
    const char *name;
    TPalette *(*palette)();
    QSlider *(*bar)();
};

class StepAtTheEnd : public MainWindowTest, public testing::WithParamInterface<StepRow> {};

TEST_P(StepAtTheEnd, CountsAsAChange) {
    Start();
    TPalette *palette = GetParam().palette();
    palette->show();
    QSlider *bar = GetParam().bar();
    bar->setValue(bar->maximum());
    Settle();
    Form1->Modified = false;
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(Form1->Modified);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StepAtTheEnd,
    testing::Values(StepRow{"Rotation", []() -> TPalette * { return LeanDlg; },
                            [] { return LeanDlg->LeanTrackBar; }},
                    StepRow{"InnerTwist", []() -> TPalette * { return RotationDlg; },
                            [] { return RotationDlg->InRotateTrackBar; }},
                    StepRow{"CentreY", []() -> TPalette * { return CenterSettingDlg; },
                            [] { return CenterSettingDlg->CenterYRateTrackBar; }}),
    [](const testing::TestParamInfo<StepRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, TheCommandBringsBackAMinimisedPalette) {
    Start();
    Form1->Points1->trigger();
    PointsDlg->showMinimized();
    Settle();
    Form1->Points1->trigger();
    EXPECT_TRUE(PointsDlg->isVisible());
    EXPECT_FALSE(PointsDlg->isMinimized());
    Form1->Points1->trigger();
    EXPECT_FALSE(PointsDlg->isVisible()) << "a shown palette is hidden as before";
}

} // namespace
