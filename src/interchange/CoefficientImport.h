#pragma once

#include "interchange/CoefficientSet.h"
#include "record/CompressorRecord.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace velutra {

// Axes of a map made from a coefficient set, ascending, in the set's temperature unit.
struct MapAxes {
    std::vector<double> evap;
    std::vector<double> cond;
};

// Axes that cannot carry a map made from a set; the message says which and why.
class MapAxesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The New record axes of the set's unit system clipped to the set's bounds: values beyond a
// bound are replaced by the bound (the nearest tenth of a degree inside it). When fewer than
// three values are left in a direction, as many evenly spaced values across the bounds as the
// New axes have instead, rounded to tenths.
MapAxes DefaultAxes(const CoefficientSet& set);

// A New record holding the map the set's polynomials give on the axes (an empty axis: the
// default one): the set's refrigerant and unit system (ahri540 English, en12900 SI with the
// capacity in the program's kcal/h), the description from the set where it has one, and every
// text written as if typed. Throws MapAxesError for axes that are too many, not ascending, or
// outside the set's bounds, and CoefficientFileError naming the point when the polynomials give
// a capacity or power there that is not finite or whose text (two decimals, single precision)
// does not read as a positive number. Messages start with `fileName` when one is given.
CompressorRecord RecordFromCoefficients(
    const CoefficientSet& set, const MapAxes& axes = {}, const std::string& fileName = {});

// Reads a coefficient file and makes its record; throws CoefficientFileError or MapAxesError.
CompressorRecord ImportCoefficients(const std::string& path, const MapAxes& axes = {});

} // namespace velutra
