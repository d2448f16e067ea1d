#pragma once

#include "Properties.h"
#include "SolverStatus.h"

namespace velutra::thermo {

// Result of a flash. `state` holds the bulk state (for two phases: rho = 1 / (q/rhoV + (1-q)/rhoL),
// u, h, s as the quality-weighted means, and cv, cp, speed of sound and Joule-Thomson coefficient
// NaN because they are not defined across a phase change).
struct FlashResult {
    SolverOutcome outcome;
    StateProperties state;
    double rhoL = 0.0; // liquid density; for one phase the density of that phase
    double rhoV = 0.0; // vapour density; for one phase the density of that phase
    double quality = 0.0; // molar vapour fraction; one phase: 0 liquid-like, 1 vapour-like
    bool twoPhase = false;
};

// A flash result holding only the failure.
FlashResult FailedFlash(SolverOutcome outcome);

// A single-phase result from its properties.
FlashResult SinglePhase(const StateProperties& state, double quality);

} // namespace velutra::thermo
