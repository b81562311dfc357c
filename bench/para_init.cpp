// Init of the parameter library on the shipped library, against reading the same five tables
// with the plain SQLite C API. Target: Init within 1.5x of the plain read (counter x_plain_read:
// processor time per Init over the plain read's, measured just before in the same run).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "BenchConfig.h"
#include "BenchTiming.h"
#include <ckw/DrawingPara.h>

namespace {

ckw::bench::ShippedConfiguration& Config() {
    static ckw::bench::ShippedConfiguration config;
    static bool started = [] {
        m_exDrawingPara.Init();  // first start: makes the user library
        m_exDrawingPara.Close();
        return true;
    }();
    (void)started;
    return config;
}

double g_plainRead = 0;

// The baseline: one connection, each table read row by row into strings and numbers.
void PlainSqliteRead(benchmark::State& state) {
    std::string path = Config().UserLibrary().string();
    const char* tables[] = {"系统线型表", "颜色表", "系统文字标注高宽表", "系统尺寸标注表", "系统构件图层表"};
    g_plainRead = ckw::bench::CpuTimePerIteration(state, [&] {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
        size_t cells = 0;
        for (const char* table : tables) {
            std::string sql = "select * from " + ckw::text::GbkToUtf8(table);
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                    std::string text =
                        ckw::text::Utf8ToGbk(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)) ?: "");
                    cells += text.size();
                }
            }
            sqlite3_finalize(stmt);
        }
        sqlite3_close(db);
        benchmark::DoNotOptimize(cells);
    });
}
BENCHMARK(PlainSqliteRead)->Unit(benchmark::kMicrosecond);

void DrawingParaInit(benchmark::State& state) {
    Config();
    const double t = ckw::bench::CpuTimePerIteration(state, [] {
        m_exDrawingPara.Init();
        benchmark::DoNotOptimize(m_exDrawingPara.GetLayerCount());
        m_exDrawingPara.Close();
    });
    if (g_plainRead > 0) state.counters["x_plain_read"] = t / g_plainRead;
}
BENCHMARK(DrawingParaInit)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
