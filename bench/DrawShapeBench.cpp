// On-screen redraw cost of the main window beside the least any redraw must do:
// fill a frame of the same size and copy it.
#include "Forms.h"
#include "Vantmain.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

namespace {

void SetUpWindow(int width, int height, bool fill) {
    Form1->SetClientSize(width, height + Form1->StatusBar1->height());
    QCoreApplication::processEvents();
    if (Form1->Fill1->isChecked() != fill)
        Form1->Fill1->trigger();
}

void BM_DrawShape(benchmark::State &state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    SetUpWindow(width, height, state.range(2) != 0);
    for (auto _ : state) {
        Form1->DrawShape(Form1->PaintBox->Canvas());
        benchmark::DoNotOptimize(Form1->PaintBox->Canvas().constBits());
    }
    state.SetLabel(state.range(2) ? "filled" : "outline");
}

// The redraw as the user sees it: rendering, then the paint event's copy to the window.
void BM_DrawShapeAndPaint(benchmark::State &state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    SetUpWindow(width, height, state.range(2) != 0);
    for (auto _ : state) {
        Form1->DrawShape(Form1->PaintBox->Canvas());
        Form1->PaintBox->repaint();
    }
    state.SetLabel(state.range(2) ? "filled" : "outline");
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

void Sizes(benchmark::internal::Benchmark *b) {
    for (int fill : {0, 1}) {
        b->Args({408, 251, fill});
        b->Args({1920, 1080, fill});
    }
}

BENCHMARK(BM_DrawShape)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawShapeAndPaint)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareFillAndCopy)->Args({408, 251})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Start from the defaults, whatever settings file the current folder holds.
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    CreateForms();
    Form1->show();
    QCoreApplication::processEvents();

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Form1->Modified = false;
    DestroyForms();
    return 0;
}
