#include "CorrespondingStates.h"

namespace velutra::thermo {

void CorrespondingStates::prepareTau(double tau, TauTerms* out) const {
    for (const ResidualHelmholtz& r : residuals_)
        r.prepareTau(tau, *out++);
}

void CorrespondingStates::evaluateEach(
    const TauTerms* tauTerms, double delta, ResidualDerivatives* out) const {
    for (const ResidualHelmholtz& r : residuals_)
        *out++ = r.evaluate(*tauTerms++, delta);
}

} // namespace velutra::thermo
