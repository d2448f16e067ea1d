#include "DepartureFunction.h"

#include "ThermoError.h"

namespace velutra::thermo {

DepartureFunction::DepartureFunction(
    std::vector<DeparturePair> pairs, std::vector<ResidualHelmholtz> functions)
    : pairs_(std::move(pairs))
    , functions_(std::move(functions)) {
    if (functions_.size() > kMaxDepartureFunctions)
        throw ThermoError(ErrorCode::BadFluidFile, "too many departure functions in one mixture");
}

void DepartureFunction::prepareTau(double tau, TauTerms* out) const {
    for (const ResidualHelmholtz& f : functions_)
        f.prepareTau(tau, *out++);
}

void DepartureFunction::evaluateEach(const TauTerms* tauTerms, double delta, ResidualDerivatives* out) const {
    for (const ResidualHelmholtz& f : functions_)
        *out++ = f.evaluate(*tauTerms++, delta);
}

} // namespace velutra::thermo
