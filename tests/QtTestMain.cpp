#include "WindowTestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

// GoogleTest entry point for tests that need a QApplication, offscreen unless the
// environment names another platform.
int main(int argc, char **argv) {
    UseTestPlatform();
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
