#pragma once

#include "GaussianTerms.h"
#include "HelmholtzDerivatives.h"
#include "PowerTerms.h"

namespace velutra::thermo {

// Residual part alphar(tau, delta) of a multiparameter equation of state: the sum of its power
// and Gaussian terms. Evaluation is split into a tau step (prepareTau) and a delta step
// (evaluate) so that solvers at fixed temperature pay for the tau powers once; a mixture model
// evaluates each component's terms at the mixture's tau and delta the same way.
class ResidualHelmholtz {
public:
    ResidualHelmholtz() = default;
    // Throws ThermoError when the equation has more terms than TauTerms holds.
    ResidualHelmholtz(PowerTerms power, GaussianTerms gaussian);

    std::size_t termCount() const { return power_.size() + gaussian_.size(); }

    // Tau factors of all terms; tau > 0.
    void prepareTau(double tau, TauTerms& out) const;
    TauTerms prepareTau(double tau) const {
        TauTerms out;
        prepareTau(tau, out);
        return out;
    }
    // alphar and its scaled derivatives at delta > 0 and the tau of `tauTerms`.
    ResidualDerivatives evaluate(const TauTerms& tauTerms, double delta) const;
    // Both steps at once.
    ResidualDerivatives alphar(double tau, double delta) const;

private:
    PowerTerms power_;
    GaussianTerms gaussian_;
    int maxDeltaExponent_ = 0;
    int maxL_ = 0;
};

} // namespace velutra::thermo
