// Drives the real windows with a long seeded sequence of random user actions and
// checks after every one that the parameters stay in range and the window shows them.
// Run with --seed N and --steps N; a failure names the seed and the step to repeat.
#include "CentrePalette.h"
#include "JagsPalette.h"
#include "MagnificationDialog.h"
#include "RadiusEditing.h"
#include "RotationPalette.h"
#include "SizeDialog.h"
#include "TwistPalette.h"
#include "WindowTestSupport.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>

#include <random>

namespace {

unsigned gSeed = 1;
int gSteps = 2000;

class Stress : public MainWindowTest {
protected:
    std::mt19937 rng_{gSeed};

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng_); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    template <typename T> T OneOf(std::initializer_list<T> items) {
        return *(items.begin() + Pick(0, int(items.size()) - 1));
    }

    void Drag() {
        StarView *box = mainWindow->starView;
        const auto point = [&] {
            return QPoint(Pick(-50, box->width() + 50), Pick(-50, box->height() + 50));
        };
        QTest::mousePress(box, Qt::LeftButton, {}, point());
        for (int moves = Pick(0, 6); moves > 0; --moves) {
            const QPoint p = point();
            QMouseEvent move(QEvent::MouseMove, p, box->mapToGlobal(QPointF(p)), Qt::NoButton,
                             Qt::LeftButton, {});
            QCoreApplication::sendEvent(box, &move);
            if (Chance(10)) {
                QTest::mousePress(box, Qt::RightButton, {}, point());
                QTest::mouseRelease(box, Qt::RightButton, {}, point());
            }
        }
        QTest::mouseRelease(box, Qt::LeftButton, {}, point());
    }

    void MoveSlider() {
        QSlider *const sliders[] = {rotationPalette->rotationSlider, twistPalette->innerTwistSlider,
                                    twistPalette->outerTwistSlider, centrePalette->centreXSlider,
                                    centrePalette->centreYSlider};
        QSlider *slider = sliders[Pick(0, 4)];
        slider->window()->show();
        const int span = slider->maximum() - slider->minimum();
        slider->setValue(Pick(slider->minimum() - span / 10, slider->maximum() + span / 10));
    }

    void TypeJagCount() {
        jagsPalette->show();
        jagsPalette->jagsEdit->selectAll();
        QTest::keyClicks(jagsPalette->jagsEdit, OneOf<const char *>({"", "7", "75", "abc", "-3",
                                                                     "12x", " 40", "3", "50"}));
    }

    void UseSizeDialog() {
        const bool accept = Chance(80);
        const ModalAnswer answer = ModalAnswer::For<SizeDialog>([&](SizeDialog *d) {
            d->widthEdit->setText(QString::number(Pick(-20, 320)));
            d->heightEdit->setText(OneOf<QString>({QString::number(Pick(-20, 260)), "x", ""}));
            if (Chance(30))
                d->sameSizeCheckBox->click();
            (accept ? d->okButton : d->cancelButton)->click();
        });
        mainWindow->actionSizeContext->trigger();
    }

    void UseMagnificationDialog() {
        const ModalAnswer answer =
            ModalAnswer::For<MagnificationDialog>([&](MagnificationDialog *d) {
                d->magnificationEdit->setText(OneOf<QString>({"0", "1", "2", "5", "8", "abc", ""}));
                if (Chance(30))
                    d->magnificationSpinButtons->UpButton()->click();
                (Chance(80) ? d->okButton : d->cancelButton)->click();
            });
        mainWindow->actionMagnification->trigger();
    }

    void UseColourDialog() {
        const QColor colour(Pick(0, 255), Pick(0, 255), Pick(0, 255));
        const bool accept = Chance(70);
        const ModalAnswer answer = ModalAnswer::For<QColorDialog>([&](QColorDialog *d) {
            d->setCurrentColor(colour);
            accept ? d->accept() : d->reject();
        });
        OneOf({mainWindow->actionStarColorContext, mainWindow->actionStarColor,
               mainWindow->actionBackgroundColorContext, mainWindow->actionBackgroundColor})
            ->trigger();
    }

    void Export() {
        const std::string name = "export-" + std::to_string(Pick(0, 3)) +
                                 OneOf<std::string>({".bmp", ".jpg", ".png", ".svg", ""});
        const ModalAnswer save = ModalAnswer::For<QFileDialog>([&](QFileDialog *d) {
            d->setOption(QFileDialog::DontConfirmOverwrite);
            d->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                ->setText(QString::fromStdString(dir_.File(name)));
            QMetaObject::invokeMethod(d, "accept", Qt::QueuedConnection);
        });
        // An empty drawing area answers with a message instead.
        const ModalAnswer message =
            ModalAnswer::For<QMessageBox>([](QMessageBox *m) { m->accept(); });
        mainWindow->actionSaveAs->trigger();
    }

    void Copy() {
        const ModalAnswer message =
            ModalAnswer::For<QMessageBox>([](QMessageBox *m) { m->accept(); });
        OneOf({mainWindow->actionCopy, mainWindow->actionCopyContext})->trigger();
    }

    // One random action; returns its name for the failure report.
    const char *Act() {
        switch (Pick(0, 21)) {
        case 0:
            OneOf({mainWindow->actionFillContext, mainWindow->actionFill})->trigger();
            return "fill";
        case 1:
            OneOf({mainWindow->actionSameSize, mainWindow->actionSameSizeContext})->trigger();
            return "same size";
        case 2:
            OneOf({mainWindow->actionTransparent, mainWindow->actionTransparentContext})->trigger();
            return "transparency";
        case 3:
            OneOf({mainWindow->actionJagsContext, mainWindow->actionJags,
                   mainWindow->actionRotation, mainWindow->actionRotationContext,
                   mainWindow->actionTwist, mainWindow->actionTwistContext,
                   mainWindow->actionCentreContext, mainWindow->actionCentre})
                ->trigger();
            return "palette toggle";
        case 4:
        case 5:
            MoveSlider();
            return "slider";
        case 6:
            twistPalette->syncCheckBox->click();
            return "sync";
        case 7:
            jagsPalette->show();
            (Chance(50) ? jagsPalette->jagsSpinButtons->UpButton()
                        : jagsPalette->jagsSpinButtons->DownButton())
                ->click();
            return "jag arrows";
        case 8:
            TypeJagCount();
            return "jag typing";
        case 9:
        case 10:
            Drag();
            return "drag";
        case 11:
            mainWindow->SetClientSize(Pick(0, 320), Pick(0, 280));
            return "resize";
        case 12:
            mainWindow->actionDefaults->trigger();
            return "reset";
        case 13:
            mainWindow->actionSaveSettings->trigger();
            return "save settings";
        case 14:
            if (Chance(20)) {
                Export();
                return "export";
            }
            Copy();
            return "copy";
        case 15:
            UseColourDialog();
            return "colour";
        case 16:
            Chance(50) ? UseSizeDialog() : UseMagnificationDialog();
            return "dialog";
        case 17:
            OneOf({mainWindow->actionGetBackground, mainWindow->actionGetBackgroundContext})
                ->trigger();
            return "get background";
        case 18:
            OneOf<QAbstractButton *>({rotationPalette->resetButton, twistPalette->resetButton,
                                      centrePalette->resetButton})
                ->click();
            return "palette reset";
        case 20:
            OneOf({mainWindow->actionTransparentPicture, mainWindow->actionSmooth})->trigger();
            return "picture option";
        case 19:
            for (int i = Pick(1, 3); i > 0; --i)
                (Chance(60) ? mainWindow->actionUndo : mainWindow->actionRedo)->trigger();
            return "undo/redo";
        default:
            mainWindow->move(Pick(-100, 900), Pick(-100, 700));
            return "move";
        }
    }

    void CheckInvariants() {
        const ShapeSettings &s = mainWindow->ShapeSettings;
        using namespace settings_range;
        ASSERT_TRUE(s.Points >= kMinPoints && s.Points <= kMaxPoints) << s.Points;
        ASSERT_TRUE(s.InnerRate >= kMinRate && s.InnerRate <= kMaxRate) << s.InnerRate;
        ASSERT_TRUE(s.OuterRate >= kMinRate && s.OuterRate <= kMaxRate) << s.OuterRate;
        ASSERT_TRUE(s.InnerTwist >= kMinTwist && s.InnerTwist <= kMaxTwist) << s.InnerTwist;
        ASSERT_TRUE(s.OuterTwist >= kMinTwist && s.OuterTwist <= kMaxTwist) << s.OuterTwist;
        ASSERT_TRUE(s.CenterXRate >= kMinCenterRate && s.CenterXRate <= kMaxCenterRate);
        ASSERT_TRUE(s.CenterYRate >= kMinCenterRate && s.CenterYRate <= kMaxCenterRate);
        ASSERT_TRUE(s.LeanAngle >= kMinLean && s.LeanAngle <= kMaxLean) << s.LeanAngle;
        ASSERT_TRUE(s.SaveRate >= kMinSaveRate && s.SaveRate <= kMaxSaveRate) << s.SaveRate;
        ASSERT_FALSE(mainWindow->starView->Radii().Editing());
        ASSERT_EQ(mainWindow->actionSameSizeContext->isChecked(),
                  mainWindow->actionSameSize->isChecked());
        ASSERT_EQ(mainWindow->actionFillContext->isChecked(), mainWindow->actionFill->isChecked());
        ASSERT_EQ(mainWindow->actionTransparent->isChecked(), s.Trans != 0);
        ASSERT_EQ(mainWindow->actionGetBackground->isEnabled(), s.Trans != 0);

        QSize area = mainWindow->starView->size();
        if (mainWindow->actionSameSizeContext->isChecked())
            area =
                QSize(std::min(area.width(), area.height()), std::min(area.width(), area.height()));
        ASSERT_EQ(mainWindow->status->PanelText(0),
                  QStringLiteral("Size:%1,%2").arg(area.width()).arg(area.height()));
        ASSERT_EQ(mainWindow->status->PanelText(1), QStringLiteral("Points:%1").arg(s.Points));
        ASSERT_EQ(mainWindow->status->PanelText(2), QStringLiteral("x %1").arg(s.SaveRate));
        const QImage &canvas = mainWindow->starView->Canvas();
        ASSERT_TRUE(canvas.size() == mainWindow->starView->size() ||
                    (canvas.isNull() && mainWindow->starView->size().isEmpty()));
    }
};

TEST_F(Stress, RandomActionsKeepEveryParameterInRangeAndOnShow) {
    Start();
    for (int step = 0; step < gSteps; ++step) {
        const char *action = Act();
        QCoreApplication::processEvents();
        SCOPED_TRACE(testing::Message() << "seed " << gSeed << ", step " << step << " (" << action
                                        << "); repeat with --seed " << gSeed);
        CheckInvariants();
        if (HasFatalFailure())
            return;
    }
}

} // namespace

int main(int argc, char **argv) {
    UseTestPlatform();
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--seed")
            gSeed = unsigned(std::stoul(argv[i + 1]));
        if (std::string(argv[i]) == "--steps")
            gSteps = std::stoi(argv[i + 1]);
    }
    std::printf("stress: seed %u, %d steps\n", gSeed, gSteps);
    return RUN_ALL_TESTS();
}
