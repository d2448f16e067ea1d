#include "Saturation.h"

#include "Properties.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra::thermo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Relative density step at which the Newton iteration counts as converged; the superancillary
// start is within about 1e-12 already, so one or two steps reach it.
constexpr double kStepTolerance = 1e-12;

// Residuals of the equilibrium conditions at the level of rounding error (see below).
constexpr double kResidualTolerance = 1e-15;

// Below this relative step, a step that is no longer at most half the one before is rounding
// noise: Newton's steps shrink quadratically until the residuals reach their rounding level. An
// equation whose terms cancel heavily (R22: the terms of delta alphar_delta add up to thousands in
// the liquid, and tau^25 terms at low temperature) has residuals whose rounding level lies above
// the two tolerances before, so the steps never fall below kStepTolerance: they stall at 1e-12 to
// 1e-10, and within 10 mK of the critical point, where the Jacobian is nearly singular, at 1e-8.
constexpr double kNoiseStepTolerance = 1e-7;

// Relative pressure mismatch accepted by SaturationAtP (the pressure of a converged saturation
// state is itself only good to a few 1e-15, for R22 to about 1e-12), or relative temperature
// step below which the remaining mismatch is the saturation pressure's own rounding noise.
constexpr double kPressureTolerance = 1e-12;
constexpr double kTemperatureStepTolerance = 1e-12;

SaturationResult Fail(SolverStatus status, const char* reason) {
    return { { status, reason }, kNaN, kNaN, kNaN, kNaN, kNaN };
}

} // namespace

SaturationResult SaturationAtT(const PureFluid& fluid, double tempK) {
    return SaturationAtT(fluid, tempK, nullptr);
}

SaturationResult SaturationAtT(const PureFluid& fluid, double tempK, const TauTerms* tauTermsAtT) {
    const FluidConstants& c = fluid.constants();
    if (!std::isfinite(tempK))
        return Fail(SolverStatus::BadArgument, "temperature must be a finite number");
    if (tempK < c.tripleTempK)
        return Fail(SolverStatus::OutOfRange, "temperature is below the triple point");
    if (tempK >= c.criticalTempK)
        return Fail(SolverStatus::OutOfRange, "temperature is at or above the critical point");

    TauTerms prepared;
    if (tauTermsAtT == nullptr)
        fluid.residual().prepareTau(fluid.tau(tempK), prepared);
    const TauTerms& tauTerms = tauTermsAtT ? *tauTermsAtT : prepared;
    const double gasR = fluid.gasConstant();
    const double rt = gasR * tempK;
    double rhoL = fluid.superancillary().rhoL(tempK);
    double rhoV = fluid.superancillary().rhoV(tempK);
    double lastStep = std::numeric_limits<double>::infinity();

    for (int iteration = 0; iteration < 50; ++iteration) {
        const ResidualDerivatives rl = fluid.residual().evaluate(tauTerms, fluid.delta(rhoL));
        const ResidualDerivatives rv = fluid.residual().evaluate(tauTerms, fluid.delta(rhoV));
        const double pL = PressureFrom(fluid, tempK, rhoL, rl);
        const double pV = PressureFrom(fluid, tempK, rhoV, rv);
        const double slopeL = DpDrhoFrom(fluid, tempK, rl);
        const double slopeV = DpDrhoFrom(fluid, tempK, rv);
        if (!(slopeL > 0.0 && slopeV > 0.0))
            break;
        // F1 = pL - pV; F2 = (gL - gV)/(R T) = ln(rhoL/rhoV) + alphar_L - alphar_V + (delta alphar_delta)_L -
        // (...)_V (the ideal-gas parts differ only by ln delta at equal T). d(g/RT)/drho = (dp/drho)/(rho R
        // T).
        const double f1 = pL - pV;
        const double f2 = std::log(rhoL / rhoV) + rl.alphar - rv.alphar + rl.delta_dDelta - rv.delta_dDelta;
        // Clapeyron: dp/dT = (sV - sL) / (1/rhoV - 1/rhoL), sV - sL = (hV - hL)/T, and the ideal-gas
        // enthalpies cancel at equal T.
        const double dh = rt * (rv.tau_dTau - rl.tau_dTau + rv.delta_dDelta - rl.delta_dDelta);
        const double dpdT = dh / tempK / (1.0 / rhoV - 1.0 / rhoL);
        // Residuals at rounding level end the iteration: near the critical point the Jacobian is
        // nearly singular and rounding noise alone makes steps larger than the step tolerance.
        // The liquid pressure's rounding error scales with rho R T, not with p.
        if (std::fabs(f1) <= kResidualTolerance * rhoL * rt && std::fabs(f2) <= kResidualTolerance
            && rhoL > rhoV * (1.0 + 1e-9))
            return { {}, tempK, pV, rhoL, rhoV, dpdT };
        const double a = slopeL;
        const double b = -slopeV;
        const double cc = slopeL / (rhoL * rt);
        const double d = -slopeV / (rhoV * rt);
        const double det = a * d - b * cc;
        if (!(std::fabs(det) > 0.0))
            break;
        const double stepL = -(d * f1 - b * f2) / det;
        const double stepV = -(a * f2 - cc * f1) / det;
        const double nextL = rhoL + stepL;
        const double nextV = rhoV + stepV;
        if (!(nextV > 0.0 && nextL > nextV))
            break;
        const double step = std::max(std::fabs(stepL) / rhoL, std::fabs(stepV) / rhoV);
        const bool done = step <= kStepTolerance || (step <= kNoiseStepTolerance && step > 0.5 * lastStep);
        lastStep = step;
        rhoL = nextL;
        rhoV = nextV;
        if (done) {
            // The vapour side gives the pressure: its compressibility factor is near 1, where the
            // liquid's is small and carries the cancellation error of 1 + delta alphar_delta.
            const ResidualDerivatives finalV = fluid.residual().evaluate(tauTerms, fluid.delta(rhoV));
            // A trivial solution (both densities equal) is no saturation state.
            if (rhoL <= rhoV * (1.0 + 1e-9))
                break;
            return { {}, tempK, PressureFrom(fluid, tempK, rhoV, finalV), rhoL, rhoV, dpdT };
        }
    }
    return Fail(SolverStatus::NoConvergence, "the saturation iteration did not converge");
}

SaturationResult SaturationAtP(const PureFluid& fluid, double pressureKPa) {
    if (!std::isfinite(pressureKPa))
        return Fail(SolverStatus::BadArgument, "pressure must be a finite number");
    if (!(pressureKPa > 0.0))
        return Fail(SolverStatus::BadArgument, "pressure must be positive");
    const std::optional<double> start = fluid.superancillary().temperatureAt(pressureKPa);
    if (!start)
        return Fail(
            SolverStatus::OutOfRange, "pressure is outside the saturation range (triple to critical point)");

    double tempK = *start;
    for (int iteration = 0; iteration < 20; ++iteration) {
        SaturationResult sat = SaturationAtT(fluid, tempK);
        if (!sat.outcome.ok())
            return sat;
        const double mismatch = pressureKPa - sat.pressure;
        if (std::fabs(mismatch) <= kPressureTolerance * pressureKPa)
            return sat;
        const double step = mismatch / sat.dpdT;
        if (std::fabs(step) <= kTemperatureStepTolerance * tempK)
            return sat;
        tempK += step;
    }
    return Fail(SolverStatus::NoConvergence, "the saturation temperature iteration did not converge");
}

} // namespace velutra::thermo
