// A hit test at a point in a 100,000-entity drawing through the engine's spatial index against a
// scan of every entity, in the same run. Target: under 1% of the scan.
#include <benchmark/benchmark.h>

#include "BenchDrawing.h"
#include "engine/EntityIndex.h"
#include "engine/Shapes.h"

namespace {

using namespace ckw;

struct Fixture {
    engine::Drawing drawing = bench::PlanDrawing(100000);
    engine::EntityIndex index{drawing};
};

Fixture& Data() {
    static Fixture f;
    return f;
}

void BM_IndexedHitTest(benchmark::State& state) {
    auto& f = Data();
    size_t i = 0, found = 0;
    for (auto _ : state) {
        auto [x, y] = bench::FloorPoint(i++);
        benchmark::DoNotOptimize(f.index.Nearest(f.drawing, x, y, 50, found));
    }
}
BENCHMARK(BM_IndexedHitTest);

void BM_LinearScanHitTest(benchmark::State& state) {
    auto& f = Data();
    size_t i = 0;
    for (auto _ : state) {
        auto [x, y] = bench::FloorPoint(i++);
        double best = 50;
        size_t found = 0;
        const auto& entities = f.drawing.Entities();
        for (size_t k = 0; k < entities.size(); ++k) {
            if (entities[k].deleted || entities[k].kind > 10000) continue;
            double distance = engine::DistanceTo(entities[k], f.drawing.Blocks(), x, y);
            if (distance <= best) best = distance, found = k;
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LinearScanHitTest)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
