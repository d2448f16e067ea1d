#include "GaussianTerms.h"

#include "ThermoError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velutra::thermo {

GaussianTerms::GaussianTerms(std::vector<GaussianTerm> terms)
    : terms_(std::move(terms)) {
    for (const GaussianTerm& term : terms_) {
        if (term.d < 0 || term.d > DeltaPowers::kMaxExponent)
            throw ThermoError(ErrorCode::BadFluidFile,
                "Gaussian term exponent d = " + std::to_string(term.d) + " is outside the supported range");
    }
}

int GaussianTerms::maxDeltaExponent() const {
    int result = 0;
    for (const GaussianTerm& term : terms_)
        result = std::max(result, term.d);
    return result;
}

void GaussianTerms::prepareTau(double tau, double lnTau, TermTauFactor* out) const {
    for (const GaussianTerm& term : terms_) {
        const double dt = tau - term.gamma;
        const double g = term.n * std::exp(term.t * lnTau - term.beta * dt * dt);
        // tau g'/g = t - 2 beta tau (tau - gamma); tau^2 g''/g = b^2 - t - 2 beta tau^2.
        const double b = term.t - 2.0 * term.beta * tau * dt;
        const double bb = b * b - term.t - 2.0 * term.beta * tau * tau;
        *out++ = TermTauFactor { g, b, bb };
    }
}

void GaussianTerms::accumulate(
    double delta, const DeltaPowers& powers, const TermTauFactor* factors, ResidualDerivatives& sum) const {
    for (const GaussianTerm& term : terms_) {
        const TermTauFactor& f = *factors++;
        const double dd = delta - term.epsilon;
        const double value = f.coefficient * powers.power[term.d] * std::exp(-term.eta * dd * dd);
        // delta f_delta / f = d - 2 eta delta (delta - epsilon) = a; delta^2 f_deltadelta / f = a^2 - d - 2
        // eta delta^2.
        const double a = term.d - 2.0 * term.eta * delta * dd;
        sum.alphar += value;
        sum.delta_dDelta += value * a;
        sum.delta2_dDelta2 += value * (a * a - term.d - 2.0 * term.eta * delta * delta);
        sum.tau_dTau += value * f.b;
        sum.tau2_dTau2 += value * f.bb;
        sum.deltaTau_dDeltaTau += value * a * f.b;
    }
}

} // namespace velutra::thermo
