#pragma once

#include "DensityRoot.h"

#include <cmath>
#include <limits>

namespace velutra::thermo {

// Densities above this multiple of the reducing density are far beyond any liquid the equations
// were fitted to (about 3.3 at the triple points of our fluids).
inline constexpr double kMaxReducedDensity = 6.0;

// Solves p(rho) = pressureKPa on one branch of an isotherm by a safeguarded Newton iteration,
// shared by the pure-fluid and mixture density roots. `pressureAndSlope(rho)` returns p (kPa)
// and dp/drho. Every evaluated point narrows the bracket [lo, hi], and a step that would leave
// it is replaced by bisection. On the vapour branch a point where the isotherm falls lies beyond
// the spinodal and counts as too dense; on the liquid branch it counts as too thin.
template <typename PressureAndSlope>
DensityResult SafeguardedDensityNewton(const PressureAndSlope& pressureAndSlope, double pressureKPa,
    bool vapourBranch, double lo, double hi, double rho) {
    // Relative Newton step below which the root is taken as found. Newton converges quadratically,
    // so the error after such a step is of order 1e-24 times the curvature ratio.
    constexpr double kStepTolerance = 1e-12;
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (!(rho > lo && rho < hi))
        rho = 0.5 * (lo + hi);
    for (int iteration = 0; iteration < 200; ++iteration) {
        const auto [p, slope] = pressureAndSlope(rho);
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
            return { { SolverStatus::NoRoot,
                         "no density of the requested phase at this temperature and pressure" },
                kNaN };
        rho = next;
    }
    return { { SolverStatus::NoConvergence, "the density iteration did not converge" }, kNaN };
}

} // namespace velutra::thermo
