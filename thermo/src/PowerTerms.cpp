#include "PowerTerms.h"

#include "ThermoError.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace velutra::thermo {

PowerTerms::PowerTerms(std::vector<PowerTerm> terms)
    : terms_(std::move(terms)) {
    for (const PowerTerm& term : terms_) {
        if (term.d < 0 || term.d > DeltaPowers::kMaxExponent || term.l < 0 || term.l > DeltaPowers::kMaxL)
            throw ThermoError(ErrorCode::BadFluidFile,
                "power term exponents d = " + std::to_string(term.d) + ", l = " + std::to_string(term.l)
                    + " are outside the supported range");
    }
}

int PowerTerms::maxDeltaExponent() const {
    int result = 0;
    for (const PowerTerm& term : terms_)
        result = std::max({ result, term.d, term.l });
    return result;
}

int PowerTerms::maxL() const {
    int result = 0;
    for (const PowerTerm& term : terms_)
        result = std::max(result, term.l);
    return result;
}

void PowerTerms::prepareTau(double lnTau, TermTauFactor* out) const {
    for (const PowerTerm& term : terms_) {
        double g = term.t == 0.0 ? term.n : term.n * std::exp(term.t * lnTau);
        double b = term.t;
        double bb = term.t * (term.t - 1.0);
        if (term.m != 0.0) {
            // g = n tau^t exp(-tau^m): tau g'/g = t - m tau^m.
            const double tauM = std::exp(term.m * lnTau);
            g *= std::exp(-tauM);
            b = term.t - term.m * tauM;
            bb = b * (b - 1.0) - term.m * term.m * tauM;
        }
        *out++ = TermTauFactor { g, b, bb };
    }
}

void PowerTerms::accumulate(
    const DeltaPowers& powers, const TermTauFactor* factors, ResidualDerivatives& sum) const {
    for (const PowerTerm& term : terms_) {
        const TermTauFactor& f = *factors++;
        // With D = delta^l: delta f_delta / f = d - l D, delta^2 f_deltadelta / f = A (A - 1) - l^2 D.
        const double deltaL = term.l == 0 ? 0.0 : powers.power[term.l];
        const double value = f.coefficient * powers.power[term.d] * powers.expMinusPowerL[term.l];
        const double a = term.d - term.l * deltaL;
        sum.alphar += value;
        sum.delta_dDelta += value * a;
        sum.delta2_dDelta2 += value * (a * (a - 1.0) - term.l * term.l * deltaL);
        sum.tau_dTau += value * f.b;
        sum.tau2_dTau2 += value * f.bb;
        sum.deltaTau_dDeltaTau += value * a * f.b;
    }
}

} // namespace velutra::thermo
