#include "AboutDialog.h"
#include "MagnificationDialog.h"
#include "SettingsFile.h"
#include "SizeDialog.h"
#include "Translations.h"
#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QFileDialog>
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

class SizeEntries : public MainWindowTest, public testing::WithParamInterface<SizeRow> {};

TEST_P(SizeEntries, SetsTheDrawingAreaOnlyWhenSomethingDiffers) {
    Start();
    Settle();
    const SizeRow &row = GetParam();
    bool heightEnabled = true;
    const ModalAnswer answer = ModalAnswer::For<SizeDialog>([&](SizeDialog *dialog) {
        EXPECT_EQ(dialog->widthEdit->text(), "408");
        EXPECT_EQ(dialog->heightEdit->text(), "251");
        EXPECT_EQ(dialog->widthEdit->selectedText(), "408");
        if (*row.width)
            dialog->widthEdit->setText(row.width);
        if (*row.height)
            dialog->heightEdit->setText(row.height);
        if (row.same)
            dialog->sameSizeCheckBox->click();
        heightEnabled = dialog->heightEdit->isEnabled() && dialog->heightLabel->isEnabled();
        dialog->okButton->click();
    });
    mainWindow->actionSizeContext->trigger();
    ASSERT_TRUE(answer.Seen());
    Settle();
    EXPECT_EQ(heightEnabled, !row.same);
    EXPECT_EQ(mainWindow->starView->size(), row.area);
    EXPECT_EQ(mainWindow->Modified, row.modified);
    EXPECT_EQ(mainWindow->actionSameSizeContext->isChecked(), row.same);
    EXPECT_EQ(mainWindow->actionSameSize->isChecked(), row.same);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SizeEntries,
    testing::Values(SizeRow{"Unchanged", "", "", false, {408, 251}, false},
                    SizeRow{"NegativeWidth", "-5", "300", false, {10, 300}, true},
                    SizeRow{"SameCopiesTheWidth", "", "", true, {408, 408}, true},
                    SizeRow{"Letters", "abc", "120", false, {0, 120}, true},
                    SizeRow{"HugeIsCapped", "99999", "20", false, {16384, 20}, true}),
    [](const testing::TestParamInfo<SizeRow> &p) { return p.param.name; });

// The dialogs share the title "Vantrell" or the platform's; a screen reader tells
// them apart by their names.
TEST_F(MainWindowTest, DialogsHaveNamesThatTellThemApart) {
    Start();
    QStringList names = {sizeDialog->accessibleName(), magnificationDialog->accessibleName(),
                         mainWindow->saveDialog->accessibleName()};
    for (QAction *command : {mainWindow->actionOpen, mainWindow->actionSaveSettingsAs}) {
        const ModalAnswer answer = ModalAnswer::For<QFileDialog>([&names](QFileDialog *d) {
            names << d->accessibleName();
            d->reject();
        });
        command->trigger();
    }
    ASSERT_EQ(names.size(), 5);
    EXPECT_FALSE(names.contains(QString()));
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 5)
        << names.join(", ").toStdString();
}

TEST_F(MainWindowTest, UncheckingSameSizeAloneIsAChange) {
    Start();
    mainWindow->actionSameSizeContext->trigger();
    mainWindow->Modified = false;
    const ModalAnswer answer = ModalAnswer::For<SizeDialog>([](SizeDialog *dialog) {
        EXPECT_TRUE(dialog->sameSizeCheckBox->isChecked());
        EXPECT_FALSE(dialog->heightEdit->isEnabled());
        dialog->sameSizeCheckBox->click();
        dialog->okButton->click();
    });
    mainWindow->actionSize->trigger();
    EXPECT_FALSE(mainWindow->actionSameSizeContext->isChecked());
    EXPECT_FALSE(mainWindow->actionSameSize->isChecked());
    EXPECT_TRUE(mainWindow->Modified);
}

TEST_F(MainWindowTest, CancelledDialogsChangeNothing) {
    Start();
    for (QAction *command : {mainWindow->actionSize, mainWindow->actionMagnification}) {
        const ModalAnswer answer([](QWidget *w) {
            if (auto *size = qobject_cast<SizeDialog *>(w)) {
                size->widthEdit->setText("99");
                size->cancelButton->click();
            } else if (auto *rate = qobject_cast<MagnificationDialog *>(w)) {
                rate->magnificationEdit->setText("9");
                rate->cancelButton->click();
            }
        });
        command->trigger();
        EXPECT_TRUE(answer.Seen());
    }
    EXPECT_EQ(mainWindow->starView->size(), QSize(408, 251));
    EXPECT_EQ(mainWindow->ShapeSettings.SaveRate, 1);
    EXPECT_FALSE(mainWindow->Modified);
}

struct RateRow {
    const char *name;
    const char *typed;
    int saveRate;
};

class RateDialog : public MainWindowTest, public testing::WithParamInterface<RateRow> {};

TEST_P(RateDialog, BringsTheEntryIntoOneToSixtyFour) {
    Start();
    const ModalAnswer answer =
        ModalAnswer::For<MagnificationDialog>([](MagnificationDialog *dialog) {
            dialog->magnificationEdit->setText(GetParam().typed);
            EXPECT_EQ(dialog->magnificationEdit->text(), GetParam().typed)
                << "the text stays as typed";
            dialog->okButton->click();
        });
    mainWindow->actionMagnification->trigger();
    EXPECT_EQ(mainWindow->ShapeSettings.SaveRate, GetParam().saveRate);
    EXPECT_EQ(mainWindow->status->PanelText(2), QStringLiteral("x %1").arg(GetParam().saveRate));
    EXPECT_TRUE(mainWindow->Modified) << "OK counts as a change, even without one";
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
    const ModalAnswer answer = ModalAnswer::For<MagnificationDialog>([](MagnificationDialog *d) {
        EXPECT_EQ(d->magnificationEdit->text(), "5");
        EXPECT_EQ(d->magnificationSpinButtons->Position(), 5);
        EXPECT_EQ(d->magnificationEdit->selectedText(), "5");
        d->magnificationEdit->setText("8");
        EXPECT_EQ(d->magnificationSpinButtons->Position(), 8);
        d->magnificationSpinButtons->UpButton()->click();
        EXPECT_EQ(d->magnificationEdit->text(), "9");
        for (const char *typed : {"64", "100"}) {
            d->magnificationEdit->setText(typed);
            d->magnificationSpinButtons->UpButton()->click();
            EXPECT_EQ(d->magnificationEdit->text(), "64")
                << "the clamped value, also after " << typed;
            EXPECT_EQ(d->magnificationEdit->selectedText(), "64");
        }
        d->magnificationEdit->setText("1");
        d->magnificationSpinButtons->DownButton()->click();
        EXPECT_EQ(d->magnificationEdit->text(), "1");
        EXPECT_EQ(d->magnificationSpinButtons->Position(), 1);
        QTest::keyClick(d->magnificationEdit, Qt::Key_Up); // as the up arrow does
        EXPECT_EQ(d->magnificationEdit->text(), "2");
        d->cancelButton->click();
    });
    mainWindow->actionMagnification->trigger();
    EXPECT_TRUE(answer.Seen());
    EXPECT_EQ(mainWindow->ShapeSettings.SaveRate, 5);
}

TEST_F(MainWindowTest, AboutBoxShowsTheHomePage) {
    Start();
    const ModalAnswer answer = ModalAnswer::For<AboutDialog>([](AboutDialog *about) {
        EXPECT_EQ(about->windowTitle(), "ﾊﾞｰｼﾞｮﾝ情報");
        EXPECT_EQ(about->versionLabel->text(), "Version 1.0");
        EXPECT_TRUE(about->homePageLabel->text().contains(QString::fromLatin1(kHomePage)));
        EXPECT_FALSE(about->programIcon->pixmap().isNull());
        about->okButton->click();
    });
    mainWindow->actionAbout->trigger();
    EXPECT_TRUE(answer.Seen());
    EXPECT_FALSE(mainWindow->Modified);
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
