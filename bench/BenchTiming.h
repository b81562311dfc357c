#pragma once
// Seconds per iteration of a benchmark loop, for benchmarks that report one measured case as a
// ratio of another measured in the same run.
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>

namespace ckw::bench {

// The process's processor seconds: on a shared machine wall time would measure the neighbours too.
inline double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// Processor seconds per iteration.
template <class F>
double CpuTimePerIteration(benchmark::State& state, F&& body) {
    const double start = CpuSeconds();
    for (auto _ : state) body();
    return (CpuSeconds() - start) / double(state.iterations());
}

template <class F>
double TimePerIteration(benchmark::State& state, F&& body) {
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state) body();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / double(state.iterations());
}

}  // namespace ckw::bench
