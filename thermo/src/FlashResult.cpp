#include "FlashResult.h"

#include <limits>

namespace velutra::thermo {

FlashResult FailedFlash(SolverOutcome outcome) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    FlashResult result;
    result.outcome = outcome;
    result.state = StateProperties { nan, nan, nan, nan, nan, nan, nan, nan, nan, nan };
    result.rhoL = nan;
    result.rhoV = nan;
    result.quality = nan;
    return result;
}

FlashResult SinglePhase(const StateProperties& state, double quality) {
    FlashResult result;
    result.state = state;
    result.rhoL = state.rho;
    result.rhoV = state.rho;
    result.quality = quality;
    return result;
}

} // namespace velutra::thermo
