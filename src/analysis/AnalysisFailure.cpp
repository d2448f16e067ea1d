#include "analysis/AnalysisFailure.h"

#include "record/TextRules.h"

namespace velutra {

namespace {

std::string Temperature(double value, const char* unit) {
    return FormatFixed(value, 1) + ' ' + unit;
}

} // namespace

std::string AnalysisFailure::Describe(const char* unit) const {
    std::string where;
    switch (stage) {
    case Stage::EnteredPoint:
    case Stage::RebuiltPoint:
        where = std::string(stage == Stage::EnteredPoint ? "Map point" : "Rebuilt map point") + " at row "
            + std::to_string(row + 1) + " (condensing " + Temperature(condTemp, unit) + "), column "
            + std::to_string(column + 1) + " (evaporating " + Temperature(evapTemp, unit) + ")";
        break;
    case Stage::RatingPoint:
        where = "Rating point (evaporating -10 F, condensing 130 F)";
        break;
    case Stage::Fit:
        where = row >= 0
            ? "Fits of row " + std::to_string(row + 1) + " (condensing " + Temperature(condTemp, unit) + ")"
            : std::string("Fits over all valid points");
        break;
    }
    return where + ": " + reason;
}

std::string DescribeFailures(const std::vector<AnalysisFailure>& failures, const char* unit) {
    std::string text;
    for (size_t i = 0; i < failures.size();) {
        // Points of one row that failed for one reason (a row above the critical point) make
        // one line rather than one per column.
        size_t end = i + 1;
        const AnalysisFailure& first = failures[i];
        while (end < failures.size() && first.row >= 0 && first.column >= 0
            && failures[end].stage == first.stage && failures[end].row == first.row
            && failures[end].reason == first.reason)
            ++end;
        if (end - i == 1) {
            text += first.Describe(unit) + '\n';
        } else {
            const AnalysisFailure& last = failures[end - 1];
            text += std::string(first.stage == AnalysisFailure::Stage::EnteredPoint ? "Map points"
                                                                                    : "Rebuilt map points")
                + " at row " + std::to_string(first.row + 1) + " (condensing "
                + Temperature(first.condTemp, unit) + "), columns " + std::to_string(first.column + 1)
                + " to " + std::to_string(last.column + 1) + " (evaporating "
                + Temperature(first.evapTemp, unit) + " to " + Temperature(last.evapTemp, unit)
                + "): " + first.reason + '\n';
        }
        i = end;
    }
    return text;
}

std::string FailureMessage(const std::vector<AnalysisFailure>& failures, const char* unit) {
    if (failures.empty())
        return {};
    return "Not every point of the map could be computed; these are left out of the plots and fits:\n\n"
        + DescribeFailures(failures, unit);
}

} // namespace velutra
