#pragma once

#include "DensityRoot.h"
#include "MixtureModel.h"

namespace velutra::thermo {

// Checks a composition (count entries, each in [0, 1], summing to 1 within 1e-10) and (T, p)
// against the mixture's range; Converged when usable.
SolverOutcome CheckMixtureInput(
    const MixtureModel& model, const Composition& x, double tempK, double pressureKPa);

// Density (mol/dm3) of composition x at (T, p) on the requested branch, T in K, p in kPa.
// The vapour root is approached from the ideal gas, the liquid root from the components'
// saturated-liquid densities at corresponding temperatures (or from `guess` when positive);
// a safeguarded Newton iteration keeps each to its branch: a point where the isotherm falls
// counts as too dense for the vapour and too thin for the liquid. NoRoot when the branch has no
// state at p (for example a vapour above its spinodal pressure). Above the reducing temperature
// of x both branches give the one root.
DensityResult MixtureDensityFromTP(const MixtureModel& model, const Composition& x, double tempK,
    double pressureKPa, Phase phase, double guess = 0.0);

// Saturated-liquid and vapour density estimates of composition x at T from the components'
// superancillaries at the corresponding temperatures T T_r,i / T_r(x) (start values only).
double LiquidDensityEstimate(const MixtureModel& model, const Composition& x, double tempK);
double VapourDensityEstimate(const MixtureModel& model, const Composition& x, double tempK);

} // namespace velutra::thermo
