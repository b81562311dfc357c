// Queries on the shipped library against a std::unordered_map lookup of the same normalised keys.
// Target: GetLayerInfo, GetTextInfo and GetCfgColorFromString within 2x of the map.
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "BenchConfig.h"
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

// The baseline: normalise the caller's text, then one hash lookup.
void MapLookup(benchmark::State& state, const std::vector<std::string>& keys,
               const std::unordered_map<std::string, int>& map) {
    size_t i = 0;
    for (auto _ : state) {
        auto it = map.find(ckw::text::NameKey(keys[i++ % keys.size()]));
        benchmark::DoNotOptimize(it);
    }
}

void BaselineLayerMap(benchmark::State& state) { MapLookup(state, Data().layerKinds, Data().layerMap); }
void BaselineTextMap(benchmark::State& state) { MapLookup(state, Data().textKinds, Data().textMap); }
void BaselineColorMap(benchmark::State& state) { MapLookup(state, Data().colorTexts, Data().colorMap); }

void GetLayerInfo(benchmark::State& state) {
    const auto& keys = Data().layerKinds;
    char name[100];
    int number, color, lineType;
    float width;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(m_exDrawingPara.GetLayerInfo(keys[i++ % keys.size()].c_str(), name, sizeof name,
                                                              number, color, lineType, width));
    }
}

void GetTextInfo(benchmark::State& state) {
    const auto& keys = Data().textKinds;
    float height, width;
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(m_exDrawingPara.GetTextInfo(keys[i++ % keys.size()].c_str(), height, width));
}

void GetCfgColorFromString(benchmark::State& state) {
    const auto& keys = Data().colorTexts;
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(m_exDrawingPara.GetCfgColorFromString(keys[i++ % keys.size()].c_str()));
}

BENCHMARK(BaselineLayerMap);
BENCHMARK(GetLayerInfo);
BENCHMARK(BaselineTextMap);
BENCHMARK(GetTextInfo);
BENCHMARK(BaselineColorMap);
BENCHMARK(GetCfgColorFromString);

}  // namespace

BENCHMARK_MAIN();
