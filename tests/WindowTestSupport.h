#pragma once

#include "AboutDialog.h"
#include "CentrePalette.h"
#include "JagsPalette.h"
#include "MagnificationDialog.h"
#include "MainWindow.h"
#include "ProgramWindows.h"
#include "RotationPalette.h"
#include "ShapePalette.h"
#include "SizeDialog.h"
#include "TempDir.h"
#include "TwistPalette.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

// The offscreen platform reports each window feature it lacks; those notes say
// nothing about the program, so test mains drop them to keep failures readable.
inline void QuietPlatformNotes(QtMsgType type, const QMessageLogContext &context,
                               const QString &text) {
    if (text.startsWith(QLatin1String("This plugin does not support")))
        return;
    qt_message_output(type, context, text);
}

// Lets the event loop deliver what the last action queued.
inline void Settle() {
    QCoreApplication::processEvents();
}

// For a test program's main, before its QApplication: the offscreen platform unless
// the environment names another, without its notes.
inline void UseTestPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietPlatformNotes);
    // The program's preferences go to a test location, never the user's.
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setOrganizationName(QStringLiteral("VantrellTests"));
}

// Answers the next modal window (a message box, a colour dialog) from the event
// loop once it is open, or the next one of type Modal when given. Gives up after a
// few seconds so a missing dialog fails the test instead of hanging it; Seen()
// tells whether one was answered.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget *)> answer,
                         std::function<bool(QWidget *)> wanted = {})
        : answer_(std::move(answer)), wanted_(std::move(wanted)), deadline_(5000) {
        Poll();
    }
    template <typename Modal> static ModalAnswer For(std::function<void(Modal *)> answer) {
        return ModalAnswer([answer](QWidget *w) { answer(static_cast<Modal *>(w)); },
                           [](QWidget *w) { return qobject_cast<Modal *>(w) != nullptr; });
    }
    ~ModalAnswer() { *alive_ = false; }
    bool Seen() const { return seen_; }

private:
    void Poll() {
        QTimer::singleShot(10, [this, alive = alive_] {
            if (!*alive || seen_)
                return;
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && (!wanted_ || wanted_(modal))) {
                seen_ = true;
                answer_(modal);
            } else if (!deadline_.hasExpired()) {
                Poll();
            }
        });
    }

    std::function<void(QWidget *)> answer_;
    std::function<bool(QWidget *)> wanted_;
    QDeadlineTimer deadline_;
    bool seen_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The windows of the program under test, while they exist, and a name for each.
inline std::unique_ptr<ProgramWindows> programWindows;
inline MainWindow *mainWindow = nullptr;
inline JagsPalette *jagsPalette = nullptr;
inline TwistPalette *twistPalette = nullptr;
inline CentrePalette *centrePalette = nullptr;
inline RotationPalette *rotationPalette = nullptr;
inline ShapePalette *shapePalette = nullptr;
inline SizeDialog *sizeDialog = nullptr;
inline MagnificationDialog *magnificationDialog = nullptr;
inline AboutDialog *aboutDialog = nullptr;

// Makes the program's windows, hidden, as it does at start-up.
inline void CreateProgramWindows(const std::string &settingsPath = kSettingsFileName) {
    programWindows = std::make_unique<ProgramWindows>(settingsPath);
    mainWindow = programWindows->main.get();
    jagsPalette = programWindows->jags.get();
    twistPalette = programWindows->twist.get();
    centrePalette = programWindows->centre.get();
    rotationPalette = programWindows->rotation.get();
    shapePalette = programWindows->shape.get();
    sizeDialog = mainWindow->sizeDialog.get();
    magnificationDialog = mainWindow->magnificationDialog.get();
    aboutDialog = mainWindow->aboutDialog.get();
}

inline void DestroyProgramWindows() {
    programWindows.reset();
    mainWindow = nullptr;
    jagsPalette = nullptr;
    twistPalette = nullptr;
    centrePalette = nullptr;
    rotationPalette = nullptr;
    shapePalette = nullptr;
    sizeDialog = nullptr;
    magnificationDialog = nullptr;
    aboutDialog = nullptr;
}

// Runs every test in a fresh current directory, optionally holding a settings file,
// with the program's windows created as at start-up.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        QSettings().clear(); // the picture preferences start off
        previousDir_ = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(dir_.Path().string()));
    }

    void TearDown() override {
        if (mainWindow)
            mainWindow->Modified = false; // no close prompt while tearing down
        DestroyProgramWindows();
        QDir::setCurrent(previousDir_);
    }

    void WriteSettings(const std::vector<unsigned char> &bytes) {
        WriteBytes(dir_.File("Vantrell.def"), bytes);
    }

    // Creates the windows and shows the main one, as the program starts.
    void Start() {
        CreateProgramWindows();
        mainWindow->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow));
    }

    std::string SettingsPath() const { return dir_.File("Vantrell.def"); }

    TempDir dir_;
    QString previousDir_;
};
