#pragma once

#include "DewBubble.h"
#include "MixtureFlashResult.h"

namespace velutra::thermo {

// State of feed z at (p, s), p in kPa, s in J/(mol K): superheated vapour above the entropy of
// the saturated vapour at the dew point of p, compressed liquid below that of the saturated
// liquid at the bubble point, two phases between (the temperature then lies between the bubble
// and the dew temperature of p). `knownDew`, a dew point of z at exactly this pressure, spares
// finding it again.
MixtureFlashResult MixtureFlashPS(const MixtureModel& model, const Composition& z, double pressureKPa,
    double entropy, const MixtureSaturation* knownDew = nullptr);

} // namespace velutra::thermo
