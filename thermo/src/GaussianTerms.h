#pragma once

#include "HelmholtzDerivatives.h"

#include <vector>

namespace velutra::thermo {

// One Gaussian bell-shaped term n delta^d tau^t exp(-eta (delta - epsilon)^2 - beta (tau - gamma)^2)
// (Setzmann and Wagner 1991; used by the propane and isobutane equations).
struct GaussianTerm {
    double n = 0.0;
    double t = 0.0;
    double eta = 0.0;
    double epsilon = 0.0;
    double beta = 0.0;
    double gamma = 0.0;
    int d = 0;
};

// A set of Gaussian terms of a residual Helmholtz energy.
class GaussianTerms {
public:
    GaussianTerms() = default;
    // Throws ThermoError when d is outside what DeltaPowers holds.
    explicit GaussianTerms(std::vector<GaussianTerm> terms);

    std::size_t size() const { return terms_.size(); }
    int maxDeltaExponent() const;

    void prepareTau(double tau, double lnTau, TermTauFactor* out) const;
    void accumulate(double delta, const DeltaPowers& powers, const TermTauFactor* factors,
        ResidualDerivatives& sum) const;

private:
    std::vector<GaussianTerm> terms_;
};

} // namespace velutra::thermo
