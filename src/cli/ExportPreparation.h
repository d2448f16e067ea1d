#pragma once

#include "app/CompressorRecord.h"

namespace velutra::cli {

// Runs the analysis of the record's map as the plot form does before the smoothed map is
// shown: read, fit, apply the record's smoothingMethod (0 keeps the entered map), then store
// the current map into the numeric tables that the table export writes. The property
// library is set up for the record's refrigerant; a failed set-up throws with its message.
void PrepareMapForExport(CompressorRecord& record);

} // namespace velutra::cli
