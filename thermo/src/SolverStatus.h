#pragma once

namespace velutra::thermo {

// How a solver ended. Anything but Converged leaves the result's numbers NaN, and `reason`
// (a static text) says why.
enum class SolverStatus {
    Converged,
    BadArgument, // NaN or non-positive input
    OutOfRange, // input outside the equation's range (or above the critical point for saturation)
    NoRoot, // no state of the requested phase exists
    NoConvergence, // the iteration did not meet its stopping test
};

struct SolverOutcome {
    SolverStatus status = SolverStatus::Converged;
    const char* reason = "";
    bool ok() const { return status == SolverStatus::Converged; }
};

} // namespace velutra::thermo
