// The cycle state sequence of the property engine through the C routines of the property library,
// per pure refrigerant: two fixed map points and the mean over the default map grids.
#include "CycleSequence.h"

#include <benchmark/benchmark.h>

namespace {

using velutra::bench::MapGrid;
using velutra::bench::MapPoint;
using velutra::bench::Slots;

void FixedPoint(benchmark::State& state, const char* files, double teK, double tcK) {
    Slots a;
    if (!a.setUp(files, { 1.0 })) {
        state.SkipWithError(a.firstError.c_str());
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(a.cycleStates(teK, tcK));
    if (!a.firstError.empty())
        state.SkipWithError(a.firstError.c_str());
}

// CPU time per iteration is the whole grid; per_sequence is its mean per map point.
void Grid(benchmark::State& state, const char* files) {
    Slots a;
    if (!a.setUp(files, { 1.0 })) {
        state.SkipWithError(a.firstError.c_str());
        return;
    }
    const std::vector<MapPoint> grid = MapGrid();
    for (auto _ : state)
        for (const MapPoint& m : grid)
            benchmark::DoNotOptimize(a.cycleStates(m.teK, m.tcK));
    if (!a.firstError.empty())
        state.SkipWithError(a.firstError.c_str());
    state.counters["per_sequence"] = benchmark::Counter(static_cast<double>(grid.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Te = -25 C, Tc = 45 C, a common rating point; the second fixed point is a hot condensing point.
void RegisterAll() {
    const std::pair<const char*, const char*> fluids[] = { { "R134a", "..\\fluids\\R134a.fld" },
        { "R152a", "..\\fluids\\R152a.fld" }, { "R290", "..\\fluids\\propane.fld" },
        { "R600a", "..\\fluids\\isobutan.fld" }, { "R32", "..\\fluids\\R32.fld" },
        { "R1234yf", "..\\fluids\\R1234yf.fld" }, { "R1234zeE", "..\\fluids\\R1234zee.fld" } };
    for (const auto& [name, file] : fluids) {
        const std::string prefix = std::string("CycleStates/") + name;
        benchmark::RegisterBenchmark((prefix + "/Te248_Tc318").c_str(), FixedPoint, file, 248.15, 318.15)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "/Te268_Tc328").c_str(), FixedPoint, file, 268.15, 328.15)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "/MapGrid").c_str(), Grid, file)
            ->Unit(benchmark::kMicrosecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
