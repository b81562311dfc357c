// Drawing-file services, as ratios against baselines measured in the same run:
// - browsing a folder of 1,000 drawings against reading their drawing-information records
//   directly from the files (target: within 2x);
// - selecting the imported entities of a drawing of which half are imported against one walk over
//   the drawing that reads every entity (target: within 2x), linear in the entity count.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "BenchTiming.h"
#include <ckw/DrawingRecords.h>
#include <ckw/ReferenceEngine.h>
#include "drawfiles/ImportedEntities.h"
#include "drawfiles/OldDrawings.h"
#include "base/GbkText.h"

namespace {

namespace fs = std::filesystem;
using namespace ckw::engine;
constexpr int kDrawings = 1000;

// 1,000 drawings of 200 entities each; every fifth is another drawing name.
const fs::path& Folder() {
    static fs::path folder = [] {
        fs::path dir = fs::temp_directory_path() / ("ckw-bench-browse-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        ReferenceEngine eng;
        HostEngine* previous = m_pCfg;
        m_pCfg = &eng;
        for (int i = 0; i < kDrawings; ++i) {
            eng.Reset();
            eng.Current().DefineLayer({1, "AXIS", 1, 0, 7, 0});
            eng.HostSetPen(1, 1, 0, 7, 1);
            for (int k = 0; k < 200; ++k) eng.HostDrawLine(float(k), 0, float(k), 100);
            kwWrite_DrawingInfo(5, i % 5 ? "PLAN" : "OTHER", i % 10, 100);
            std::string error;
            if (!eng.Save(0, dir / ("F" + std::to_string(i) + ".T"), error)) throw std::runtime_error(error);
        }
        m_pCfg = previous;
        return dir;
    }();
    return folder;
}

struct Cleanup {
    ~Cleanup() {
        std::error_code ec;
        fs::remove_all(fs::temp_directory_path() / ("ckw-bench-browse-" + std::to_string(::getpid())), ec);
    }
} cleanup;

double g_directRead = 0, g_walk = 0;

void BM_ReadInfoRecordsDirectly(benchmark::State& state) {
    const fs::path& folder = Folder();
    g_directRead = ckw::bench::CpuTimePerIteration(state, [&] {
        size_t words = 0;
        for (const auto& entry : fs::directory_iterator(folder)) {
            std::vector<int32_t> record;
            std::string error;
            if (ReadDrawingRecord(entry.path(), record, error)) words += record.size();
        }
        benchmark::DoNotOptimize(words);
    });
}

void BM_BrowseFolder(benchmark::State& state) {
    const std::string folder = ckw::text::Utf8ToGbk(Folder().string());
    ReferenceEngine eng;
    HostEngine* previous = m_pCfg;
    m_pCfg = &eng;
    size_t found = 0;
    const double t = ckw::bench::CpuTimePerIteration(state, [&] {
        found = ckw::drawfiles::FindOldDrawings({folder, "PLAN", 5, 999}).size();
        benchmark::DoNotOptimize(found);
    });
    m_pCfg = previous;
    state.counters["candidates"] = double(found);
    if (g_directRead > 0) state.counters["x_direct_read"] = t / g_directRead;
}

// count entities: lines and circles, half on the user's layers 1-2, half on imported layers 3-4.
void FillImported(ReferenceEngine& eng, int count) {
    eng.Reset();
    eng.Current().DefineLayer({1, "AXIS", 1, 0, 7, 0});
    eng.Current().DefineLayer({2, "WALL", 1, 0, 7, 0});
    eng.Current().DefineLayer({3, "$_A-WALL", 1, 0, 7, 0});
    eng.Current().DefineLayer({4, "$_A-TEXT", 1, 0, 7, 0});
    for (int i = 0; i < count; ++i) {
        eng.HostSetPen(1 + i % 4, 1, 0, 7, 1);
        const float x = float(i % 1000), y = float(i / 1000);
        if (i % 8 < 4)
            eng.HostDrawLine(x, y, x + 1, y + 1);
        else
            eng.HostDrawArc(x, y, 0.5f, 0, 360);
    }
}

void BM_WalkReadingEveryEntity(benchmark::State& state) {
    ReferenceEngine eng;
    FillImported(eng, static_cast<int>(state.range(0)));
    int attributes[kHostAttributeCount];
    std::vector<float> values(kHostRecordCapacity);
    std::vector<char> text(kHostRecordCapacity);
    const int unit = eng.CurrentUnit();
    g_walk = ckw::bench::CpuTimePerIteration(state, [&] {
        int layers = 0;
        for (int kind = 0;;) {
            eng.HostNextSelected(unit, kind);
            if (kind == 0) break;
            int valueCount = 0, textLength = 0;
            eng.HostReadEntity(kind, attributes, values.data(), valueCount, text.data(), textLength,
                               kHostRecordCapacity);
            layers += attributes[0];
        }
        benchmark::DoNotOptimize(layers);
    });
    state.SetComplexityN(state.range(0));
}

void BM_SelectImportedEntities(benchmark::State& state) {
    ReferenceEngine eng;
    FillImported(eng, static_cast<int>(state.range(0)));
    HostEngine* previous = m_pCfg;
    m_pCfg = &eng;
    int selected = 0;
    const double t = ckw::bench::CpuTimePerIteration(state, [&] {
        // As between two transforms, the drawing has moved since the last selection: nothing the
        // engine learnt of it then holds.
        eng.Current().Data();
        selected = ckw::drawfiles::SelectImportedEntities();
    });
    m_pCfg = previous;
    if (selected != state.range(0) / 2) state.SkipWithError("not half of the entities selected");
    if (g_walk > 0) state.counters["x_one_walk"] = t / g_walk;
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_ReadInfoRecordsDirectly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BrowseFolder)->Unit(benchmark::kMillisecond);
// Each size measures the walk, then the selection, so that every ratio compares one size.
BENCHMARK(BM_WalkReadingEveryEntity)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectImportedEntities)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkReadingEveryEntity)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectImportedEntities)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkReadingEveryEntity)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectImportedEntities)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
