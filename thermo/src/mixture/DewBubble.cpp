#include "DewBubble.h"

#include "MixtureDensityRoot.h"
#include "PhaseEquilibriumNewton.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra::thermo {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

enum class Kind { Dew, Bubble };

MixtureSaturation Fail(SolverStatus status, const char* reason) {
    MixtureSaturation out;
    out.outcome = { status, reason };
    out.tempK = out.pressure = out.rhoL = out.rhoV = kNaN;
    out.x.fill(kNaN);
    out.y.fill(kNaN);
    return out;
}

// Saturation pressure of a component at T from its superancillary; beyond its critical point a
// straight line in (1/T, ln p) through the critical point and the point 5 K below it.
double SaturationPressureEstimate(const PureFluid& c, double tempK) {
    const Superancillary& sa = c.superancillary();
    const double tc = sa.maxTempK();
    if (tempK < tc)
        return sa.pressure(std::max(tempK, sa.minTempK()));
    const double t1 = tc - 5.0;
    const double lnPc = std::log(sa.pressure(tc));
    const double slope = (std::log(sa.pressure(t1)) - lnPc) / (1.0 / t1 - 1.0 / tc);
    return std::exp(lnPc + slope * (1.0 / tempK - 1.0 / tc));
}

struct Start {
    Composition incipient {};
    double rhoIncipient = 0.0;
    double rhoBulk = 0.0;
};

Start RaoultStart(const MixtureModel& model, const Composition& z, double tempK, Kind kind) {
    const int n = model.size();
    Composition psat {};
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        psat[i] = SaturationPressureEstimate(model.component(i), tempK);
        sum += kind == Kind::Dew ? z[i] / psat[i] : z[i] * psat[i];
    }
    Start s;
    for (int i = 0; i < n; ++i)
        s.incipient[i] = kind == Kind::Dew ? z[i] / psat[i] / sum : z[i] * psat[i] / sum;
    if (kind == Kind::Dew) {
        s.rhoIncipient = LiquidDensityEstimate(model, s.incipient, tempK);
        s.rhoBulk = VapourDensityEstimate(model, z, tempK);
    } else {
        s.rhoIncipient = VapourDensityEstimate(model, s.incipient, tempK);
        s.rhoBulk = LiquidDensityEstimate(model, z, tempK);
    }
    return s;
}

Start FromSolution(const MixtureSaturation& sat, Kind kind) {
    Start s;
    s.incipient = kind == Kind::Dew ? sat.x : sat.y;
    s.rhoIncipient = kind == Kind::Dew ? sat.rhoL : sat.rhoV;
    s.rhoBulk = kind == Kind::Dew ? sat.rhoV : sat.rhoL;
    return s;
}

SolverOutcome CheckComposition(const MixtureModel& model, const Composition& z) {
    double sum = 0.0;
    for (int i = 0; i < model.size(); ++i) {
        if (!(z[i] > 0.0 && z[i] <= 1.0))
            return { SolverStatus::BadArgument,
                "mole fractions of a mixture's saturation must lie in (0, 1]" };
        sum += z[i];
    }
    if (std::fabs(sum - 1.0) > 1e-10)
        return { SolverStatus::BadArgument, "mole fractions must sum to 1" };
    return {};
}

constexpr PhaseEquilibriumTexts kSaturationTexts { "the saturation iteration met a singular system",
    "the saturation iteration found only the trivial solution",
    "the saturation iteration ended on an unstable state", "the saturation iteration did not converge" };

// Newton on u = (ln rho_i of the incipient phase, ln rho of the bulk phase) for
//   ln f_i(incipient) - ln f_i(bulk) = 0 (i = 1..n),   p(incipient) / p(bulk) - 1 = 0.
MixtureSaturation SolveAtT(
    const MixtureModel& model, const Composition& z, double tempK, Kind kind, const Start& start) {
    constexpr std::size_t kMax = kMaxComponents + 1;
    const int n = model.size();
    std::array<double, kMax> u {};
    for (int i = 0; i < n; ++i)
        u[i] = std::log(start.incipient[i] * start.rhoIncipient);
    u[n] = std::log(start.rhoBulk);

    const auto assemble
        = [&](const std::array<double, kMax>& u, PhaseEquilibriumTerms& a, PhaseEquilibriumTerms& b,
              NewtonSystem<kMax>& jac, std::array<double, kMax>& step) -> SolverOutcome {
        Composition inc {};
        Composition bulk {};
        const double rhoBulk = std::exp(u[n]);
        for (int i = 0; i < n; ++i) {
            inc[i] = std::exp(u[i]);
            bulk[i] = z[i] * rhoBulk;
        }
        a = EvaluatePhase(model, tempK, inc);
        b = EvaluatePhase(model, tempK, bulk);
        // The pressure equation (p_a - p_b) / p_vapour = 0 is scaled by the vapour's pressure: a
        // liquid's pressure may be small or negative away from the solution.
        const PhaseEquilibriumTerms& vapour = kind == Kind::Dew ? b : a;
        const double pv = vapour.pOverRT;
        if (!(pv > 0.0))
            return { SolverStatus::NoConvergence, "the saturation iteration reached a negative pressure" };

        double bulkDp = 0.0;
        for (int j = 0; j < n; ++j)
            bulkDp += b.dPOverRT[j] * z[j] * rhoBulk;
        for (int i = 0; i < n; ++i) {
            step[i] = -(a.lnFugacity[i] - b.lnFugacity[i]);
            double bulkDf = 0.0;
            for (int j = 0; j < n; ++j) {
                jac[i][j] = a.dLnFugacity[i][j] * inc[j];
                bulkDf += b.dLnFugacity[i][j] * z[j] * rhoBulk;
            }
            jac[i][n] = -bulkDf;
        }
        // d/du of (p_a - p_b) / p_v, with p_v either p_b (dew) or p_a (bubble).
        const double difference = (a.pOverRT - b.pOverRT) / pv;
        step[n] = -difference;
        for (int j = 0; j < n; ++j)
            jac[n][j] = a.dPOverRT[j] * inc[j] / pv * (kind == Kind::Bubble ? 1.0 - difference : 1.0);
        jac[n][n] = -bulkDp / pv * (kind == Kind::Dew ? 1.0 + difference : 1.0);
        return {};
    };
    if (const SolverOutcome solved = SolvePhaseEquilibrium(u, n + 1, kSaturationTexts, assemble);
        !solved.ok())
        return Fail(solved.status, solved.reason);

    MixtureSaturation out;
    double rhoInc = 0.0;
    for (int i = 0; i < n; ++i)
        rhoInc += std::exp(u[i]);
    Composition incipient {};
    for (int i = 0; i < n; ++i)
        incipient[i] = std::exp(u[i]) / rhoInc;
    const double rhoB = std::exp(u[n]);
    const ResidualDerivatives r = model.alphar(z, tempK, rhoB);
    out.tempK = tempK;
    out.pressure = rhoB * model.gasConstant() * tempK * (1.0 + r.delta_dDelta);
    if (kind == Kind::Dew) {
        out.rhoL = rhoInc;
        out.rhoV = rhoB;
        out.x = incipient;
        out.y = z;
    } else {
        out.rhoL = rhoB;
        out.rhoV = rhoInc;
        out.x = z;
        out.y = incipient;
    }
    if (out.rhoL < out.rhoV)
        return Fail(SolverStatus::NoConvergence, "the saturation iteration swapped liquid and vapour");
    return out;
}

MixtureSaturation AtT(const MixtureModel& model, const Composition& z, double tempK, Kind kind,
    const MixtureSaturation* start) {
    if (SolverOutcome c = CheckComposition(model, z); !c.ok())
        return Fail(c.status, c.reason);
    if (!std::isfinite(tempK))
        return Fail(SolverStatus::BadArgument, "temperature must be a finite number");
    if (tempK < model.minTempK())
        return Fail(SolverStatus::OutOfRange, "temperature is below the triple point of a component");
    if (tempK >= model.reducingTempK(z))
        return Fail(SolverStatus::OutOfRange, "temperature is in or above the mixture's critical region");
    if (start && start->outcome.ok()) {
        MixtureSaturation s = SolveAtT(model, z, tempK, kind, FromSolution(*start, kind));
        if (s.outcome.ok())
            return s;
    }
    MixtureSaturation direct = SolveAtT(model, z, tempK, kind, RaoultStart(model, z, tempK, kind));
    if (direct.outcome.ok())
        return direct;
    // Close to the critical region Raoult's law is a poor start. Solve a few kelvin lower, where it
    // is good, and step up to T from each solution (no phase envelope is kept between calls).
    for (double back : { 3.0, 8.0, 20.0 }) {
        if (tempK - back < model.minTempK())
            break;
        MixtureSaturation lower
            = SolveAtT(model, z, tempK - back, kind, RaoultStart(model, z, tempK - back, kind));
        if (!lower.outcome.ok())
            continue;
        double step = 1.0;
        while (lower.tempK < tempK && step > 1e-3) {
            const double next = std::min(tempK, lower.tempK + step);
            MixtureSaturation s = SolveAtT(model, z, next, kind, FromSolution(lower, kind));
            if (s.outcome.ok())
                lower = s;
            else
                step *= 0.5;
        }
        if (lower.tempK == tempK)
            return lower;
    }
    return direct;
}

MixtureSaturation AtP(const MixtureModel& model, const Composition& z, double pressureKPa, Kind kind) {
    if (SolverOutcome c = CheckComposition(model, z); !c.ok())
        return Fail(c.status, c.reason);
    if (!(pressureKPa > 0.0) || !std::isfinite(pressureKPa))
        return Fail(SolverStatus::BadArgument, "pressure must be a positive number");
    // Start temperature from Raoult's law, by bisection over the components' pressure estimates.
    const int n = model.size();
    auto raoultLnP = [&](double t) {
        double sum = 0.0;
        for (int i = 0; i < n; ++i) {
            const double p = SaturationPressureEstimate(model.component(i), t);
            sum += kind == Kind::Dew ? z[i] / p : z[i] * p;
        }
        return kind == Kind::Dew ? -std::log(sum) : std::log(sum);
    };
    const double lnP = std::log(pressureKPa);
    double lo = model.minTempK();
    double hi = model.reducingTempK(z);
    for (int k = 0; k < 40; ++k) {
        const double mid = 0.5 * (lo + hi);
        (raoultLnP(mid) < lnP ? lo : hi) = mid;
    }
    double t0 = std::min(0.5 * (lo + hi), model.reducingTempK(z) - 1.0);
    MixtureSaturation s0 = AtT(model, z, t0, kind, nullptr);
    if (!s0.outcome.ok())
        return s0;
    // Secant in (1/T, ln p), the first slope from Raoult's law.
    double slope = (raoultLnP(t0 + 0.5) - raoultLnP(t0 - 0.5)) / (1.0 / (t0 + 0.5) - 1.0 / (t0 - 0.5));
    for (int iteration = 0; iteration < 40; ++iteration) {
        const double g0 = std::log(s0.pressure) - lnP;
        if (std::fabs(g0) < 1e-13)
            return s0;
        double inv1 = 1.0 / s0.tempK - g0 / slope;
        double t1 = 1.0 / inv1;
        // Stay below the critical region and move at most 20 K per step.
        t1 = std::clamp(t1, std::max(model.minTempK(), s0.tempK - 20.0),
            std::min(s0.tempK + 20.0, 0.5 * (s0.tempK + model.reducingTempK(z))));
        if (std::fabs(t1 - s0.tempK) <= 1e-13 * s0.tempK)
            return s0;
        MixtureSaturation s1 = AtT(model, z, t1, kind, &s0);
        if (!s1.outcome.ok())
            return s1;
        const double g1 = std::log(s1.pressure) - lnP;
        if (g1 != g0)
            slope = (g1 - g0) / (1.0 / s1.tempK - 1.0 / s0.tempK);
        s0 = s1;
    }
    return Fail(SolverStatus::NoConvergence, "the saturation temperature iteration did not converge");
}

} // namespace

MixtureSaturation DewPointAtT(
    const MixtureModel& model, const Composition& z, double tempK, const MixtureSaturation* start) {
    return AtT(model, z, tempK, Kind::Dew, start);
}

MixtureSaturation BubblePointAtT(
    const MixtureModel& model, const Composition& z, double tempK, const MixtureSaturation* start) {
    return AtT(model, z, tempK, Kind::Bubble, start);
}

MixtureSaturation DewPointAtP(const MixtureModel& model, const Composition& z, double pressureKPa) {
    return AtP(model, z, pressureKPa, Kind::Dew);
}

MixtureSaturation BubblePointAtP(const MixtureModel& model, const Composition& z, double pressureKPa) {
    return AtP(model, z, pressureKPa, Kind::Bubble);
}

} // namespace velutra::thermo
