// Opening a 100,000-entity drawing in the shown drawing window against opening the .T file alone,
// in the same run. Target: within 1.5x.
//  - BM_OpenWindow: what a person sees first: the file read, the drawing's tab, title and layer
//    panel, and the canvas painted once, fitted to the drawing and saying how far its picture has
//    come (the canvas builds the picture in slices between events, so the window answers while the
//    drawing arrives);
//  - BM_OpenWindowAndPaint: until the whole drawing is on the canvas (the first complete paint).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <cstdio>
#include <memory>

#include "BenchDrawing.h"
#include "BenchTiming.h"
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
        if (!engine::WriteDrawingFile(path, bench::PlanDrawing(100000), error))
            std::fprintf(stderr, "%s\n", error.c_str());
    }
};

Fixture& Data() {
    static Fixture f;
    return f;
}

long PageFaults() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_minflt;
}

// Every opening starts alike: the engine reset and an empty window shown; the window and the
// drawing are dropped afterwards. None of that is timed. Memory the process takes afresh costs a
// page fault per page on first touch, a good part of opening a large drawing in a program just
// started: the counter shows how many each opening took.
template <class Open>
void EachOpening(benchmark::State& state, Open open) {
    long faults = 0;
    for (auto _ : state) {
        state.PauseTiming();
        engine::DefaultEngine().Reset();
        auto window = std::make_unique<kwdraw::MainWindow>();
        window->resize(1600, 1000);
        window->show();
        QApplication::processEvents();
        state.ResumeTiming();
        const long before = PageFaults();
        open(*window);
        faults += PageFaults() - before;
        state.PauseTiming();
        window.reset();
        engine::DefaultEngine().Reset();
        state.ResumeTiming();
    }
    state.counters["page_faults"] = benchmark::Counter(double(faults), benchmark::Counter::kAvgIterations);
}

// The .T file alone, read onto an engine unit as the window's Open reads it.
void BM_OpenDrawingFile(benchmark::State& state) {
    EachOpening(state, [&](kwdraw::MainWindow&) {
        auto& engine = engine::DefaultEngine();
        std::string error;
        if (!engine.Open(engine.NewDrawing(0), Data().path, error)) state.SkipWithError(error.c_str());
    });
}
BENCHMARK(BM_OpenDrawingFile)->Unit(benchmark::kMillisecond);

void OpenWindow(benchmark::State& state, bool paint) {
    EachOpening(state, [&](kwdraw::MainWindow& window) {
        auto* view = window.OpenDrawing(QString::fromStdString(Data().path));
        benchmark::DoNotOptimize(view->grab());
        if (paint) {
            while (!view->Arrived()) QApplication::processEvents();
            benchmark::DoNotOptimize(view->grab());
        }
    });
}

void BM_OpenWindow(benchmark::State& state) { OpenWindow(state, false); }
BENCHMARK(BM_OpenWindow)->Unit(benchmark::kMillisecond);

void BM_OpenWindowAndPaint(benchmark::State& state) { OpenWindow(state, true); }
BENCHMARK(BM_OpenWindowAndPaint)->Unit(benchmark::kMillisecond);

// A repaint of the canvas, what each move of the mouse costs, with every entity of the drawing
// selected (outlined over the kept picture) against the same repaint with nothing selected.
// Counter x_unselected: the ratio of the two.
kwdraw::DrawingView& Arrived() {
    static kwdraw::DrawingView* view = [] {
        engine::DefaultEngine().Reset();
        auto* window = new kwdraw::MainWindow;  // kept to the end of the program
        window->resize(1600, 1000);
        window->show();
        auto* opened = window->OpenDrawing(QString::fromStdString(Data().path));
        while (!opened->Arrived()) QApplication::processEvents();
        return opened;
    }();
    return *view;
}

double g_unselected = 0;

void Repaint(benchmark::State& state, bool everything) {
    auto& view = Arrived();
    auto& engine = engine::DefaultEngine();
    if (everything)
        engine.HostSelectAllOfKind(0, 0);
    else
        engine.HostClearSelection();
    view.repaint();  // the outlines are made once, at the first paint after the selection changed
    const double t = bench::CpuTimePerIteration(state, [&] { view.repaint(); });
    if (!everything) g_unselected = t;
    if (everything && g_unselected > 0) state.counters["x_unselected"] = t / g_unselected;
    state.counters["selected"] = double(engine.SelectedEntities().size());
}

void BM_RepaintNothingSelected(benchmark::State& state) { Repaint(state, false); }
BENCHMARK(BM_RepaintNothingSelected)->Unit(benchmark::kMillisecond);

void BM_RepaintEverythingSelected(benchmark::State& state) { Repaint(state, true); }
BENCHMARK(BM_RepaintEverythingSelected)->Unit(benchmark::kMillisecond);

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
