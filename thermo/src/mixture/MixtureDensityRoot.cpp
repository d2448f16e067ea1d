#include "MixtureDensityRoot.h"

#include "DensityNewton.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace velutra::thermo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Temperature of component i that corresponds to T of the mixture, kept inside its superancillary.
double CorrespondingTemp(const MixtureModel& model, const Composition& x, double tempK, int i) {
    const PureFluid& c = model.component(i);
    const double t = tempK * c.constants().reducingTempK / model.reducingTempK(x);
    const Superancillary& sa = c.superancillary();
    return std::clamp(t, sa.minTempK(), sa.maxTempK() * (1.0 - 1e-9));
}

} // namespace

SolverOutcome CheckMixtureInput(
    const MixtureModel& model, const Composition& x, double tempK, double pressureKPa) {
    double sum = 0.0;
    for (int i = 0; i < model.size(); ++i) {
        if (!(x[i] >= 0.0 && x[i] <= 1.0))
            return { SolverStatus::BadArgument, "mole fractions must lie between 0 and 1" };
        sum += x[i];
    }
    if (std::fabs(sum - 1.0) > 1e-10)
        return { SolverStatus::BadArgument, "mole fractions must sum to 1" };
    if (!std::isfinite(tempK) || !std::isfinite(pressureKPa))
        return { SolverStatus::BadArgument, "temperature and pressure must be finite numbers" };
    if (!(pressureKPa > 0.0))
        return { SolverStatus::BadArgument, "pressure must be positive" };
    if (tempK < model.minTempK())
        return { SolverStatus::OutOfRange, "temperature is below the triple point of a component" };
    if (tempK > model.maxTempK())
        return { SolverStatus::OutOfRange, "temperature is above the upper limit of a component's equation" };
    if (pressureKPa > model.maxPressure())
        return { SolverStatus::OutOfRange, "pressure is above the upper limit of a component's equation" };
    return {};
}

double LiquidDensityEstimate(const MixtureModel& model, const Composition& x, double tempK) {
    double volume = 0.0;
    for (int i = 0; i < model.size(); ++i)
        volume += x[i] / model.component(i).superancillary().rhoL(CorrespondingTemp(model, x, tempK, i));
    return 1.0 / volume;
}

double VapourDensityEstimate(const MixtureModel& model, const Composition& x, double tempK) {
    double volume = 0.0;
    for (int i = 0; i < model.size(); ++i)
        volume += x[i] / model.component(i).superancillary().rhoV(CorrespondingTemp(model, x, tempK, i));
    return 1.0 / volume;
}

DensityResult MixtureDensityFromTP(const MixtureModel& model, const Composition& x, double tempK,
    double pressureKPa, Phase phase, double guess) {
    const SolverOutcome check = CheckMixtureInput(model, x, tempK, pressureKPa);
    if (!check.ok())
        return { check, kNaN };
    const double gasR = model.gasConstant();
    const double tr = model.reducingTempK(x);
    const double rhoR = model.reducingRho(x);
    MixtureTauTerms tauTerms;
    model.prepareTau(tr / tempK, tauTerms);

    // Below T_r(x) the reducing density separates the branches, as the critical density does for a
    // pure fluid; above it the isotherm rises everywhere and the vapour rules find the one root.
    const bool vapourBranch = phase == Phase::Vapour || tempK >= tr;
    double lo = 0.0;
    double hi = kMaxReducedDensity * rhoR;
    double rho = guess;
    if (tempK < tr) {
        if (vapourBranch)
            hi = rhoR;
        else
            lo = rhoR;
    }
    if (!(rho > lo && rho < hi))
        rho = vapourBranch ? pressureKPa / (gasR * tempK) : LiquidDensityEstimate(model, x, tempK);
    return SafeguardedDensityNewton(
        [&](double density) {
            const ResidualDerivatives r = model.alphar(x, tauTerms, density / rhoR);
            return std::pair { density * gasR * tempK * (1.0 + r.delta_dDelta),
                gasR * tempK * (1.0 + 2.0 * r.delta_dDelta + r.delta2_dDelta2) };
        },
        pressureKPa, vapourBranch, lo, hi, rho);
}

} // namespace velutra::thermo
