#include "analysis/FitQuality.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra {

FitQuality CompareWithEntered(const MapTable<double>& capacity, const MapTable<double>& power,
    const MapTable<double>& enteredCapacity, const MapTable<double>& enteredPower,
    const MapTable<bool>& valid, int rows, int columns) {
    FitQuality quality;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    for (int r = 0; r < kMaxCond; ++r) {
        quality.capacityDeviation[r].fill(kNaN);
        quality.powerDeviation[r].fill(kNaN);
    }
    double capacitySquares = 0;
    double powerSquares = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (!valid[r][c])
                continue;
            double& dq = quality.capacityDeviation[r][c];
            double& dw = quality.powerDeviation[r][c];
            dq = (capacity[r][c] - enteredCapacity[r][c]) / enteredCapacity[r][c] * 100;
            dw = (power[r][c] - enteredPower[r][c]) / enteredPower[r][c] * 100;
            capacitySquares += dq * dq;
            powerSquares += dw * dw;
            // A NaN deviation must show in the largest one rather than vanish in std::max.
            quality.capacityMax = std::isnan(dq) ? dq : std::max(quality.capacityMax, std::fabs(dq));
            quality.powerMax = std::isnan(dw) ? dw : std::max(quality.powerMax, std::fabs(dw));
            ++quality.points;
        }
    }
    if (quality.points > 0) {
        quality.capacityRms = std::sqrt(capacitySquares / quality.points);
        quality.powerRms = std::sqrt(powerSquares / quality.points);
    }
    return quality;
}

} // namespace velutra
