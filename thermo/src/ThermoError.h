#pragma once

#include "SolverStatus.h"

#include <stdexcept>
#include <string>

namespace velutra::thermo {

// Stable codes of the failures the library reports; the C routines pass them on as ierr.
enum class ErrorCode {
    None = 0,
    BadFluidFile = 1, // a fluid file is missing, unreadable or not a fluid file
    BadArgument = 2, // an argument is NaN, negative or not one of the accepted values
    OutOfRange = 3, // a temperature or pressure outside the range the equation covers
    NoRoot = 4, // no density of the requested phase exists at the given state
    NoConvergence = 5, // an iteration did not meet its stopping test
    NotSetUp = 6, // a routine was called before a successful set-up
    Internal = 7, // an unexpected failure inside the library (out of memory, a defect)
};

// The code a solver's outcome is reported with.
inline ErrorCode ErrorCodeOf(SolverStatus status) {
    switch (status) {
    case SolverStatus::Converged:
        return ErrorCode::None;
    case SolverStatus::BadArgument:
        return ErrorCode::BadArgument;
    case SolverStatus::OutOfRange:
        return ErrorCode::OutOfRange;
    case SolverStatus::NoRoot:
        return ErrorCode::NoRoot;
    case SolverStatus::NoConvergence:
        break;
    }
    return ErrorCode::NoConvergence;
}

// Thrown by the loading code; solvers report through their result instead, so that a
// failed iteration on a hot path costs no exception.
class ThermoError : public std::runtime_error {
public:
    ThermoError(ErrorCode code, const std::string& message)
        : std::runtime_error(message)
        , code_(code) { }
    ErrorCode code() const { return code_; }

private:
    ErrorCode code_;
};

} // namespace velutra::thermo
