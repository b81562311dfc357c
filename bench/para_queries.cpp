// Queries on the shipped library against a std::unordered_map lookup of the same keys, normalised
// once at load (the caller's text normalised per lookup). Target: GetLayerInfo, GetTextInfo and
// GetCfgColorFromString within 1.2x of the map (counter x_map: processor time per lookup over the
// map's, measured just before in the same run).
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "BenchConfig.h"
#include "BenchTiming.h"
#include <ckw/DrawingPara.h>

namespace {

struct Loaded {
    Loaded() {
        m_exDrawingPara.Init();
        for (int i = 0; i < m_exDrawingPara.GetLayerCount(); ++i) {
            // What callers pass: the stored kind with other letter case and trailing blanks.
            std::string kind = m_exDrawingPara.GetLayerAt(i)->GetComponentKind();
            layerKinds.push_back(ckw::text::ToLower(kind) + "  ");
            layerMap.emplace(ckw::text::NameKey(kind), i);
        }
        for (int i = 0; i < m_exDrawingPara.GetTextCount(); ++i) {
            std::string kind = m_exDrawingPara.GetTextAt(i)->GetTextType();
            textKinds.push_back(kind + " ");
            textMap.emplace(ckw::text::NameKey(kind), i);
        }
        for (int i = 0; i < m_exDrawingPara.GetColorCount(); ++i) {
            std::string name = m_exDrawingPara.GetColorAt(i)->GetColorDes();
            colorTexts.push_back(ckw::text::ToLower(name));
            colorMap.emplace(ckw::text::NameKey(name), i);
        }
    }
    ckw::bench::ShippedConfiguration config;
    std::vector<std::string> layerKinds, textKinds, colorTexts;
    std::unordered_map<std::string, int> layerMap, textMap, colorMap;
};

Loaded& Data() {
    static Loaded data;
    return data;
}

double g_layerMap = 0, g_textMap = 0, g_colorMap = 0;

// The baseline: normalise the caller's text, then one hash lookup.
double MapLookup(benchmark::State& state, const std::vector<std::string>& keys,
                 const std::unordered_map<std::string, int>& map) {
    size_t i = 0;
    return ckw::bench::CpuTimePerIteration(state, [&] {
        auto it = map.find(ckw::text::NameKey(keys[i++ % keys.size()]));
        benchmark::DoNotOptimize(it);
    });
}

void BaselineLayerMap(benchmark::State& state) { g_layerMap = MapLookup(state, Data().layerKinds, Data().layerMap); }
void BaselineTextMap(benchmark::State& state) { g_textMap = MapLookup(state, Data().textKinds, Data().textMap); }
void BaselineColorMap(benchmark::State& state) { g_colorMap = MapLookup(state, Data().colorTexts, Data().colorMap); }

// The lookup's time over the map's, measured just before.
void Ratio(benchmark::State& state, double t, double baseline) {
    if (baseline > 0) state.counters["x_map"] = t / baseline;
}

void GetLayerInfo(benchmark::State& state) {
    const auto& keys = Data().layerKinds;
    char name[100];
    int number, color, lineType;
    float width;
    size_t i = 0;
    const double t = ckw::bench::CpuTimePerIteration(state, [&] {
        const char* key = keys[i++ % keys.size()].c_str();
        benchmark::DoNotOptimize(m_exDrawingPara.GetLayerInfo(key, name, sizeof name, number, color, lineType, width));
    });
    Ratio(state, t, g_layerMap);
}

void GetTextInfo(benchmark::State& state) {
    const auto& keys = Data().textKinds;
    float height, width;
    size_t i = 0;
    const double t = ckw::bench::CpuTimePerIteration(state, [&] {
        benchmark::DoNotOptimize(m_exDrawingPara.GetTextInfo(keys[i++ % keys.size()].c_str(), height, width));
    });
    Ratio(state, t, g_textMap);
}

void GetCfgColorFromString(benchmark::State& state) {
    const auto& keys = Data().colorTexts;
    size_t i = 0;
    const double t = ckw::bench::CpuTimePerIteration(state, [&] {
        benchmark::DoNotOptimize(m_exDrawingPara.GetCfgColorFromString(keys[i++ % keys.size()].c_str()));
    });
    Ratio(state, t, g_colorMap);
}

BENCHMARK(BaselineLayerMap);
BENCHMARK(GetLayerInfo);
BENCHMARK(BaselineTextMap);
BENCHMARK(GetTextInfo);
BENCHMARK(BaselineColorMap);
BENCHMARK(GetCfgColorFromString);

}  // namespace

BENCHMARK_MAIN();
