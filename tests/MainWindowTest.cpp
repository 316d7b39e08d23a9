#include "Center.h"
#include "ColorValue.h"
#include "Lean.h"
#include "LiveBackground.h"
#include "Points.h"
#include "Rotaion.h"
#include "SettingsFile.h"
#include "SystemPalette.h"
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
    return {Form1->StatusBar1->PanelText(0), Form1->StatusBar1->PanelText(1),
            Form1->StatusBar1->PanelText(2)};
}

Pixel CanvasPixel(int x, int y) {
    return Form1->PaintBox->Canvas().pixel(x, y);
}

Pixel Resolved(uint32_t colorValue) {
    return ResolveColorValue(colorValue, SystemColorsFromPalette(Form1->palette()));
}

TEST_F(MainWindowTest, StartsWithTheLayoutAndTheDefaultStar) {
    CreateForms();
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:9999,999", "Points:99", "x 9999"}))
        << "the layout's texts until the first paint";
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    Settle();
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:408,251", "Points:20", "x 1"}));
    EXPECT_EQ(Form1->PaintBox->size(), QSize(408, 251));
    EXPECT_EQ(Form1->ClientWidth(), 408);
    EXPECT_EQ(Form1->ClientHeight(), 276);
    EXPECT_EQ(Form1->windowTitle(), "Vantrell");
    EXPECT_FALSE(Form1->Modified) << "the first pass through the resize path does not count";
    EXPECT_EQ(Form1->PaintBox->Canvas().size(), QSize(408, 251));
    EXPECT_EQ(CanvasPixel(344, 138), Resolved(kWindowTextColor));
    EXPECT_EQ(CanvasPixel(204, 125), Resolved(kWindowColor));
    for (QAction *a :
         {Form1->xy111, Form1->Circle1, Form1->Fill1, Form1->Fill2, Form1->Trans1, Form1->Trans2})
        EXPECT_FALSE(a->isChecked()) << a->objectName().toStdString();
    EXPECT_FALSE(Form1->GetBack1->isEnabled());
    EXPECT_FALSE(Form1->GetBack2->isEnabled());
    EXPECT_EQ(Form1->Copy1->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(Form1->Clip->shortcut(), QKeySequence("Ctrl+C"));
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
    ASSERT_FALSE(Form1->Modified);
    GetParam().action();
    Settle();
    EXPECT_EQ(Form1->Modified, GetParam().modified);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ModifiedTable,
    testing::Values(ModifiedRow{"NothingHappened", [] {}, false},
                    ModifiedRow{"UserResize",
                                [] { Form1->resize(Form1->width() + 30, Form1->height()); }, true},
                    ModifiedRow{"WindowMoved", [] { Form1->move(Form1->x() + 40, Form1->y() + 5); },
                                false},
                    ModifiedRow{"FillToggled", [] { Form1->Fill2->trigger(); }, true},
                    ModifiedRow{"SameSizeToggled", [] { Form1->Circle1->trigger(); }, true},
                    ModifiedRow{"TransparencyToggled", [] { Form1->Trans2->trigger(); }, true},
                    ModifiedRow{"PaletteShown", [] { Form1->Points2->trigger(); }, true},
                    ModifiedRow{"PaletteShownAndHidden",
                                [] {
                                    Form1->Center->trigger();
                                    Form1->Modified = false;
                                    Form1->Center1->trigger();
                                },
                                true},
                    ModifiedRow{"ForegroundChosen",
                                [] {
                                    ModalAnswer answer(ChooseColour(Qt::red));
                                    Form1->ForeColor2->trigger();
                                },
                                true},
                    ModifiedRow{"BackgroundCancelled",
                                [] {
                                    ModalAnswer answer(
                                        [](QWidget *w) { static_cast<QDialog *>(w)->reject(); });
                                    Form1->BackColor1->trigger();
                                },
                                false},
                    ModifiedRow{"SettingsSaved", [] { Form1->SaveDef->trigger(); }, false},
                    ModifiedRow{"ResetAfterAChange",
                                [] {
                                    Form1->Fill1->trigger();
                                    Form1->Default->trigger();
                                },
                                false},
                    ModifiedRow{"ParameterChangePublished", [] { Form1->Redraw(); }, true}),
    [](const testing::TestParamInfo<ModifiedRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, TwinItemsShareTheirCheckMarks) {
    Start();
    Form1->Fill1->trigger();
    EXPECT_TRUE(Form1->Fill1->isChecked());
    EXPECT_TRUE(Form1->Fill2->isChecked());
    Form1->Fill2->trigger();
    EXPECT_FALSE(Form1->Fill1->isChecked());
    EXPECT_FALSE(Form1->Fill2->isChecked());
    Form1->xy111->trigger();
    EXPECT_TRUE(Form1->Circle1->isChecked());
    EXPECT_TRUE(Form1->xy111->isChecked());
    Form1->Trans1->trigger();
    EXPECT_TRUE(Form1->Trans2->isChecked());
    EXPECT_EQ(Form1->ShapeSettings.Trans, 1);
    EXPECT_TRUE(Form1->GetBack1->isEnabled());
    EXPECT_TRUE(Form1->GetBack2->isEnabled());
}

TEST_F(MainWindowTest, SameSizeShowsTheSmallerSideTwice) {
    Start();
    Form1->SetClientSize(300, 225);
    Settle();
    ASSERT_EQ(Form1->PaintBox->size(), QSize(300, 200));
    Form1->Circle1->trigger();
    EXPECT_EQ(Form1->StatusBar1->PanelText(0), "Size:200,200");
}

// A drawing area far larger than the desktop keeps a canvas no larger than the
// desktop: the part of the picture the screens can show, pixel for pixel.
TEST_F(MainWindowTest, AnAreaLargerThanTheScreensIsDrawnWhereTheyShowIt) {
    Start();
    const QRect desktop = Form1->screen()->virtualGeometry();
    Form1->resize(5 * desktop.size()); // as a window manager might
    Settle();
    EXPECT_TRUE(QRect(QPoint(), desktop.size()).contains(Form1->rect()));
    Form1->SetClientSize(3 * desktop.width(), Form1->ClientHeight() + 2 * desktop.height());
    Settle();
    const QImage &canvas = Form1->PaintBox->Canvas();
    EXPECT_TRUE(QRect(QPoint(), desktop.size()).contains(QRect(QPoint(), canvas.size())));
    QImage whole;
    Form1->RenderToBitmap(whole);
    EXPECT_EQ(canvas, whole.copy(QRect(Form1->PaintBox->CanvasOrigin(), canvas.size())));
}

TEST_F(MainWindowTest, FillAndColourCommandsLeaveTheStatusBarAlone) {
    Start();
    Form1->ShapeSettings.SaveRate = 7;
    Form1->Fill2->trigger();
    {
        ModalAnswer answer(ChooseColour(Qt::blue));
        Form1->BackColor2->trigger();
    }
    EXPECT_EQ(Form1->StatusBar1->PanelText(2), "x 1");
    EXPECT_EQ(CanvasPixel(2, 2), PixelFromRgb(0, 0, 255)) << "but the picture is redrawn";
    Form1->Redraw();
    EXPECT_EQ(Form1->StatusBar1->PanelText(2), "x 7");
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
        Form1->ForeColor1->trigger();
        ASSERT_TRUE(answer.Seen());
    }
    EXPECT_EQ(opened, QColor(Qt::black)) << "black the first time";
    {
        ModalAnswer answer(ChooseColour(QColor(10, 200, 30)));
        Form1->BackColor1->trigger();
    }
    EXPECT_EQ(Form1->PaintBox->Color, ColorValueFromRgb(10, 200, 30));
    {
        ModalAnswer answer(remember);
        Form1->ForeColor2->trigger();
    }
    EXPECT_EQ(opened, QColor(10, 200, 30));
}

TEST_F(MainWindowTest, ClosingUnchangedAsksNothing) {
    Start();
    ModalAnswer answer(PressButton(QMessageBox::No));
    EXPECT_TRUE(Form1->close());
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
    for (QAction *toggle : {Form1->Points2, Form1->Lean, Form1->Twist1, Form1->Center1})
        toggle->trigger();
    ASSERT_TRUE(PointsDlg->isVisible() && LeanDlg->isVisible() && RotationDlg->isVisible() &&
                CenterSettingDlg->isVisible());
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
    EXPECT_EQ(Form1->close(), GetParam().closes);
    EXPECT_TRUE(answer.Seen());
    EXPECT_EQ(title, "確認");
    EXPECT_EQ(text, "ファイルに保存しますか?");
    EXPECT_FALSE(PointsDlg->isVisible() || LeanDlg->isVisible() || RotationDlg->isVisible() ||
                 CenterSettingDlg->isVisible());
    EXPECT_EQ(Form1->isVisible(), !GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(Rows, ClosePrompt,
                         testing::Values(PromptRow{"No", QMessageBox::No, true},
                                         PromptRow{"Cancel", QMessageBox::Cancel, false}),
                         [](const testing::TestParamInfo<PromptRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, SavedSettingsComeBackAtTheNextStart) {
    Start();
    Form1->SetClientSize(320, 230);
    Form1->move(70, 90);
    Form1->Fill2->trigger();
    Form1->Circle1->trigger();
    Form1->Trans1->trigger();
    {
        ModalAnswer answer(ChooseColour(QColor(255, 0, 0)));
        Form1->BackColor2->trigger();
    }
    Form1->ShapeSettings.LeanAngle = -33;
    Form1->SaveDef->trigger();
    Settle();

    const std::vector<unsigned char> bytes = ReadBytes(SettingsPath());
    ASSERT_EQ(bytes.size(), 68u);
    const ShapeSettings saved = Decoded(bytes);
    EXPECT_EQ(saved.ClientWidth, 320);
    EXPECT_EQ(saved.ClientHeight, 230);
    EXPECT_EQ(saved.Left, Form1->x());
    EXPECT_EQ(saved.Top, Form1->y());
    EXPECT_EQ(saved.SameSize, 1);
    EXPECT_EQ(saved.Fill, 1);
    EXPECT_EQ(saved.Trans, 1);
    EXPECT_EQ(saved.BackColor, 0x0000FFu);
    EXPECT_EQ(saved.ForeColor, kWindowTextColor);
    EXPECT_EQ(saved.LeanAngle, -33);
    EXPECT_EQ(saved.Points, 20);
    EXPECT_TRUE(Form1->Modified) << "saving the settings is not saving the picture";

    const QPoint position = Form1->pos();
    Form1->Modified = false;
    DestroyForms();
    Start();
    Settle();
    EXPECT_EQ(Form1->ClientWidth(), 320);
    EXPECT_EQ(Form1->ClientHeight(), 230);
    EXPECT_EQ(Form1->pos(), position);
    EXPECT_TRUE(Form1->Fill1->isChecked() && Form1->Fill2->isChecked());
    EXPECT_TRUE(Form1->Circle1->isChecked() && Form1->xy111->isChecked());
    EXPECT_TRUE(Form1->Trans1->isChecked() && Form1->Trans2->isChecked());
    EXPECT_TRUE(Form1->GetBack1->isEnabled());
    EXPECT_EQ(Form1->PaintBox->Color, 0x0000FFu);
    EXPECT_EQ(Form1->ShapeSettings.LeanAngle, -33);
    EXPECT_FALSE(Form1->Modified);
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
    EXPECT_TRUE(Form1->Fill1->isChecked());
    EXPECT_EQ(CanvasPixel(150 + 149, 100), PixelFromRgb(0, 128, 0)) << "vertex 0 of the star";
    Form1->SaveDef->trigger();
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
    EXPECT_FALSE(Form1->Fill1->isChecked());
    EXPECT_EQ(Form1->PaintBox->PenColor, kWindowTextColor);
    Form1->SaveDef->trigger();
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
    Form1->Fill2->trigger();
    const std::vector<unsigned char> before = ReadBytes(SettingsPath());
    Form1->Default->trigger();
    Settle();
    EXPECT_EQ(ReadBytes(SettingsPath()), before);
    EXPECT_EQ(Form1->ClientWidth(), 350);
    EXPECT_EQ(Form1->ClientHeight(), 260);
    EXPECT_FALSE(Form1->Modified);
    EXPECT_EQ(StatusTexts(), (QStringList{"Size:350,235", "Points:20", "x 1"}));
    EXPECT_FALSE(Form1->Fill1->isChecked() || Form1->Trans2->isChecked() ||
                 Form1->GetBack1->isEnabled());
    EXPECT_EQ(Form1->PaintBox->Color, kWindowColor);
    EXPECT_EQ(CanvasPixel(204 - 29, 117), Resolved(kWindowColor)) << "the twisted star is gone";

    Form1->SaveDef->trigger();
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
    Form1->SaveDef->trigger();
    EXPECT_TRUE(answer.Seen());
    EXPECT_TRUE(text.contains("Vantrell.def"));
    EXPECT_TRUE(std::filesystem::is_directory(SettingsPath()));
}

TEST_F(MainWindowTest, SettingsFileFollowsTheCurrentDirectory) {
    Start();
    TempDir elsewhere;
    QDir::setCurrent(QString::fromStdString(elsewhere.Path().string()));
    Form1->SaveDef->trigger();
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
