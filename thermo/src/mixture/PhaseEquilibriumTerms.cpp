#include "PhaseEquilibriumTerms.h"

#include <cmath>

namespace velutra::thermo {

double PhaseEquilibriumTerms::dPOverRTdRho() const {
    double sum = 0.0;
    for (int j = 0; j < size; ++j)
        sum += rhoi[j] / rho * dPOverRT[j];
    return sum;
}

double PhaseEquilibriumTerms::lnFugacityCoefficient(int i, double gasR, double tempK) const {
    return lnFugacity[i] - std::log(rhoi[i] / rho * pressure(gasR, tempK));
}

PhaseEquilibriumTerms EvaluatePhase(const MixtureModel& model, double tempK, const Composition& rhoi) {
    const int n = model.size();
    const Jet psi = model.residualDensity(tempK, rhoi);
    const double rt = model.gasConstant() * tempK;
    PhaseEquilibriumTerms out;
    out.size = n;
    out.rhoi = rhoi;
    for (int i = 0; i < n; ++i)
        out.rho += rhoi[i];
    out.pOverRT = out.rho - psi.value;
    for (int i = 0; i < n; ++i) {
        out.lnFugacity[i] = std::log(rhoi[i] * rt) + psi.grad[i];
        out.pOverRT += rhoi[i] * psi.grad[i];
        out.dPOverRT[i] = 1.0;
        for (int j = 0; j < n; ++j) {
            out.dLnFugacity[i][j] = psi.hess[i][j] + (i == j ? 1.0 / rhoi[i] : 0.0);
            out.dPOverRT[i] += rhoi[j] * psi.hess[j][i];
        }
    }
    return out;
}

} // namespace velutra::thermo
