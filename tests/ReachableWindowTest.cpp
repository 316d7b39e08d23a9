#include "AboutDialog.h"
#include "CentrePalette.h"
#include "JagsPalette.h"
#include "MagnificationDialog.h"
#include "RadiusEditing.h"
#include "RotationPalette.h"
#include "SettingsFile.h"
#include "SizeDialog.h"
#include "TwistPalette.h"
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
        const ModalAnswer answer = ModalAnswer::For<SizeDialog>([&](SizeDialog *dialog) {
            dialog->widthEdit->setText(QString::fromLatin1(row.dialogWidth));
            dialog->okButton->click();
        });
        mainWindow->actionSizeContext->trigger();
        ASSERT_TRUE(answer.Seen());
    }
    Settle();
    EXPECT_TRUE(mainWindow->isVisible());
    EXPECT_GE(mainWindow->width(), mainWindow->MinimumFrameWidth());
    EXPECT_EQ(mainWindow->starView->width(), row.areaWidth);
    EXPECT_EQ(mainWindow->ClientWidth(), row.areaWidth);
    EXPECT_TRUE(
        mainWindow->status->PanelText(0).startsWith(QStringLiteral("Size:%1,").arg(row.areaWidth)));
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->geometry().intersects(mainWindow->frameGeometry()));
    if (row.keptAt.x() != -1) {
        EXPECT_EQ(mainWindow->pos(), row.keptAt);
    }
    // Saved and loaded again, the narrow client width comes back as it was.
    mainWindow->WriteSettings();
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

TEST_F(MainWindowTest, NoResizeMakesTheWindowNarrowerThanItsMenuBar) {
    Start();
    mainWindow->resize(1, mainWindow->height());
    Settle();
    EXPECT_EQ(mainWindow->width(), mainWindow->MinimumFrameWidth());
}

TEST_F(MainWindowTest, ADragEndsWhenADialogTakesTheMouse) {
    Start();
    QTest::mousePress(mainWindow->starView, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(mainWindow->starView->Radii().Editing());
    const ModalAnswer answer = ModalAnswer::For<SizeDialog>([](SizeDialog *d) { d->reject(); });
    mainWindow->actionSizeContext->trigger();
    ASSERT_TRUE(answer.Seen());
    EXPECT_FALSE(mainWindow->starView->Radii().Editing());
    const QImage withoutMarkers = mainWindow->starView->Canvas();
    mainWindow->starView->Draw();
    EXPECT_EQ(mainWindow->starView->Canvas(), withoutMarkers) << "the markers are gone";
}

// A key step at the end of a track bar moves nothing, yet is a user's action on it.
struct StepRow {
    const char *name;
    Palette *(*palette)();
    QSlider *(*bar)();
};

class StepAtTheEnd : public MainWindowTest, public testing::WithParamInterface<StepRow> {};

TEST_P(StepAtTheEnd, CountsAsAChange) {
    Start();
    Palette *palette = GetParam().palette();
    palette->show();
    QSlider *bar = GetParam().bar();
    bar->setValue(bar->maximum());
    Settle();
    mainWindow->Modified = false;
    QTest::keyClick(bar, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_TRUE(mainWindow->Modified);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StepAtTheEnd,
    testing::Values(StepRow{"Rotation", []() -> Palette * { return rotationPalette; },
                            []() -> QSlider * { return rotationPalette->rotationSlider; }},
                    StepRow{"InnerTwist", []() -> Palette * { return twistPalette; },
                            []() -> QSlider * { return twistPalette->innerTwistSlider; }},
                    StepRow{"CentreY", []() -> Palette * { return centrePalette; },
                            []() -> QSlider * { return centrePalette->centreYSlider; }}),
    [](const testing::TestParamInfo<StepRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, TheCommandBringsBackAMinimisedPalette) {
    Start();
    mainWindow->actionJagsContext->trigger();
    jagsPalette->showMinimized();
    Settle();
    mainWindow->actionJagsContext->trigger();
    EXPECT_TRUE(jagsPalette->isVisible());
    EXPECT_FALSE(jagsPalette->isMinimized());
    mainWindow->actionJagsContext->trigger();
    EXPECT_FALSE(jagsPalette->isVisible()) << "a shown palette is hidden as before";
}

} // namespace
