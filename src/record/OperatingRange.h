#pragma once

namespace velutra {

// The span of the entered map's valid points in pressure ratio and suction (evaporating dew)
// pressure, kPa. A state outside it is an extrapolation of every fit made from that map.
struct OperatingRange {
    double minRatio = 0;
    double maxRatio = 0;
    double minSuctionKPa = 0;
    double maxSuctionKPa = 0;
    bool empty = true;

    bool Contains(double pressureRatio, double suctionPressureKPa) const {
        return !empty && pressureRatio >= minRatio && pressureRatio <= maxRatio
            && suctionPressureKPa >= minSuctionKPa && suctionPressureKPa <= maxSuctionKPa;
    }
};

} // namespace velutra
