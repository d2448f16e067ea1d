// The cycle state sequence of the property engine for the blends R404A and R507A, set up as true
// mixtures, through the C routines: two fixed map points and the mean over the default map grids.
#include "CycleSequence.h"

#include <benchmark/benchmark.h>

namespace {

using velutra::bench::MapGrid;
using velutra::bench::MapPoint;
using velutra::bench::Slots;

void FixedPoint(benchmark::State& state, const char* files, std::vector<double> z, double teK, double tcK) {
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
void Grid(benchmark::State& state, const char* files, std::vector<double> z) {
    Slots a;
    if (!a.setUp(files, z)) {
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
    struct Blend {
        const char* name;
        const char* files;
        std::vector<double> z;
    };
    const Blend blends[] = {
        { "R404A", "..\\fluids\\R125.fld|..\\fluids\\R134a.fld|..\\fluids\\R143a.fld",
            { 0.35782, 0.03826, 0.60392 } },
        { "R507A", "..\\fluids\\R125.fld|..\\fluids\\R143A.fld", { 0.41184, 0.58816 } },
        { "R454B", "..\\fluids\\R32.fld|..\\fluids\\R1234yf.fld",
            { 0.82924792180871187, 0.17075207819128813 } },
        { "R454C", "..\\fluids\\R32.fld|..\\fluids\\R1234yf.fld",
            { 0.37514956137435751, 0.6248504386256426 } },
        { "R513A", "..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld",
            { 0.53242574021240252, 0.46757425978759748 } },
        { "R449A", "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld",
            { 0.40736457197162396, 0.17948120992449712, 0.19348083053642229, 0.21967338756745658 } },
        { "R448A",
            "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld|"
            "..\\fluids\\R1234zee.fld",
            { 0.43121820466633226, 0.1869141326426893, 0.15131924787204015, 0.17758667471999234,
                0.0529617400989459 } },
    };
    for (const Blend& b : blends) {
        const std::string prefix = std::string("CycleStates/") + b.name;
        benchmark::RegisterBenchmark(
            (prefix + "/Te248_Tc318").c_str(), FixedPoint, b.files, b.z, 248.15, 318.15)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(
            (prefix + "/Te268_Tc328").c_str(), FixedPoint, b.files, b.z, 268.15, 328.15)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((prefix + "/MapGrid").c_str(), Grid, b.files, b.z)
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
