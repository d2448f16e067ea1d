#include "MixtureFlashPS.h"

#include "MixtureDensityRoot.h"
#include "MixtureFlashTP.h"
#include "MixtureProperties.h"
#include "TwoPhaseSplit.h"

#include <algorithm>
#include <cmath>

namespace velutra::thermo {

namespace {

// Newton on T for s(T, p) = s in one phase, ds/dT at constant p being cp / T, from the saturation
// temperature on the phase's side; T stays on that side of it.
MixtureFlashResult SinglePhaseFromPS(const MixtureModel& model, const Composition& z, double pressureKPa,
    double entropy, Phase phase, const MixtureSaturation& sat) {
    double tempK = sat.tempK;
    double rho = phase == Phase::Vapour ? sat.rhoV : sat.rhoL;
    for (int iteration = 0; iteration < 50; ++iteration) {
        MixtureFlashResult state = MixtureSinglePhase(model, z, tempK, pressureKPa, phase, rho);
        if (!state.outcome.ok())
            return state;
        const double step = -(state.state.entropy - entropy) * tempK / state.state.cp;
        if (std::fabs(step) <= 1e-11 * tempK)
            return MixtureSinglePhase(model, z, tempK + step, pressureKPa, phase, state.state.rho);
        double next = tempK + step;
        // Never cross the saturation temperature: halve the way to it instead.
        if (phase == Phase::Vapour ? next < sat.tempK : next > sat.tempK)
            next = 0.5 * (tempK + sat.tempK);
        if (!std::isfinite(next) || next < model.minTempK() || next > model.maxTempK())
            return FailedMixtureFlash(
                { SolverStatus::OutOfRange, "the (p, s) state lies outside the equations' range" });
        rho = state.state.rho;
        tempK = next;
    }
    return FailedMixtureFlash({ SolverStatus::NoConvergence, "the (p, s) iteration did not converge" });
}

StateProperties SaturatedPhase(const MixtureModel& model, const MixtureSaturation& sat, bool vapour) {
    return vapour ? MixturePropertiesAt(model, sat.y, sat.tempK, sat.rhoV)
                  : MixturePropertiesAt(model, sat.x, sat.tempK, sat.rhoL);
}

double SaturatedEntropy(const MixtureModel& model, const MixtureSaturation& sat, bool vapour) {
    return SaturatedPhase(model, sat, vapour).entropy;
}

// Superheated vapour by Newton in (T, rho) on p(T, rho) = p and s(T, rho) = s: one evaluation of
// the Helmholtz energy per step, where the iteration in T solves for the density at every step.
// It starts from the isobaric estimate off the saturated vapour (ds = cp dT / T with the
// saturated vapour's cp, the density scaled as an ideal gas's) and stays above the dew
// temperature; false when it does not converge there (the caller then iterates in T).
bool VapourFromPS(const MixtureModel& model, const Composition& z, double pressureKPa, double entropy,
    const MixtureSaturation& dew, const StateProperties& saturated, MixtureFlashResult& result) {
    const double gasR = model.gasConstant();
    const double tr = model.reducingTempK(z);
    const double rhoR = model.reducingRho(z);
    double tempK = dew.tempK * std::exp((entropy - saturated.entropy) / saturated.cp);
    double rho = saturated.rho * dew.tempK / tempK;
    MixtureTauTerms tauTerms;
    for (int iteration = 0; iteration < 30; ++iteration) {
        model.prepareTau(tr / tempK, tauTerms);
        const ResidualDerivatives r = model.alphar(z, tauTerms, rho / rhoR);
        const IdealDerivatives i = model.alpha0(z, tempK, rho);
        const double f1 = rho * gasR * tempK * (1.0 + r.delta_dDelta) - pressureKPa;
        const double f2 = gasR * (i.tau_dTau + r.tau_dTau - i.alpha0 - r.alphar) - entropy;
        const double dpdT = rho * gasR * (1.0 + r.delta_dDelta - r.deltaTau_dDeltaTau);
        const double dpdRho = gasR * tempK * (1.0 + 2.0 * r.delta_dDelta + r.delta2_dDelta2);
        const double dsdT = -gasR * (i.tau2_dTau2 + r.tau2_dTau2) / tempK; // cv / T
        const double dsdRho = -dpdT / (rho * rho); // (ds/drho)_T = -(dp/dT)_rho / rho^2
        const double det = dpdT * dsdRho - dpdRho * dsdT;
        if (!(dpdRho > 0.0) || !(std::fabs(det) > 0.0))
            return false;
        double stepT = -(dsdRho * f1 - dpdRho * f2) / det;
        double stepRho = -(dpdT * f2 - dsdT * f1) / det;
        // Converged: the remaining step is below the tolerance, so this iterate, evaluated
        // already and with a rising isotherm, is the state.
        if (std::fabs(stepT) <= 1e-11 * tempK && std::fabs(stepRho) <= 1e-10 * rho) {
            result = MixtureFlashResult {};
            result.state = PropertiesFrom(gasR, model.molarMass(z), tempK, rho, i, r);
            result.rhoL = result.rhoV = rho;
            result.x = result.y = z;
            // As for any one-phase state: vapour-like below T_r(z) or thinner than rho_r(z).
            result.quality = tempK < tr || rho < rhoR ? 1.0 : 0.0;
            return true;
        }
        for (int halving = 0; halving < 30 && !(rho + stepRho > 0.0 && tempK + stepT > dew.tempK);
             ++halving) {
            stepT *= 0.5;
            stepRho *= 0.5;
        }
        tempK += stepT;
        rho += stepRho;
        if (!(rho > 0.0 && tempK > dew.tempK && tempK <= model.maxTempK()))
            return false;
    }
    return false;
}

// Two phases: regula falsi (Illinois) on T between the bubble and the dew temperature, where the
// bulk entropy rises monotonically, each T a two-phase split.
MixtureFlashResult TwoPhaseFromPS(const MixtureModel& model, const Composition& z, double pressureKPa,
    double entropy, const MixtureSaturation& bubble, const MixtureSaturation& dew) {
    double tLo = bubble.tempK;
    double tHi = dew.tempK;
    double fLo = SaturatedEntropy(model, bubble, false) - entropy;
    double fHi = SaturatedEntropy(model, dew, true) - entropy;
    int side = 0;
    for (int iteration = 0; iteration < 100; ++iteration) {
        const double tempK = (tLo * fHi - tHi * fLo) / (fHi - fLo);
        const MixtureSaturation d = DewPointAtT(model, z, tempK, &dew);
        const MixtureSaturation b = BubblePointAtT(model, z, tempK, &bubble);
        if (!d.outcome.ok())
            return FailedMixtureFlash(d.outcome);
        if (!b.outcome.ok())
            return FailedMixtureFlash(b.outcome);
        const MixtureFlashResult split = TwoPhaseSplit(model, z, tempK, pressureKPa, d, b);
        if (!split.outcome.ok())
            return split;
        const double f = split.state.entropy - entropy;
        if (std::fabs(f) <= 1e-12 * std::fabs(entropy) + 1e-12 || tHi - tLo <= 1e-12 * tHi)
            return split;
        if (f < 0.0) {
            tLo = tempK;
            fLo = f;
            if (side == -1)
                fHi *= 0.5;
            side = -1;
        } else {
            tHi = tempK;
            fHi = f;
            if (side == 1)
                fLo *= 0.5;
            side = 1;
        }
    }
    return FailedMixtureFlash(
        { SolverStatus::NoConvergence, "the two-phase (p, s) iteration did not converge" });
}

} // namespace

MixtureFlashResult MixtureFlashPS(const MixtureModel& model, const Composition& z, double pressureKPa,
    double entropy, const MixtureSaturation* knownDew) {
    if (!std::isfinite(entropy))
        return FailedMixtureFlash({ SolverStatus::BadArgument, "entropy must be a finite number" });
    const SolverOutcome check = CheckMixtureInput(model, z, std::max(model.minTempK(), 300.0), pressureKPa);
    if (!check.ok())
        return FailedMixtureFlash(check);
    const bool useKnown
        = knownDew && knownDew->outcome.ok() && knownDew->y == z && knownDew->pressure == pressureKPa;
    const MixtureSaturation dew = useKnown ? *knownDew : DewPointAtP(model, z, pressureKPa);
    if (!dew.outcome.ok())
        return FailedMixtureFlash(dew.outcome);
    const StateProperties saturatedVapour = SaturatedPhase(model, dew, true);
    if (entropy >= saturatedVapour.entropy) {
        MixtureFlashResult vapour;
        if (VapourFromPS(model, z, pressureKPa, entropy, dew, saturatedVapour, vapour))
            return vapour;
        return SinglePhaseFromPS(model, z, pressureKPa, entropy, Phase::Vapour, dew);
    }
    const MixtureSaturation bubble = BubblePointAtP(model, z, pressureKPa);
    if (!bubble.outcome.ok())
        return FailedMixtureFlash(bubble.outcome);
    if (entropy <= SaturatedEntropy(model, bubble, false))
        return SinglePhaseFromPS(model, z, pressureKPa, entropy, Phase::Liquid, bubble);
    return TwoPhaseFromPS(model, z, pressureKPa, entropy, bubble, dew);
}

} // namespace velutra::thermo
