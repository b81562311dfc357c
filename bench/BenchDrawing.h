#pragma once
// A plan-like drawing for the drawing benchmarks: lines, polylines, circles and texts spread over
// a 100 x 70 m floor on a dozen layers, from a fixed seed.
#include <random>
#include <string>
#include <utility>

#include <ckw/EngineDrawing.h>

namespace ckw::bench {

inline engine::Drawing PlanDrawing(int entities) {
    engine::Drawing d;
    for (int layer = 1; layer <= 12; ++layer)
        d.DefineLayer({layer, "L" + std::to_string(layer), 1 + layer % 3, 250, layer, 0});
    d.DefineLineType(2, {600, -300});
    std::mt19937 random(42);
    std::uniform_real_distribution<float> x(0, 100000), y(0, 70000), len(50, 2000);
    for (int i = 0; i < entities; ++i) {
        engine::Entity e;
        e.attributes = {1 + i % 12, i % 7 == 0 ? 2 : 1, (i % 4) * 250, 256, 0, 0, 0};
        const float x0 = x(random), y0 = y(random);
        switch (i % 10) {
        case 0:
            e.kind = engine::kCircle;
            e.values = {x0, y0, len(random) / 4};
            break;
        case 1:
            e.kind = engine::kWesternText;
            e.text = "KL" + std::to_string(i % 50) + "(2) 300x600";
            e.values = {350, 250, x0, y0, 0, 101, 101};
            break;
        case 2:
        case 3:
            e.kind = engine::kPolyline;
            e.values = {5, 1};
            for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}})
                e.values.insert(e.values.end(), {x0 + dx * 600.0f, y0 + dy * 600.0f, 0, 0, 0});
            break;
        default:
            e.kind = engine::kLine;
            e.values = {x0, y0, x0 + len(random), y0 + (i % 2 ? 0 : len(random))};
        }
        d.Add(std::move(e));
    }
    return d;
}

// Points spread over that floor, the i-th of a fixed sequence (where queries are made).
inline std::pair<double, double> FloorPoint(size_t i) {
    return {double(i * 7919 % 1000) * 100.0, double(i * 104729 % 700) * 100.0};
}

}  // namespace ckw::bench
