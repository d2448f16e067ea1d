#include "TwoPhaseSplit.h"

#include "MixtureProperties.h"
#include "PhaseEquilibriumNewton.h"

#include <algorithm>
#include <cmath>

namespace velutra::thermo {

namespace {

constexpr PhaseEquilibriumTexts kSplitTexts { "the two-phase split met a singular system",
    "the two-phase split found only one phase", "the two-phase split ended on an unstable state",
    "the two-phase split did not converge" };

} // namespace

MixtureFlashResult TwoPhaseSplit(const MixtureModel& model, const Composition& z, double tempK,
    double pressureKPa, const MixtureSaturation& dew, const MixtureSaturation& bubble) {
    constexpr std::size_t kMax = 2 * kMaxComponents + 1;
    const int n = model.size();
    // u holds ln of the liquid partial densities (0..n-1), of the vapour ones (n..2n-1), then
    // the vapour fraction.
    const int betaSlot = 2 * n;
    const int m = betaSlot + 1;
    const double rt = model.gasConstant() * tempK;
    const double target = pressureKPa / rt; // p / (R T), mol/dm3

    // Start: w = 0 at the dew point, 1 at the bubble point, linear in ln p.
    const double w = std::clamp(
        std::log(pressureKPa / dew.pressure) / std::log(bubble.pressure / dew.pressure), 0.0, 1.0);
    std::array<double, kMax> u {};
    for (int i = 0; i < n; ++i) {
        u[i] = (1.0 - w) * std::log(dew.x[i] * dew.rhoL) + w * std::log(bubble.x[i] * bubble.rhoL);
        u[n + i] = (1.0 - w) * std::log(dew.y[i] * dew.rhoV) + w * std::log(bubble.y[i] * bubble.rhoV);
    }
    u[betaSlot] = 1.0 - w;

    const auto assemble
        = [&](const std::array<double, kMax>& u, PhaseEquilibriumTerms& liquid, PhaseEquilibriumTerms& vapour,
              NewtonSystem<kMax>& jac, std::array<double, kMax>& step) -> SolverOutcome {
        Composition rhoL {};
        Composition rhoV {};
        for (int i = 0; i < n; ++i) {
            rhoL[i] = std::exp(u[i]);
            rhoV[i] = std::exp(u[n + i]);
        }
        const double beta = u[betaSlot];
        liquid = EvaluatePhase(model, tempK, rhoL);
        vapour = EvaluatePhase(model, tempK, rhoV);

        for (int i = 0; i < n; ++i) {
            step[i] = -(liquid.lnFugacity[i] - vapour.lnFugacity[i]);
            for (int j = 0; j < n; ++j) {
                jac[i][j] = liquid.dLnFugacity[i][j] * rhoL[j];
                jac[i][n + j] = -vapour.dLnFugacity[i][j] * rhoV[j];
            }
        }
        step[n] = -(liquid.pOverRT / target - 1.0);
        step[n + 1] = -(vapour.pOverRT / target - 1.0);
        for (int j = 0; j < n; ++j) {
            jac[n][j] = liquid.dPOverRT[j] * rhoL[j] / target;
            jac[n + 1][n + j] = vapour.dPOverRT[j] * rhoV[j] / target;
        }
        // Material balance; d x_k / d ln rho_j = x_k (delta_kj - x_j).
        for (int k = 0; k < n - 1; ++k) {
            const int row = n + 2 + k;
            const double xk = rhoL[k] / liquid.rho;
            const double yk = rhoV[k] / vapour.rho;
            step[row] = -((1.0 - beta) * xk + beta * yk - z[k]);
            for (int j = 0; j < n; ++j) {
                const double xj = rhoL[j] / liquid.rho;
                const double yj = rhoV[j] / vapour.rho;
                jac[row][j] = (1.0 - beta) * xk * ((k == j ? 1.0 : 0.0) - xj);
                jac[row][n + j] = beta * yk * ((k == j ? 1.0 : 0.0) - yj);
            }
            jac[row][betaSlot] = yk - xk;
        }
        return {};
    };
    if (const SolverOutcome solved = SolvePhaseEquilibrium(u, m, kSplitTexts, assemble); !solved.ok())
        return FailedMixtureFlash(solved);

    MixtureFlashResult out;
    out.twoPhase = true;
    out.quality = u[betaSlot];
    if (!(out.quality > 0.0 && out.quality < 1.0))
        return FailedMixtureFlash(
            { SolverStatus::NoConvergence, "the two-phase split left the two-phase region" });
    out.rhoL = 0.0;
    out.rhoV = 0.0;
    for (int i = 0; i < n; ++i) {
        out.rhoL += std::exp(u[i]);
        out.rhoV += std::exp(u[n + i]);
    }
    for (int i = 0; i < n; ++i) {
        out.x[i] = std::exp(u[i]) / out.rhoL;
        out.y[i] = std::exp(u[n + i]) / out.rhoV;
    }
    const StateProperties l = MixturePropertiesAt(model, out.x, tempK, out.rhoL);
    const StateProperties v = MixturePropertiesAt(model, out.y, tempK, out.rhoV);
    const double q = out.quality;
    out.state = FailedMixtureFlash({}).state;
    out.state.tempK = tempK;
    out.state.pressure = pressureKPa;
    out.state.rho = 1.0 / (q / out.rhoV + (1.0 - q) / out.rhoL);
    out.state.internalEnergy = q * v.internalEnergy + (1.0 - q) * l.internalEnergy;
    out.state.enthalpy = q * v.enthalpy + (1.0 - q) * l.enthalpy;
    out.state.entropy = q * v.entropy + (1.0 - q) * l.entropy;
    return out;
}

} // namespace velutra::thermo
