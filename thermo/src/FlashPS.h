#pragma once

#include "FlashResult.h"
#include "PureFluid.h"
#include "Saturation.h"

namespace velutra::thermo {

// State at (p, s), p in kPa, s in J/(mol K): compressed liquid, two-phase mixture at the
// saturation temperature of p, superheated vapour, or (p >= p_c) supercritical fluid.
// `knownSaturation`, a saturation state computed before at exactly this pressure (the caller's
// dew point at the condensing temperature), spares finding the saturation temperature again;
// `knownTauTerms`, when given, are the residual's tau factors at its temperature.
FlashResult FlashPS(const PureFluid& fluid, double pressureKPa, double entropy,
    const SaturationResult* knownSaturation = nullptr, const TauTerms* knownTauTerms = nullptr);

} // namespace velutra::thermo
