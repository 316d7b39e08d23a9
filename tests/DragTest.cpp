#include "RadiusEditing.h"
#include "WindowTestSupport.h"

namespace {

// A drawing area of 400 x 200: centre (200, 100), the inner circle's radius 100.
class DragTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Start();
        mainWindow->SetClientSize(400, 225);
        Settle();
        ASSERT_EQ(mainWindow->starView->size(), QSize(400, 200));
        mainWindow->Modified = false;
    }
    void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(mainWindow->starView, button, {}, QPoint(x, y));
    }
    void Move(int x, int y) {
        // Sent straight to the box: QTest does not carry the held button into moves.
        QMouseEvent move(QEvent::MouseMove, QPointF(x, y),
                         mainWindow->starView->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                         Qt::LeftButton, {});
        QCoreApplication::sendEvent(mainWindow->starView, &move);
    }
    void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(mainWindow->starView, button, {}, QPoint(x, y));
    }
    bool MarkerAt(QPoint vertex) const {
        const QImage &c = mainWindow->starView->Canvas();
        // A 6 x 6 marker: four corners in the star's colour around a background inside.
        const QRgb pen = c.pixel(vertex + QPoint(-3, -3));
        return c.pixel(vertex + QPoint(2, 2)) == pen && c.pixel(vertex + QPoint(-3, 2)) == pen &&
               c.pixel(vertex + QPoint(2, -3)) == pen && c.pixel(vertex + QPoint(-1, -1)) != pen;
    }
};

struct PressRow {
    const char *name;
    int x, y;
    bool inner;
};

class PressChoosesTheRadius : public DragTest, public testing::WithParamInterface<PressRow> {};

TEST_P(PressChoosesTheRadius, ByTheDistanceFromTheCentre) {
    Press(GetParam().x, GetParam().y);
    EXPECT_TRUE(mainWindow->starView->Radii().Editing());
    EXPECT_EQ(mainWindow->starView->Radii().EditsInner(), GetParam().inner);
    EXPECT_FALSE(mainWindow->Modified) << "a press alone changes nothing";
    Release(GetParam().x, GetParam().y);
    EXPECT_FALSE(mainWindow->starView->Radii().Editing());
    EXPECT_FALSE(mainWindow->Modified);
}

INSTANTIATE_TEST_SUITE_P(Rows, PressChoosesTheRadius,
                         testing::Values(PressRow{"AtTheCentre", 200, 100, true},
                                         PressRow{"OnTheInnerCircle", 300, 100, true},
                                         PressRow{"OnePixelOutside", 301, 100, false},
                                         PressRow{"TruncatedDistance", 270, 171, true},
                                         PressRow{"NearTheRightEdge", 390, 100, false}),
                         [](const testing::TestParamInfo<PressRow> &p) { return p.param.name; });

// Up and Down, from the keypad as from the main keys, change the outer radius (100 %),
// with Shift the inner one (70 %); the star's description tells each its own value.
struct KeyRow {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int outer, inner;
};

class RadiusKeys : public DragTest, public testing::WithParamInterface<KeyRow> {};

TEST_P(RadiusKeys, ChangeTheRadiusTheyName) {
    const KeyRow &row = GetParam();
    mainWindow->starView->setFocus();
    QTest::keyClick(mainWindow->starView, row.key, row.modifiers);
    EXPECT_EQ(mainWindow->ShapeSettings.OuterRate, row.outer);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, row.inner);
    EXPECT_TRUE(mainWindow->starView->accessibleDescription().contains(
        QStringLiteral("内側の半径 %1 %、外側の半径 %2 %").arg(row.inner).arg(row.outer)))
        << mainWindow->starView->accessibleDescription().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RadiusKeys,
    testing::Values(KeyRow{"KeypadDown", Qt::Key_Down, Qt::KeypadModifier, 99, 70},
                    KeyRow{"KeypadShiftUp", Qt::Key_Up, Qt::KeypadModifier | Qt::ShiftModifier, 100,
                           71},
                    KeyRow{"ControlDownLeavesThem", Qt::Key_Down, Qt::ControlModifier, 100, 70}),
    [](const testing::TestParamInfo<KeyRow> &p) { return p.param.name; });

TEST_F(DragTest, RadialMovementChangesTheRadiusOnePointPerPixel) {
    Press(200, 100);
    Move(203, 104); // distance 5
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 75);
    Move(201, 101); // distance 1.41 counts as 1
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 71);
    Move(199, 99); // the same distance on the other side
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 71);
    EXPECT_TRUE(mainWindow->Modified) << "every move counts, also one that changes nothing";
    Release(199, 99);
}

TEST_F(DragTest, RadiiStayWithinOneToOneHundred) {
    Press(250, 100); // distance 50, inner
    Move(280, 100);  // distance 80: 70 + 30
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 100);
    Move(290, 100); // clamped, and the excess is not remembered
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 100);
    Move(285, 100);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 95);
    Release(285, 100);

    Press(390, 100); // distance 190, outer
    Move(200, 100);
    EXPECT_EQ(mainWindow->ShapeSettings.OuterRate, 1);
    Move(-500, 100); // outside the window, the drag goes on: distance 700
    EXPECT_EQ(mainWindow->ShapeSettings.OuterRate, 100);
    Release(-500, 100);
}

TEST_F(DragTest, MovesWithoutADragChangeAndRedrawNothing) {
    const qint64 picture = mainWindow->starView->Canvas().cacheKey();
    Move(300, 150);
    EXPECT_EQ(mainWindow->starView->Canvas().cacheKey(), picture);
    EXPECT_FALSE(mainWindow->Modified);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 70);
}

TEST_F(DragTest, OtherButtonsNeitherStartNorEndADrag) {
    Press(250, 100, Qt::RightButton);
    EXPECT_FALSE(mainWindow->starView->Radii().Editing());
    Release(250, 100, Qt::RightButton);

    Press(250, 100);
    Press(260, 100, Qt::RightButton);
    const qint64 before = mainWindow->starView->Canvas().cacheKey();
    Release(260, 100, Qt::RightButton);
    EXPECT_TRUE(mainWindow->starView->Radii().Editing());
    EXPECT_NE(mainWindow->starView->Canvas().cacheKey(), before) << "the right release redraws";
    Move(260, 100);
    EXPECT_EQ(mainWindow->ShapeSettings.InnerRate, 80);
    Release(260, 100);
    EXPECT_FALSE(mainWindow->starView->Radii().Editing());
}

TEST_F(DragTest, MarkersShowTheVerticesTheDragMoves) {
    // With the outer radius at 99 %, vertex 2 (outer) and vertex 1 (inner).
    mainWindow->ShapeSettings.OuterRate = 99;
    mainWindow->redraw();
    const QPoint outer(388, 130), inner(336, 110);
    Press(200, 100); // inner drag
    EXPECT_TRUE(MarkerAt(inner));
    EXPECT_FALSE(MarkerAt(outer));
    Release(200, 100);
    EXPECT_FALSE(MarkerAt(inner)) << "markers go with the release";

    Press(390, 100); // outer drag
    EXPECT_TRUE(MarkerAt(inner));
    EXPECT_TRUE(MarkerAt(outer));
    Release(390, 100);

    // A held arrow key shows them too, until its release, or until a menu or another
    // window takes the keyboard and with it the release.
    mainWindow->starView->setFocus();
    QTest::keyPress(mainWindow->starView, Qt::Key_Down);
    EXPECT_TRUE(mainWindow->starView->Radii().Editing());
    mainWindow->starView->clearFocus();
    EXPECT_FALSE(mainWindow->starView->Radii().Editing()) << "markers go with the keyboard";
}

} // namespace
