#pragma once

#include <array>
#include <cstddef>

namespace velutra::thermo {

// Residual Helmholtz energy alphar(tau, delta) and its derivatives, each multiplied by the
// matching powers of tau and delta. The scaled forms are what the property relations use
// (p / (rho R T) = 1 + delta alphar_delta, ...) and they avoid a division per term.
struct ResidualDerivatives {
    double alphar = 0.0;
    double delta_dDelta = 0.0; // delta * d(alphar)/d(delta)
    double delta2_dDelta2 = 0.0; // delta^2 * d2(alphar)/d(delta)2
    double tau_dTau = 0.0; // tau * d(alphar)/d(tau)
    double tau2_dTau2 = 0.0; // tau^2 * d2(alphar)/d(tau)2
    double deltaTau_dDeltaTau = 0.0; // delta * tau * d2(alphar)/d(delta)d(tau)
};

// Ideal-gas part alpha0(tau, delta) = ln(delta) + f(tau): its delta derivatives are fixed
// (delta * alpha0_delta = 1, delta^2 * alpha0_deltadelta = -1, no mixed derivative).
struct IdealDerivatives {
    double alpha0 = 0.0;
    double tau_dTau = 0.0; // tau * d(alpha0)/d(tau)
    double tau2_dTau2 = 0.0; // tau^2 * d2(alpha0)/d(tau)2
};

// The tau-dependent factor of one residual term, g(tau) = n tau^t ..., with
// b = tau g'/g and bb = tau^2 g''/g. Computed once per temperature so that density
// iterations at fixed temperature cost no power or exponential of tau.
// Left uninitialized when default-constructed (prepareTau writes every factor it uses): a
// mixture's tau terms hold room for many equations and are made for every evaluation.
struct TermTauFactor {
    double coefficient;
    double b;
    double bb;
};

// Room for the residual terms of one equation (R152a has the most, 40).
inline constexpr std::size_t kMaxResidualTerms = 64;

// The tau factors of every residual term of one equation at one tau.
struct TauTerms {
    double tau = 0.0;
    std::size_t count = 0;
    std::array<TermTauFactor, kMaxResidualTerms> factors; // the first `count` are set
};

// Powers delta^k for the integer exponents of the terms and exp(-delta^l) per exponent l.
struct DeltaPowers {
    static constexpr int kMaxExponent = 16;
    static constexpr int kMaxL = 8;
    std::array<double, kMaxExponent + 1> power {};
    std::array<double, kMaxL + 1> expMinusPowerL {}; // exp(-delta^l); 1 for l = 0
};

} // namespace velutra::thermo
