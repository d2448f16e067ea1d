#pragma once

#include "PureFluid.h"
#include "SolverStatus.h"

namespace velutra::thermo {

// A saturated liquid and vapour in equilibrium. Units: K, kPa, mol/dm3, kPa/K.
struct SaturationResult {
    SolverOutcome outcome;
    double tempK = 0.0;
    double pressure = 0.0;
    double rhoL = 0.0;
    double rhoV = 0.0;
    double dpdT = 0.0; // slope of the saturation curve (Clapeyron), for callers that iterate on T
};

// Saturation at T: equal pressure and Gibbs energy in both phases, Newton in (rhoL, rhoV)
// from the superancillary densities. T must lie in [T_triple, T_c).
SaturationResult SaturationAtT(const PureFluid& fluid, double tempK);
// The same with the residual's tau factors at T prepared by the caller (null: prepared here).
SaturationResult SaturationAtT(const PureFluid& fluid, double tempK, const TauTerms* tauTermsAtT);

// Saturation at p: the temperature from the superancillary, corrected with the Clapeyron
// slope until the saturation pressure at T matches p. p must lie in (p_triple, p_c).
SaturationResult SaturationAtP(const PureFluid& fluid, double pressureKPa);

} // namespace velutra::thermo
