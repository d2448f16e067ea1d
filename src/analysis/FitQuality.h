#pragma once

#include "record/CompressorRecord.h"

namespace velutra {

// How far the rebuilt map lies from the entered one at the valid points, in percent of the
// entered value: (rebuilt - entered) / entered * 100. NaN at points that are not valid.
struct FitQuality {
    MapTable<double> capacityDeviation {};
    MapTable<double> powerDeviation {};
    double capacityRms = 0;
    double capacityMax = 0; // largest absolute deviation
    double powerRms = 0;
    double powerMax = 0;
    int points = 0;
};

// The deviations of a current map from the entered one over the valid points of rows and
// columns in use. A NaN deviation shows in the largest one.
FitQuality CompareWithEntered(const MapTable<double>& capacity, const MapTable<double>& power,
    const MapTable<double>& enteredCapacity, const MapTable<double>& enteredPower,
    const MapTable<bool>& valid, int rows, int columns);

} // namespace velutra
