#pragma once

#include "DensityRoot.h"
#include "DewBubble.h"
#include "MixtureFlashResult.h"

namespace velutra::thermo {

// State of feed z at (T, p), T in K, p in kPa: vapour at or below the dew pressure at T, liquid at
// or above the bubble pressure, a two-phase split between them. Above the mixture's reducing
// temperature the one density root is returned (quality 1 when thinner than the reducing density).
// `knownDew`, a dew point of z found before at T0 <= T with p <= its pressure, settles the phase
// as vapour without a new dew point: the dew pressure rises with temperature below the
// cricondentherm, and above it the mixture is one phase anyway.
MixtureFlashResult MixtureFlashTP(const MixtureModel& model, const Composition& z, double tempK,
    double pressureKPa, const MixtureSaturation* knownDew = nullptr);

// One-phase state of z at (T, p) on the given branch, with its properties (quality 0 or 1).
MixtureFlashResult MixtureSinglePhase(const MixtureModel& model, const Composition& z, double tempK,
    double pressureKPa, Phase phase, double guess = 0.0);

} // namespace velutra::thermo
