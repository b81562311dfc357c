// An object-snap query at the cursor in a 100,000-entity drawing (every kind asked, a line being
// drawn from a point so that perpendicular feet are looked for too) against the cheapest linear
// scan there is: the distance from the cursor to every entity, in the same run.
// Target: the query under 1% of the scan (counter x_scan).
#include <benchmark/benchmark.h>

#include "BenchDrawing.h"
#include "BenchTiming.h"
#include "engine/Shapes.h"
#include "engine/SnapFinder.h"

namespace {

using namespace ckw;

struct Fixture {
    engine::Drawing drawing = bench::PlanDrawing(100000);
    engine::SnapFinder finder{drawing};
};

Fixture& Data() {
    static Fixture f;
    return f;
}

// The aperture: 10 pixels at a floor-wide view.
constexpr double kAperture = 100;

double g_scan = 0;

void BM_LinearScan(benchmark::State& state) {
    auto& f = Data();
    size_t i = 0;
    g_scan = bench::CpuTimePerIteration(state, [&] {
        auto [x, y] = bench::FloorPoint(i++);
        double best = kAperture;
        size_t found = 0;
        const auto& entities = f.drawing.Entities();
        for (size_t k = 0; k < entities.size(); ++k) {
            if (entities[k].deleted || !IsDrawnKind(entities[k].kind)) continue;
            double distance = engine::DistanceTo(entities[k], f.drawing.Blocks(), x, y);
            if (distance <= best) best = distance, found = k;
        }
        benchmark::DoNotOptimize(found);
    });
}
BENCHMARK(BM_LinearScan)->Unit(benchmark::kMillisecond);

void BM_SnapQuery(benchmark::State& state) {
    auto& f = Data();
    size_t i = 0, snapped = 0;
    const double t = bench::CpuTimePerIteration(state, [&] {
        auto [x, y] = bench::FloorPoint(i++);
        engine::SnapQuery query;
        query.x = x;
        query.y = y;
        query.within = kAperture;
        query.from = engine::Point2{x - 1000, y - 700};
        auto snap = f.finder.Find(f.drawing, query);
        snapped += snap.has_value();
        benchmark::DoNotOptimize(snap);
    });
    if (g_scan > 0) state.counters["x_scan"] = t / g_scan;
    state.counters["snapped"] = double(snapped) / double(state.iterations());
}
BENCHMARK(BM_SnapQuery)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
