#include <QApplication>

#include <gtest/gtest.h>

namespace {

// The offscreen platform reports each window feature it lacks; those notes say
// nothing about the program, so they are dropped to keep failures readable.
void QuietPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (text.startsWith(QLatin1String("This plugin does not support")))
        return;
    qt_message_output(type, context, text);
}

} // namespace

// GoogleTest entry point for tests that need a QApplication, offscreen unless the
// environment names another platform.
int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietPlatformNotes);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
