#include "DensityRoot.h"

#include "Properties.h"

#include <cmath>
#include <limits>

namespace velutra::thermo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A state within this fraction of the saturation pressure may still be asked for on either
// branch: the superancillary pressure agrees with the equation to about 1e-12, so the liquid
// and vapour roots at an exact saturation pressure must both be reachable.
constexpr double kSaturationSlack = 1e-6;

// Densities above this multiple of the reducing density are far beyond any liquid the equations
// were fitted to (about 3.3 at the triple points of our fluids).
constexpr double kMaxReducedDensity = 6.0;

// Relative Newton step below which the root is taken as found. Newton converges quadratically,
// so the error after such a step is of order 1e-24 times the curvature ratio.
constexpr double kStepTolerance = 1e-12;

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
    if (!(rho > lo && rho < hi))
        rho = 0.5 * (lo + hi);

    // Safeguarded Newton: every evaluated point narrows the bracket, and a step that would leave
    // it is replaced by bisection. On the vapour branch a point where the isotherm falls lies
    // beyond the spinodal and counts as too dense; on the liquid branch it counts as too thin.
    for (int iteration = 0; iteration < 200; ++iteration) {
        const ResidualDerivatives r = fluid.residual().evaluate(tauTerms, fluid.delta(rho));
        const double p = PressureFrom(fluid, tempK, rho, r);
        const double slope = DpDrhoFrom(fluid, tempK, r);
        const bool tooDense
            = vapourBranch ? (slope <= 0.0 || p > pressureKPa) : (slope > 0.0 && p > pressureKPa);
        if (tooDense)
            hi = rho;
        else
            lo = rho;
        double next = slope > 0.0 ? rho - (p - pressureKPa) / slope : kNaN;
        // A step this small is taken even when it touches the bracket: at the root the bracket
        // end is the current point itself.
        if (slope > 0.0 && std::fabs(next - rho) <= kStepTolerance * rho)
            return { {}, next };
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        if (hi - lo <= 1e-14 * hi)
            return Fail(
                SolverStatus::NoRoot, "no density of the requested phase at this temperature and pressure");
        rho = next;
    }
    return Fail(SolverStatus::NoConvergence, "the density iteration did not converge");
}

} // namespace velutra::thermo
