// The cycle state sequence of one map point through the engine and the dlopen'ed property
// library, per refrigerant: what the plot form pays for each point of a map.
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
    for (auto _ : state) {
        const velutra::CycleStateResult r = engine.CycleStates(248.15, 318.15);
        benchmark::DoNotOptimize(r);
    }
    if (!engine.LastError().empty())
        state.SkipWithError(engine.LastError().c_str());
}

BENCHMARK_CAPTURE(CycleStatesThroughEngine, R134a, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CycleStatesThroughEngine, R152a, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CycleStatesThroughEngine, R290, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CycleStatesThroughEngine, R404A, 3)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CycleStatesThroughEngine, R507A, 4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CycleStatesThroughEngine, R600a, 5)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
