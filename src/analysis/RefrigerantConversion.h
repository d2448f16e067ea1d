#pragma once

#include "analysis/FittedCompressor.h"
#include "props/CycleStateSource.h"
#include "record/CompressorRecord.h"

#include <string>
#include <vector>

namespace velutra {

// One map's capacity (Btu/h or kcal/h, the map's unit) and power (W) at its own temperatures, and
// the EER (Btu/h per W) and capacity at the rating point (-10 F evaporating, 130 F condensing).
struct RefrigerantMap {
    int refrigerantIndex = 0;
    MapTable<double> capacity {};
    MapTable<double> power {};
    double ratingCapacity = 0;
    double ratingPower = 0;
    double ratingEER = 0;
    // Values the entered map does not vouch for (see BeyondEnteredMap), and the rating point's.
    MapTable<bool> beyondEnteredMap {};
    bool ratingBeyondEnteredMap = false;
};

// A compressor map rebuilt for another refrigerant. The compressor is what the analysis fitted to
// the entered map with its own refrigerant: suction volume flow and isentropic efficiency against
// pressure ratio (and suction pressure, for the two-variable fit). Both maps evaluate those fits
// over all valid points at the map's evaporating and condensing temperatures, which for a blend
// are dew-point temperatures, with the states of their refrigerant. NaN where the states cannot
// be computed (a condensing temperature above the new refrigerant's critical point, say);
// `failures` says where and why.
struct RefrigerantConversion {
    RefrigerantMap original;
    RefrigerantMap converted;
    std::vector<std::string> failures;
};

// The map's temperatures (rows and columns in use) that a conversion evaluates the fits at.
struct ConversionAxes {
    CondRow<double> condTemp {};
    EvapRow<double> evapTemp {};
    int rows = 0;
    int columns = 0;
    MapTable<bool> blank {}; // cells outside the operating envelope, converted to nothing
};

// Sets the engine up for the record's refrigerant, evaluates, sets it up for `newIndex`,
// evaluates, and sets it back up for the record's refrigerant. Throws std::runtime_error with
// the library's message when a set-up fails.
RefrigerantConversion ConvertRefrigerant(CycleStateSource& engine, const CompressorRecord& record,
    const FittedCompressor& fitted, const ConversionAxes& axes, int newIndex);

// Sets the engine up for a refrigerant code; throws std::runtime_error with the library's
// message when it cannot be.
void SetUpFor(CycleStateSource& engine, int refrigerantIndex);

} // namespace velutra
