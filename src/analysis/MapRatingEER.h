#pragma once

#include "record/CompressorRecord.h"

namespace velutra {

// The EER (Btu/h per W) of an entered map at the rating point of its unit system (-10 F / 130 F,
// or -23.33 C / 54.44 C), bilinear between the neighbouring rows and columns in use. 0 when the
// map does not reach the point (fewer than two rows or columns, or every temperature below it);
// `extrapolated` when the point lies before the first row or column.
struct MapRatingEER {
    double eer = 0;
    bool extrapolated = false;
    // The cells interpolated between: rows row-1 and row, columns column-1 and column (-1: none).
    int row = -1;
    int column = -1;
};

MapRatingEER InterpolateRatingEER(const CondRow<double>& condTemp, const EvapRow<double>& evapTemp,
    const MapTable<double>& capacity, const MapTable<double>& power, int rows, int columns, bool english);

} // namespace velutra
