#include "cli/AnalysisRun.h"

#include <stdexcept>

namespace velutra::cli {

void SetUpEngineFor(PropertyEngine& engine, const CompressorRecord& record) {
    const SetupResult setup = engine.SetupFluid(record.refrigerantIndex);
    if (!setup.ok)
        throw std::runtime_error(setup.message);
}

void RunPlotFormSequence(MapAnalysis& analysis) {
    analysis.LoadOptionsFromRecord();
    analysis.ReadMapFromRecord();
    analysis.FitMap();
    analysis.ApplySmoothing();
    analysis.StoreResultsInRecord();
    analysis.SaveOptionsToRecord();
}

} // namespace velutra::cli
