#pragma once

#include "analysis/Analysis.h"
#include "record/CompressorRecord.h"

#include <iosfwd>

namespace velutra::cli {

// Exit status of a command that computed what it could but not every point of the map.
inline constexpr int kExitSomePointsFailed = 3;

// The analysis of the record's map for a command. What could not be computed is written to
// `errors`, one line each (the entered and rebuilt map, then the smoothed map, then the
// conversion), and `status` becomes kExitSomePointsFailed when anything failed, else 0. A
// smoothing method the map cannot carry, or a refrigerant that cannot be set up, throws.
AnalysisResult RunAnalysis(CycleStateSource& engine, const CompressorRecord& record, std::ostream& errors,
    int& status, const AnalysisOptions& options = {});

} // namespace velutra::cli
