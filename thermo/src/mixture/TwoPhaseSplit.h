#pragma once

#include "DewBubble.h"
#include "MixtureFlashResult.h"

namespace velutra::thermo {

// Two-phase split of feed z at (T, p) strictly between the bubble and the dew pressure at T.
// Newton in the logarithms of both phases' component densities and the vapour fraction beta on
//   ln f_i(liquid) = ln f_i(vapour),  p(liquid) = p = p(vapour),  (1 - beta) x_k + beta y_k = z_k
// (k = 1..n-1), with exact derivatives; it starts between the bubble point (beta = 0) and the dew
// point (beta = 1) in proportion to ln p. Returns the bulk and phase states with the quality.
MixtureFlashResult TwoPhaseSplit(const MixtureModel& model, const Composition& z, double tempK,
    double pressureKPa, const MixtureSaturation& dew, const MixtureSaturation& bubble);

} // namespace velutra::thermo
