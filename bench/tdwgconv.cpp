// Converter speed, as ratios against baselines measured in the same run:
//   DXF: converting the largest DXF test file (read, map, save the .T) against dxflib parsing it
//        with an empty handler (target: within 2x);
//   DWG: TdwgConv on the largest DWG test file against the DWG package's bare read of it (read and
//        convert to its object list), Node.js start-up counted on both sides (target: within 1.5x).
#include <benchmark/benchmark.h>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "platform/Shell.h"
#include <ckw/ReferenceEngine.h>
#include "BenchTiming.h"
#include "Readers.h"
#include "TWriter.h"

namespace {

namespace fs = std::filesystem;

const fs::path kDxf = fs::path(CKW_TEST_DATA_DIR) / "dxf" / "libredwg_example_2000.dxf";
const fs::path kDwg = fs::path(CKW_TEST_DATA_DIR) / "dwg" / "example_2000.dwg";
const fs::path kOut = fs::temp_directory_path() / ("ckw-bench-tdwg-" + std::to_string(::getpid()) + ".T");

struct Cleanup {
    ~Cleanup() {
        std::error_code ec;
        fs::remove(kOut, ec);
    }
} cleanup;

double g_bareDxf = 0, g_bareDwg = 0;

using ckw::bench::TimePerIteration;

void BM_DxflibBareParse(benchmark::State& state) {
    g_bareDxf = TimePerIteration(state, [&] {
        DL_CreationAdapter empty;
        DL_Dxf dxf;
        if (!dxf.in(kDxf.string(), &empty)) state.SkipWithError("dxflib cannot read the file");
    });
}

void BM_ConvertDxf(benchmark::State& state) {
    double t = TimePerIteration(state, [&] {
        tdwg::Drawing d;
        std::string error;
        if (!tdwg::ReadDxf(kDxf, d, error) || !tdwg::WriteT(d, kOut, error)) state.SkipWithError(error.c_str());
    });
    if (g_bareDxf > 0) state.counters["x_dxflib_bare"] = t / g_bareDxf;
}

void BM_DwgPackageBareRead(benchmark::State& state) {
    const std::string package = std::string(TDWGCONV_DWG_DIR) + "/node_modules/@mlightcad/libredwg-web";
    const std::string script =
        "import { readFileSync } from 'node:fs';"
        "const { LibreDwg } = await import('" +
        package +
        "/dist/libredwg-web.js');"
        "const lib = await LibreDwg.create('" +
        package +
        "/wasm/');"
        "const w = lib.wasmInstance; w.FS.writeFile('i.dwg', new Uint8Array(readFileSync(process.argv[1])));"
        "const r = w.dwg_read_file('i.dwg'); const db = lib.convert(r.data);"
        "process.exit(db.entities.length > 0 ? 0 : 1);";
    g_bareDwg = TimePerIteration(state, [&] {
        ckw::shell::RunResult r = ckw::shell::RunAndCapture(
            {"node", "--input-type=module", "-e", script, kDwg.string()}, std::chrono::seconds(120));
        if (r.exitStatus != 0) state.SkipWithError(("the package cannot read the file: " + r.errors).c_str());
    });
}

void BM_ConvertDwg(benchmark::State& state) {
    double t = TimePerIteration(state, [&] {
        ckw::shell::RunResult r = ckw::shell::RunAndCapture(
            {TDWGCONV_PROGRAM, kDwg.string(), "-q", "-o", kOut.string()}, std::chrono::seconds(120));
        if (r.exitStatus != 0) state.SkipWithError(r.errors.c_str());
    });
    if (g_bareDwg > 0) state.counters["x_package_bare"] = t / g_bareDwg;
}

BENCHMARK(BM_DxflibBareParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertDxf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DwgPackageBareRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ConvertDwg)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
