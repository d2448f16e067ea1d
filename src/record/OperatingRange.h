#pragma once

#include <vector>

namespace velutra {

// The region the entered map's valid points cover, in pressure ratio and suction (evaporating
// dew) pressure, kPa: their ranges, and their convex hull in ln(ratio) and ln(pressure), the
// coordinates of the two-variable fit. A state outside it is an extrapolation of every fit made
// from that map: a map with blank cells, or one whose rows cover different evaporating
// temperatures, has corners inside its ranges that no point vouches for.
struct OperatingRange {
    double minRatio = 0;
    double maxRatio = 0;
    double minSuctionKPa = 0;
    double maxSuctionKPa = 0;
    bool empty = true;
    // Hull vertices (ln ratio, ln kPa), counter-clockwise; fewer than three when the points lie
    // on one line, where the ranges alone decide.
    std::vector<std::pair<double, double>> hull;

    // Widens the ranges by a valid point; MakeHull then draws the hull around every point added.
    void Add(double pressureRatio, double suctionPressureKPa);
    void MakeHull();

    bool Contains(double pressureRatio, double suctionPressureKPa) const;

private:
    std::vector<std::pair<double, double>> points_;
};

} // namespace velutra
