#include "WindowTestSupport.h"

#include <cmath>

namespace {

// Run with QT_SCALE_FACTOR set (see CMakeLists.txt). At a whole device pixel ratio k
// the drawing area shows exactly the picture Save As makes at magnification k; at a
// fractional one it shows that many device pixels, drawn at the next whole ratio and
// scaled down. The screen's backdrop stays in register.
TEST_F(MainWindowTest, HiDpiDrawingAreaIsDrawnInDevicePixels) {
    Start();
    const qreal ratio = Form1->PaintBox->devicePixelRatioF();
    if (ratio == 1)
        GTEST_SKIP() << "run with QT_SCALE_FACTOR above 1";
    Form1->Fill1->trigger();
    const QImage &canvas = Form1->PaintBox->Canvas();
    const QSize area = Form1->PaintBox->size();
    EXPECT_EQ(canvas.size(), (QSizeF(area) * ratio).toSize());
    if (ratio == std::round(ratio)) {
        Form1->ShapeSettings.SaveRate = int(ratio);
        QImage saved;
        Form1->RenderToBitmap(saved);
        QImage shown = canvas;
        shown.setDevicePixelRatio(1);
        EXPECT_EQ(shown, saved);
    }
}

} // namespace
