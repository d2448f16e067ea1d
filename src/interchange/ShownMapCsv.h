#pragma once

#include "analysis/SmoothedMap.h"
#include "record/CompressorRecord.h"

#include <stdexcept>
#include <string>

namespace velutra {

// The map the smoothed-map form shows, scaled by its multipliers, as a CSV map that "Import CSV
// Map..." reads back: "#" lines naming the compressor, refrigerant, units, smoothing method and
// multipliers, then "refrigerant", "units", "evaporating" and one "capacity" and one "power" line
// per condensing temperature, the values written as the grid shows them. A blank cell of the
// entered map (method 0) is an empty field. Throws ShownMapCsvError, saying which value by its
// temperatures, when a value or temperature to write is not finite.
class ShownMapCsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
std::string EncodeShownMapCsv(const CompressorRecord& record, const SmoothedMap& map,
    double capacityMultiplier, double powerMultiplier);

} // namespace velutra
