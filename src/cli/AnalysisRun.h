#pragma once

#include "analysis/MapAnalysis.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"

#include <iosfwd>

namespace velutra::cli {

// Exit status of a command that computed what it could but not every point of the map.
inline constexpr int kExitSomePointsFailed = 3;

// Sets the engine up for the record's refrigerant; a failed set-up throws with the library's message.
void SetUpEngineFor(PropertyEngine& engine, const CompressorRecord& record);

// The plot form's analysis of the record's map followed by the store of its "Next >>". What
// could not be computed is written to `errors`, one line each; returns the exit status (0, or
// kExitSomePointsFailed). A smoothing method the map cannot support throws with the reason.
int AnalyseAndStore(MapAnalysis& analysis, std::ostream& errors);

} // namespace velutra::cli
