#include "FlashPS.h"

#include "DensityRoot.h"
#include "Saturation.h"

#include <cmath>
#include <limits>

namespace velutra::thermo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTempTolerance = 1e-12; // relative temperature step taken as converged
constexpr double kRhoTolerance = 1e-11; // relative density step taken as converged

StateProperties EvaluateAt(const PureFluid& fluid, const TauTerms& tauTerms, double tempK, double rho) {
    return PropertiesFrom(
        fluid, tempK, rho, fluid.alpha0(tempK, rho), fluid.residual().evaluate(tauTerms, fluid.delta(rho)));
}

// Single phase by Newton in T on s(T, rho(T, p)) with ds/dT at constant p = cp/T, kept inside
// [tLo, tHi] by bisection. Slower than the two-dimensional Newton below but safe wherever a
// density root exists: the fallback and the path for liquid and supercritical states.
FlashResult SolveInTemperature(
    const PureFluid& fluid, double pressureKPa, double entropy, double tLo, double tHi, double tStart) {
    const FluidConstants& c = fluid.constants();
    const auto phaseAt = [&](double tempK) {
        const bool liquid = tempK < c.criticalTempK
            && (pressureKPa >= c.criticalPressure || pressureKPa >= fluid.superancillary().pressure(tempK));
        return liquid ? Phase::Liquid : Phase::Vapour;
    };
    const auto stateAt = [&](double tempK, DensityResult& root) {
        const TauTerms tauTerms = fluid.residual().prepareTau(fluid.tau(tempK));
        root = DensityFromTP(fluid, tauTerms, tempK, pressureKPa, phaseAt(tempK));
        return root.outcome.ok() ? EvaluateAt(fluid, tauTerms, tempK, root.rho) : StateProperties {};
    };

    double tempK = tStart > tLo && tStart < tHi ? tStart : 0.5 * (tLo + tHi);
    for (int iteration = 0; iteration < 200; ++iteration) {
        DensityResult root;
        const StateProperties state = stateAt(tempK, root);
        if (!root.outcome.ok())
            return FailedFlash(root.outcome);
        const double f = state.entropy - entropy;
        if (f < 0.0)
            tLo = tempK;
        else
            tHi = tempK;
        double next = tempK - f * tempK / state.cp;
        if (std::fabs(next - tempK) <= kTempTolerance * tempK) {
            const StateProperties final = stateAt(next, root);
            if (!root.outcome.ok())
                return FailedFlash(root.outcome);
            return SinglePhase(final, phaseAt(next) == Phase::Liquid ? 0.0 : 1.0);
        }
        if (!(next > tLo && next < tHi))
            next = 0.5 * (tLo + tHi);
        if (tHi - tLo <= 1e-13 * tHi)
            return FailedFlash({ SolverStatus::OutOfRange,
                "the entropy is outside the range of the equation at this pressure" });
        tempK = next;
    }
    return FailedFlash({ SolverStatus::NoConvergence, "the (p, s) iteration did not converge" });
}

// Superheated vapour by Newton in (T, rho) on p(T, rho) = p and s(T, rho) = s: one evaluation of
// the Helmholtz energy per step. Started from an isobaric estimate off the saturated vapour, it
// converges in a handful of steps; empty result when it does not (the caller falls back).
bool SolveVapour(const PureFluid& fluid, double pressureKPa, double entropy, double tempK, double rho,
    FlashResult& result) {
    const FluidConstants& c = fluid.constants();
    const double gasR = fluid.gasConstant();
    for (int iteration = 0; iteration < 50; ++iteration) {
        const TauTerms tauTerms = fluid.residual().prepareTau(fluid.tau(tempK));
        const ResidualDerivatives r = fluid.residual().evaluate(tauTerms, fluid.delta(rho));
        const IdealDerivatives i = fluid.alpha0(tempK, rho);
        const double f1 = PressureFrom(fluid, tempK, rho, r) - pressureKPa;
        const double f2 = EntropyFrom(fluid, i, r) - entropy;
        const double dpdT = DpDtFrom(fluid, rho, r);
        const double dpdRho = DpDrhoFrom(fluid, tempK, r);
        const double dsdT = -gasR * (i.tau2_dTau2 + r.tau2_dTau2) / tempK; // cv / T
        const double dsdRho = -dpdT / (rho * rho); // Maxwell: (ds/drho)_T = -(dp/dT)_rho / rho^2
        const double det = dpdT * dsdRho - dpdRho * dsdT;
        if (!(dpdRho > 0.0) || !(std::fabs(det) > 0.0))
            return false;
        double stepT = -(dsdRho * f1 - dpdRho * f2) / det;
        double stepRho = -(dpdT * f2 - dsdT * f1) / det;
        // Converged: the remaining step is below the tolerance, so this iterate, evaluated
        // already and with a rising isotherm, is the state (a spurious root with a falling one
        // was refused above and goes to the bracketed solver).
        if (std::fabs(stepT) <= kTempTolerance * tempK && std::fabs(stepRho) <= kRhoTolerance * rho) {
            const bool liquidLike
                = tempK < c.criticalTempK && pressureKPa >= fluid.superancillary().pressure(tempK);
            if (liquidLike)
                return false;
            result = SinglePhase(PropertiesFrom(fluid, tempK, rho, i, r), 1.0);
            return true;
        }
        // Keep the iterate physical: halve steps that would leave the equation's range.
        for (int halving = 0; halving < 30
             && !(rho + stepRho > 0.0 && tempK + stepT >= c.tripleTempK && tempK + stepT <= c.maxTempK);
             ++halving) {
            stepT *= 0.5;
            stepRho *= 0.5;
        }
        tempK += stepT;
        rho += stepRho;
        if (!(rho > 0.0 && tempK >= c.tripleTempK && tempK <= c.maxTempK))
            return false;
    }
    return false;
}

FlashResult Vapour(const PureFluid& fluid, double pressureKPa, double entropy, double satTempK,
    const StateProperties& satVapour) {
    // Along an isobar ds = cp dT / T; with the saturated vapour's cp the estimate errs on the
    // low side, and the ideal gas scales the density.
    const double tStart = satTempK * std::exp((entropy - satVapour.entropy) / satVapour.cp);
    const double rhoStart = satVapour.rho * satTempK / tStart;
    FlashResult result;
    if (SolveVapour(fluid, pressureKPa, entropy, tStart, rhoStart, result))
        return result;
    return SolveInTemperature(fluid, pressureKPa, entropy, satTempK, fluid.constants().maxTempK, tStart);
}

FlashResult Liquid(const PureFluid& fluid, double pressureKPa, double entropy, double satTempK,
    const StateProperties& satLiquid) {
    const double tStart = satTempK * std::exp((entropy - satLiquid.entropy) / satLiquid.cp);
    return SolveInTemperature(fluid, pressureKPa, entropy, fluid.constants().tripleTempK, satTempK, tStart);
}

FlashResult TwoPhase(double pressureKPa, double entropy, const SaturationResult& sat,
    const StateProperties& liquid, const StateProperties& vapour) {
    const double q = (entropy - liquid.entropy) / (vapour.entropy - liquid.entropy);
    FlashResult result;
    result.twoPhase = true;
    result.quality = q;
    result.rhoL = sat.rhoL;
    result.rhoV = sat.rhoV;
    StateProperties& s = result.state;
    s.tempK = sat.tempK;
    s.pressure = pressureKPa;
    s.rho = 1.0 / (q / sat.rhoV + (1.0 - q) / sat.rhoL);
    s.internalEnergy = liquid.internalEnergy + q * (vapour.internalEnergy - liquid.internalEnergy);
    s.enthalpy = liquid.enthalpy + q * (vapour.enthalpy - liquid.enthalpy);
    s.entropy = entropy;
    s.cv = s.cp = s.soundSpeed = s.jouleThomson = kNaN;
    return result;
}

} // namespace

FlashResult FlashPS(const PureFluid& fluid, double pressureKPa, double entropy,
    const SaturationResult* knownSaturation, const TauTerms* knownTauTerms) {
    const FluidConstants& c = fluid.constants();
    if (!std::isfinite(pressureKPa) || !std::isfinite(entropy))
        return FailedFlash({ SolverStatus::BadArgument, "pressure and entropy must be finite numbers" });
    if (!(pressureKPa > 0.0))
        return FailedFlash({ SolverStatus::BadArgument, "pressure must be positive" });
    if (pressureKPa > c.maxPressure)
        return FailedFlash({ SolverStatus::OutOfRange, "pressure is above the equation's upper limit" });

    // A known saturation state settles a superheated vapour at once; anything else takes the
    // general way below.
    if (knownSaturation && knownSaturation->outcome.ok() && knownSaturation->pressure == pressureKPa) {
        TauTerms prepared;
        if (knownTauTerms == nullptr)
            fluid.residual().prepareTau(fluid.tau(knownSaturation->tempK), prepared);
        const StateProperties vapour = EvaluateAt(
            fluid, knownTauTerms ? *knownTauTerms : prepared, knownSaturation->tempK, knownSaturation->rhoV);
        if (entropy > vapour.entropy)
            return Vapour(fluid, pressureKPa, entropy, knownSaturation->tempK, vapour);
    }

    const Superancillary& sa = fluid.superancillary();
    const std::optional<double> satTemp = sa.temperatureAt(pressureKPa);
    if (!satTemp) {
        if (pressureKPa < sa.pressure(sa.minTempK()))
            return FailedFlash({ SolverStatus::OutOfRange, "pressure is below the triple-point pressure" });
        // At or above the critical pressure there is one phase at every temperature.
        return SolveInTemperature(fluid, pressureKPa, entropy, c.tripleTempK, c.maxTempK, c.criticalTempK);
    }

    // Phase from the superancillary saturation state first: it is exact to about 1e-12, so only
    // entropies within a small margin of a saturated phase need the exact saturation state.
    const double margin = 1e-7 * fluid.gasConstant();
    const TauTerms satTau = fluid.residual().prepareTau(fluid.tau(*satTemp));
    const StateProperties approxV = EvaluateAt(fluid, satTau, *satTemp, sa.rhoV(*satTemp));
    if (entropy > approxV.entropy + margin)
        return Vapour(fluid, pressureKPa, entropy, *satTemp, approxV);
    const StateProperties approxL = EvaluateAt(fluid, satTau, *satTemp, sa.rhoL(*satTemp));
    if (entropy < approxL.entropy - margin)
        return Liquid(fluid, pressureKPa, entropy, *satTemp, approxL);

    const SaturationResult sat = SaturationAtP(fluid, pressureKPa);
    if (!sat.outcome.ok())
        return FailedFlash(sat.outcome);
    const TauTerms tauTerms = fluid.residual().prepareTau(fluid.tau(sat.tempK));
    const StateProperties liquid = EvaluateAt(fluid, tauTerms, sat.tempK, sat.rhoL);
    const StateProperties vapour = EvaluateAt(fluid, tauTerms, sat.tempK, sat.rhoV);
    if (entropy > vapour.entropy)
        return Vapour(fluid, pressureKPa, entropy, sat.tempK, vapour);
    if (entropy < liquid.entropy)
        return Liquid(fluid, pressureKPa, entropy, sat.tempK, liquid);
    return TwoPhase(pressureKPa, entropy, sat, liquid, vapour);
}

} // namespace velutra::thermo
