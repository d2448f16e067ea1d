// The whole analysis of a full 6 x 8 map as the plot form runs it when the quadratic smoothing is
// chosen: texts to numbers, 48 cycle states and all fits, then 48 + 1 cycle states to rebuild the
// map and rate it. Per refrigerant, through the engine and the dlopen'ed property library.
#include "analysis/Analysis.h"
#include "analysis/MapAnalysis.h"
#include "props/PropertyEngine.h"
#include "record/TextRules.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <limits>

namespace {

using velutra::CompressorRecord;

// A 6 x 8 English map (90..140 F by -40..30 F) of a compressor with a displacement of 8 m3/h,
// a volumetric efficiency falling 3 % per unit of pressure ratio and an isentropic efficiency
// peaking near 0.65, worked out through the engine so that every point is physically consistent.
bool MakeMap(velutra::PropertyEngine& engine, CompressorRecord& record) {
    record.ApplyNewDefaults();
    record.condCount = 6;
    record.evapCount = 8;
    const double M = engine.MolarMass();
    for (int r = 0; r < 6; ++r) {
        const double tc = 90.0 + 10.0 * r;
        record.condTempText[r] = { velutra::FormatNumber(tc, -1), velutra::FormatNumber(tc, -1) };
        for (int c = 0; c < 8; ++c) {
            const double te = -40.0 + 10.0 * c;
            record.evapTempText[c] = velutra::FormatNumber(te, -1);
            const auto s = engine.CycleStates((te + 459.67) * 0.5555555555555556,
                (tc + 459.67) * 0.5555555555555556, velutra::RatingConditions {});
            const double p = s.Pc / s.Pe;
            const double massFlow = M * s.d1 * 8.0 * (0.98 - 0.03 * p);
            const double efficiency = 0.45 + 0.04 * p - 0.002 * p * p;
            const double capacity = massFlow * (s.h1 - s.h3) / M / 1.055056;
            const double power = massFlow * (s.h2s - s.h1) / M / (efficiency * 3.6);
            if (!std::isfinite(capacity) || !std::isfinite(power))
                return false;
            record.capacityText[r][c] = velutra::FormatNumber(capacity, -1);
            record.powerText[r][c] = velutra::FormatNumber(power, -2);
        }
    }
    return true;
}

// The rating conditions of the benchmark's second set of runs: superheat and subcooling, so that
// each point also needs the bubble temperature at the condensing pressure.
velutra::RatingConditions En12900() {
    velutra::RatingConditions rating;
    rating.suction = velutra::RatingConditions::Suction::Superheat;
    rating.suctionValue = 10;
    rating.liquid = velutra::RatingConditions::Liquid::Subcooling;
    rating.liquidValue = 0;
    return rating;
}

void AnalyseFullMap(benchmark::State& state, int refrigerant, bool en12900) {
    // Every run carries the counter, a skipped one as NaN: the CSV reporter aborts when a run
    // brings a counter that the first run did not have.
    state.counters["EER"] = std::numeric_limits<double>::quiet_NaN();
    velutra::PropertyEngine engine;
    if (const auto setup = engine.SetupFluid(refrigerant); !setup.ok) {
        state.SkipWithError(
            ("skipped, the property library cannot set this refrigerant up yet: " + setup.message).c_str());
        return;
    }
    CompressorRecord record;
    if (!MakeMap(engine, record)) {
        state.SkipWithError(("skipped, the cycle states fail: " + engine.LastError()).c_str());
        return;
    }
    if (en12900)
        record.ratingConditions = En12900();
    for (auto _ : state) {
        velutra::MapAnalysis analysis(engine, record);
        analysis.ReadMapFromRecord();
        analysis.FitMap();
        analysis.smoothingMethod = 2;
        analysis.ApplySmoothing();
        // The whole record, not the one double: GCC miscompiles the "+m,r" form that
        // DoNotOptimize uses for a lone double, leaving garbage in it.
        benchmark::DoNotOptimize(record);
    }
    if (!std::isfinite(record.smoothedRatingEER))
        state.SkipWithError("the analysis gave a non-finite rating EER");
    state.counters["EER"] = record.smoothedRatingEER;
}

// The one analysis the CLI and the forms run: the above, the efficiency points, and the smoothed
// map at the fixed evaporating temperatures with its rating point (7 x 6 + 2 more cycle states).
void AnalyzeMapWhole(benchmark::State& state, int refrigerant, bool en12900) {
    state.counters["EER"] = std::numeric_limits<double>::quiet_NaN();
    velutra::PropertyEngine engine;
    CompressorRecord record;
    if (!engine.SetupFluid(refrigerant).ok || !MakeMap(engine, record)) {
        state.SkipWithError("skipped, the property library cannot compute this refrigerant's map");
        return;
    }
    record.refrigerantIndex = refrigerant;
    record.smoothingMethod = 2;
    if (en12900)
        record.ratingConditions = En12900();
    double eer = 0;
    for (auto _ : state) {
        const velutra::AnalysisResult result = velutra::AnalyzeMap(engine, record);
        eer = result.smoothedRatingEER;
        benchmark::DoNotOptimize(result);
    }
    state.counters["EER"] = eer;
}

BENCHMARK_CAPTURE(AnalyseFullMap, R134a, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyseFullMap, R404A, 3, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyseFullMap, R134a_en12900, 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyseFullMap, R404A_en12900, 3, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyzeMapWhole, R134a, 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyzeMapWhole, R404A, 3, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyzeMapWhole, R134a_en12900, 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AnalyzeMapWhole, R404A_en12900, 3, true)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
