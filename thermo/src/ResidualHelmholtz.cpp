#include "ResidualHelmholtz.h"

#include "ThermoError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velutra::thermo {

ResidualHelmholtz::ResidualHelmholtz(PowerTerms power, GaussianTerms gaussian)
    : power_(std::move(power))
    , gaussian_(std::move(gaussian))
    , maxDeltaExponent_(std::max(power_.maxDeltaExponent(), gaussian_.maxDeltaExponent()))
    , maxL_(power_.maxL()) {
    if (termCount() > kMaxResidualTerms)
        throw ThermoError(ErrorCode::BadFluidFile,
            "the equation has " + std::to_string(termCount()) + " residual terms, more than the "
                + std::to_string(kMaxResidualTerms) + " supported");
}

void ResidualHelmholtz::prepareTau(double tau, TauTerms& out) const {
    const double lnTau = std::log(tau);
    out.tau = tau;
    out.count = termCount();
    power_.prepareTau(lnTau, out.factors.data());
    gaussian_.prepareTau(tau, lnTau, out.factors.data() + power_.size());
}

ResidualDerivatives ResidualHelmholtz::evaluate(const TauTerms& tauTerms, double delta) const {
    DeltaPowers powers;
    powers.power[0] = 1.0;
    for (int k = 1; k <= maxDeltaExponent_; ++k)
        powers.power[k] = powers.power[k - 1] * delta;
    powers.expMinusPowerL[0] = 1.0;
    for (int l = 1; l <= maxL_; ++l)
        powers.expMinusPowerL[l] = std::exp(-powers.power[l]);

    ResidualDerivatives sum;
    power_.accumulate(powers, tauTerms.factors.data(), sum);
    gaussian_.accumulate(delta, powers, tauTerms.factors.data() + power_.size(), sum);
    return sum;
}

ResidualDerivatives ResidualHelmholtz::alphar(double tau, double delta) const {
    TauTerms tauTerms;
    prepareTau(tau, tauTerms);
    return evaluate(tauTerms, delta);
}

} // namespace velutra::thermo
