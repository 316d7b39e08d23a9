#include "CentrePalette.h"
#include "ColorValue.h"
#include "JagsPalette.h"
#include "LiveBackground.h"
#include "RotationPalette.h"
#include "SettingsFile.h"
#include "SystemPalette.h"
#include "TwistPalette.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QMessageBox>

#include <filesystem>

namespace {

std::vector<unsigned char> Bytes(const ShapeSettings &s) {
    const SettingsBytes b = EncodeSettings(s);
    return {b.begin(), b.end()};
}

ShapeSettings Decoded(const std::vector<unsigned char> &bytes) {
    SettingsBytes b{};
    std::copy_n(bytes.begin(), b.size(), b.begin());
    return DecodeSettings(b);
}

std::function<void(QWidget *)> ChooseColour(QColor colour) {
    return [colour](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(colour);
        dialog->accept();
    };
}

std::function<void(QWidget *)> PressButton(QMessageBox::StandardButton which) {
    return [which](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        ASSERT_NE(box, nullptr);
        box->button(which)->click();
    };
}

QStringList StatusTexts() {
    return {mainWindow->status->PanelText(0), mainWindow->status->PanelText(1),
            mainWindow->status->PanelText(2)};
}

Pixel CanvasPixel(int x, int y) {
    return mainWindow->starView->Canvas().pixel(x, y);
}

Pixel Resolved(uint32_t colorValue) {
    return ResolveColorValue(colorValue, SystemColorsFromPalette(mainWindow->palette()));
}

TEST_F(MainWindowTest, StartsWithTheLayoutAndTheDefaultStar) {
    CreateProgramWindows();
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:9999,999", "Points:99", "x 9999"}))
        << "the layout's texts until the first paint";
    mainWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    Settle();
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:408,251", "Points:20", "x 1"}));
    EXPECT_EQ(mainWindow->starView->size(), QSize(408, 251));
    EXPECT_EQ(mainWindow->ClientWidth(), 408);
    EXPECT_EQ(mainWindow->ClientHeight(), 276);
    EXPECT_EQ(mainWindow->windowTitle(), "Vantrell");
    EXPECT_FALSE(mainWindow->Modified) << "the first pass through the resize path does not count";
    EXPECT_EQ(mainWindow->starView->Canvas().size(), QSize(408, 251));
    EXPECT_EQ(CanvasPixel(344, 138), Resolved(kWindowTextColor));
    EXPECT_EQ(CanvasPixel(204, 125), Resolved(kWindowColor));
    for (QAction *a : {mainWindow->actionSameSize, mainWindow->actionSameSizeContext,
                       mainWindow->actionFillContext, mainWindow->actionFill,
                       mainWindow->actionTransparent, mainWindow->actionTransparentContext})
        EXPECT_FALSE(a->isChecked()) << a->objectName().toStdString();
    EXPECT_FALSE(mainWindow->actionGetBackground->isEnabled());
    EXPECT_FALSE(mainWindow->actionGetBackgroundContext->isEnabled());
    EXPECT_EQ(mainWindow->actionCopy->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(mainWindow->actionCopyContext->shortcut(), QKeySequence("Ctrl+C"));
}

struct ModifiedRow {
    const char *name;
    std::function<void()> action;
    bool modified;
};

class ModifiedTable : public MainWindowTest, public testing::WithParamInterface<ModifiedRow> {};

TEST_P(ModifiedTable, EachEventSetsOrKeepsTheFlag) {
    Start();
    Settle();
    ASSERT_FALSE(mainWindow->Modified);
    GetParam().action();
    Settle();
    EXPECT_EQ(mainWindow->Modified, GetParam().modified);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ModifiedTable,
    testing::Values(
        ModifiedRow{"NothingHappened", [] {}, false},
        ModifiedRow{"UserResize",
                    [] { mainWindow->resize(mainWindow->width() + 30, mainWindow->height()); },
                    true},
        ModifiedRow{"WindowMoved",
                    [] { mainWindow->move(mainWindow->x() + 40, mainWindow->y() + 5); }, false},
        ModifiedRow{"FillToggled", [] { mainWindow->actionFill->trigger(); }, true},
        ModifiedRow{"SameSizeToggled", [] { mainWindow->actionSameSizeContext->trigger(); }, true},
        ModifiedRow{"TransparencyToggled", [] { mainWindow->actionTransparentContext->trigger(); },
                    true},
        ModifiedRow{"PaletteShown", [] { mainWindow->actionJags->trigger(); }, true},
        ModifiedRow{"PaletteShownAndHidden",
                    [] {
                        mainWindow->actionCentreContext->trigger();
                        mainWindow->Modified = false;
                        mainWindow->actionCentre->trigger();
                    },
                    true},
        ModifiedRow{"ForegroundChosen",
                    [] {
                        ModalAnswer answer(ChooseColour(Qt::red));
                        mainWindow->actionStarColor->trigger();
                    },
                    true},
        ModifiedRow{"BackgroundCancelled",
                    [] {
                        ModalAnswer answer([](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
                        mainWindow->actionBackgroundColorContext->trigger();
                    },
                    false},
        ModifiedRow{"SettingsSaved", [] { mainWindow->actionSaveSettings->trigger(); }, false},
        ModifiedRow{"ResetAfterAChange",
                    [] {
                        mainWindow->actionFillContext->trigger();
                        mainWindow->actionDefaults->trigger();
                    },
                    false},
        ModifiedRow{"ParameterChangePublished", [] { mainWindow->redraw(); }, true}),
    [](const testing::TestParamInfo<ModifiedRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, TwinItemsShareTheirCheckMarks) {
    Start();
    mainWindow->actionFillContext->trigger();
    EXPECT_TRUE(mainWindow->actionFillContext->isChecked());
    EXPECT_TRUE(mainWindow->actionFill->isChecked());
    mainWindow->actionFill->trigger();
    EXPECT_FALSE(mainWindow->actionFillContext->isChecked());
    EXPECT_FALSE(mainWindow->actionFill->isChecked());
    mainWindow->actionSameSize->trigger();
    EXPECT_TRUE(mainWindow->actionSameSizeContext->isChecked());
    EXPECT_TRUE(mainWindow->actionSameSize->isChecked());
    mainWindow->actionTransparent->trigger();
    EXPECT_TRUE(mainWindow->actionTransparentContext->isChecked());
    EXPECT_EQ(mainWindow->ShapeSettings.Trans, 1);
    EXPECT_TRUE(mainWindow->actionGetBackground->isEnabled());
    EXPECT_TRUE(mainWindow->actionGetBackgroundContext->isEnabled());
}

TEST_F(MainWindowTest, SameSizeShowsTheSmallerSideTwice) {
    Start();
    mainWindow->SetClientSize(300, 225);
    Settle();
    ASSERT_EQ(mainWindow->starView->size(), QSize(300, 200));
    mainWindow->actionSameSizeContext->trigger();
    EXPECT_EQ(mainWindow->status->PanelText(0), "Size:200,200");
}

// A drawing area far larger than the desktop keeps a canvas no larger than the
// desktop: the part of the picture the screens can show, pixel for pixel.
TEST_F(MainWindowTest, AnAreaLargerThanTheScreensIsDrawnWhereTheyShowIt) {
    Start();
    const QRect desktop = mainWindow->screen()->virtualGeometry();
    mainWindow->resize(5 * desktop.size()); // as a window manager might
    Settle();
    EXPECT_TRUE(QRect(QPoint(), desktop.size()).contains(mainWindow->rect()));
    mainWindow->SetClientSize(3 * desktop.width(),
                              mainWindow->ClientHeight() + 2 * desktop.height());
    Settle();
    const QImage &canvas = mainWindow->starView->Canvas();
    EXPECT_TRUE(QRect(QPoint(), desktop.size()).contains(QRect(QPoint(), canvas.size())));
    QImage whole;
    mainWindow->starView->RenderOutput(whole);
    EXPECT_EQ(canvas, whole.copy(QRect(mainWindow->starView->CanvasOrigin(), canvas.size())));
}

// An area larger than the screen keeps its size, scrolled in a window that fits the
// screen's free area, title and menu bar included; an area that fits is the window's
// again.
TEST_F(MainWindowTest, AnAreaLargerThanTheScreenIsScrolledInAWindowThatFits) {
    Start();
    const QRect free = mainWindow->screen()->availableGeometry();
    mainWindow->SetClientSize(16384, 16384 + 25);
    Settle();
    EXPECT_TRUE(free.contains(mainWindow->frameGeometry())) << mainWindow->frameGeometry().y();
    EXPECT_EQ(mainWindow->starView->size(), QSize(16384, 16384));
    EXPECT_EQ(QSize(mainWindow->ClientWidth(), mainWindow->ClientHeight()), QSize(16384, 16409));
    EXPECT_EQ(mainWindow->status->PanelText(0), "Size:16384,16384");
    EXPECT_TRUE(QRect(QPoint(), free.size())
                    .contains(QRect(QPoint(), mainWindow->starView->Canvas().size())));
    mainWindow->SetClientSize(300, 225);
    Settle();
    EXPECT_EQ(mainWindow->starView->size(), QSize(300, 200));
    EXPECT_EQ(mainWindow->width(), 300);
}

TEST_F(MainWindowTest, FillAndColourCommandsLeaveTheStatusBarAlone) {
    Start();
    mainWindow->ShapeSettings.SaveRate = 7;
    mainWindow->actionFill->trigger();
    {
        ModalAnswer answer(ChooseColour(Qt::blue));
        mainWindow->actionBackgroundColor->trigger();
    }
    EXPECT_EQ(mainWindow->status->PanelText(2), "x 1");
    EXPECT_EQ(CanvasPixel(2, 2), PixelFromRgb(0, 0, 255)) << "but the picture is redrawn";
    mainWindow->redraw();
    EXPECT_EQ(mainWindow->status->PanelText(2), "x 7");
}

TEST_F(MainWindowTest, ColourDialogOpensWithTheColourItReturnedLast) {
    Start();
    QColor opened;
    const auto remember = [&opened](QWidget *w) {
        opened = static_cast<QColorDialog *>(w)->currentColor();
        static_cast<QDialog *>(w)->reject();
    };
    {
        ModalAnswer answer(remember);
        mainWindow->actionStarColorContext->trigger();
        ASSERT_TRUE(answer.Seen());
    }
    EXPECT_EQ(opened, QColor(Qt::black)) << "black the first time";
    {
        ModalAnswer answer(ChooseColour(QColor(10, 200, 30)));
        mainWindow->actionBackgroundColorContext->trigger();
    }
    EXPECT_EQ(mainWindow->starView->Color, ColorValueFromRgb(10, 200, 30));
    {
        ModalAnswer answer(remember);
        mainWindow->actionStarColor->trigger();
    }
    EXPECT_EQ(opened, QColor(10, 200, 30));
}

TEST_F(MainWindowTest, ClosingUnchangedAsksNothing) {
    Start();
    ModalAnswer answer(PressButton(QMessageBox::No));
    EXPECT_TRUE(mainWindow->close());
    Settle();
    EXPECT_FALSE(answer.Seen());
}

struct PromptRow {
    const char *name;
    QMessageBox::StandardButton answer;
    bool closes;
};

class ClosePrompt : public MainWindowTest, public testing::WithParamInterface<PromptRow> {};

TEST_P(ClosePrompt, AsksWhenChangedAndHidesThePalettes) {
    Start();
    for (QAction *toggle : {mainWindow->actionJags, mainWindow->actionRotation,
                            mainWindow->actionTwist, mainWindow->actionCentre})
        toggle->trigger();
    ASSERT_TRUE(jagsPalette->isVisible() && rotationPalette->isVisible() &&
                twistPalette->isVisible() && centrePalette->isVisible());
    QString title, text;
    ModalAnswer answer([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(GetParam().answer)->click();
    });
    EXPECT_EQ(mainWindow->close(), GetParam().closes);
    EXPECT_TRUE(answer.Seen());
    EXPECT_EQ(title, "確認");
    EXPECT_EQ(text, "ファイルに保存しますか?");
    EXPECT_FALSE(jagsPalette->isVisible() || rotationPalette->isVisible() ||
                 twistPalette->isVisible() || centrePalette->isVisible());
    EXPECT_EQ(mainWindow->isVisible(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClosePrompt,
                         testing::Values(PromptRow{"No", QMessageBox::No, true},
                                         PromptRow{"Cancel", QMessageBox::Cancel, false}),
                         [](const testing::TestParamInfo<PromptRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, SavedSettingsComeBackAtTheNextStart) {
    Start();
    mainWindow->SetClientSize(320, 230);
    mainWindow->move(70, 90);
    mainWindow->actionFill->trigger();
    mainWindow->actionSameSizeContext->trigger();
    mainWindow->actionTransparent->trigger();
    {
        ModalAnswer answer(ChooseColour(QColor(255, 0, 0)));
        mainWindow->actionBackgroundColor->trigger();
    }
    mainWindow->ShapeSettings.LeanAngle = -33;
    mainWindow->actionSaveSettings->trigger();
    Settle();

    const std::vector<unsigned char> bytes = ReadBytes(SettingsPath());
    ASSERT_EQ(bytes.size(), 68u);
    const ShapeSettings saved = Decoded(bytes);
    EXPECT_EQ(saved.ClientWidth, 320);
    EXPECT_EQ(saved.ClientHeight, 230);
    EXPECT_EQ(saved.Left, mainWindow->x());
    EXPECT_EQ(saved.Top, mainWindow->y());
    EXPECT_EQ(saved.SameSize, 1);
    EXPECT_EQ(saved.Fill, 1);
    EXPECT_EQ(saved.Trans, 1);
    EXPECT_EQ(saved.BackColor, 0x0000FFu);
    EXPECT_EQ(saved.ForeColor, kWindowTextColor);
    EXPECT_EQ(saved.LeanAngle, -33);
    EXPECT_EQ(saved.Points, 20);
    EXPECT_TRUE(mainWindow->Modified) << "saving the settings is not saving the picture";

    const QPoint position = mainWindow->pos();
    mainWindow->Modified = false;
    DestroyProgramWindows();
    Start();
    Settle();
    EXPECT_EQ(mainWindow->ClientWidth(), 320);
    EXPECT_EQ(mainWindow->ClientHeight(), 230);
    EXPECT_EQ(mainWindow->pos(), position);
    EXPECT_TRUE(mainWindow->actionFillContext->isChecked() && mainWindow->actionFill->isChecked());
    EXPECT_TRUE(mainWindow->actionSameSizeContext->isChecked() &&
                mainWindow->actionSameSize->isChecked());
    EXPECT_TRUE(mainWindow->actionTransparent->isChecked() &&
                mainWindow->actionTransparentContext->isChecked());
    EXPECT_TRUE(mainWindow->actionGetBackground->isEnabled());
    EXPECT_EQ(mainWindow->starView->Color, 0x0000FFu);
    EXPECT_EQ(mainWindow->ShapeSettings.LeanAngle, -33);
    EXPECT_FALSE(mainWindow->Modified);
}

TEST_F(MainWindowTest, LoadedRecordIsClampedAndItsReservedBytesKept) {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.Points = 99;
    s.SaveRate = -4;
    s.ClientWidth = 300;
    s.ClientHeight = 225;
    s.Left = 10;
    s.Top = 20;
    s.Fill = 2; // any non-zero byte counts as set
    s.ForeColor = ColorValueFromRgb(0, 128, 0);
    s.BackColor = kWindowColor;
    s.Reserved1[1] = 0xAA;
    s.Reserved2[0] = 0xBB;
    WriteSettings(Bytes(s));
    Start();
    Settle();
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:300,200", "Points:50", "x 1"}));
    EXPECT_TRUE(mainWindow->actionFillContext->isChecked());
    EXPECT_EQ(CanvasPixel(150 + 149, 100), PixelFromRgb(0, 128, 0)) << "vertex 0 of the star";
    mainWindow->actionSaveSettings->trigger();
    const std::vector<unsigned char> bytes = ReadBytes(SettingsPath());
    ASSERT_EQ(bytes.size(), 68u);
    EXPECT_EQ(bytes[39], 0xAA);
    EXPECT_EQ(bytes[57], 0xBB);
    EXPECT_EQ(Decoded(bytes).Fill, 1);
}

TEST_F(MainWindowTest, ShortSettingsFileGivesTheDefaults) {
    WriteSettings(std::vector<unsigned char>(67, 0x01));
    Start();
    Settle();
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:408,251", "Points:20", "x 1"}));
    EXPECT_FALSE(mainWindow->actionFillContext->isChecked());
    EXPECT_EQ(mainWindow->starView->PenColor, kWindowTextColor);
    mainWindow->actionSaveSettings->trigger();
    const ShapeSettings saved = Decoded(ReadBytes(SettingsPath()));
    EXPECT_EQ(saved.Reserved1[0], 0) << "nothing of the short file is kept";
    EXPECT_EQ(saved.BackColor, kWindowColor);
}

TEST_F(MainWindowTest, ResetKeepsTheFileAndTheWindowGeometry) {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.Points = 9;
    s.InnerTwist = 250;
    s.ClientWidth = 350;
    s.ClientHeight = 260;
    s.Fill = 1;
    s.Trans = 1;
    s.ForeColor = ColorValueFromRgb(1, 2, 3);
    s.BackColor = ColorValueFromRgb(4, 5, 6);
    WriteSettings(Bytes(s));
    Start();
    Settle();
    mainWindow->actionFill->trigger();
    const std::vector<unsigned char> before = ReadBytes(SettingsPath());
    mainWindow->actionDefaults->trigger();
    Settle();
    EXPECT_EQ(ReadBytes(SettingsPath()), before);
    EXPECT_EQ(mainWindow->ClientWidth(), 350);
    EXPECT_EQ(mainWindow->ClientHeight(), 260);
    EXPECT_FALSE(mainWindow->Modified);
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:350,235", "Points:20", "x 1"}));
    EXPECT_FALSE(mainWindow->actionFillContext->isChecked() ||
                 mainWindow->actionTransparentContext->isChecked() ||
                 mainWindow->actionGetBackground->isEnabled());
    EXPECT_EQ(mainWindow->starView->Color, kWindowColor);
    EXPECT_EQ(CanvasPixel(204 - 29, 117), Resolved(kWindowColor)) << "the twisted star is gone";

    mainWindow->actionSaveSettings->trigger();
    const ShapeSettings saved = Decoded(ReadBytes(SettingsPath()));
    EXPECT_EQ(saved.Points, 20);
    EXPECT_EQ(saved.InnerTwist, 0);
    EXPECT_EQ(saved.Trans, 0);
    EXPECT_EQ(saved.ClientWidth, 350);
    EXPECT_EQ(saved.ForeColor, kWindowTextColor);
}

TEST_F(MainWindowTest, FailedSettingsSaveIsReportedAndKeepsNothingHalfWritten) {
    std::filesystem::create_directory(SettingsPath()); // a folder where the file would go
    Start();
    QString text;
    ModalAnswer answer([&text](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->accept();
    });
    mainWindow->actionSaveSettings->trigger();
    EXPECT_TRUE(answer.Seen());
    EXPECT_TRUE(text.contains("Vantrell.def"));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsPath()));
}

TEST_F(MainWindowTest, SettingsFileFollowsTheCurrentDirectory) {
    Start();
    TempDir elsewhere;
    QDir::setCurrent(QString::fromStdString(elsewhere.Path().string()));
    mainWindow->actionSaveSettings->trigger();
    EXPECT_TRUE(std::filesystem::exists(elsewhere.File("Vantrell.def")));
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
    QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
}

// The live see-through, wished or not while a compositor runs, then the compositor
// gone and come back as a row lists: the wish is kept throughout, and it shows only
// while a compositor is there.
struct LiveRow {
    const char *name;
    bool wished;
    std::vector<bool> composites;
    bool active;
};

class LiveSeeThrough : public MainWindowTest, public testing::WithParamInterface<LiveRow> {};

TEST_P(LiveSeeThrough, ComesBackWithTheCompositor) {
    bool composites = true;
    QWidget window;
    QAction item(&window);
    auto *live = new LiveBackground(&item, window, {},
                                    {[&composites] { return composites; }, [] { return true; }});
    item.setChecked(GetParam().wished);
    for (const bool now : GetParam().composites) {
        composites = now;
        live->Review();
    }
    EXPECT_EQ(live->Active(), GetParam().active);
    EXPECT_EQ(item.isEnabled(), composites);
    EXPECT_EQ(QSettings().value("picture/liveSeeThrough").toBool(), GetParam().wished);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LiveSeeThrough,
    testing::Values(LiveRow{"BackWithTheCompositor", true, {false, true}, true},
                    LiveRow{"OffWhileNoneComposites", true, {false}, false},
                    LiveRow{"UnwishedStaysOff", false, {false, true}, false}),
    [](const testing::TestParamInfo<LiveRow> &p) { return p.param.name; });

} // namespace
