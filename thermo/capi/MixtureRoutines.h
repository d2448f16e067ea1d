#pragma once

#include "mixture/MixtureModel.h"

#include <string>

namespace velutra::thermo {

// How a mixture routine ended: code 0 on success, else an ErrorCode and the message.
struct CallOutcome {
    int code = 0;
    std::string message;
};

// The C routines for a set-up mixture, with the C arguments (the caller has checked the pointers
// it needs and set the outputs to NaN). Compositions hold model.size() mole fractions.
CallOutcome MixtureSaturationAtT(const MixtureModel& model, double t, const double* z, int kph, double* p,
    double* rhol, double* rhov, double* xliq, double* xvap);
CallOutcome MixtureStateFromTP(const MixtureModel& model, double t, double p, const double* z, double* d,
    double* dl, double* dv, double* x, double* y, double* q, double* e, double* h, double* s, double* cv,
    double* cp, double* w);
CallOutcome MixtureDensityRoot(
    const MixtureModel& model, double t, double p, const double* z, int kph, double* d);
CallOutcome MixtureStateFromPS(const MixtureModel& model, double p, double s, const double* z, double* t,
    double* d, double* dl, double* dv, double* x, double* y, double* q, double* e, double* h, double* cv,
    double* cp, double* w);
// THERMdll: outputs stay NaN for invalid input.
void MixtureStateFromTRho(const MixtureModel& model, double t, double rho, const double* z, double* p,
    double* e, double* h, double* s, double* cv, double* cp, double* w, double* hjt);

} // namespace velutra::thermo
