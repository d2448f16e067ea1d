#pragma once

#include "FlashResult.h"
#include "PureFluid.h"

namespace velutra::thermo {

// State at (p, s), p in kPa, s in J/(mol K): compressed liquid, two-phase mixture at the
// saturation temperature of p, superheated vapour, or (p >= p_c) supercritical fluid.
FlashResult FlashPS(const PureFluid& fluid, double pressureKPa, double entropy);

} // namespace velutra::thermo
