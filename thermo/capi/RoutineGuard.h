#pragma once

#include "ThermoError.h"

#include <cstddef>
#include <cstdio>
#include <exception>
#include <new>

namespace velutra::thermo {

// Writes a failure that escaped a routine's work to its error arguments (either may be null):
// the code, and "routine: what" truncated to the declared length. It allocates nothing, since
// the failure may be that memory ran out.
inline void ReportEscapedFailure(int* ierr, char* herr, std::size_t herrLength, const char* routine,
    ErrorCode code, const char* what) noexcept {
    if (ierr)
        *ierr = static_cast<int>(code);
    if (herr && herrLength > 0)
        std::snprintf(herr, herrLength, "%s: %s", routine, what);
}

// Runs the work of one C routine so that nothing thrown reaches the C caller. `clearOutputs`
// sets every result of the routine to NaN; it runs before the work and again after a failure, so
// that a half-written result never passes for one. `work` reports its own outcome through the
// error arguments. A ThermoError keeps its code; anything else (out of memory, a defect) is
// reported as an internal failure.
template <typename ClearOutputs, typename Work>
void Guarded(const char* routine, int* ierr, char* herr, std::size_t herrLength,
    const ClearOutputs& clearOutputs, const Work& work) noexcept {
    try {
        clearOutputs();
        work();
        return;
    } catch (const ThermoError& e) {
        ReportEscapedFailure(ierr, herr, herrLength, routine, e.code(), e.what());
    } catch (const std::bad_alloc&) {
        ReportEscapedFailure(ierr, herr, herrLength, routine, ErrorCode::Internal, "out of memory");
    } catch (const std::exception& e) {
        ReportEscapedFailure(ierr, herr, herrLength, routine, ErrorCode::Internal, e.what());
    } catch (...) {
        ReportEscapedFailure(ierr, herr, herrLength, routine, ErrorCode::Internal, "unexpected failure");
    }
    clearOutputs();
}

} // namespace velutra::thermo
