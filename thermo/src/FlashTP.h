#pragma once

#include "FlashResult.h"
#include "PureFluid.h"

namespace velutra::thermo {

// State at (T, p), T in K, p in kPa. Below T_c the phase is decided against the saturation
// pressure: liquid at or above it, vapour below it. A pure fluid is never two-phase at a given
// (T, p) except exactly at saturation, which is reported as saturated liquid (quality 0).
FlashResult FlashTP(const PureFluid& fluid, double tempK, double pressureKPa);
// The same with the residual's tau factors at T prepared by the caller.
FlashResult FlashTP(const PureFluid& fluid, const TauTerms& tauTerms, double tempK, double pressureKPa);

} // namespace velutra::thermo
