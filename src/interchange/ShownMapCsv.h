#pragma once

#include "analysis/SmoothedMap.h"
#include "record/CompressorRecord.h"

#include <string>

namespace velutra {

// The map the smoothed-map form shows, scaled by its multipliers, as a CSV map that "Import CSV
// Map..." reads back: "#" lines naming the compressor, refrigerant, units, smoothing method and
// multipliers, then "refrigerant", "units", "evaporating" and one "capacity" and one "power" line
// per condensing temperature, the values written as the grid shows them.
std::string EncodeShownMapCsv(const CompressorRecord& record, const SmoothedMap& map,
    double capacityMultiplier, double powerMultiplier);

} // namespace velutra
