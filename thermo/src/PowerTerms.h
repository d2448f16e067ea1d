#pragma once

#include "HelmholtzDerivatives.h"

#include <vector>

namespace velutra::thermo {

// One power term n delta^d tau^t exp(-delta^l) exp(-tau^m); each exponential factor is left
// out when its exponent is 0. m = 0 everywhere gives the common polynomial/exponential form
// (Span-Wagner type); m != 0 is the form of Lemmon and Jacobsen (2005) for R125.
struct PowerTerm {
    double n = 0.0;
    double t = 0.0;
    double m = 0.0;
    int d = 0;
    int l = 0;
};

// A set of power terms of a residual Helmholtz energy.
class PowerTerms {
public:
    PowerTerms() = default;
    // Throws ThermoError when an exponent is outside what DeltaPowers holds.
    explicit PowerTerms(std::vector<PowerTerm> terms);

    std::size_t size() const { return terms_.size(); }
    int maxDeltaExponent() const;
    int maxL() const;

    // Writes the tau factor of every term to out[0 .. size()).
    void prepareTau(double lnTau, TermTauFactor* out) const;
    // Adds the terms at delta, using the tau factors from prepareTau.
    void accumulate(const DeltaPowers& powers, const TermTauFactor* factors, ResidualDerivatives& sum) const;

private:
    std::vector<PowerTerm> terms_;
    // When every t is a whole multiple of 1/q (q = 1, 2 or 4, |q t| < 256), tau^t is the
    // (q t)-th power of tau^(1/q), found by a few multiplications: one exponential per tau
    // instead of one per term. rootDenominator_ is q, or 0 when the exponents do not allow it.
    int rootDenominator_ = 0;
    std::vector<int> rootPowers_; // q t of each term
};

} // namespace velutra::thermo
