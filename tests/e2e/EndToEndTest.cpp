// Drives the real program on an Xvfb server the way a person does: keyboard menus,
// window moves, the screen and the clipboard read back while it runs.
#include "SettingsFile.h"
#include "TempDir.h"
#include "WindowLayout.h"
#include "XSession.h"

#include <QColor>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

using namespace std::chrono_literals;

namespace {

XSession *gX = nullptr;

constexpr QRgb kBack = qRgb(255, 0, 255); // the drawing area's colour in the prepared settings
constexpr QRgb kFore = qRgb(0, 0, 128);

class EndToEnd : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gX && gX->Started());
        ShapeSettings s{};
        ApplyDefaultParameters(s);
        s.ClientWidth = 408;
        s.ClientHeight = 251 + 25;
        s.Left = 60;
        s.Top = 40;
        s.BackColor = 0x00FF00FF;
        s.ForeColor = 0x00800000;
        settings_ = s;
    }
    void TearDown() override {
        if (program_ > 0)
            Stop(program_);
    }

    // Writes the prepared settings, starts the program and waits for its window.
    void Launch() {
        ASSERT_TRUE(WriteSettingsFile(dir_.File("Vantrell.def"), settings_));
        program_ = gX->Spawn(VANTRELL_PATH, dir_.Path().string());
        window_ = gX->FindWindow("Vantrell", 20s);
        ASSERT_NE(window_, 0u) << "the main window did not appear";
        std::this_thread::sleep_for(500ms);
    }

    // The drawing area's top-left corner on the screen: the corner of the region in
    // the background colour.
    QPoint FindDrawingArea(const QImage &screen) const {
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                if (screen.pixel(x, y) == kBack)
                    return {x, y};
        return {-1, -1};
    }

    TempDir dir_;
    ShapeSettings settings_{};
    pid_t program_ = -1;
    unsigned long window_ = 0;
};

TEST_F(EndToEnd, DrawsTheDefaultStarOnTheLayoutDrawingArea) {
    Launch();
    const QImage screen = gX->Screenshot();
    const QPoint origin = FindDrawingArea(screen);
    ASSERT_GE(origin.x(), 0) << "no drawing area on the screen";
    EXPECT_EQ(screen.pixel(origin + QPoint(407, 250)), kBack) << "408 x 251";
    EXPECT_NE(screen.pixel(origin + QPoint(408, 250)), kBack);
    for (QPoint vertex : {QPoint(344, 138), QPoint(398, 163), QPoint(330, 164), QPoint(369, 198),
                          QPoint(203, 250), QPoint(0, 124), QPoint(204, 0)})
        EXPECT_EQ(screen.pixel(origin + vertex), kFore) << vertex.x() << "," << vertex.y();
    EXPECT_EQ(screen.pixel(origin + QPoint(204, 125)), kBack);
}

// A tile whose colour tells each position within it apart.
QImage PatternTile() {
    QImage tile(61, 47, QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            tile.setPixel(x, y, qRgb(4 * x, 5 * y, 128 + x - y));
    return tile;
}

// The desktop that a tile gives the root window.
QImage Tiled(const QImage &tile) {
    QImage desktop(1024, 768, QImage::Format_RGB32);
    for (int y = 0; y < desktop.height(); ++y)
        for (int x = 0; x < desktop.width(); ++x)
            desktop.setPixel(x, y, tile.pixel(x % tile.width(), y % tile.height()));
    return desktop;
}

// How many of a grid of points in the drawing area show exactly what the desktop
// shows there.
int InRegister(const QImage &screen, const QImage &desktop, QPoint origin) {
    int same = 0;
    for (int y = 20; y < 240; y += 22)
        for (int x = 20; x < 400; x += 38)
            same += screen.pixel(origin + QPoint(x, y)) == desktop.pixel(origin + QPoint(x, y));
    return same; // of 100
}

// On one screen, and on the second of two monitors (the X screen split by xrandr,
// which the program sees as two screens): the backdrop is the whole desktop.
TEST_F(EndToEnd, TransparentBackgroundStaysInRegisterWhenTheWindowMoves) {
    gX->SetRootPattern(PatternTile(), dir_.Path().string());
    const QImage desktop = gX->Screenshot();
    const bool xrandr = !gX->Run("sh -c 'command -v xrandr'").empty();
    for (const int monitors : {1, 2}) {
        if (monitors == 2 && !xrandr) {
            std::fprintf(stderr, "xrandr is missing: two monitors not tried\n");
            continue;
        }
        if (monitors == 2)
            gX->Run("sh -c 'xrandr --setmonitor left 512/135x768/203+0+0 screen && "
                    "xrandr --setmonitor right 512/135x768/203+512+0 none'");
        Launch();
        const QPoint offset = FindDrawingArea(gX->Screenshot()) - gX->WindowPosition(window_);
        gX->Keys(window_, "alt+e a"); // 背景透過(&A)
        QPoint origin = gX->WindowPosition(window_) + offset;
        EXPECT_GE(InRegister(gX->Screenshot(), desktop, origin), 90) << monitors;

        const QPoint moved = monitors == 1 ? QPoint(333, 222) : QPoint(560, 222);
        gX->Run("xdotool windowmove --sync " + std::to_string(window_) + " " +
                std::to_string(moved.x()) + " " + std::to_string(moved.y()));
        std::this_thread::sleep_for(700ms);
        origin = gX->WindowPosition(window_) + offset;
        ASSERT_EQ(origin - offset, moved);
        EXPECT_GE(InRegister(gX->Screenshot(), desktop, origin), 90) << monitors;
        Stop(program_);
        program_ = -1;
        if (monitors == 2)
            gX->Run("sh -c 'xrandr --delmonitor left; xrandr --delmonitor right'");
    }
    QImage black(8, 8, QImage::Format_RGB32);
    black.fill(Qt::black);
    gX->SetRootPattern(black, dir_.Path().string());
}

TEST_F(EndToEnd, GetBackgroundPicksUpAWindowOpenedAfterStartUp) {
    settings_.Trans = 1;
    Launch();
    const QPoint origin = gX->WindowPosition(window_) + QPoint(0, 40);
    // A green window over part of the drawing area, opened after the program started.
    QImage green(160, 120, QImage::Format_RGB32);
    green.fill(qRgb(0, 200, 0));
    green.save(QString::fromStdString(dir_.File("green.png")));
    const pid_t viewer = fork();
    if (viewer == 0) {
        setenv("DISPLAY", gX->Display().c_str(), 1);
        const std::string geometry =
            "160x120+" + std::to_string(origin.x() + 100) + "+" + std::to_string(origin.y() + 60);
        execlp("feh", "feh", "--title", "green", "-g", geometry.c_str(),
               dir_.File("green.png").c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    ASSERT_NE(gX->FindWindow("green", 10s), 0u);
    std::this_thread::sleep_for(500ms);
    gX->Keys(window_, "alt+e g"); // 背景取得(&G)
    std::this_thread::sleep_for(800ms);
    Stop(viewer);
    std::this_thread::sleep_for(500ms);
    // The viewer is gone; the program still shows it, from the new capture.
    const QImage screen = gX->Screenshot();
    EXPECT_EQ(screen.pixel(origin + QPoint(180, 120)), qRgb(0, 200, 0));
}

TEST_F(EndToEnd, CopyPutsTheDrawingAreaOnTheClipboard) {
    Launch();
    gX->Keys(window_, "ctrl+c");
    int status = 0;
    const std::string png = gX->Run("xclip -selection clipboard -t image/png -o", &status);
    ASSERT_EQ(status, 0);
    QImage image;
    ASSERT_TRUE(image.loadFromData(QByteArray(png.data(), qsizetype(png.size())), "PNG"));
    EXPECT_EQ(image.size(), QSize(408, 251));
    EXPECT_EQ(image.pixel(344, 138), kFore);
    EXPECT_EQ(image.pixel(204, 125), kBack);
}

TEST_F(EndToEnd, SavesSettingsAndAsksBeforeClosingOnlyWhenChanged) {
    Launch();
    gX->Keys(window_, "alt+e f"); // 塗りつぶす(&F)
    gX->Keys(window_, "alt+f s"); // 設定保存(&S)
    const std::vector<unsigned char> bytes = ReadBytes(dir_.File("Vantrell.def"));
    ASSERT_EQ(bytes.size(), 68u);
    const std::optional<ShapeSettings> saved = ReadSettingsFile(dir_.File("Vantrell.def"));
    ASSERT_TRUE(saved);
    const QPoint position = gX->WindowPosition(window_);
    EXPECT_EQ(saved->Left, position.x());
    EXPECT_EQ(saved->Top, position.y());
    EXPECT_EQ(saved->ClientWidth, 408);
    EXPECT_EQ(saved->ClientHeight, 276);
    EXPECT_EQ(saved->Fill, 1);
    EXPECT_EQ(saved->SameSize, 0);
    EXPECT_EQ(saved->BackColor, 0x00FF00FFu);
    EXPECT_EQ(saved->ForeColor, 0x00800000u);

    gX->Keys(window_, "alt+f x"); // 終了(&X)
    const unsigned long prompt = gX->FindWindow("確認", 10s);
    ASSERT_NE(prompt, 0u) << "a changed picture asks before closing";
    gX->Keys(prompt, "n");
    EXPECT_TRUE(WaitForExit(program_, 10s));
    program_ = -1;

    Launch(); // unchanged this time
    gX->Keys(window_, "alt+f x");
    EXPECT_TRUE(WaitForExit(program_, 10s)) << "an unchanged picture closes at once";
    program_ = -1;
}

// The Windows program, from the portable folder VANTRELL_WINDOWS_FOLDER names, under
// Wine: the same star in its drawing area, pixel for pixel, its settings and a
// picture saved, and a clean exit.
TEST_F(EndToEnd, TheWindowsProgramUnderWineDrawsAndSavesAsLinuxDoes) {
    const char *folder = std::getenv("VANTRELL_WINDOWS_FOLDER");
    if (!folder || gX->Run("sh -c 'command -v wine'").empty())
        GTEST_SKIP() << "no Windows program to run (make windows-test gives one) or no Wine";
    Launch();
    QImage screen = gX->Screenshot();
    QPoint origin = FindDrawingArea(screen);
    ASSERT_GE(origin.x(), 0);
    const QImage linuxArea = screen.copy(QRect(origin, QSize(408, 251)));
    gX->Keys(window_, "alt+f x");
    ASSERT_TRUE(WaitForExit(program_, 10s));
    program_ = -1;

    const std::string launcher = dir_.File("vantrell-under-wine.sh");
    std::ofstream(launcher) << "#!/bin/sh\nexec " << VANTRELL_WINE_RUN << " '" << folder
                            << "/vantrell.exe'\n";
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
    std::filesystem::remove(dir_.File("Vantrell.def"));
    ASSERT_TRUE(WriteSettingsFile(dir_.File("Vantrell.def"), settings_));
    program_ = gX->Spawn(launcher, dir_.Path().string());
    window_ = gX->FindWindow("Vantrell", 120s);
    ASSERT_NE(window_, 0u) << "the Windows program showed no window";
    std::this_thread::sleep_for(2s);
    screen = gX->Screenshot();
    origin = FindDrawingArea(screen);
    ASSERT_GE(origin.x(), 0) << "no drawing area on the screen";
    EXPECT_EQ(screen.copy(QRect(origin, QSize(408, 251))), linuxArea);

    gX->Keys(window_, "alt+e f"); // 塗りつぶす(&F)
    gX->Keys(window_, "alt+f s"); // 設定保存(&S)
    std::this_thread::sleep_for(1s);
    const std::optional<ShapeSettings> saved = ReadSettingsFile(dir_.File("Vantrell.def"));
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Fill, 1);
    gX->Keys(window_, "alt+f x");
    // Wine's user interface language is English unless set otherwise.
    const unsigned long prompt = gX->FindWindow("(確認|Confirm)", 20s);
    ASSERT_NE(prompt, 0u) << "a changed picture asks before closing";
    gX->Keys(prompt, "n");
    EXPECT_TRUE(WaitForExit(program_, 30s)) << "the Windows program ends when closed";
    program_ = -1;
}

// The outer rectangle of a window with the frame a window manager gave it.
QRect FrameOf(unsigned long window) {
    const std::string id = std::to_string(window);
    const QString info = QString::fromStdString(gX->Run("xwininfo -id " + id));
    const auto field = [&info](const char *name) {
        const qsizetype at = info.indexOf(QLatin1String(name));
        return at < 0 ? 0
                      : info.mid(at + qsizetype(std::strlen(name)))
                            .section('\n', 0, 0)
                            .trimmed()
                            .toInt();
    };
    const QStringList extents =
        QString::fromStdString(gX->Run("xprop -id " + id + " _NET_FRAME_EXTENTS"))
            .section('=', 1)
            .split(',');
    const auto extent = [&extents](int i) {
        return extents.size() == 4 ? extents[i].trimmed().toInt() : 0;
    };
    return QRect(field("Absolute upper-left X:") - extent(0),
                 field("Absolute upper-left Y:") - extent(2),
                 field("Width:") + extent(0) + extent(1), field("Height:") + extent(2) + extent(3));
}

// The shown windows titled Vantrell other than the main window.
std::vector<unsigned long> Palettes(unsigned long main) {
    std::vector<unsigned long> found;
    for (const QString &id :
         QString::fromStdString(gX->Run("xdotool search --onlyvisible --name '^Vantrell$'"))
             .split('\n', Qt::SkipEmptyParts))
        if (id.toULong() != main)
            found.push_back(id.toULong());
    return found;
}

TEST_F(EndToEnd, PalettesLandInTheirSlotsUnderAWindowManager) {
    const std::string openbox = gX->Run("sh -c 'command -v openbox'");
    if (openbox.empty())
        GTEST_SKIP() << "openbox is not installed";
    const pid_t manager = gX->Spawn(openbox.substr(0, openbox.find('\n')), dir_.Path().string());
    std::this_thread::sleep_for(1s);
    Launch();
    // The rotation palette first, then the jag-count palette that sits above it.
    gX->Keys(window_, "alt+e r");
    gX->Keys(window_, "alt+e p");
    std::this_thread::sleep_for(1s);
    std::vector<unsigned long> shown = Palettes(window_);
    ASSERT_EQ(shown.size(), 2u);
    QRect main = FrameOf(window_), first = FrameOf(shown[0]), second = FrameOf(shown[1]);
    const QRect points = first.top() < second.top() ? first : second;
    const QRect lean = first.top() < second.top() ? second : first;
    EXPECT_EQ(points.topLeft(), QPoint(main.right() + 1, main.top()));
    EXPECT_EQ(lean.topLeft(), QPoint(main.right() + 1, main.top() + points.height()));
    // Hidden, the main window moved, shown again: beside the main window's new place.
    gX->Keys(window_, "alt+e r");
    gX->Keys(window_, "alt+e p");
    // Moved and settled: the window manager places the frame after the client.
    gX->Run("xdotool windowmove --sync " + std::to_string(window_) + " 100 150");
    std::this_thread::sleep_for(1500ms);
    gX->Keys(window_, "alt+e p");
    std::this_thread::sleep_for(2s);
    shown = Palettes(window_);
    ASSERT_EQ(shown.size(), 1u);
    main = FrameOf(window_);
    EXPECT_EQ(FrameOf(shown[0]).topLeft(), QPoint(main.right() + 1, main.top()));
    Stop(manager);
}

// The drawing area as it is on the screen now.
QImage DrawingArea(const QPoint &origin) {
    return gX->Screenshot().copy(QRect(origin, QSize(408, 251)));
}

TEST_F(EndToEnd, DragPaletteAndResetAreUndoneAndRedoneByKeysAndMenu) {
    Launch();
    const QPoint origin = FindDrawingArea(gX->Screenshot());
    ASSERT_GE(origin.x(), 0);
    const QImage start = DrawingArea(origin);
    // A drag of the outer radius towards the centre.
    const auto at = [&origin](int x, int y) {
        return std::to_string(origin.x() + x) + " " + std::to_string(origin.y() + y);
    };
    gX->Run("xdotool mousemove " + at(400, 10) + " mousedown 1 mousemove " + at(380, 20) +
            " mousemove " + at(340, 40) + " mouseup 1");
    std::this_thread::sleep_for(500ms);
    const QImage dragged = DrawingArea(origin);
    ASSERT_NE(dragged, start);
    gX->Keys(window_, "ctrl+z");
    EXPECT_EQ(DrawingArea(origin), start) << "the whole drag is one step";
    gX->Keys(window_, "ctrl+y");
    EXPECT_EQ(DrawingArea(origin), dragged);
    // The jag-count palette, then the reset, each undone from the menu.
    gX->Keys(window_, "alt+e p");
    const std::vector<unsigned long> palettes = Palettes(window_);
    ASSERT_EQ(palettes.size(), 1u);
    gX->Focus(palettes[0]); // the edit has the palette's focus, its text selected
    gX->Run("xdotool type --delay 100 7");
    std::this_thread::sleep_for(500ms);
    const QImage sevenJags = DrawingArea(origin);
    // The undo keys work in the palette too, and the edit adds no step of its own.
    gX->Keys(palettes[0], "ctrl+z");
    EXPECT_EQ(DrawingArea(origin), dragged) << "undone from the palette";
    gX->Keys(palettes[0], "ctrl+y");
    EXPECT_EQ(DrawingArea(origin), sevenJags) << "redone from the palette";
    gX->Keys(window_, "alt+f d");
    ASSERT_NE(DrawingArea(origin), sevenJags);
    gX->Keys(window_, "alt+e u");
    EXPECT_EQ(DrawingArea(origin), sevenJags);
    gX->Keys(window_, "alt+e u");
    EXPECT_EQ(DrawingArea(origin), dragged);
    gX->Keys(window_, "ctrl+shift+z");
    EXPECT_EQ(DrawingArea(origin), sevenJags);
}

// A white star with a black outline 6 pixels wide, rounded tips and uneven jags, made
// with the keys and the mouse in the shape palette: the saved file holds exactly that.
TEST_F(EndToEnd, ABurstMadeInTheShapePaletteIsSaved) {
    settings_.ForeColor = 0x00FFFFFF;
    settings_.Fill = 1;
    Launch();
    gX->Keys(window_, "alt+e k"); // 形(&K)
    const std::vector<unsigned long> palettes = Palettes(window_);
    ASSERT_EQ(palettes.size(), 1u);
    const auto click = [&palettes](int x, int y) {
        gX->Run("xdotool mousemove --window " + std::to_string(palettes[0]) + " " +
                std::to_string(x) + " " + std::to_string(y) + " click 1");
    };
    // The edits of the tip rounding, the irregularity and the width, then the box that
    // gives the outline its own colour (black, until another is chosen).
    for (const auto &[y, keys] : {std::pair(18, "7 0"), {70, "3 0"}, {122, "6"}}) {
        click(214, y);
        gX->Keys(palettes[0], std::string("ctrl+a ") + keys + " Return");
    }
    click(150, 148);
    gX->Keys(window_, "alt+f s"); // 設定保存(&S)
    SettingsContents contents;
    ASSERT_TRUE(ReadSettingsFile(dir_.File("Vantrell.def"), nullptr, &contents));
    EXPECT_EQ(
        contents.extras,
        (StarExtras{.TipRounding = 70, .Irregularity = 30, .LineWidth = 6, .OwnLineColor = true}));
}

// The live see-through background can be chosen only where a compositing manager
// runs; chosen, the window is translucent: its drawing area is clear around the star
// and opaque on it, and the menu bar stays opaque.
TEST_F(EndToEnd, LiveSeeThroughNeedsACompositorAndClearsTheDrawingArea) {
    const std::string xcompmgr = gX->Run("sh -c 'command -v xcompmgr'");
    if (xcompmgr.empty())
        GTEST_SKIP() << "xcompmgr is not installed";
    settings_.Trans = 1;
    for (const bool compositor : {false, true}) {
        pid_t manager =
            compositor ? gX->Spawn(xcompmgr.substr(0, xcompmgr.find('\n')), dir_.Path().string())
                       : -1;
        std::this_thread::sleep_for(1s);
        Launch();
        gX->Keys(window_, "alt+e l"); // 実際の背景を透かす(&L)
        std::this_thread::sleep_for(1s);
        const unsigned long window = gX->FindWindow("Vantrell", 5s);
        const QImage own = gX->WindowImage(window);
        ASSERT_FALSE(own.isNull());
        EXPECT_EQ(own.hasAlphaChannel(), compositor);
        const QPoint area(0, own.height() - kStatusBarHeight - 251);
        if (compositor) {
            EXPECT_EQ(qAlpha(own.pixel(area + QPoint(204, 125))), 0) << "the centre";
            EXPECT_EQ(own.pixel(area + QPoint(204, 0)), kFore) << "a tip";
            EXPECT_EQ(qAlpha(own.pixel(QPoint(own.width() - 2, 2))), 255) << "the menu bar";
            // On the screen the desktop shows around the star, and a new pattern of the
            // desktop shows at once, without 背景取得.
            gX->Run("xdotool mousemove 1023 767");
            for (const QImage &tile : {PatternTile(), PatternTile().mirrored(true, false)}) {
                gX->SetRootPattern(tile, dir_.Path().string());
                gX->Run("xrefresh"); // xcompmgr takes a new root pattern on an expose
                std::this_thread::sleep_for(1s);
                EXPECT_GE(
                    InRegister(gX->ShownScreen(), Tiled(tile), gX->WindowPosition(window) + area),
                    90);
            }
            // Off, the still backdrop (taken now) shows in register, round after round.
            const QImage tiled = Tiled(PatternTile().mirrored(true, false));
            gX->Keys(window_, "alt+e l");
            gX->Keys(window_, "alt+e g"); // 背景取得(&G)
            for (int round = 0; round < 3; ++round) {
                gX->Keys(window_, "alt+e l");
                gX->Keys(window_, "alt+e l");
                std::this_thread::sleep_for(1s);
                const QPoint at = gX->WindowPosition(gX->FindWindow("Vantrell", 5s)) + area;
                EXPECT_GE(InRegister(gX->ShownScreen(), tiled, at), 90) << "round " << round;
            }
            // On, and the compositing manager stops: the still backdrop shows, not black.
            gX->Keys(window_, "alt+e l");
            std::this_thread::sleep_for(1s);
            Stop(manager);
            manager = -1;
            std::this_thread::sleep_for(3s);
            const QImage shown = gX->Screenshot().copy(
                QRect(gX->WindowPosition(gX->FindWindow("Vantrell", 5s)) + area, QSize(408, 251)));
            int dark = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x)
                    dark += shown.pixel(x, y) == qRgb(0, 0, 0);
            EXPECT_LT(dark * 5, shown.width() * shown.height());
            QImage black(8, 8, QImage::Format_RGB32);
            black.fill(Qt::black);
            gX->SetRootPattern(black, dir_.Path().string());
        }
        Stop(program_);
        program_ = -1;
        if (manager > 0)
            Stop(manager);
    }
}

// On scaled screens, without a window manager and with one that sizes windows in steps:
// at ratio 2 the drawing area is the picture that Save As makes at magnification 2; at
// 2 and 1.5 the layout size holds, the backdrop stays in register in device pixels and
// every palette lies wholly on the screen.
TEST_F(EndToEnd, ScaledScreensShowTheRightPixels) {
    gX->SetRootPattern(PatternTile(), dir_.Path().string());
    const QImage desktop = gX->Screenshot();
    const std::string openbox = gX->Run("sh -c 'command -v openbox'");
    for (const auto &[ratio, managed] : {std::pair("2", false), {"1.5", false}, {"1.5", true}}) {
        if (managed && openbox.empty())
            continue;
        const pid_t manager =
            managed ? gX->Spawn(openbox.substr(0, openbox.find('\n')), dir_.Path().string()) : -1;
        std::this_thread::sleep_for(managed ? 1s : 0s);
        setenv("QT_SCALE_FACTOR", ratio, 1);
        Launch();
        unsetenv("QT_SCALE_FACTOR");
        const QPoint origin = FindDrawingArea(gX->Screenshot());
        ASSERT_GE(origin.x(), 0) << ratio;
        gX->Keys(window_, "alt+f s"); // 設定保存(&S): the layout's size at every ratio
        const std::optional<ShapeSettings> saved = ReadSettingsFile(dir_.File("Vantrell.def"));
        EXPECT_EQ(saved ? std::pair(saved->ClientWidth, saved->ClientHeight) : std::pair(0, 0),
                  std::pair(408, 276))
            << ratio;
        if (std::string(ratio) == "2") {
            const std::string file = dir_.File("x2.bmp");
            gX->Run(std::string(VANTRELL_RENDER_PATH) + " --scale 2 --settings '" +
                    dir_.File("Vantrell.def") + "' '" + file + "'");
            const QImage picture(QString::fromStdString(file));
            EXPECT_EQ(gX->Screenshot().copy(QRect(origin, picture.size())),
                      picture.convertToFormat(QImage::Format_RGB32));
        }
        gX->Keys(window_, "alt+e a"); // 背景透過(&A)
        EXPECT_GE(InRegister(gX->Screenshot(), desktop, origin), 90) << ratio;
        for (const char *palette : {"alt+e p", "alt+e r", "alt+e t", "alt+e e"})
            gX->Keys(window_, palette);
        std::this_thread::sleep_for(500ms);
        const std::vector<unsigned long> palettes = Palettes(window_);
        EXPECT_EQ(palettes.size(), 4u) << ratio;
        for (unsigned long id : palettes) {
            const QString info =
                QString::fromStdString(gX->Run("xwininfo -id " + std::to_string(id)));
            const auto field = [&info](const char *name) {
                const QRegularExpression pattern(QString::fromLatin1(name) + ":\\s+(-?\\d+)");
                return pattern.match(info).captured(1).toInt();
            };
            const QRect frame(field("Absolute upper-left X"), field("Absolute upper-left Y"),
                              field("Width"), field("Height"));
            EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(frame))
                << ratio << " palette at " << frame.x() << "," << frame.y();
        }
        Stop(program_);
        program_ = -1;
        if (manager > 0)
            Stop(manager);
    }
    QImage black(8, 8, QImage::Format_RGB32);
    black.fill(Qt::black);
    gX->SetRootPattern(black, dir_.Path().string());
}

} // namespace

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    for (const char *tool : {"Xvfb", "xdotool", "xwd", "xclip", "feh"}) {
        if (std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) != 0) {
            std::printf(
                "SKIPPED: the end-to-end tests need %s (scripts/install-deps installs it)\n", tool);
            return 77;
        }
    }
    XSession session;
    if (!session.Started()) {
        std::printf("SKIPPED: no Xvfb server could be started\n");
        return 77;
    }
    gX = &session;
    return RUN_ALL_TESTS();
}
