// The C routines of the property library: argument checking, the set-up session and error
// texts around the C++ solvers. Each routine runs its work through Guarded, so no exception
// leaves these functions.
#include "DensityRoot.h"
#include "FlashPS.h"
#include "FlashTP.h"
#include "FluidPathResolver.h"
#include "MixtureRoutines.h"
#include "MixtureSession.h"
#include "OutputArguments.h"
#include "Properties.h"
#include "RoutineGuard.h"
#include "Saturation.h"
#include "Session.h"
#include "ThermoError.h"
#include "velutra_thermo.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using namespace velutra::thermo;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Copies text into a caller's buffer of `length` bytes, truncated and always NUL-terminated.
void WriteText(char* buffer, std::size_t length, const std::string& text) {
    if (buffer == nullptr || length == 0)
        return;
    const std::size_t n = std::min(text.size(), length - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}

// A character argument: at most `length` bytes, ending at the first NUL, trailing blanks dropped
// (fixed-length buffers from Fortran-minded callers are blank-padded).
std::string ReadText(const char* buffer, std::size_t length) {
    if (buffer == nullptr)
        return {};
    const char* end = static_cast<const char*>(std::memchr(buffer, '\0', length));
    std::string text(buffer, end ? static_cast<std::size_t>(end - buffer) : length);
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    text.erase(last == std::string::npos ? 0 : last + 1);
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

std::string Format(const char* format, double a, double b) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// The outcome of a call, carried to the error arguments.
struct Report {
    int* ierr;
    char* herr;
    std::size_t herrLength;

    void ok() const {
        if (ierr)
            *ierr = 0;
        WriteText(herr, herrLength, "");
    }
    void fail(int code, const std::string& message) const {
        if (ierr)
            *ierr = code;
        WriteText(herr, herrLength, message);
    }
    void fail(const char* routine, const SolverOutcome& outcome, const PureFluid& fluid,
        const std::string& values) const {
        std::string message
            = std::string(routine) + ": " + outcome.reason + " (" + values + ", " + fluid.name();
        if (outcome.status == SolverStatus::OutOfRange) {
            const FluidConstants& c = fluid.constants();
            message += Format(": triple point %.6g K, critical point %.6g K", c.tripleTempK, c.criticalTempK);
        }
        fail(static_cast<int>(ErrorCodeOf(outcome.status)), message + ")");
    }
    // Reports a missing set-up; true when a fluid is set up.
    bool requireFluid(const char* routine, const PureFluid* fluid) const {
        if (fluid)
            return true;
        fail(static_cast<int>(ErrorCode::NotSetUp),
            std::string(routine) + ": no fluid is set up (call SETUPdll first)");
        return false;
    }
};

void SetPureComposition(double* x, double value) {
    if (x == nullptr)
        return;
    x[0] = value;
    for (int i = 1; i < VELUTRA_THERMO_MAX_COMPONENTS; ++i)
        x[i] = std::isnan(value) ? kNaN : 0.0;
}

std::vector<std::string> SplitFileList(const std::string& list) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t bar = list.find('|', start);
        const std::size_t end = bar == std::string::npos ? list.size() : bar;
        std::string entry = list.substr(start, end - start);
        const std::size_t last = entry.find_last_not_of(" \t");
        entry.erase(last == std::string::npos ? 0 : last + 1);
        entry.erase(0, std::min(entry.size(), entry.find_first_not_of(" \t")));
        if (!entry.empty())
            out.push_back(entry);
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return out;
}

void Finish(const Report& report, const CallOutcome& outcome) {
    if (outcome.code == 0)
        report.ok();
    else
        report.fail(outcome.code, outcome.message);
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

void SetUp(int* nc, char* hfiles, char* hfmix, char* hrf, const Report& report, std::size_t hfilesLength,
    std::size_t hfmixLength, std::size_t hrfLength) {
    Session& session = Session::instance();
    session.clear();
    MixtureSession::instance().clear();
    if (nc == nullptr || *nc < 1 || *nc > VELUTRA_THERMO_MAX_COMPONENTS) {
        report.fail(static_cast<int>(ErrorCode::BadArgument),
            "SETUPdll: the component count must be 1 to " + std::to_string(VELUTRA_THERMO_MAX_COMPONENTS));
        return;
    }
    const std::string reference = Upper(ReadText(hrf, hrfLength));
    if (reference != "DEF" && reference != "IIR" && reference != "NBP") {
        report.fail(static_cast<int>(ErrorCode::BadArgument),
            "SETUPdll: unknown reference state \"" + reference + "\" (use DEF, IIR or NBP)");
        return;
    }
    const std::vector<std::string> files = SplitFileList(ReadText(hfiles, hfilesLength));
    if (files.size() != static_cast<std::size_t>(*nc)) {
        report.fail(static_cast<int>(ErrorCode::BadArgument),
            "SETUPdll: the fluid file list names " + std::to_string(files.size()) + " files for "
                + std::to_string(*nc) + " components");
        return;
    }
    if (*nc > 1) {
        std::vector<std::string> paths;
        for (const std::string& file : files) {
            const std::optional<std::string> path = ResolveFluidFile(file, LibraryFluidFolders());
            if (!path) {
                report.fail(
                    static_cast<int>(ErrorCode::BadFluidFile), "SETUPdll: fluid file not found: " + file);
                return;
            }
            paths.push_back(*path);
        }
        const std::string mixFile = ReadText(hfmix, hfmixLength);
        const std::optional<std::string> mixPath = ResolveFluidFile(mixFile, LibraryFluidFolders());
        if (!mixPath) {
            report.fail(static_cast<int>(ErrorCode::BadFluidFile),
                "SETUPdll: mixing-rule file not found: " + mixFile);
            return;
        }
        MixtureSession::instance().setUp(paths, *mixPath, reference);
        report.ok();
        return;
    }
    const std::optional<std::string> path = ResolveFluidFile(files.front(), LibraryFluidFolders());
    if (!path) {
        report.fail(
            static_cast<int>(ErrorCode::BadFluidFile), "SETUPdll: fluid file not found: " + files.front());
        return;
    }
    session.setUp(*path, reference);
    report.ok();
}

} // namespace

extern "C" {

void SETUPdll(int* nc, char* hfiles, char* hfmix, char* hrf, int* ierr, char* herr, size_t hfilesLength,
    size_t hfmixLength, size_t hrfLength, size_t herrLength) {
    Guarded(
        "SETUPdll", ierr, herr, herrLength, [] {},
        [&] {
            const Report report { ierr, herr, herrLength };
            const std::lock_guard lock(Session::instance().mutex());
            SetUp(nc, hfiles, hfmix, hrf, report, hfilesLength, hfmixLength, hrfLength);
        });
}

void WMOLdll(double* x, double* wmm) {
    Guarded(
        "WMOLdll", nullptr, nullptr, 0, [&] { Set(wmm, kNaN); },
        [&] {
            const std::lock_guard lock(Session::instance().mutex());
            if (const MixtureModel* mixture = MixtureSession::instance().model()) {
                double m = 0.0;
                for (int i = 0; x && i < mixture->size(); ++i)
                    m += x[i] * mixture->component(i).molarMass();
                Set(wmm, x ? m : kNaN);
                return;
            }
            const PureFluid* fluid = Session::instance().fluid();
            Set(wmm, fluid ? fluid->molarMass() : kNaN);
        });
}

void SATTdll(double* t, double* x, int* kph, double* p, double* rhol, double* rhov, double* xliq,
    double* xvap, int* ierr, char* herr, size_t herrLength) {
    const auto clearOutputs = [&] {
        Set(p, kNaN);
        Set(rhol, kNaN);
        Set(rhov, kNaN);
        SetPureComposition(xliq, kNaN);
        SetPureComposition(xvap, kNaN);
    };
    Guarded("SATTdll", ierr, herr, herrLength, clearOutputs, [&] {
        const Report report { ierr, herr, herrLength };
        Session& session = Session::instance();
        const std::lock_guard lock(session.mutex());
        if (const MixtureModel* mixture = MixtureSession::instance().model()) {
            if (t == nullptr || x == nullptr || kph == nullptr || (*kph != 1 && *kph != 2))
                report.fail(static_cast<int>(ErrorCode::BadArgument),
                    "SATTdll: temperature and composition are required, the phase flag must be 1 (bubble) or "
                    "2 (dew)");
            else
                Finish(report, MixtureSaturationAtT(*mixture, *t, x, *kph, p, rhol, rhov, xliq, xvap));
            return;
        }
        if (!report.requireFluid("SATTdll", session.fluid()))
            return;
        if (t == nullptr || kph == nullptr || (*kph != 1 && *kph != 2)) {
            report.fail(static_cast<int>(ErrorCode::BadArgument),
                "SATTdll: the phase flag must be 1 (bubble) or 2 (dew)");
            return;
        }
        const PureFluid& fluid = *session.fluid();
        const SaturationResult sat = SaturationAtT(fluid, *t, &session.tauTermsAt(*t));
        if (!sat.outcome.ok()) {
            report.fail("SATTdll", sat.outcome, fluid, Format("T = %.10g K", *t, 0.0));
            return;
        }
        Set(p, sat.pressure);
        Set(rhol, sat.rhoL);
        Set(rhov, sat.rhoV);
        SetPureComposition(xliq, 1.0);
        SetPureComposition(xvap, 1.0);
        session.rememberVapourRoot(*t, sat.pressure, sat.rhoV);
        session.rememberSaturation(sat);
        report.ok();
    });
}

void TPFLSHdll(double* t, double* p, double* z, double* d, double* dl, double* dv, double* x, double* y,
    double* q, double* e, double* h, double* s, double* cv, double* cp, double* w, int* ierr, char* herr,
    size_t herrLength) {
    const auto clearOutputs = [&] {
        for (double* out : { d, dl, dv, q, e, h, s, cv, cp, w })
            Set(out, kNaN);
        SetPureComposition(x, kNaN);
        SetPureComposition(y, kNaN);
    };
    Guarded("TPFLSHdll", ierr, herr, herrLength, clearOutputs, [&] {
        const Report report { ierr, herr, herrLength };
        Session& session = Session::instance();
        const std::lock_guard lock(session.mutex());
        if (const MixtureModel* mixture = MixtureSession::instance().model()) {
            if (t == nullptr || p == nullptr || z == nullptr)
                report.fail(static_cast<int>(ErrorCode::BadArgument),
                    "TPFLSHdll: temperature, pressure and composition are required");
            else
                Finish(
                    report, MixtureStateFromTP(*mixture, *t, *p, z, d, dl, dv, x, y, q, e, h, s, cv, cp, w));
            return;
        }
        if (!report.requireFluid("TPFLSHdll", session.fluid()))
            return;
        if (t == nullptr || p == nullptr) {
            report.fail(
                static_cast<int>(ErrorCode::BadArgument), "TPFLSHdll: temperature and pressure are required");
            return;
        }
        const PureFluid& fluid = *session.fluid();
        const FlashResult flash = FlashTP(fluid, session.tauTermsAt(*t), *t, *p);
        if (!flash.outcome.ok()) {
            report.fail("TPFLSHdll", flash.outcome, fluid, Format("T = %.10g K, P = %.10g kPa", *t, *p));
            return;
        }
        const StateProperties& st = flash.state;
        Set(d, st.rho);
        Set(dl, flash.rhoL);
        Set(dv, flash.rhoV);
        SetPureComposition(x, 1.0);
        SetPureComposition(y, 1.0);
        Set(q, flash.quality);
        Set(e, st.internalEnergy);
        Set(h, st.enthalpy);
        Set(s, st.entropy);
        Set(cv, st.cv);
        Set(cp, st.cp);
        Set(w, st.soundSpeed);
        if (flash.quality == 1.0)
            session.rememberVapourRoot(*t, *p, st.rho);
        report.ok();
    });
}

void TPRHOdll(double* t, double* p, double* x, int* kph, int* kguess, double* d, int* ierr, char* herr,
    size_t herrLength) {
    // Without a guess the old value of d is no start value, and after a failure it must not pass
    // for a result.
    Guarded(
        "TPRHOdll", ierr, herr, herrLength, [&] { Set(d, kNaN); },
        [&] {
            const Report report { ierr, herr, herrLength };
            Session& session = Session::instance();
            const std::lock_guard lock(session.mutex());
            if (const MixtureModel* mixture = MixtureSession::instance().model()) {
                if (t == nullptr || p == nullptr || x == nullptr || kph == nullptr
                    || (*kph != 1 && *kph != 2))
                    report.fail(static_cast<int>(ErrorCode::BadArgument),
                        "TPRHOdll: temperature, pressure and composition are required, the phase flag must "
                        "be "
                        "1 (liquid) or 2 (vapour)");
                else
                    Finish(report, MixtureDensityRoot(*mixture, *t, *p, x, *kph, d));
                return;
            }
            if (!report.requireFluid("TPRHOdll", session.fluid()))
                return;
            if (t == nullptr || p == nullptr || kph == nullptr || (*kph != 1 && *kph != 2)) {
                report.fail(static_cast<int>(ErrorCode::BadArgument),
                    "TPRHOdll: the phase flag must be 1 (liquid) or 2 (vapour)");
                return;
            }
            // The solver needs no initial guess; a guess flag of 1 is accepted and the guess not used.
            if (kguess != nullptr && *kguess != 0 && *kguess != 1) {
                report.fail(
                    static_cast<int>(ErrorCode::BadArgument), "TPRHOdll: the guess flag must be 0 or 1");
                return;
            }
            const Phase phase = *kph == 1 ? Phase::Liquid : Phase::Vapour;
            if (phase == Phase::Vapour) {
                const double remembered = session.vapourRoot(*t, *p);
                if (!std::isnan(remembered)) {
                    Set(d, remembered);
                    report.ok();
                    return;
                }
            }
            const PureFluid& fluid = *session.fluid();
            const DensityResult root = DensityFromTP(fluid, session.tauTermsAt(*t), *t, *p, phase);
            if (!root.outcome.ok()) {
                report.fail("TPRHOdll", root.outcome, fluid, Format("T = %.10g K, P = %.10g kPa", *t, *p));
                return;
            }
            Set(d, root.rho);
            report.ok();
        });
}

void PSFLSHdll(double* p, double* s, double* z, double* t, double* d, double* dl, double* dv, double* x,
    double* y, double* q, double* e, double* h, double* cv, double* cp, double* w, int* ierr, char* herr,
    size_t herrLength) {
    const auto clearOutputs = [&] {
        for (double* out : { t, d, dl, dv, q, e, h, cv, cp, w })
            Set(out, kNaN);
        SetPureComposition(x, kNaN);
        SetPureComposition(y, kNaN);
    };
    Guarded("PSFLSHdll", ierr, herr, herrLength, clearOutputs, [&] {
        const Report report { ierr, herr, herrLength };
        Session& session = Session::instance();
        const std::lock_guard lock(session.mutex());
        if (const MixtureModel* mixture = MixtureSession::instance().model()) {
            if (p == nullptr || s == nullptr || z == nullptr)
                report.fail(static_cast<int>(ErrorCode::BadArgument),
                    "PSFLSHdll: pressure, entropy and composition are required");
            else
                Finish(
                    report, MixtureStateFromPS(*mixture, *p, *s, z, t, d, dl, dv, x, y, q, e, h, cv, cp, w));
            return;
        }
        if (!report.requireFluid("PSFLSHdll", session.fluid()))
            return;
        if (p == nullptr || s == nullptr) {
            report.fail(
                static_cast<int>(ErrorCode::BadArgument), "PSFLSHdll: pressure and entropy are required");
            return;
        }
        const PureFluid& fluid = *session.fluid();
        const SaturationResult* known = session.saturationAt(*p);
        const FlashResult flash
            = FlashPS(fluid, *p, *s, known, known ? &session.tauTermsAt(known->tempK) : nullptr);
        if (!flash.outcome.ok()) {
            report.fail(
                "PSFLSHdll", flash.outcome, fluid, Format("P = %.10g kPa, s = %.10g J/(mol K)", *p, *s));
            return;
        }
        const StateProperties& st = flash.state;
        Set(t, st.tempK);
        Set(d, st.rho);
        Set(dl, flash.rhoL);
        Set(dv, flash.rhoV);
        SetPureComposition(x, 1.0);
        SetPureComposition(y, 1.0);
        Set(q, flash.quality);
        Set(e, st.internalEnergy);
        Set(h, st.enthalpy);
        Set(cv, st.cv);
        Set(cp, st.cp);
        Set(w, st.soundSpeed);
        if (!flash.twoPhase && flash.quality == 1.0)
            session.rememberVapourRoot(st.tempK, *p, st.rho);
        report.ok();
    });
}

void THERMdll(double* t, double* rho, double* x, double* p, double* e, double* h, double* s, double* cv,
    double* cp, double* w, double* hjt) {
    const auto clearOutputs = [&] {
        for (double* out : { p, e, h, s, cv, cp, w, hjt })
            Set(out, kNaN);
    };
    Guarded("THERMdll", nullptr, nullptr, 0, clearOutputs, [&] {
        Session& session = Session::instance();
        const std::lock_guard lock(session.mutex());
        if (const MixtureModel* mixture = MixtureSession::instance().model()) {
            if (t != nullptr && rho != nullptr && std::isfinite(*t) && std::isfinite(*rho) && *t > 0.0
                && *rho > 0.0)
                MixtureStateFromTRho(*mixture, *t, *rho, x, p, e, h, s, cv, cp, w, hjt);
            return;
        }
        const PureFluid* fluid = session.fluid();
        if (fluid == nullptr || t == nullptr || rho == nullptr || !std::isfinite(*t) || !std::isfinite(*rho)
            || !(*t > 0.0) || !(*rho > 0.0))
            return;
        const StateProperties st = PropertiesFrom(*fluid, *t, *rho, fluid->alpha0(*t, *rho),
            fluid->residual().evaluate(session.tauTermsAt(*t), fluid->delta(*rho)));
        WriteThermOutputs(st, p, e, h, s, cv, cp, w, hjt);
    });
}

} // extern "C"
