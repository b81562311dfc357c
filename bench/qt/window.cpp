// Opening the drawing window on a 100,000-entity drawing (read, display model, layer panel; then
// with the first paint of the canvas) against reading the .T file alone, in the same run.
// Target: within 1.5x.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "BenchDrawing.h"
#include "DrawingView.h"
#include "MainWindow.h"
#include <ckw/ReferenceEngine.h>

namespace {

using namespace ckw;

struct Fixture {
    QTemporaryDir dir;
    std::string path = (dir.path() + "/plan.T").toStdString();
    Fixture() {
        std::string error;
        if (!engine::WriteDrawingFile(path, bench::PlanDrawing(100000), error)) std::fprintf(stderr, "%s\n", error.c_str());
    }
};

Fixture& Data() {
    static Fixture f;
    return f;
}

void BM_ReadDrawingFile(benchmark::State& state) {
    auto& f = Data();
    for (auto _ : state) {
        engine::Drawing d;
        std::string error;
        benchmark::DoNotOptimize(engine::ReadDrawingFile(f.path, d, error));
    }
}
BENCHMARK(BM_ReadDrawingFile)->Unit(benchmark::kMillisecond);

void OpenWindow(benchmark::State& state, bool paint) {
    auto& f = Data();
    for (auto _ : state) {
        state.PauseTiming();
        engine::DefaultEngine().Reset();
        auto window = std::make_unique<kwdraw::MainWindow>();
        window->resize(1600, 1000);
        state.ResumeTiming();
        auto* view = window->OpenDrawing(QString::fromStdString(f.path));
        if (paint) benchmark::DoNotOptimize(view->grab());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

void BM_OpenWindow(benchmark::State& state) { OpenWindow(state, false); }
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

void BM_OpenWindowAndPaint(benchmark::State& state) { OpenWindow(state, true); }
BENCHMARK(BM_OpenWindowAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    static char platform[] = "-platform", offscreen[] = "offscreen";
    int qtArgc = 3;
    char* qtArgv[] = {argv[0], platform, offscreen, nullptr};
    QApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
