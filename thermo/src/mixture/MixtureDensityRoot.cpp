#include "MixtureDensityRoot.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra::thermo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// As for a pure fluid: the Newton step below which the root is taken as found.
constexpr double kStepTolerance = 1e-12;
constexpr double kMaxReducedDensity = 6.0;

DensityResult Fail(SolverStatus status, const char* reason) {
    return { { status, reason }, kNaN };
}

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
    if (!(rho > lo && rho < hi))
        rho = 0.5 * (lo + hi);

    for (int iteration = 0; iteration < 200; ++iteration) {
        const ResidualDerivatives r = model.alphar(x, tauTerms, rho / rhoR);
        const double p = rho * gasR * tempK * (1.0 + r.delta_dDelta);
        const double slope = gasR * tempK * (1.0 + 2.0 * r.delta_dDelta + r.delta2_dDelta2);
        const bool tooDense
            = vapourBranch ? (slope <= 0.0 || p > pressureKPa) : (slope > 0.0 && p > pressureKPa);
        if (tooDense)
            hi = rho;
        else
            lo = rho;
        double next = slope > 0.0 ? rho - (p - pressureKPa) / slope : kNaN;
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
