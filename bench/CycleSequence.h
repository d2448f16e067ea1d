// The cycle state sequence of PropertyEngine::CycleStates, call for call, through the C routines
// of the property library. Every call's error code is checked; the first failure is kept with its
// text.
#pragma once

#include "MapGrid.h"
#include "velutra_thermo.h"

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace velutra::bench {

inline constexpr double kLineTempK = 305.37222222222226; // 90 F: suction gas and liquid line

// The engine's argument block.
struct Slots {
    int nc = 1;
    double x[VELUTRA_THERMO_MAX_COMPONENTS] = { 1.0 };
    double xl[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double xv[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double t = 0, p = 0, d = 0, dl = 0, dv = 0, q = 0, e = 0, h = 0, s = 0, cv = 0, cp = 0, w = 0, hjt = 0;
    double wmm = 0;
    int kph = 2, kguess = 0, ierr = 0;
    char herr[256] = {};
    char hfiles[10000] = {};
    char hfmix[256] = "..\\Fluids\\HMX.BNC";
    char hrf[4] = "DEF";
    std::string firstError;

    // Sets up the fluid files ("|"-separated) with mole fractions z; false with the error text.
    bool setUp(const char* files, const std::vector<double>& z) {
        nc = static_cast<int>(z.size());
        for (std::size_t i = 0; i < z.size(); ++i)
            x[i] = z[i];
        std::strncpy(hfiles, files, sizeof hfiles - 1);
        SETUPdll(&nc, hfiles, hfmix, hrf, &ierr, herr, sizeof hfiles, sizeof hfmix, 3, 255);
        if (ierr != 0)
            firstError = herr;
        return ierr == 0;
    }

    void check(const char* routine) {
        if (ierr != 0 && firstError.empty())
            firstError = std::string(routine) + ": " + herr;
    }

    void vapourRoot() {
        kph = 2;
        TPRHOdll(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255);
        check("TPRHOdll (vapour)");
    }

    double dewPressure(double tempK) {
        t = tempK;
        kph = 2;
        SATTdll(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
        check("SATTdll (dew)");
        vapourRoot();
        return p;
    }

    // The liquid at 90 F and Pc: its liquid root, else the bubble-point liquid at 90 F when Pc
    // lies below the bubble pressure (no metastable liquid root), then THERMdll.
    void liquidLine(double pc) {
        t = kLineTempK;
        p = pc;
        kph = 1;
        TPRHOdll(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255);
        if (std::isnan(d)) {
            kph = 1;
            SATTdll(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
            check("SATTdll (bubble)");
            const bool belowBubble = p >= pc;
            p = pc;
            if (!belowBubble && firstError.empty())
                firstError = "no liquid root at 90 F above the bubble pressure";
            d = dl;
        }
        THERMdll(&t, &d, x, &p, &e, &h, &s, &cv, &cp, &w, &hjt);
        if (!std::isfinite(h) && firstError.empty())
            firstError = "THERMdll gives no state on the liquid line";
    }

    // One map point: what CycleStates computes; returns h2s.
    double cycleStates(double teK, double tcK) {
        WMOLdll(x, &wmm);
        const double pe = dewPressure(teK);
        t = kLineTempK;
        p = pe;
        TPFLSHdll(&t, &p, x, &d, &dl, &dv, xl, xv, &q, &e, &h, &s, &cv, &cp, &w, &ierr, herr, 255);
        check("TPFLSHdll");
        const double s1 = s;
        vapourRoot();
        const double pc = dewPressure(tcK);
        liquidLine(pc);
        p = pc;
        s = s1;
        PSFLSHdll(&p, &s, x, &t, &d, &dl, &dv, xl, xv, &q, &e, &h, &cv, &cp, &w, &ierr, herr, 255);
        check("PSFLSHdll");
        const double h2s = h;
        vapourRoot();
        return h2s;
    }
};

} // namespace velutra::bench
