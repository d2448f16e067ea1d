#pragma once

#include "PureFluid.h"
#include "SolverStatus.h"

namespace velutra::thermo {

// Shifts the fluid's enthalpy and entropy to a reference state:
//   IIR: h = 200 kJ/kg, s = 1 kJ/(kg K) for the saturated liquid at 273.15 K;
//   NBP: h = 0, s = 0 for the saturated liquid at the normal boiling point (101.325 kPa).
// Leaves the fluid unchanged when the saturation state cannot be computed.
SolverOutcome ApplyReferenceState(PureFluid& fluid, ReferenceState reference);

} // namespace velutra::thermo
