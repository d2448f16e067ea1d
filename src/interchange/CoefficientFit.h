#pragma once

#include "analysis/Analysis.h"
#include "interchange/CoefficientSet.h"

#include <stdexcept>
#include <string>

namespace velutra {

// Why a map gives no polynomial; the message says what is missing.
class CoefficientFitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Points per temperature of the grid on which methods 1 to 3 are sampled.
inline constexpr int kCoefficientGridPoints = 9;

// The ten-coefficient polynomials of an analysed map (the engine set up for the record's
// refrigerant, as the analysis leaves it) in the given units. Smoothing method 0 fits the entered valid
// points themselves; methods 1 to 3 fit the method's model evaluated on a grid over the
// entered map's evaporating and condensing range, always through the fits over all valid
// points. The set carries the deviation of its polynomials from the entered valid points.
// Throws CoefficientFitError when the points cannot determine the ten terms.
CoefficientSet FitCoefficients(CycleStateSource& engine, const AnalysisResult& analysis,
    const CompressorRecord& record, CoefficientUnits units);

// FitCoefficients written to a file (CSV for ".csv", otherwise JSON).
void ExportCoefficients(CycleStateSource& engine, const AnalysisResult& analysis,
    const CompressorRecord& record, CoefficientUnits units, const std::string& path);

} // namespace velutra
