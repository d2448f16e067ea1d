#pragma once

#include "ChebyshevSeries.h"

#include <optional>
#include <vector>

namespace velutra::thermo {

// Chebyshev expansions of the saturation pressure (kPa) and the saturated liquid and vapour
// densities (mol/dm3) in temperature, fitted to the equation of state itself to about 1e-12.
// They are start values for the saturation solver, never results.
class Superancillary {
public:
    Superancillary() = default;
    // Throws ThermoError when the three expansions do not cover the same range.
    Superancillary(ChebyshevSeries pressure, ChebyshevSeries rhoL, ChebyshevSeries rhoV);

    double minTempK() const { return pressure_.minTempK(); }
    double maxTempK() const { return pressure_.maxTempK(); }

    double pressure(double tempK) const { return pressure_(tempK); }
    double rhoL(double tempK) const { return rhoL_(tempK); }
    double rhoV(double tempK) const { return rhoV_(tempK); }

    // Temperature at which the pressure expansion equals pressureKPa; empty outside its range.
    std::optional<double> temperatureAt(double pressureKPa) const;

private:
    ChebyshevSeries pressure_;
    ChebyshevSeries rhoL_;
    ChebyshevSeries rhoV_;
    std::vector<double> pressureAtPieceEnd_; // p at tMax of each piece, for the inverse
};

} // namespace velutra::thermo
