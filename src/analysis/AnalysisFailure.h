#pragma once

#include <string>
#include <vector>

namespace velutra {

// A map point, a fit or the rating point that the analysis could not compute, and why.
struct AnalysisFailure {
    enum class Stage {
        EnteredPoint, // point quantities of the entered map
        RebuiltPoint, // a point of the map rebuilt from the fits
        RatingPoint, // the rating-point EER from the fits
        Fit, // a fit left without enough computed points
    };

    Stage stage = Stage::EnteredPoint;
    int row = -1; // condensing row, -1 where none applies
    int column = -1; // evaporating column, -1 where none applies
    double condTemp = 0; // in the map's unit, where row >= 0
    double evapTemp = 0; // in the map's unit, where column >= 0
    std::string reason; // the property library's message, or why a fit has no value

    // One line for the user: where (row and column counted from 1, with their temperatures in
    // the map's unit "F" or "C") and why.
    std::string Describe(const char* unit) const;
};

// The lines of several failures, one per failure, each ending in a newline.
std::string DescribeFailures(const std::vector<AnalysisFailure>& failures, const char* unit);

// The message that tells the user what the analysis left out: a heading, then one line per
// failure. Empty when nothing failed.
std::string FailureMessage(const std::vector<AnalysisFailure>& failures, const char* unit);

} // namespace velutra
