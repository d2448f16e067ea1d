#pragma once

#include "analysis/MapAnalysis.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"

namespace velutra::cli {

// Sets the engine up for the record's refrigerant; a failed set-up throws with the library's message.
void SetUpEngineFor(PropertyEngine& engine, const CompressorRecord& record);

// The plot form's sequence on the record's map: read, fit, apply the record's smoothingMethod
// (0 keeps the entered map), then store the current map and fits as its "Next >>" does.
void RunPlotFormSequence(MapAnalysis& analysis);

} // namespace velutra::cli
