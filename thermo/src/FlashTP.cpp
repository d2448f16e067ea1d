#include "FlashTP.h"

#include "DensityRoot.h"
#include "Saturation.h"

#include <cmath>

namespace velutra::thermo {

namespace {

// Within this relative distance of the superancillary saturation pressure the phase is decided
// against the exact saturation pressure instead (the expansion agrees to about 1e-12).
constexpr double kNearSaturation = 1e-9;

} // namespace

FlashResult FlashTP(const PureFluid& fluid, double tempK, double pressureKPa) {
    const SolverOutcome check = CheckTemperaturePressure(fluid, tempK, pressureKPa);
    if (!check.ok())
        return FailedFlash(check);
    return FlashTP(fluid, fluid.residual().prepareTau(fluid.tau(tempK)), tempK, pressureKPa);
}

FlashResult FlashTP(const PureFluid& fluid, const TauTerms& tauTerms, double tempK, double pressureKPa) {
    const SolverOutcome check = CheckTemperaturePressure(fluid, tempK, pressureKPa);
    if (!check.ok())
        return FailedFlash(check);
    const FluidConstants& c = fluid.constants();

    Phase phase = Phase::Vapour;
    if (tempK < c.criticalTempK) {
        const double pSat = fluid.superancillary().pressure(tempK);
        bool liquid = pressureKPa > pSat;
        if (std::fabs(pressureKPa - pSat) <= kNearSaturation * pSat) {
            const SaturationResult sat = SaturationAtT(fluid, tempK);
            if (!sat.outcome.ok())
                return FailedFlash(sat.outcome);
            liquid = pressureKPa >= sat.pressure;
        }
        phase = liquid ? Phase::Liquid : Phase::Vapour;
    }
    const DensityResult root = DensityFromTP(fluid, tauTerms, tempK, pressureKPa, phase);
    if (!root.outcome.ok())
        return FailedFlash(root.outcome);

    const double rho = root.rho;
    const StateProperties state = PropertiesFrom(
        fluid, tempK, rho, fluid.alpha0(tempK, rho), fluid.residual().evaluate(tauTerms, fluid.delta(rho)));
    const bool liquidLike = tempK < c.criticalTempK ? phase == Phase::Liquid : rho > c.criticalRho;
    return SinglePhase(state, liquidLike ? 0.0 : 1.0);
}

} // namespace velutra::thermo
