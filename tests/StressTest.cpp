// Drives the real windows with a long seeded sequence of random user actions and
// checks after every one that the parameters stay in range and the window shows them.
// Run with --seed N and --steps N; a failure names the seed and the step to repeat.
#include "Center.h"
#include "Lean.h"
#include "Points.h"
#include "Rotaion.h"
#include "SaveRate.h"
#include "SizeIn.h"
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
        TPaintBox *box = Form1->PaintBox;
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
        QSlider *const sliders[] = {
            LeanDlg->LeanTrackBar, RotationDlg->InRotateTrackBar, RotationDlg->OutRotateTrackBar,
            CenterSettingDlg->CenterXRateTrackBar, CenterSettingDlg->CenterYRateTrackBar};
        QSlider *slider = sliders[Pick(0, 4)];
        slider->window()->show();
        const int span = slider->maximum() - slider->minimum();
        slider->setValue(Pick(slider->minimum() - span / 10, slider->maximum() + span / 10));
    }

    void TypeJagCount() {
        PointsDlg->show();
        PointsDlg->Edit1->selectAll();
        QTest::keyClicks(PointsDlg->Edit1, OneOf<const char *>({"", "7", "75", "abc", "-3", "12x",
                                                                " 40", "3", "50"}));
    }

    void SizeDialog() {
        const bool accept = Chance(80);
        const ModalAnswer answer = ModalAnswer::For<TSizeInDlg>([&](TSizeInDlg *d) {
            d->Width->setText(QString::number(Pick(-20, 320)));
            d->Height->setText(OneOf<QString>({QString::number(Pick(-20, 260)), "x", ""}));
            if (Chance(30))
                d->Same->click();
            (accept ? d->OKBtn : d->CancelBtn)->click();
        });
        Form1->Size->trigger();
    }

    void RateDialog() {
        const ModalAnswer answer = ModalAnswer::For<TSaveRateDlg>([&](TSaveRateDlg *d) {
            d->Rate->setText(OneOf<QString>({"0", "1", "2", "5", "8", "abc", ""}));
            if (Chance(30))
                d->UpDown1->UpButton()->click();
            (Chance(80) ? d->OKBtn : d->CancelBtn)->click();
        });
        Form1->SaveRate->trigger();
    }

    void ColourDialog() {
        const QColor colour(Pick(0, 255), Pick(0, 255), Pick(0, 255));
        const bool accept = Chance(70);
        const ModalAnswer answer = ModalAnswer::For<QColorDialog>([&](QColorDialog *d) {
            d->setCurrentColor(colour);
            accept ? d->accept() : d->reject();
        });
        OneOf({Form1->ForeColor1, Form1->ForeColor2, Form1->BackColor1, Form1->BackColor2})
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
        Form1->SaveAs2->trigger();
    }

    void Copy() {
        const ModalAnswer message =
            ModalAnswer::For<QMessageBox>([](QMessageBox *m) { m->accept(); });
        OneOf({Form1->Copy1, Form1->Clip})->trigger();
    }

    // One random action; returns its name for the failure report.
    const char *Act() {
        switch (Pick(0, 21)) {
        case 0:
            OneOf({Form1->Fill1, Form1->Fill2})->trigger();
            return "fill";
        case 1:
            OneOf({Form1->xy111, Form1->Circle1})->trigger();
            return "same size";
        case 2:
            OneOf({Form1->Trans1, Form1->Trans2})->trigger();
            return "transparency";
        case 3:
            OneOf({Form1->Points1, Form1->Points2, Form1->Lean, Form1->Lean2, Form1->Twist1,
                   Form1->Rotate, Form1->Center, Form1->Center1})
                ->trigger();
            return "palette toggle";
        case 4:
        case 5:
            MoveSlider();
            return "slider";
        case 6:
            RotationDlg->SyncCheckBox->click();
            return "sync";
        case 7:
            PointsDlg->show();
            (Chance(50) ? PointsDlg->UpDown1->UpButton() : PointsDlg->UpDown1->DownButton())
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
            Form1->SetClientSize(Pick(0, 320), Pick(0, 280));
            return "resize";
        case 12:
            Form1->Default->trigger();
            return "reset";
        case 13:
            Form1->SaveDef->trigger();
            return "save settings";
        case 14:
            if (Chance(20)) {
                Export();
                return "export";
            }
            Copy();
            return "copy";
        case 15:
            ColourDialog();
            return "colour";
        case 16:
            Chance(50) ? SizeDialog() : RateDialog();
            return "dialog";
        case 17:
            OneOf({Form1->GetBack1, Form1->GetBack2})->trigger();
            return "get background";
        case 18:
            OneOf<QAbstractButton *>(
                {LeanDlg->RestButton, RotationDlg->RestButton, CenterSettingDlg->RestButton})
                ->click();
            return "palette reset";
        case 20:
            OneOf({Form1->Transparent1, Form1->Smooth1})->trigger();
            return "picture option";
        case 19:
            for (int i = Pick(1, 3); i > 0; --i)
                (Chance(60) ? Form1->Undo1 : Form1->Redo1)->trigger();
            return "undo/redo";
        default:
            Form1->move(Pick(-100, 900), Pick(-100, 700));
            return "move";
        }
    }

    void CheckInvariants() {
        const ShapeSettings &s = Form1->ShapeSettings;
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
        ASSERT_FALSE(Form1->Dragging);
        ASSERT_EQ(Form1->Circle1->isChecked(), Form1->xy111->isChecked());
        ASSERT_EQ(Form1->Fill1->isChecked(), Form1->Fill2->isChecked());
        ASSERT_EQ(Form1->Trans1->isChecked(), s.Trans != 0);
        ASSERT_EQ(Form1->GetBack1->isEnabled(), s.Trans != 0);

        QSize area = Form1->PaintBox->size();
        if (Form1->Circle1->isChecked())
            area =
                QSize(std::min(area.width(), area.height()), std::min(area.width(), area.height()));
        ASSERT_EQ(Form1->StatusBar1->PanelText(0),
                  QStringLiteral("Size:%1,%2").arg(area.width()).arg(area.height()));
        ASSERT_EQ(Form1->StatusBar1->PanelText(1), QStringLiteral("Points:%1").arg(s.Points));
        ASSERT_EQ(Form1->StatusBar1->PanelText(2), QStringLiteral("x %1").arg(s.SaveRate));
        const QImage &canvas = Form1->PaintBox->Canvas();
        ASSERT_TRUE(canvas.size() == Form1->PaintBox->size() ||
                    (canvas.isNull() && Form1->PaintBox->size().isEmpty()));
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
