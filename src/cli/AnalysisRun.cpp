#include "cli/AnalysisRun.h"

#include "analysis/SmoothingMethods.h"

#include <ostream>
#include <stdexcept>

namespace velutra::cli {

AnalysisResult RunAnalysis(CycleStateSource& engine, const CompressorRecord& record, std::ostream& errors,
    int& status, const AnalysisOptions& options) {
    AnalysisResult result = AnalyzeMap(engine, record, options);
    if (result.smoothingMethod == kSmoothingTwoVariable && !result.twoVariableRefusal.empty())
        throw std::runtime_error(result.twoVariableRefusal);
    const char* unit = result.TemperatureUnit();
    errors << DescribeFailures(result.failures, unit);
    if (result.smoothedMap)
        errors << DescribeFailures(result.smoothedMap->map.failures, unit);
    if (result.conversion)
        for (const std::string& failure : result.conversion->failures)
            errors << failure << '\n';
    if (result.rerated)
        errors << DescribeFailures(result.rerated->failures, unit);
    status = result.AnyFailure() ? kExitSomePointsFailed : 0;
    return result;
}

} // namespace velutra::cli
