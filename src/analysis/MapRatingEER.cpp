#include "analysis/MapRatingEER.h"

#include "record/UnitRules.h"

#include <algorithm>

namespace velutra {

namespace {

// Btu/h per kcal/h of the EER of an SI map.
constexpr double kBtuPerKcal = 3.966;

// Bilinear interpolation (or extrapolation) between rows r-1, r and columns c-1, c.
double Interpolate(const MapTable<double>& x, int r, int c, double fr, double fe) {
    return (1 - fr) * ((1 - fe) * x[r - 1][c - 1] + fe * x[r - 1][c])
        + fr * ((1 - fe) * x[r][c - 1] + fe * x[r][c]);
}

} // namespace

MapRatingEER InterpolateRatingEER(const CondRow<double>& condTemp, const EvapRow<double>& evapTemp,
    const MapTable<double>& capacity, const MapTable<double>& power, int rows, int columns, bool english) {
    MapRatingEER result;
    const RatingPoint rating = RatingPointInMapUnits(english);

    // Only rows and columns in use take part: cells beyond the counts may hold texts left from
    // an earlier, larger map, and interpolating towards them would give a plausible-looking but
    // meaningless EER. Interpolation needs two rows and two columns.
    if (rows < 2 || columns < 2)
        return result;
    int c = 0;
    while (c < columns && !(evapTemp[c] >= rating.evapTemp))
        ++c;
    if (c == columns)
        return result;
    int r = 0;
    while (r < rows && !(condTemp[r] >= rating.condTemp))
        ++r;
    if (r == rows)
        return result;

    // A hit in the first row or column extrapolates from the first two.
    result.extrapolated = rating.condTemp < condTemp[0] || rating.evapTemp < evapTemp[0];
    r = std::max(r, 1);
    c = std::max(c, 1);
    result.row = r;
    result.column = c;
    const double fr = (rating.condTemp - condTemp[r - 1]) / (condTemp[r] - condTemp[r - 1]);
    const double fe = (rating.evapTemp - evapTemp[c - 1]) / (evapTemp[c] - evapTemp[c - 1]);
    const double q = Interpolate(capacity, r, c, fr, fe);
    const double w = Interpolate(power, r, c, fr, fe);
    result.eer = english ? q / w : kBtuPerKcal * q / w;
    return result;
}

} // namespace velutra
