#pragma once

#include "Composition.h"
#include "ResidualHelmholtz.h"

#include <vector>

namespace velutra::thermo {

// The corresponding-states part of a mixture's residual Helmholtz energy, sum_i x_i alphar_i(tau, delta):
// every component's residual part evaluated at the mixture's reduced variables.
class CorrespondingStates {
public:
    CorrespondingStates() = default;
    explicit CorrespondingStates(std::vector<ResidualHelmholtz> residuals)
        : residuals_(std::move(residuals)) { }

    int size() const { return static_cast<int>(residuals_.size()); }

    // Tau factors of every component, out[0 .. size()).
    void prepareTau(double tau, TauTerms* out) const;
    // alphar_i at delta for every component, out[0 .. size()).
    void evaluateEach(const TauTerms* tauTerms, double delta, ResidualDerivatives* out) const;

private:
    std::vector<ResidualHelmholtz> residuals_;
};

} // namespace velutra::thermo
