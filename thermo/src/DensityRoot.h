#pragma once

#include "PureFluid.h"
#include "SolverStatus.h"

namespace velutra::thermo {

enum class Phase { Liquid, Vapour };

struct DensityResult {
    SolverOutcome outcome;
    double rho = 0.0; // mol/dm3; NaN unless converged
};

// Density at (T, p) on the requested branch, T in K, p in kPa.
// Below the critical temperature a vapour root exists for p <= p_sat(T) (also a hair beyond
// p_sat, so saturation states are found from either side; supersaturated vapour is refused with
// NoRoot), and a liquid root for p >= p_sat(T) and, metastable, below it down to the liquid
// spinodal. Above the critical temperature the one root is returned for either phase.
DensityResult DensityFromTP(const PureFluid& fluid, double tempK, double pressureKPa, Phase phase);

// The same with the tau factors at this temperature already computed.
DensityResult DensityFromTP(
    const PureFluid& fluid, const TauTerms& tauTerms, double tempK, double pressureKPa, Phase phase);

// Checks (T, p) against the equation's range; Converged when usable.
SolverOutcome CheckTemperaturePressure(const PureFluid& fluid, double tempK, double pressureKPa);

} // namespace velutra::thermo
