#pragma once

#include "Composition.h"
#include "MixtureModel.h"
#include "SolverStatus.h"

namespace velutra::thermo {

// A bulk phase of composition z in equilibrium with an incipient phase of the other kind.
// Units: K, kPa, mol/dm3.
struct MixtureSaturation {
    SolverOutcome outcome;
    double tempK = 0.0;
    double pressure = 0.0;
    double rhoL = 0.0;
    double rhoV = 0.0;
    Composition x {}; // liquid (the incipient phase at a dew point, z at a bubble point)
    Composition y {}; // vapour (z at a dew point, the incipient phase at a bubble point)
};

// Dew point at T of vapour z: the pressure and the composition of the first drop of liquid.
// Newton in the logarithms of the incipient phase's component densities and of the bulk density,
// on equal fugacities of every component and equal pressure, with exact derivatives. It starts
// from Raoult's law with the components' saturation pressures (extrapolated in ln p against 1/T
// beyond a component's critical point) and corresponding-states densities, or from `start`
// (a converged point at a nearby temperature). A solution with both phases alike is refused.
MixtureSaturation DewPointAtT(
    const MixtureModel& model, const Composition& z, double tempK, const MixtureSaturation* start = nullptr);

// Bubble point at T of liquid z: the pressure and the composition of the first bubble.
MixtureSaturation BubblePointAtT(
    const MixtureModel& model, const Composition& z, double tempK, const MixtureSaturation* start = nullptr);

// Dew and bubble points at pressure p (kPa): the temperature by a secant iteration in
// (1/T, ln p) over the points at T, each started from the one before.
MixtureSaturation DewPointAtP(const MixtureModel& model, const Composition& z, double pressureKPa);
MixtureSaturation BubblePointAtP(const MixtureModel& model, const Composition& z, double pressureKPa);

} // namespace velutra::thermo
