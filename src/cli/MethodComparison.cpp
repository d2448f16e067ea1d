#include "cli/MethodComparison.h"

#include "analysis/Analysis.h"
#include "analysis/SmoothingMethods.h"
#include "cli/AnalysisRun.h"
#include "record/TextRules.h"

#include <cmath>
#include <iostream>
#include <ostream>

namespace velutra::cli {

namespace {

std::string Cell(double value, int precision, int width) {
    return std::isfinite(value) ? FormatFixed(value, precision, width) : std::string(width - 3, ' ') + "n/a";
}

} // namespace

int PrintMethodComparison(PropertyEngine& engine, const CompressorRecord& record, std::ostream& out) {
    out << "Smoothed vs entered map at the valid points (percent) and rating-point EER (Btu/h per W)\n"
        << "method                                           capacity RMS   max   power RMS   max      EER\n";
    int status = 0;
    for (int method = 0; method < static_cast<int>(kSmoothingMethods.size()); ++method) {
        CompressorRecord working = record;
        working.smoothingMethod = method;
        const AnalysisResult result = AnalyzeMap(engine, working, AnalysisExtent::EnteredMap);
        std::string title = SmoothingMethodTitle(method);
        title.resize(48, ' ');
        out << title;
        if (method == kSmoothingTwoVariable && !result.twoVariableRefusal.empty()) {
            out << result.twoVariableRefusal << '\n';
            continue;
        }
        if (!result.failures.empty() && status == 0) {
            status = kExitSomePointsFailed;
            std::cerr << DescribeFailures(result.failures, result.TemperatureUnit());
        }
        const FitQuality& q = result.quality;
        // The entered map has no EER (0) when it does not reach the rating point.
        const double eer = method == kSmoothingOriginal ? result.mapRatingEER : result.smoothedRatingEER;
        out << Cell(q.capacityRms, 2, 13) << Cell(q.capacityMax, 2, 6) << Cell(q.powerRms, 2, 12)
            << Cell(q.powerMax, 2, 6) << Cell(eer == 0 ? std::nan("") : eer, 3, 9) << '\n';
    }
    return status;
}

} // namespace velutra::cli
