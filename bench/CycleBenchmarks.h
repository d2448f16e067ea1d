// The benchmarks of one refrigerant's cycle state sequence through the C routines: two fixed map
// points and the mean over the default map grids.
#pragma once

#include "CycleSequence.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <string>
#include <vector>

namespace velutra::bench {

// per_sequence: the time of one cycle state sequence. Every run of a program carries it, skipped
// runs too: the CSV reporter aborts when a run brings a counter its header (made from the first
// run) does not have.
inline void CountSequences(benchmark::State& state, std::size_t perIteration) {
    state.counters["per_sequence"] = benchmark::Counter(static_cast<double>(perIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

inline void CycleAtPoint(
    benchmark::State& state, const char* files, std::vector<double> z, double teK, double tcK) {
    CountSequences(state, 1);
    Slots a;
    if (!a.setUp(files, z)) {
        state.SkipWithError(a.firstError.c_str());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(a.cycleStates(teK, tcK));
    if (!a.firstError.empty())
        state.SkipWithError(a.firstError.c_str());
}

// CPU time per iteration is the whole grid; per_sequence is its mean per map point.
inline void CycleOverGrid(benchmark::State& state, const char* files, std::vector<double> z) {
    const std::vector<MapPoint> grid = MapGrid();
    CountSequences(state, grid.size());
    Slots a;
    if (!a.setUp(files, z)) {
        state.SkipWithError(a.firstError.c_str());
        return;
    }
    for (auto _ : state)
        for (const MapPoint& m : grid)
            benchmark::DoNotOptimize(a.cycleStates(m.teK, m.tcK));
    if (!a.firstError.empty())
        state.SkipWithError(a.firstError.c_str());
}

// Te = -25 C, Tc = 45 C, a common rating point; the second fixed point is a hot condensing point.
inline void RegisterCycleBenchmarks(
    const std::string& name, const char* files, const std::vector<double>& z) {
    const std::string prefix = "CycleStates/" + name;
    benchmark::RegisterBenchmark((prefix + "/Te248_Tc318").c_str(), CycleAtPoint, files, z, 248.15, 318.15)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((prefix + "/Te268_Tc328").c_str(), CycleAtPoint, files, z, 268.15, 328.15)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((prefix + "/MapGrid").c_str(), CycleOverGrid, files, z)
        ->Unit(benchmark::kMicrosecond);
}

} // namespace velutra::bench
