// On-screen redraw cost of the main window beside the least any redraw must do:
// fill a frame of the same size and copy it.
#include "MainWindow.h"
#include "ProgramWindows.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

MainWindow *mainWindow = nullptr; // the window measured, made in main

void SetUpWindow(const benchmark::State &state) {
    mainWindow->SetClientSize(int(state.range(0)),
                              int(state.range(1)) + mainWindow->status->height());
    QCoreApplication::processEvents();
    if (mainWindow->actionFillContext->isChecked() != (state.range(2) != 0))
        mainWindow->actionFillContext->trigger();
    if (mainWindow->actionSmooth->isChecked() != (state.range(3) != 0))
        mainWindow->actionSmooth->trigger();
    // 1: the burst; 2: the burst with its outline in a colour of its own.
    const int64_t burst = state.range(4);
    mainWindow->Document->Change([burst](ShapeSettings &s) { s.Points = burst ? 50 : 20; });
    mainWindow->Document->ChangeExtras([burst](StarExtras &e) {
        e = burst ? StarExtras{.TipRounding = 50,
                               .ValleyRounding = 50,
                               .Irregularity = 30,
                               .Seed = 7,
                               .LineWidth = 8,
                               .OwnLineColor = burst == 2,
                               .LineColor = ColorValueFromRgb(200, 30, 30)}
                  : StarExtras{};
    });
}

std::string Label(const benchmark::State &state) {
    return std::string(state.range(2) ? "filled" : "outline") + (state.range(3) ? " smooth" : "") +
           (state.range(4) ? " burst" : "") + (state.range(4) == 2 ? " two colours" : "");
}

void BM_DrawShape(benchmark::State &state) {
    SetUpWindow(state);
    for (auto _ : state) {
        mainWindow->starView->Draw();
        benchmark::DoNotOptimize(mainWindow->starView->Canvas().constBits());
    }
    state.SetLabel(Label(state));
}

// The redraw as the user sees it: rendering, then the paint event's copy to the window.
void BM_DrawShapeAndPaint(benchmark::State &state) {
    SetUpWindow(state);
    for (auto _ : state) {
        mainWindow->starView->Draw();
        mainWindow->starView->repaint();
    }
    state.SetLabel(Label(state));
}

void BM_BareFillAndCopy(benchmark::State &state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    QImage target(width, height, QImage::Format_RGB32);
    for (auto _ : state) {
        QImage frame(width, height, QImage::Format_RGB32);
        std::fill_n(reinterpret_cast<uint32_t *>(frame.bits()), frame.sizeInBytes() / 4,
                    0xFFFFFFFFu);
        std::memcpy(target.bits(), frame.constBits(), std::size_t(frame.sizeInBytes()));
        benchmark::DoNotOptimize(target.constBits());
    }
}

// Smooth edges: goal within 3x of the same redraw without them. The burst (50
// rounded, uneven jags with an outline 8 pixels wide): goal within 3x of the plain star;
// filled, with the outline in a colour of its own, each pixel mixes three colours.
void Sizes(benchmark::internal::Benchmark *b) {
    for (int smooth : {0, 1}) {
        for (int fill : {0, 1}) {
            b->Args({408, 251, fill, smooth, 0});
            b->Args({1920, 1080, fill, smooth, 0});
        }
        b->Args({1920, 1080, 0, smooth, 1});
        b->Args({1920, 1080, 1, smooth, 2});
    }
}

BENCHMARK(BM_DrawShape)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawShapeAndPaint)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
// The largest drawing area, asked for afresh (as the size dialog or a star file asks):
// goal a picture on the screen within a second, with the window and its canvas each no
// larger than the screen, where a window of the area's size would hold 1 GiB.
void BM_LargestAreaShown(benchmark::State &state) {
    const int status = mainWindow->status->height();
    for (auto _ : state) {
        state.PauseTiming();
        mainWindow->SetClientSize(408, 251 + status);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        mainWindow->SetClientSize(16384, 16384 + status);
        QCoreApplication::processEvents();
        mainWindow->repaint();
    }
    state.counters["canvas MB"] = double(mainWindow->starView->Canvas().sizeInBytes()) / 1e6;
    state.counters["window MB"] = 4.0 * mainWindow->width() * mainWindow->height() / 1e6;
    mainWindow->SetClientSize(408, 251 + status);
}

BENCHMARK(BM_LargestAreaShown)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareFillAndCopy)->Args({408, 251})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The smooth-edges preference is toggled here: never in the user's settings.
    QStandardPaths::setTestModeEnabled(true);
    // Start from the defaults, whatever settings file the current folder holds.
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    ProgramWindows windows;
    mainWindow = windows.main.get();
    mainWindow->show();
    QCoreApplication::processEvents();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    mainWindow->Modified = false;
    return 0;
}
