#pragma once

#include "Composition.h"
#include "Properties.h"
#include "SolverStatus.h"

namespace velutra::thermo {

// Result of a mixture flash. `state` holds the bulk state; for two phases rho = 1 / (q/rhoV +
// (1-q)/rhoL), u, h, s are the quality-weighted means, and cv, cp, the speed of sound and the
// Joule-Thomson coefficient are NaN (not defined across a phase change).
struct MixtureFlashResult {
    SolverOutcome outcome;
    StateProperties state;
    double rhoL = 0.0; // liquid density; for one phase the density of that phase
    double rhoV = 0.0; // vapour density; for one phase the density of that phase
    Composition x {}; // liquid composition; for one phase the bulk composition
    Composition y {}; // vapour composition; for one phase the bulk composition
    double quality = 0.0; // molar vapour fraction; one phase: 0 liquid-like, 1 vapour-like
    bool twoPhase = false;
};

// A flash result holding only the failure (all numbers NaN).
MixtureFlashResult FailedMixtureFlash(SolverOutcome outcome);

} // namespace velutra::thermo
