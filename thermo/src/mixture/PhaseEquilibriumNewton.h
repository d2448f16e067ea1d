#pragma once

#include "PhaseEquilibriumTerms.h"
#include "SmallLinearSolve.h"
#include "SolverStatus.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velutra::thermo {

// What a phase-equilibrium solver says when its iteration fails (static texts).
struct PhaseEquilibriumTexts {
    const char* singular; // the Newton system could not be solved
    const char* trivial; // both phases came out alike
    const char* unstable; // a phase ended where its pressure falls with density
    const char* noConvergence;
};

template <std::size_t N> using NewtonSystem = std::array<std::array<double, N>, N>;

// The Newton iteration shared by the mixture's phase-equilibrium solvers (dew and bubble points,
// the two-phase split). The first m entries of u are the unknowns: logarithms of densities, and
// for the split the vapour fraction. Each iteration
//   assemble(u, first, second, jacobian, step)
// evaluates the two phases at u into `first` and `second` and fills the Jacobian and the negative
// residual (the step's right-hand side), or returns a failure; the iteration solves for the step
// and takes it, shortened where it is large. When the step has become small, the two phases last
// evaluated must be distinct and both mechanically stable, else the solution is refused; on
// success u holds the solution.
template <std::size_t N, typename Assemble>
SolverOutcome SolvePhaseEquilibrium(
    std::array<double, N>& u, int m, const PhaseEquilibriumTexts& texts, const Assemble& assemble) {
    // Largest step in any unknown: keeps the first steps from a rough start on the branch they
    // started on (a larger one can jump a phase across its spinodal).
    constexpr double kMaxStep = 0.5;
    // Newton converges quadratically: after a step this small in the logarithms the error is far
    // below 1e-12.
    constexpr double kStepTolerance = 1e-9;
    // Phases whose densities differ by less than this in ln rho are one phase: the trivial
    // solution, which satisfies every equation and means nothing.
    constexpr double kTrivialLnDensityRatio = 1e-3;
    // A good start converges in under ten iterations; one that takes this many is lost.
    constexpr int kMaxIterations = 60;

    PhaseEquilibriumTerms first;
    PhaseEquilibriumTerms second;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        NewtonSystem<N> jacobian {};
        std::array<double, N> step {};
        if (const SolverOutcome assembled = assemble(u, first, second, jacobian, step); !assembled.ok())
            return assembled;
        if (!SolveLinear(jacobian, step, m))
            return { SolverStatus::NoConvergence, texts.singular };
        double largest = 0.0;
        for (int i = 0; i < m; ++i)
            largest = std::max(largest, std::fabs(step[i]));
        const double scale = largest > kMaxStep ? kMaxStep / largest : 1.0;
        for (int i = 0; i < m; ++i)
            u[i] += scale * step[i];
        if (largest > kStepTolerance)
            continue;
        if (std::fabs(std::log(first.rho / second.rho)) < kTrivialLnDensityRatio)
            return { SolverStatus::NoConvergence, texts.trivial };
        if (!(first.dPOverRTdRho() > 0.0 && second.dPOverRTdRho() > 0.0))
            return { SolverStatus::NoConvergence, texts.unstable };
        return {};
    }
    return { SolverStatus::NoConvergence, texts.noConvergence };
}

} // namespace velutra::thermo
