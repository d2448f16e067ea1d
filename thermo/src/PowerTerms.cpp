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
    for (int q : { 1, 2, 4 }) {
        const bool whole = std::all_of(terms_.begin(), terms_.end(), [q](const PowerTerm& term) {
            const double k = term.t * q;
            return std::fabs(k - std::round(k)) <= 1e-12 * std::max(1.0, std::fabs(k))
                && std::fabs(k) < 256.0;
        });
        if (whole) {
            rootDenominator_ = q;
            for (const PowerTerm& term : terms_)
                rootPowers_.push_back(static_cast<int>(std::lround(term.t * q)));
            break;
        }
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
    // Squares of tau^(1/q) and of its inverse: tau^(k/q) is the product over the bits of |k|.
    constexpr int kBits = 8;
    double up[kBits];
    double down[kBits];
    if (rootDenominator_ != 0) {
        up[0] = std::exp(lnTau / rootDenominator_);
        down[0] = 1.0 / up[0];
        for (int j = 1; j < kBits; ++j) {
            up[j] = up[j - 1] * up[j - 1];
            down[j] = down[j - 1] * down[j - 1];
        }
    }
    const int* power = rootPowers_.data();
    for (const PowerTerm& term : terms_) {
        double g = term.n;
        if (rootDenominator_ != 0) {
            const int k = *power++;
            const double* squares = k > 0 ? up : down;
            for (unsigned bits = static_cast<unsigned>(k > 0 ? k : -k), j = 0; bits != 0; bits >>= 1, ++j)
                if (bits & 1u)
                    g *= squares[j];
        } else if (term.t != 0.0) {
            g *= std::exp(term.t * lnTau);
        }
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
