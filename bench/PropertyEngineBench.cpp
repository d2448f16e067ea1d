// The cycle state sequence of one map point through the engine and the dlopen'ed property
// library, per refrigerant: what the plot form pays for each point of a map. A fixed rating
// point and the mean over the default map grids (the same grid as bench_thermo).
#include "MapGrid.h"
#include "props/PropertyEngine.h"

#include <benchmark/benchmark.h>
#include <cstddef>

namespace {

// per_sequence on every run, skipped ones too (see CycleBenchmarks.h): the CSV reporter aborts
// when a run brings a counter that the first run did not have.
void CountSequences(benchmark::State& state, std::size_t perIteration) {
    state.counters["per_sequence"] = benchmark::Counter(static_cast<double>(perIteration),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void CycleStatesThroughEngine(benchmark::State& state, int refrigerant) {
    CountSequences(state, 1);
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
    const std::vector<velutra::bench::MapPoint> grid = velutra::bench::MapGrid();
    CountSequences(state, grid.size());
    velutra::PropertyEngine engine;
    if (const auto setup = engine.SetupFluid(refrigerant); !setup.ok) {
        state.SkipWithError(setup.message.c_str());
        return;
    }
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
