#pragma once
// Wall-clock seconds per iteration of a benchmark loop, for benchmarks that report one measured
// case as a ratio of another measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>

namespace ckw::bench {

template <class F>
double TimePerIteration(benchmark::State& state, F&& body) {
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) body();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / double(state.iterations());
}

}  // namespace ckw::bench
