// The cycle state sequence of one map point through the engine and the dlopen'ed property
// library, per refrigerant: what the plot form pays for each point of a map. A fixed rating
// point and the mean over the default map grids (the same grid as bench_thermo).
#include "MapGrid.h"
#include "props/PropertyEngine.h"

#include <benchmark/benchmark.h>

namespace {

void CycleStatesThroughEngine(benchmark::State& state, int refrigerant) {
    velutra::PropertyEngine engine;
    if (const auto setup = engine.SetupFluid(refrigerant); !setup.ok) {
        state.SkipWithError(setup.message.c_str());
        return;
    }
    // A typical map point: evaporating at -13 F, condensing at 113 F.
    std::string error;
    for (auto _ : state) {
        const velutra::CycleStateResult r = engine.CycleStates(248.15, 318.15, velutra::RatingConditions {});
        if (!r.error.empty() && error.empty())
            error = r.error;
        benchmark::DoNotOptimize(r);
    }
    if (!error.empty())
        state.SkipWithError(error.c_str());
}

// CPU time per iteration is the whole grid; per_sequence is its mean per map point.
void GridThroughEngine(benchmark::State& state, int refrigerant) {
    velutra::PropertyEngine engine;
    if (const auto setup = engine.SetupFluid(refrigerant); !setup.ok) {
        state.SkipWithError(setup.message.c_str());
        return;
    }
    const std::vector<velutra::bench::MapPoint> grid = velutra::bench::MapGrid();
    std::string error;
    for (auto _ : state) {
        for (const velutra::bench::MapPoint& m : grid) {
            const velutra::CycleStateResult r
                = engine.CycleStates(m.teK, m.tcK, velutra::RatingConditions {});
            if (!r.error.empty() && error.empty())
                error = r.error;
            benchmark::DoNotOptimize(r);
        }
    }
    if (!error.empty())
        state.SkipWithError(error.c_str());
    state.counters["per_sequence"] = benchmark::Counter(static_cast<double>(grid.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

#define VELUTRA_ENGINE_BENCH(name, code)                                                                     \
    BENCHMARK_CAPTURE(CycleStatesThroughEngine, name, code)->Unit(benchmark::kMicrosecond);                  \
    BENCHMARK_CAPTURE(GridThroughEngine, name##_MapGrid, code)->Unit(benchmark::kMicrosecond)

VELUTRA_ENGINE_BENCH(R134a, 0);
VELUTRA_ENGINE_BENCH(R152a, 1);
VELUTRA_ENGINE_BENCH(R290, 2);
VELUTRA_ENGINE_BENCH(R404A, 3);
VELUTRA_ENGINE_BENCH(R507A, 4);
VELUTRA_ENGINE_BENCH(R600a, 5);

} // namespace

BENCHMARK_MAIN();
