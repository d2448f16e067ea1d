#include "MixtureRoutines.h"

#include "MixtureSession.h"
#include "OutputArguments.h"
#include "ThermoError.h"
#include "mixture/MixtureDensityRoot.h"
#include "mixture/MixtureFlashPS.h"
#include "mixture/MixtureFlashTP.h"
#include "mixture/MixtureProperties.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velutra::thermo {

namespace {

CallOutcome Failure(
    const char* routine, const SolverOutcome& outcome, const char* format, double a, double b) {
    char values[160];
    std::snprintf(values, sizeof values, format, a, b);
    return { static_cast<int>(ErrorCodeOf(outcome.status)),
        std::string(routine) + ": " + outcome.reason + " (" + values + ", mixture)" };
}

Composition Read(const MixtureModel& model, const double* z) {
    Composition out {};
    for (int i = 0; i < model.size(); ++i)
        out[i] = z[i];
    return out;
}

void Write(const MixtureModel& model, double* out, const Composition& x) {
    if (out == nullptr)
        return;
    for (int i = 0; i < model.size(); ++i)
        out[i] = x[i];
}

void WriteFlash(const MixtureModel& model, const MixtureFlashResult& f, double* d, double* dl, double* dv,
    double* x, double* y, double* q, double* e, double* h, double* cv, double* cp, double* w) {
    Set(d, f.state.rho);
    Set(dl, f.rhoL);
    Set(dv, f.rhoV);
    Write(model, x, f.x);
    Write(model, y, f.y);
    Set(q, f.quality);
    Set(e, f.state.internalEnergy);
    Set(h, f.state.enthalpy);
    Set(cv, f.state.cv);
    Set(cp, f.state.cp);
    Set(w, f.state.soundSpeed);
}

} // namespace

CallOutcome MixtureSaturationAtT(const MixtureModel& model, double t, const double* z, int kph, double* p,
    double* rhol, double* rhov, double* xliq, double* xvap) {
    const Composition feed = Read(model, z);
    MixtureSession& session = MixtureSession::instance();
    // Start values only for a composition the solver accepts (it reports the others).
    std::optional<MixtureSaturation> estimate;
    if (CheckMixtureInput(model, feed, std::max(model.minTempK(), 300.0), 1.0).ok()) {
        const SaturationStartValues& starts = session.startValues(feed);
        estimate = kph == 2 ? starts.dewAt(t) : starts.bubbleAt(t);
    }
    const MixtureSaturation* start = estimate ? &*estimate : nullptr;
    const MixtureSaturation sat
        = kph == 2 ? DewPointAtT(model, feed, t, start) : BubblePointAtT(model, feed, t, start);
    if (!sat.outcome.ok())
        return Failure("SATTdll", sat.outcome, "T = %.10g K", t, 0.0);
    Set(p, sat.pressure);
    Set(rhol, sat.rhoL);
    Set(rhov, sat.rhoV);
    Write(model, xliq, sat.x);
    Write(model, xvap, sat.y);
    if (kph == 2) {
        session.rememberDewPoint(sat);
        session.rememberVapourRoot(feed, t, sat.pressure, sat.rhoV);
    }
    return {};
}

CallOutcome MixtureStateFromTP(const MixtureModel& model, double t, double p, const double* z, double* d,
    double* dl, double* dv, double* x, double* y, double* q, double* e, double* h, double* s, double* cv,
    double* cp, double* w) {
    const Composition feed = Read(model, z);
    MixtureSession& session = MixtureSession::instance();
    const MixtureFlashResult flash = MixtureFlashTP(model, feed, t, p, session.dewPointBelow(feed, t, p));
    if (!flash.outcome.ok())
        return Failure("TPFLSHdll", flash.outcome, "T = %.10g K, P = %.10g kPa", t, p);
    WriteFlash(model, flash, d, dl, dv, x, y, q, e, h, cv, cp, w);
    Set(s, flash.state.entropy);
    if (!flash.twoPhase && flash.quality == 1.0)
        session.rememberVapourRoot(feed, t, p, flash.state.rho);
    return {};
}

CallOutcome MixtureDensityRoot(
    const MixtureModel& model, double t, double p, const double* z, int kph, double* d) {
    const Composition feed = Read(model, z);
    if (kph == 2) {
        const double remembered = MixtureSession::instance().vapourRoot(feed, t, p);
        if (!std::isnan(remembered)) {
            Set(d, remembered);
            return {};
        }
    }
    const DensityResult root
        = MixtureDensityFromTP(model, feed, t, p, kph == 1 ? Phase::Liquid : Phase::Vapour);
    if (!root.outcome.ok())
        return Failure("TPRHOdll", root.outcome, "T = %.10g K, P = %.10g kPa", t, p);
    Set(d, root.rho);
    return {};
}

CallOutcome MixtureStateFromPS(const MixtureModel& model, double p, double s, const double* z, double* t,
    double* d, double* dl, double* dv, double* x, double* y, double* q, double* e, double* h, double* cv,
    double* cp, double* w) {
    const Composition feed = Read(model, z);
    MixtureSession& session = MixtureSession::instance();
    const MixtureFlashResult flash = MixtureFlashPS(model, feed, p, s, session.dewPointAt(feed, p));
    if (!flash.outcome.ok())
        return Failure("PSFLSHdll", flash.outcome, "P = %.10g kPa, s = %.10g J/(mol K)", p, s);
    Set(t, flash.state.tempK);
    WriteFlash(model, flash, d, dl, dv, x, y, q, e, h, cv, cp, w);
    if (!flash.twoPhase && flash.quality == 1.0)
        session.rememberVapourRoot(feed, flash.state.tempK, p, flash.state.rho);
    return {};
}

void MixtureStateFromTRho(const MixtureModel& model, double t, double rho, const double* z, double* p,
    double* e, double* h, double* s, double* cv, double* cp, double* w, double* hjt) {
    if (z == nullptr)
        return;
    const Composition feed = Read(model, z);
    if (!CheckMixtureInput(model, feed, std::max(t, model.minTempK()), 1.0).ok())
        return;
    const StateProperties st = MixturePropertiesAt(model, feed, t, rho);
    WriteThermOutputs(st, p, e, h, s, cv, cp, w, hjt);
}

} // namespace velutra::thermo
