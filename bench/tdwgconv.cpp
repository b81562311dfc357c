// Converter speed and memory, as ratios against baselines measured in the same run (processor
// time for the DXF pair, which runs in this process; wall time for the programs run as children):
//   DXF: converting (read, map, save the .T) a plan of 200,000 lines, 50,000 texts and 10,000
//        insertions of a few blocks (an R2000 DXF of about 42 MB, made at start into a temporary
//        folder) against dxflib parsing it with an empty handler, in alternate rounds (target:
//        within 1.3x);
//   DXF memory: TdwgConv's peak resident size converting that file, against the file's size
//        (target: within 2x);
//   DWG: TdwgConv on a 500 kB DWG test file against the DWG package's bare read of it (read and
//        convert to its object list), Node.js start-up counted on both sides (target: within 1.1x).
#include <benchmark/benchmark.h>
#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "DxfWriter.h"
#include "Readers.h"
#include "TWriter.h"
#include "platform/Shell.h"
#include <ckw/ReferenceEngine.h>

namespace {

namespace fs = std::filesystem;
namespace eng = ckw::engine;

const fs::path kDwg = fs::path(CKW_TEST_DATA_DIR) / "dwg" / "lw_example_r13.dwg";
const fs::path kDir = fs::temp_directory_path() / ("ckw-bench-tdwg-" + std::to_string(::getpid()));
const fs::path kDxf = kDir / "plan.dxf";
const fs::path kOut = kDir / "out.T";

struct TempDir {
    TempDir() {
        std::error_code ec;
        fs::create_directories(kDir, ec);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(kDir, ec);
    }
} tempDir;

// The plan: lines and texts spread over a 100 x 70 m floor on a dozen layers, and insertions of
// three small blocks, from a fixed seed.
bool MakePlanDxf(std::string& error) {
    eng::Drawing d;
    for (int layer = 1; layer <= 12; ++layer)
        d.DefineLayer({layer, "PLAN-" + std::to_string(layer), 1, 250, 1 + layer % 7, 0});
    auto entity = [](int kind, int layer, std::vector<float> values, std::string text = {}) {
        eng::Entity e;
        e.kind = kind;
        e.attributes = {layer, 1, 0, 256, 0, 0, 0};
        e.values = std::move(values);
        e.text = std::move(text);
        return e;
    };
    for (int number = 1; number <= 3; ++number) {
        eng::Block& b = d.Blocks()[number];
        b.number = number;
        b.name = "BLOCK-" + std::to_string(number);
        b.extents = {0, 0, 0, 600, 600, 0};
        for (auto [x1, y1, x2, y2] : {std::array{0, 0, 600, 0}, {600, 0, 600, 600}, {600, 600, 0, 600}, {0, 600, 0, 0}})
            b.entities.push_back(entity(eng::kLine, 1, {float(x1), float(y1), float(x2), float(y2)}));
        b.entities.push_back(entity(eng::kCircle, 1, {300, 300, 100.0f * number}));
    }
    std::mt19937 random(42);
    std::uniform_real_distribution<float> x(0, 100000), y(0, 70000), len(50, 2000);
    for (int i = 0; i < 200000; ++i) {
        const float x0 = x(random), y0 = y(random);
        d.Add(entity(eng::kLine, 1 + i % 12, {x0, y0, x0 + len(random), y0 + (i % 2 ? len(random) : 0)}));
    }
    for (int i = 0; i < 50000; ++i)
        d.Add(entity(eng::kWesternText, 1 + i % 12, {350, 250, x(random), y(random), float(i % 4 * 90), 101, 101},
                     "KL" + std::to_string(i % 50) + "(2) 300x600"));
    for (int i = 0; i < 10000; ++i)
        d.Add(entity(eng::kBlockInsert, 1 + i % 12, {float(1 + i % 3), x(random), y(random), 0, 1, 1, 1, 0}));
    // Our export writes bare group codes and line feeds; the file is given the layout of the
    // program that defined the format: codes right-aligned in three columns, CR LF line ends.
    const std::string text = ckw::dxf::DxfText(d);
    std::string out;
    out.reserve(text.size() * 5 / 4);
    bool code = true;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        if (code && end - at < 3) out.append(3 - (end - at), ' ');
        out.append(text, at, end - at).append("\r\n");
        code = !code, at = end + 1;
    }
    std::ofstream file(kDxf, std::ios::binary);
    file.write(out.data(), std::streamsize(out.size()));
    file.close();
    if (!file) error = "cannot write " + kDxf.string();
    return bool(file);
}

const std::string& PlanDxf() {
    static const std::string made = [] {
        std::string error;
        return MakePlanDxf(error) ? std::string() : "cannot make the test DXF: " + error;
    }();
    return made;
}

// Linux keeps a process's peak resident size across exec, and a child of this process starts
// from this one's peak: so the program is run by a fresh copy of this one (small, having done
// nothing), which forks it, waits for it and prints its peak.
constexpr const char* kPeakOption = "--peak-resident-size-of";

int PrintPeakResidentSize(char** argv) {
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
    std::printf("%ld\n", usage.ru_maxrss * 1024L);
    return 0;
}

// The peak resident size in bytes of a program run to its end, or -1 when it failed.
long PeakResidentBytes(std::vector<std::string> args) {
    args.insert(args.begin(), {"/proc/self/exe", kPeakOption});
    ckw::shell::RunResult r = ckw::shell::RunAndCapture(args, std::chrono::seconds(120));
    return r.Succeeded() ? std::atol(r.output.c_str()) : -1;
}

double g_bareDwg = 0;

using ckw::bench::CpuSeconds;
using ckw::bench::TimePerIteration;

void DxflibBareParse(benchmark::State& state) {
    DL_CreationAdapter empty;
    DL_Dxf dxf;
    if (!dxf.in(kDxf.string(), &empty)) state.SkipWithError("dxflib cannot read the file");
}

void ConvertPlan(benchmark::State& state) {
    tdwg::Drawing d;
    std::string error;
    if (!tdwg::ConvertDxf(kDxf, d, kOut, error)) state.SkipWithError(error.c_str());
}

// Each round converts the file and has dxflib parse it bare, one after the other, so that both
// are measured under the same load: the speed of a shared machine drifts by a tenth within a
// minute. The time shown is the conversion's.
void BM_ConvertDxf(benchmark::State& state) {
    if (!PlanDxf().empty()) return state.SkipWithError(PlanDxf().c_str());
    double convert = 0, bare = 0;
    for (auto _ : state) {
        const double start = CpuSeconds();
        ConvertPlan(state);
        const double converted = CpuSeconds();
        DxflibBareParse(state);
        const double parsed = CpuSeconds();
        state.SetIterationTime(converted - start);
        convert += converted - start;
        bare += parsed - converted;
    }
    state.counters["bare_parse_ms"] = bare * 1e3 / double(state.iterations());
    state.counters["x_dxflib_bare"] = convert / bare;
}

void BM_ConvertDxfPeakMemory(benchmark::State& state) {
    if (!PlanDxf().empty()) return state.SkipWithError(PlanDxf().c_str());
    long peak = 0;
    for (auto _ : state) {
        peak = PeakResidentBytes({TDWGCONV_PROGRAM, kDxf.string(), "-q", "-o", kOut.string()});
        if (peak < 0) return state.SkipWithError("TdwgConv failed on the test DXF");
    }
    const double size = double(fs::file_size(kDxf));
    state.counters["input_MB"] = size / 1e6;
    state.counters["peak_MB"] = double(peak) / 1e6;
    state.counters["x_input_size"] = double(peak) / size;
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

BENCHMARK(BM_ConvertDxf)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_ConvertDxfPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_DwgPackageBareRead)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ConvertDwg)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == kPeakOption) return PrintPeakResidentSize(argv + 2);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
