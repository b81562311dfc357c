// A window selection and a crossing selection of about one bay of a 100,000-entity drawing, as a
// person drags them on the canvas (the engine's SelectInBox through the hit-test index), against
// a scan that tests every entity against the box, in the same run. Counter x_scan: the share of
// the scan's time.
#include <benchmark/benchmark.h>

#include "BenchDrawing.h"
#include "BenchTiming.h"
#include "engine/Shapes.h"
#include <ckw/ReferenceEngine.h>

namespace {

using namespace ckw;

engine::ReferenceEngine& Engine() {
    static engine::ReferenceEngine* e = [] {
        auto* made = new engine::ReferenceEngine;
        made->Current() = bench::PlanDrawing(100000);
        return made;
    }();
    return *e;
}

// Boxes of 3 m by 2 m spread over the floor.
std::array<double, 4> Box(size_t i) {
    const double x = (i * 7919 % 900) * 100.0, y = (i * 104729 % 600) * 100.0;
    return {x, y, x + 3000, y + 2000};
}

double g_scan[2] = {0, 0};

void BM_ScanBox(benchmark::State& state) {
    auto& d = Engine().Current();
    const bool crossing = state.range(0) != 0;
    size_t i = 0, met = 0;
    g_scan[crossing] = bench::CpuTimePerIteration(state, [&] {
        const auto [x1, y1, x2, y2] = Box(i++);
        for (const auto& e : d.Entities()) {
            if (e.deleted || !IsDrawnKind(e.kind)) continue;
            met += engine::InsideBox(e, d.Blocks(), x1, y1, x2, y2) ||
                   (crossing && engine::CrossesBox(e, d.Blocks(), x1, y1, x2, y2));
        }
    });
    state.counters["met"] = double(met) / double(state.iterations());
}
BENCHMARK(BM_ScanBox)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SelectInBox(benchmark::State& state) {
    auto& engine = Engine();
    const bool crossing = state.range(0) != 0;
    engine.SelectInBox(0, 0, 1, 1, crossing);  // the index is built once, as the first pick does
    size_t i = 0, met = 0;
    const double t = bench::CpuTimePerIteration(state, [&] {
        const auto [x1, y1, x2, y2] = Box(i++);
        engine.HostClearSelection();
        met += engine.SelectInBox(x2, y2, x1, y1, crossing);
    });
    state.counters["met"] = double(met) / double(state.iterations());
    if (g_scan[crossing] > 0) state.counters["x_scan"] = t / g_scan[crossing];
}
BENCHMARK(BM_SelectInBox)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
