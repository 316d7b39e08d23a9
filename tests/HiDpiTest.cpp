#include "ScreenPixels.h"
#include "WindowTestSupport.h"

#include <cmath>
#include <cstdlib>

namespace {

// Run with QT_SCALE_FACTOR set (see CMakeLists.txt). At a whole device pixel ratio k
// the drawing area shows exactly the picture Save As makes at magnification k; at a
// fractional one, the picture the renderer draws for an area of its device pixels,
// aliased or smooth, crisp (no pixel in a thousand differs).
TEST_F(MainWindowTest, HiDpiDrawingAreaIsDrawnInDevicePixels) {
    Start();
    const qreal ratio = mainWindow->starView->devicePixelRatioF();
    if (ratio == 1)
        GTEST_SKIP() << "run with QT_SCALE_FACTOR above 1";
    mainWindow->actionFillContext->trigger();
    // A width and height that fall between device pixels at 1.25, 1.5 and 1.75.
    mainWindow->SetClientSize(517,
                              mainWindow->ClientHeight() - mainWindow->starView->height() + 279);
    Settle();
    const QImage &canvas = mainWindow->starView->Canvas();
    const QSize device = DeviceSize(*mainWindow->starView);
    ASSERT_EQ(canvas.size(), device);
    if (ratio == std::round(ratio)) {
        mainWindow->ShapeSettings.SaveRate = int(ratio);
        QImage saved;
        mainWindow->starView->RenderOutput(saved);
        QImage shown = canvas;
        shown.setDevicePixelRatio(1);
        EXPECT_EQ(shown, saved);
        return;
    }
    for (const bool smooth : {false, true}) {
        if (smooth)
            mainWindow->actionSmooth->trigger();
        mainWindow->actionSaveSettings->trigger();
        const std::string picture = dir_.File("device.png");
        const std::string command =
            std::string(VANTRELL_RENDER_PATH) + (smooth ? " --smooth" : "") + " --fill 1 --size " +
            std::to_string(device.width()) + "x" + std::to_string(device.height()) +
            " --settings '" + SettingsPath() + "' '" + picture + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const QImage rendered =
            QImage(QString::fromStdString(picture)).convertToFormat(QImage::Format_RGB32);
        qsizetype differ = 0;
        for (int y = 0; y < device.height(); ++y)
            for (int x = 0; x < device.width(); ++x)
                differ += canvas.pixel(x, y) != rendered.pixel(x, y);
        EXPECT_LT(differ * 1000, qsizetype(device.width()) * device.height())
            << "smooth " << smooth;
    }
}

// An area's edges in device pixels, no further than the window's own: a window manager
// that makes the window 647 device pixels wide at 1.25 leaves it 518 logical pixels
// wide (517.6 rounded), which would reach 648.
struct DeviceRow {
    const char *name;
    qreal ratio;
    QRect place;
    QSize window, expected;
};

class HiDpiDeviceSize : public testing::TestWithParam<DeviceRow> {};

TEST_P(HiDpiDeviceSize, EdgesRoundedWithinTheWindow) {
    EXPECT_EQ(DeviceSize(GetParam().place, GetParam().ratio, GetParam().window),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HiDpiDeviceSize,
    testing::Values(
        DeviceRow{"CutAtTheWindowsWidth", 1.25, {0, 30, 518, 279}, {647, 420}, {647, 348}},
        DeviceRow{"EdgesBetweenDevicePixels", 1.5, {0, 31, 517, 279}, {776, 500}, {776, 418}}),
    [](const testing::TestParamInfo<DeviceRow> &p) { return p.param.name; });

} // namespace
