// Reference engine speed, as ratios against baselines measured in the same run:
// - opening a 100,000-entity .T file against reading the same entity rows with the plain SQLite C
//   API (target: within 3x);
// - reading only the drawing-level record against a full open (target: under 1%);
// - select-all-of-kind plus the next-selected walk, linear in the entity count.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include <ckw/ReferenceEngine.h>
#include "BenchTiming.h"

namespace {

using namespace ckw::engine;
constexpr int kEntities = 100000;

// A drawing with lines, polylines, texts and circles on a few layers, a quarter with xdata.
void Fill(ReferenceEngine& eng, int count) {
    eng.Reset();
    for (int layer = 1; layer <= 8; ++layer)
        eng.Current().DefineLayer({layer, "layer " + std::to_string(layer), 1, 250, layer, 0});
    int words[] = {10000, '{', 10010, 3, 0x5F574B24, 0x554C4F43, 0x4D, 10001, 7, 10099, '}'};
    float xs[4] = {0, 100, 100, 0}, ys[4] = {0, 0, 50, 50};
    for (int i = 0; i < count; ++i) {
        eng.HostSetPen(1 + i % 8, 1, 250, 1 + i % 7, 1);
        eng.HostSetNewEntityXData(i % 4 == 0 ? 11 : 0, words);
        float x = float(i % 1000) * 10, y = float(i / 1000) * 10;
        switch (i % 4) {
        case 0:
            eng.HostDrawLine(x, y, x + 9, y + 9);
            break;
        case 1: {
            float px[4], py[4];
            for (int k = 0; k < 4; ++k) px[k] = x + xs[k] / 20, py[k] = y + ys[k] / 20;
            eng.HostDrawPolyline(4, px, py);
            break;
        }
        case 2:
            eng.HostDrawText("KZ1 500x500", 11, x, y, 2, 3, 101, 101, 0);
            break;
        default:
            eng.HostDrawArc(x, y, 4, 0, 360);
        }
    }
    eng.HostSetNewEntityXData(0, words);
    eng.HostCreateDrawingData(0, 0, 11, 0);
    eng.HostWriteDrawingData(0, 0, words, 11, 0);
}

const std::filesystem::path& BigFile() {
    static std::filesystem::path file = [] {
        auto path = std::filesystem::temp_directory_path() / ("ckw-bench-" + std::to_string(::getpid()) + ".T");
        ReferenceEngine eng;
        Fill(eng, kEntities);
        std::string error;
        if (!eng.Save(0, path, error)) throw std::runtime_error(error);
        return path;
    }();
    return file;
}

struct Cleanup {
    ~Cleanup() {
        std::error_code ec;
        std::filesystem::remove(
            std::filesystem::temp_directory_path() / ("ckw-bench-" + std::to_string(::getpid()) + ".T"), ec);
    }
} cleanup;

double g_plainRead = 0, g_fullOpen = 0;

using ckw::bench::TimePerIteration;

void BM_PlainSqliteRead(benchmark::State& state) {
    const auto& file = BigFile();
    g_plainRead = TimePerIteration(state, [&] {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT id, kind, layer, line_type, width, colour, attr5, attr6, attr7, vals, text, xdata "
                           "FROM entities ORDER BY id",
                           -1, &st, nullptr);
        int64_t sum = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < 9; ++c) sum += sqlite3_column_int(st, c);
            for (int c = 9; c < 12; ++c) {
                const void* bytes = sqlite3_column_blob(st, c);
                sum += sqlite3_column_bytes(st, c) + (bytes != nullptr);
            }
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        benchmark::DoNotOptimize(sum);
    });
}

void BM_OpenDrawing(benchmark::State& state) {
    const auto& file = BigFile();
    g_fullOpen = TimePerIteration(state, [&] {
        Drawing d;
        std::string error;
        if (!ReadDrawingFile(file, d, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(d.Entities().data());
    });
    if (g_plainRead > 0) state.counters["x_plain_sqlite"] = g_fullOpen / g_plainRead;
}

void BM_ReadDrawingRecordOnly(benchmark::State& state) {
    const auto& file = BigFile();
    double t = TimePerIteration(state, [&] {
        std::vector<int32_t> words;
        std::string error;
        if (!ReadDrawingRecord(file, words, error)) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(words.data());
    });
    if (g_fullOpen > 0) state.counters["percent_of_open"] = 100 * t / g_fullOpen;
}

void BM_SaveDrawing(benchmark::State& state) {
    ReferenceEngine eng;
    Fill(eng, kEntities);
    auto path = std::filesystem::temp_directory_path() / ("ckw-bench-save-" + std::to_string(::getpid()) + ".T");
    for (auto _ : state) {
        std::string error;
        if (!eng.Save(0, path, error)) state.SkipWithError(error.c_str());
    }
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

void BM_SelectAllOfKindAndWalk(benchmark::State& state) {
    ReferenceEngine eng;
    Fill(eng, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        eng.HostClearSelection();
        eng.HostSelectAllOfKind(0, kLine);
        int count = 0, walked = 0, kind = -1;
        eng.HostGetSelectionCount(count);
        while (true) {
            eng.HostNextSelected(0, kind);
            if (kind == 0) break;
            ++walked;
        }
        benchmark::DoNotOptimize(walked);
    }
    state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_PlainSqliteRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDrawing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDrawingRecordOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveDrawing)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SelectAllOfKindAndWalk)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
