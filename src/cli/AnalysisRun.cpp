#include "cli/AnalysisRun.h"

#include <ostream>
#include <stdexcept>

namespace velutra::cli {

void SetUpEngineFor(PropertyEngine& engine, const CompressorRecord& record) {
    const SetupResult setup = engine.SetupFluid(record.refrigerantIndex);
    if (!setup.ok)
        throw std::runtime_error(setup.message);
}

int AnalyseAndStore(MapAnalysis& analysis, std::ostream& errors) {
    analysis.Run();
    const std::string refusal = analysis.SmoothingRefusal(analysis.smoothingMethod);
    if (!refusal.empty())
        throw std::runtime_error(refusal);
    analysis.StoreResultsInRecord();
    analysis.SaveOptionsToRecord();
    errors << DescribeFailures(analysis.Failures(), analysis.TemperatureUnit());
    return analysis.Failures().empty() ? 0 : kExitSomePointsFailed;
}

} // namespace velutra::cli
