#include "About.h"
#include "SaveRate.h"
#include "SettingsFile.h"
#include "SizeIn.h"
#include "Translations.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>

namespace {

struct SizeRow {
    const char *name;
    const char *width, *height;
    bool same;
    QSize area; // the drawing area afterwards
    bool modified;
};

class SizeDialog : public MainWindowTest, public testing::WithParamInterface<SizeRow> {};

TEST_P(SizeDialog, SetsTheDrawingAreaOnlyWhenSomethingDiffers) {
    Start();
    Settle();
    const SizeRow &row = GetParam();
    bool heightEnabled = true;
    const ModalAnswer answer = ModalAnswer::For<TSizeInDlg>([&](TSizeInDlg *dialog) {
        EXPECT_EQ(dialog->Width->text(), "408");
        EXPECT_EQ(dialog->Height->text(), "251");
        EXPECT_EQ(dialog->Width->selectedText(), "408");
        if (*row.width)
            dialog->Width->setText(row.width);
        if (*row.height)
            dialog->Height->setText(row.height);
        if (row.same)
            dialog->Same->click();
        heightEnabled = dialog->Height->isEnabled() && dialog->HeightLabel->isEnabled();
        dialog->OKBtn->click();
    });
    Form1->Size->trigger();
    ASSERT_TRUE(answer.Seen());
    Settle();
    EXPECT_EQ(heightEnabled, !row.same);
    EXPECT_EQ(Form1->PaintBox->size(), row.area);
    EXPECT_EQ(Form1->Modified, row.modified);
    EXPECT_EQ(Form1->Circle1->isChecked(), row.same);
    EXPECT_EQ(Form1->xy111->isChecked(), row.same);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SizeDialog,
    testing::Values(SizeRow{"Unchanged", "", "", false, {408, 251}, false},
                    SizeRow{"NegativeWidth", "-5", "300", false, {10, 300}, true},
                    SizeRow{"SameCopiesTheWidth", "", "", true, {408, 408}, true},
                    SizeRow{"Letters", "abc", "120", false, {0, 120}, true},
                    SizeRow{"HugeIsCapped", "99999", "20", false, {16384, 20}, true}),
    [](const testing::TestParamInfo<SizeRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, UncheckingSameSizeAloneIsAChange) {
    Start();
    Form1->Circle1->trigger();
    Form1->Modified = false;
    const ModalAnswer answer = ModalAnswer::For<TSizeInDlg>([](TSizeInDlg *dialog) {
        EXPECT_TRUE(dialog->Same->isChecked());
        EXPECT_FALSE(dialog->Height->isEnabled());
        dialog->Same->click();
        dialog->OKBtn->click();
    });
    Form1->Size1->trigger();
    EXPECT_FALSE(Form1->Circle1->isChecked());
    EXPECT_FALSE(Form1->xy111->isChecked());
    EXPECT_TRUE(Form1->Modified);
}

TEST_F(MainWindowTest, CancelledDialogsChangeNothing) {
    Start();
    for (QAction *command : {Form1->Size1, Form1->SaveRate}) {
        const ModalAnswer answer([](QWidget *w) {
            if (auto *size = qobject_cast<TSizeInDlg *>(w)) {
                size->Width->setText("99");
                size->CancelBtn->click();
            } else if (auto *rate = qobject_cast<TSaveRateDlg *>(w)) {
                rate->Rate->setText("9");
                rate->CancelBtn->click();
            }
        });
        command->trigger();
        EXPECT_TRUE(answer.Seen());
    }
    EXPECT_EQ(Form1->PaintBox->size(), QSize(408, 251));
    EXPECT_EQ(Form1->ShapeSettings.SaveRate, 1);
    EXPECT_FALSE(Form1->Modified);
}

struct RateRow {
    const char *name;
    const char *typed;
    int saveRate;
};

class RateDialog : public MainWindowTest, public testing::WithParamInterface<RateRow> {};

TEST_P(RateDialog, BringsTheEntryIntoOneToSixtyFour) {
    Start();
    const ModalAnswer answer = ModalAnswer::For<TSaveRateDlg>([](TSaveRateDlg *dialog) {
        dialog->Rate->setText(GetParam().typed);
        EXPECT_EQ(dialog->Rate->text(), GetParam().typed) << "the text stays as typed";
        dialog->OKBtn->click();
    });
    Form1->SaveRate->trigger();
    EXPECT_EQ(Form1->ShapeSettings.SaveRate, GetParam().saveRate);
    EXPECT_EQ(Form1->StatusBar1->PanelText(2), QStringLiteral("x %1").arg(GetParam().saveRate));
    EXPECT_TRUE(Form1->Modified) << "OK counts as a change, even without one";
}

INSTANTIATE_TEST_SUITE_P(Rows, RateDialog,
                         testing::Values(RateRow{"Zero", "0", 1}, RateRow{"Hundred", "100", 64},
                                         RateRow{"DigitsThenLetters", "12ab", 12},
                                         RateRow{"Empty", "", 1}, RateRow{"Unchanged", "1", 1}),
                         [](const testing::TestParamInfo<RateRow> &p) { return p.param.name; });

TEST_F(MainWindowTest, RateEditAndArrowsFollowEachOther) {
    ShapeSettings s{};
    ApplyDefaultParameters(s);
    s.SaveRate = 5;
    s.ClientWidth = 408;
    s.ClientHeight = 276;
    const SettingsBytes bytes = EncodeSettings(s);
    WriteSettings({bytes.begin(), bytes.end()});
    Start();
    const ModalAnswer answer = ModalAnswer::For<TSaveRateDlg>([](TSaveRateDlg *d) {
        EXPECT_EQ(d->Rate->text(), "5");
        EXPECT_EQ(d->UpDown1->Position(), 5);
        EXPECT_EQ(d->Rate->selectedText(), "5");
        d->Rate->setText("8");
        EXPECT_EQ(d->UpDown1->Position(), 8);
        d->UpDown1->UpButton()->click();
        EXPECT_EQ(d->Rate->text(), "9");
        for (const char *typed : {"64", "100"}) {
            d->Rate->setText(typed);
            d->UpDown1->UpButton()->click();
            EXPECT_EQ(d->Rate->text(), "64") << "the clamped value, also after " << typed;
            EXPECT_EQ(d->Rate->selectedText(), "64");
        }
        d->Rate->setText("1");
        d->UpDown1->DownButton()->click();
        EXPECT_EQ(d->Rate->text(), "1");
        EXPECT_EQ(d->UpDown1->Position(), 1);
        d->CancelBtn->click();
    });
    Form1->SaveRate->trigger();
    EXPECT_TRUE(answer.Seen());
    EXPECT_EQ(Form1->ShapeSettings.SaveRate, 5);
}

TEST_F(MainWindowTest, AboutBoxShowsTheHomePage) {
    Start();
    const ModalAnswer answer = ModalAnswer::For<TAboutDlg>([](TAboutDlg *about) {
        EXPECT_EQ(about->windowTitle(), "ﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(about->Version->text(), "Version 1.0");
        EXPECT_TRUE(about->stxTulimoUrl->text().contains(QString::fromLatin1(kHomePage)));
        EXPECT_FALSE(about->ProgramIcon->pixmap().isNull());
        about->OKButton->click();
    });
    Form1->About1->trigger();
    EXPECT_TRUE(answer.Seen());
    EXPECT_FALSE(Form1->Modified);
}

TEST_F(MainWindowTest, QtsOwnDialogTextsAreJapanese) {
    const Translations translations;
    Start();
    QMessageBox prompt(QMessageBox::Question, QString(), QString(),
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(prompt.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")))
        << prompt.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(prompt.button(QMessageBox::Cancel)->text().contains(QStringLiteral("キャンセル")));
}

} // namespace
