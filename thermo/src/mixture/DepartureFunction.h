#pragma once

#include "ResidualHelmholtz.h"

#include <vector>

namespace velutra::thermo {

// Most distinct departure functions one mixture may use (one per pair of five components).
inline constexpr std::size_t kMaxDepartureFunctions = 10;

// One binary pair's departure term F_ij x_i x_j alphar_ij(tau, delta); `function` indexes the
// mixture's list of departure functions (pairs may share one, as the HFC pairs do).
struct DeparturePair {
    int i = 0;
    int j = 0;
    double factor = 0.0; // F_ij
    int function = 0;
};

// The departure sum sum_{i<j} x_i x_j F_ij alphar_ij(tau, delta) of a mixture, each alphar_ij a
// generalised residual function at the mixture's reduced variables.
class DepartureFunction {
public:
    DepartureFunction() = default;
    // Throws ThermoError when more functions are given than kMaxDepartureFunctions.
    DepartureFunction(std::vector<DeparturePair> pairs, std::vector<ResidualHelmholtz> functions);

    const std::vector<DeparturePair>& pairs() const { return pairs_; }
    int functionCount() const { return static_cast<int>(functions_.size()); }

    // Tau factors of every function, out[0 .. functionCount()).
    void prepareTau(double tau, TauTerms* out) const;
    // alphar_ij of every function at delta, out[0 .. functionCount()).
    void evaluateEach(const TauTerms* tauTerms, double delta, ResidualDerivatives* out) const;

private:
    std::vector<DeparturePair> pairs_;
    std::vector<ResidualHelmholtz> functions_;
};

} // namespace velutra::thermo
