#include "AboutDialog.h"
#include "CentrePalette.h"
#include "JagsPalette.h"
#include "MagnificationDialog.h"
#include "RotationPalette.h"
#include "ShapePalette.h"
#include "SizeDialog.h"
#include "Translations.h"
#include "TwistPalette.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>

#include <sys/stat.h>

namespace {

// Names the interface shows alike in both languages.
const QStringList kSameInBoth = {"Vantrell", "Reset", "OK",      "Cancel",
                                 "Points",   "Size",  "Version", "x"};

struct LanguageRow {
    const char *name;
    QStringList uiLanguages;
    bool japanese;
};

class Language : public MainWindowTest, public testing::WithParamInterface<LanguageRow> {};

// Every visible text of every window in one language, every label fitting its widest text,
// and no two items of a menu sharing a mnemonic.
TEST_P(Language, EveryWindowSpeaksIt) {
    const LanguageRow &row = GetParam();
    EXPECT_EQ(Translations::KeepsJapanese(row.uiLanguages), row.japanese);
    const Translations translations(row.uiLanguages);
    Start();
    // The widest values the palettes' labels show.
    mainWindow->ShapeSettings.LeanAngle = -90;
    mainWindow->ShapeSettings.InnerTwist = mainWindow->ShapeSettings.OuterTwist = -1000;
    mainWindow->togglePalette(Palette::RotationSlot);
    mainWindow->togglePalette(Palette::TwistSlot);
    mainWindow->togglePalette(Palette::CentreSlot);
    mainWindow->togglePalette(Palette::JagsSlot);
    QStringList texts;
    std::vector<QMenu *> menus{mainWindow->contextMenu};
    for (QAction *top : mainWindow->mainMenuBar->actions()) {
        texts << top->text();
        menus.push_back(top->menu());
    }
    for (QMenu *menu : menus) {
        QString mnemonics;
        for (QAction *item : menu->actions()) {
            if (item->isSeparator())
                continue;
            texts << item->text();
            const qsizetype amp = item->text().indexOf('&');
            ASSERT_GE(amp, 0) << item->text().toStdString();
            const QChar key = item->text().at(amp + 1).toLower();
            EXPECT_FALSE(mnemonics.contains(key)) << item->text().toStdString();
            mnemonics += key;
        }
    }
    for (int panel = 0; panel < 3; ++panel)
        texts << mainWindow->status->PanelText(panel);
    QStringList windowNames{
        QAccessible::queryAccessibleInterface(mainWindow)->text(QAccessible::Name),
        QAccessible::queryAccessibleInterface(mainWindow->starView)->text(QAccessible::Name)};
    for (QWidget *form : std::initializer_list<QWidget *>{
             jagsPalette, rotationPalette, twistPalette, centrePalette, shapePalette, sizeDialog,
             magnificationDialog, aboutDialog}) {
        form->show();
        Settle();
        texts << form->windowTitle();
        // A screen reader names every control and tells the windows apart.
        const auto name = [](QWidget *w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        if (qobject_cast<Palette *>(form)) {
            EXPECT_FALSE(windowNames.contains(name(form))) << name(form).toStdString();
            windowNames << name(form);
            texts << name(form);
        }
        for (QWidget *control : form->findChildren<QWidget *>())
            if ((control->focusPolicy() != Qt::NoFocus ||
                 qobject_cast<QAbstractButton *>(control)) &&
                !qobject_cast<QAbstractSpinBox *>(control->parentWidget())) {
                EXPECT_FALSE(name(control).isEmpty()) << control->objectName().toStdString();
                texts << name(control);
            }
        for (const QAbstractButton *button : form->findChildren<QAbstractButton *>())
            texts << button->text();
        for (const QLabel *label : form->findChildren<QLabel *>()) {
            if (label->text().contains("://"))
                continue; // a web address
            texts << label->text();
            if (!label->wordWrap()) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                          label->contentsRect().width())
                    << label->objectName().toStdString() << ": " << label->text().toStdString();
            }
        }
        for (const QCheckBox *box : form->findChildren<QCheckBox *>()) {
            EXPECT_LE(box->sizeHint().width(), box->width()) << box->text().toStdString();
            EXPECT_LE(box->geometry().right(), form->width()) << box->text().toStdString();
        }
        form->hide();
    }
    // The questions about a star file: closing with changes, saving over a read-only one.
    const QString path = QString::fromStdString(dir_.File("star.def"));
    const auto keepBox = [&texts, &path](QMessageBox *box) {
        texts << box->windowTitle() << box->text().remove(path).remove(QStringLiteral("star.def"));
        for (const QAbstractButton *button : box->buttons())
            texts << button->text();
        box->reject();
    };
    WriteBytes(dir_.File("star.def"), std::vector<unsigned char>(68));
    ::chmod(dir_.File("star.def").c_str(), 0444);
    mainWindow->Document->TakeFile(dir_.File("star.def"), true);
    mainWindow->actionFillContext->trigger();
    for (QAction *command : {mainWindow->actionQuit, mainWindow->actionSaveSettings}) {
        const ModalAnswer answer = ModalAnswer::For<QMessageBox>(keepBox);
        command->trigger();
        EXPECT_TRUE(answer.Seen());
    }
    // A menu item and the palette it opens name the same thing the same way.
    const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&"));
    for (const auto &[item, palette] :
         {std::pair<QAction *, QWidget *>{mainWindow->actionJagsContext, jagsPalette},
          {mainWindow->actionRotation, rotationPalette},
          {mainWindow->actionTwist, twistPalette},
          {mainWindow->actionCentre, centrePalette}}) {
        const QString name = item->text().remove(mnemonic).remove(QStringLiteral("..."));
        const QList<QLabel *> labels = palette->findChildren<QLabel *>();
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const QLabel *label) {
            return label->text() == name;
        })) << name.toStdString();
    }
    const QRegularExpression japanese(
        QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF61}-\\x{FF9F}]"));
    const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    for (QString text : texts) {
        text.remove(mnemonic);
        if (row.japanese) {
            for (const auto &match : word.globalMatch(text)) {
                EXPECT_TRUE(kSameInBoth.contains(match.captured()))
                    << match.captured().toStdString() << " in " << text.toStdString();
            }
        } else {
            EXPECT_FALSE(text.contains(japanese)) << text.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Language,
                         testing::Values(LanguageRow{"English", {"en-US", "en"}, false},
                                         LanguageRow{"GermanGetsEnglish", {"de-DE", "de"}, false},
                                         LanguageRow{"Japanese", {"ja-JP", "ja"}, true},
                                         LanguageRow{"CLocaleKeepsJapanese", {"C"}, true},
                                         LanguageRow{
                                             "FirstOfAMixedList", {"en-US", "ja-JP"}, false},
                                         LanguageRow{"NoLanguageKeepsJapanese", {}, true}),
                         [](const testing::TestParamInfo<LanguageRow> &p) { return p.param.name; });

} // namespace
