#include "MixtureFlashResult.h"

#include <limits>

namespace velutra::thermo {

MixtureFlashResult FailedMixtureFlash(SolverOutcome outcome) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    MixtureFlashResult out;
    out.outcome = outcome;
    out.state = { kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN };
    out.rhoL = out.rhoV = out.quality = kNaN;
    out.x.fill(kNaN);
    out.y.fill(kNaN);
    return out;
}

} // namespace velutra::thermo
