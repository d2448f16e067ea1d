#pragma once

#include "MixtureModel.h"
#include "Properties.h"

namespace velutra::thermo {

// Single-phase properties of composition x at (T, rho), with the mixture's gas constant and
// molar mass. Units: K, mol/dm3, kPa, J/mol, J/(mol K), m/s, K/kPa.
StateProperties MixturePropertiesAt(
    const MixtureModel& model, const Composition& x, double tempK, double rho);

} // namespace velutra::thermo
