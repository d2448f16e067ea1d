#include "DensityRoot.h"

#include "DensityNewton.h"
#include "Properties.h"

#include <cmath>
#include <limits>
#include <utility>

namespace velutra::thermo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A state within this fraction of the saturation pressure may still be asked for on either
// branch: the superancillary pressure agrees with the equation to about 1e-12, so the liquid
// and vapour roots at an exact saturation pressure must both be reachable.
constexpr double kSaturationSlack = 1e-6;

DensityResult Fail(SolverStatus status, const char* reason) {
    return { { status, reason }, kNaN };
}

} // namespace

SolverOutcome CheckTemperaturePressure(const PureFluid& fluid, double tempK, double pressureKPa) {
    const FluidConstants& c = fluid.constants();
    if (!std::isfinite(tempK) || !std::isfinite(pressureKPa))
        return { SolverStatus::BadArgument, "temperature and pressure must be finite numbers" };
    if (!(pressureKPa > 0.0))
        return { SolverStatus::BadArgument, "pressure must be positive" };
    if (tempK < c.tripleTempK)
        return { SolverStatus::OutOfRange, "temperature is below the triple point" };
    if (tempK > c.maxTempK)
        return { SolverStatus::OutOfRange, "temperature is above the equation's upper limit" };
    if (pressureKPa > c.maxPressure)
        return { SolverStatus::OutOfRange, "pressure is above the equation's upper limit" };
    return {};
}

DensityResult DensityFromTP(const PureFluid& fluid, double tempK, double pressureKPa, Phase phase) {
    const SolverOutcome check = CheckTemperaturePressure(fluid, tempK, pressureKPa);
    if (!check.ok())
        return { check, kNaN };
    return DensityFromTP(fluid, fluid.residual().prepareTau(fluid.tau(tempK)), tempK, pressureKPa, phase);
}

DensityResult DensityFromTP(
    const PureFluid& fluid, const TauTerms& tauTerms, double tempK, double pressureKPa, Phase phase) {
    const SolverOutcome check = CheckTemperaturePressure(fluid, tempK, pressureKPa);
    if (!check.ok())
        return { check, kNaN };
    const FluidConstants& c = fluid.constants();
    const double rhoCap = kMaxReducedDensity * c.reducingRho;

    // Bracket [lo, hi] and start value. Below T_c the branch is chosen by the side of the
    // critical density; the saturated density from the superancillary is the start wherever the
    // root lies close to it, the ideal gas for a vapour well below saturation.
    double lo = 0.0;
    double hi = rhoCap;
    double rho = 0.0;
    bool vapourBranch = phase == Phase::Vapour;
    if (tempK < c.criticalTempK) {
        const Superancillary& sa = fluid.superancillary();
        const double pSat = sa.pressure(tempK);
        if (phase == Phase::Vapour) {
            if (pressureKPa > pSat * (1.0 + kSaturationSlack))
                return Fail(
                    SolverStatus::NoRoot, "no vapour root: the pressure is above the saturation pressure");
            hi = c.criticalRho;
            rho = pressureKPa > 0.5 * pSat ? sa.rhoV(tempK) * (pressureKPa / pSat)
                                           : pressureKPa / (fluid.gasConstant() * tempK);
        } else {
            // Below the saturation pressure the liquid root is metastable (superheated liquid);
            // it exists down to the liquid spinodal, and the liquid line of a cycle whose
            // condensing pressure lies under the saturation pressure at 90 F needs it. Beyond
            // the spinodal the bracket closes without a root and the call fails.
            lo = c.criticalRho;
            rho = sa.rhoL(tempK);
        }
    } else {
        // One root; the vapour-side rules (points of falling pressure count as too dense) never
        // apply because the isotherm rises everywhere.
        vapourBranch = true;
        rho = pressureKPa / (fluid.gasConstant() * tempK);
    }
    return SafeguardedDensityNewton(
        [&](double density) {
            const ResidualDerivatives r = fluid.residual().evaluate(tauTerms, fluid.delta(density));
            return std::pair { PressureFrom(fluid, tempK, density, r), DpDrhoFrom(fluid, tempK, r) };
        },
        pressureKPa, vapourBranch, lo, hi, rho);
}

} // namespace velutra::thermo
