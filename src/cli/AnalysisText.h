#pragma once

#include "analysis/Analysis.h"

#include <iosfwd>

namespace velutra::cli {

// The analysis result as the analyze command prints it: the derived tables, the smoothed map,
// the fits, the valid points, the deviations and the EERs, then any conversion.
void PrintAnalysisText(std::ostream& out, const AnalysisResult& result);

} // namespace velutra::cli
