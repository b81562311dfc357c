// Undoing an erase of every entity of a 100,000-entity drawing against the erase itself (one undo
// step, as the window records a command), and the memory that step keeps against the entities'
// own. Targets: the undo within 2x of the erase (counter x_erase), the history within 1.5x of
// the entities (counter x_entities).
#include <benchmark/benchmark.h>

#include <ckw/ReferenceEngine.h>

#include "BenchDrawing.h"
#include "BenchTiming.h"
#include "engine/UndoHistory.h"

namespace {

using namespace ckw;

void BM_UndoEraseOfAll(benchmark::State& state) {
    engine::ReferenceEngine engine;
    engine.Current() = bench::PlanDrawing(100000);
    engine.ClearHistory();
    engine::Drawing& d = engine.Current();
    size_t entityBytes = 0;
    for (const engine::Entity& e : d.Entities()) entityBytes += engine::EntityBytes(e);
    double erasing = 0, undoing = 0;
    size_t historyBytes = 0;
    for (auto _ : state) {
        double start = bench::CpuSeconds();
        engine.BeginStep("erase");
        for (size_t i = 0; i < d.Entities().size(); ++i) d.Erase(i);
        engine.EndStep();
        erasing += bench::CpuSeconds() - start;
        historyBytes = engine.HistoryBytes();
        start = bench::CpuSeconds();
        if (!engine.Undo()) state.SkipWithError("nothing to undo");
        undoing += bench::CpuSeconds() - start;
        benchmark::DoNotOptimize(d.LiveCount());
    }
    const double n = double(state.iterations());
    state.counters["erase_ms"] = 1000 * erasing / n;
    state.counters["undo_ms"] = 1000 * undoing / n;
    state.counters["x_erase"] = undoing / erasing;
    state.counters["x_entities"] = double(historyBytes) / double(entityBytes);
}
BENCHMARK(BM_UndoEraseOfAll)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
