#pragma once

#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"

#include <iosfwd>

namespace velutra::cli {

// Analyses the record's map with every smoothing method (the record's per-row choice applies
// to methods 1 and 2) and prints one line per method: the deviation of the rebuilt map from the
// entered one and the rating-point EER. The engine is set up for the record's refrigerant.
// Returns the exit status: kExitSomePointsFailed when some points could not be computed.
int PrintMethodComparison(PropertyEngine& engine, const CompressorRecord& record, std::ostream& out);

} // namespace velutra::cli
