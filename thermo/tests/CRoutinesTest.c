/* The C routines called as a C program calls them: loaded with dlopen, resolved with dlsym,
 * every argument by address, character lengths last. Reference numbers are from
 * data/fluid-data/check-values.csv (independent implementation, polished to 1e-12). */
#include "velutra_thermo.h"

#include <dlfcn.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef void (*SetupFn)(int*, char*, char*, char*, int*, char*, size_t, size_t, size_t, size_t);
typedef void (*WmolFn)(double*, double*);
typedef void (*SattFn)(
    double*, double*, int*, double*, double*, double*, double*, double*, int*, char*, size_t);
typedef void (*TpflshFn)(double*, double*, double*, double*, double*, double*, double*, double*, double*,
    double*, double*, double*, double*, double*, double*, int*, char*, size_t);
typedef void (*TprhoFn)(double*, double*, double*, int*, int*, double*, int*, char*, size_t);
typedef void (*PsflshFn)(double*, double*, double*, double*, double*, double*, double*, double*, double*,
    double*, double*, double*, double*, double*, double*, int*, char*, size_t);
typedef void (*ThermFn)(
    double*, double*, double*, double*, double*, double*, double*, double*, double*, double*, double*);

static int failures = 0;

#define CHECK(condition)                                                                                     \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                    \
            ++failures;                                                                                      \
        }                                                                                                    \
    } while (0)

static int near_rel(double actual, double expected, double tolerance) {
    if (!(fabs(actual - expected) <= tolerance * fabs(expected))) {
        fprintf(stderr, "  actual %.17g expected %.17g\n", actual, expected);
        return 0;
    }
    return 1;
}

/* The engine's argument block: fixed buffers, lengths one less than the buffers. */
static int nc, kph, kguess, ierr;
static double x[VELUTRA_THERMO_MAX_COMPONENTS], xl[VELUTRA_THERMO_MAX_COMPONENTS],
    xv[VELUTRA_THERMO_MAX_COMPONENTS];
static double t, p, d, dl, dv, q, e, h, s, cv, cp, w, wmm, hjt;
static char herr[256], hfiles[10000], hfmix[256], hrf[4];

static SetupFn setup;
static WmolFn wmol;
static SattFn satt;
static TpflshFn tpflsh;
static TprhoFn tprho;
static PsflshFn psflsh;
static ThermFn therm;

static void set_up(int count, const char* files, const char* reference) {
    nc = count;
    strncpy(hfiles, files, sizeof hfiles - 1);
    strcpy(hfmix, "..\\Fluids\\HMX.BNC");
    strncpy(hrf, reference, 3);
    strcpy(herr, "Ok");
    setup(&nc, hfiles, hfmix, hrf, &ierr, herr, 10000, 255, 3, 255);
}

static void* resolve(void* library, const char* name) {
    void* symbol = dlsym(library, name);
    if (symbol == NULL) {
        fprintf(stderr, "missing routine %s\n", name);
        exit(2);
    }
    return symbol;
}

int main(void) {
    void* library = dlopen(VELUTRA_THERMO_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (library == NULL) {
        fprintf(stderr, "cannot load %s: %s\n", VELUTRA_THERMO_LIBRARY, dlerror());
        return 2;
    }
    *(void**)&setup = resolve(library, "SETUPdll");
    *(void**)&wmol = resolve(library, "WMOLdll");
    *(void**)&satt = resolve(library, "SATTdll");
    *(void**)&tpflsh = resolve(library, "TPFLSHdll");
    *(void**)&tprho = resolve(library, "TPRHOdll");
    *(void**)&psflsh = resolve(library, "PSFLSHdll");
    *(void**)&therm = resolve(library, "THERMdll");

    /* Before any set-up every routine refuses. */
    t = 250.0;
    kph = 2;
    satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
    CHECK(ierr != 0 && isnan(p) && strstr(herr, "no fluid") != NULL);

    /* The program's own spelling: backslashes, a working directory that does not hold "..\fluids". */
    x[0] = 1.0;
    set_up(1, "..\\fluids\\R134a.fld", "IIR");
    CHECK(ierr == 0);
    wmol(x, &wmm);
    CHECK(near_rel(wmm, 102.032, 1e-12));

    /* Dew point at 240 K and the vapour root there. */
    t = 240.0;
    kph = 2;
    satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
    CHECK(ierr == 0);
    CHECK(near_rel(p, 72.480857990520548, 1e-8));
    CHECK(near_rel(dv, 0.037603278754678594, 1e-8));
    kguess = 0;
    tprho(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255);
    CHECK(ierr == 0 && near_rel(d, 0.037603278754678594, 1e-8));

    /* Subcooled liquid at 90 F and 836.98 kPa. */
    t = 305.37222222222226;
    p = 836.98409210944783;
    tpflsh(&t, &p, x, &d, &dl, &dv, xl, xv, &q, &e, &h, &s, &cv, &cp, &w, &ierr, herr, 255);
    CHECK(ierr == 0 && q == 0.0);
    CHECK(near_rel(d, 11.553238780142989, 1e-8));
    CHECK(near_rel(h, 24992.222168283784, 1e-8));
    CHECK(near_rel(s, 117.73535277474335, 1e-8));
    /* THERM at that density gives back the pressure and enthalpy. */
    therm(&t, &d, x, &p, &e, &h, &s, &cv, &cp, &w, &hjt);
    CHECK(near_rel(p, 836.98409210944783, 1e-7));
    CHECK(near_rel(h, 24992.222168283784, 1e-8));

    /* Vapour root at 260 K, 88.42 kPa. */
    t = 260.0;
    p = 88.418541076125251;
    kph = 2;
    tprho(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255);
    CHECK(ierr == 0 && near_rel(d, 0.042173318133820248, 1e-8));

    /* Isentropic discharge at 1216.6 kPa. */
    p = 1216.6189217896228;
    s = 194.85749157957778;
    psflsh(&p, &s, x, &t, &d, &dl, &dv, xl, xv, &q, &e, &h, &cv, &cp, &w, &ierr, herr, 255);
    CHECK(ierr == 0);
    CHECK(near_rel(t, 384.52628626203614, 1e-8));
    CHECK(near_rel(h, 50285.107812515394, 1e-8));

    /* Failures: a code, a message, NaN results, no crash. */
    t = 400.0;
    satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
    CHECK(ierr != 0 && isnan(p) && strstr(herr, "critical") != NULL);
    t = 100.0;
    satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
    CHECK(ierr != 0 && isnan(p) && strstr(herr, "triple") != NULL);
    t = 300.0;
    p = -5.0;
    tpflsh(&t, &p, x, &d, &dl, &dv, xl, xv, &q, &e, &h, &s, &cv, &cp, &w, &ierr, herr, 255);
    CHECK(ierr != 0 && isnan(h) && isnan(s));
    t = NAN;
    p = 100.0;
    tprho(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255);
    CHECK(ierr != 0 && isnan(d));
    p = 500.0;
    s = NAN;
    psflsh(&p, &s, x, &t, &d, &dl, &dv, xl, xv, &q, &e, &h, &cv, &cp, &w, &ierr, herr, 255);
    CHECK(ierr != 0 && isnan(t) && isnan(h));

    /* A short error buffer gets a truncated, terminated text and nothing past its length. */
    {
        char small[9];
        memset(small, 'x', sizeof small);
        t = 400.0;
        satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, small, 8);
        CHECK(ierr != 0 && strlen(small) == 7 && small[8] == 'x');
    }

    /* Set-up failures leave no fluid behind, so no later call uses a stale one. */
    set_up(1, "..\\fluids\\nosuchfluid.fld", "DEF");
    CHECK(ierr != 0 && strstr(herr, "nosuchfluid.fld") != NULL);
    wmol(x, &wmm);
    CHECK(isnan(wmm));
    set_up(1, "R134a.fld", "XYZ");
    CHECK(ierr != 0);

    /* R507A as the program sets it up (R143A in capitals): dew point at 240 K with the incipient
     * liquid, the suction vapour at 305.37 K with its remembered vapour root, the liquid root
     * and THERM at the same T and the dew pressure at 320 K, the discharge state from (P, s). */
    set_up(2, "..\\fluids\\R125.fld|..\\fluids\\R143A.fld", "DEF");
    CHECK(ierr == 0);
    x[0] = 0.41184;
    x[1] = 0.58816;
    wmol(x, &wmm);
    CHECK(near_rel(wmm, 98.859167936, 1e-12));
    t = 240.0;
    kph = 2;
    satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
    CHECK(ierr == 0 && near_rel(p, 186.79135442011926, 1e-6) && near_rel(dv, 0.10076006731289047, 1e-6));
    CHECK(near_rel(xl[0], 0.40565276100442405, 1e-6) && near_rel(xv[1], 0.58816, 1e-15));
    t = 305.37222222222226;
    p = 771.58320059804259;
    tpflsh(&t, &p, x, &d, &dl, &dv, xl, xv, &q, &e, &h, &s, &cv, &cp, &w, &ierr, herr, 255);
    CHECK(ierr == 0 && q == 1.0 && near_rel(d, 0.34758963305759671, 1e-6));
    kph = 2;
    kguess = 0;
    tprho(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255);
    CHECK(ierr == 0 && near_rel(d, 0.34758963305759671, 1e-6));
    p = 1575.4050869218879;
    kph = 1;
    tprho(&t, &p, x, &kph, &kguess, &d, &ierr, herr, 255);
    CHECK(ierr == 0 && near_rel(d, 10.229021311106871, 1e-6));
    therm(&t, &d, x, &p, &e, &h, &s, &cv, &cp, &w, &hjt);
    CHECK(near_rel(p, 1575.4050869218879, 1e-6) && near_rel(h, 24288.014036158031, 1e-6));
    t = 320.0;
    kph = 2;
    satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
    CHECK(ierr == 0 && near_rel(p, 2194.9652229756839, 1e-6));
    s = 188.97499956806155; /* the discharge entropy at 1345.06 kPa, P from the dew point at 300 K */
    p = 1345.0590442595194;
    psflsh(&p, &s, x, &t, &d, &dl, &dv, xl, xv, &q, &e, &h, &cv, &cp, &w, &ierr, herr, 255);
    CHECK(ierr == 0 && near_rel(t, 386.00333853740381, 1e-6) && near_rel(d, 0.46108419697475328, 1e-6));
    /* A pair the mixing rules do not know, a missing mixing-rule file: errors, no ideal mixture. */
    set_up(2, "R125.fld|R152a.fld", "DEF");
    CHECK(ierr != 0 && strstr(herr, "R125/R152a") != NULL);
    wmol(x, &wmm);
    CHECK(isnan(wmm));
    nc = 2;
    strcpy(hfiles, "R125.fld|R143a.fld");
    strcpy(hfmix, "nosuch.bnc");
    setup(&nc, hfiles, hfmix, hrf, &ierr, herr, 10000, 255, 3, 255);
    CHECK(ierr != 0 && strstr(herr, "nosuch.bnc") != NULL);
    x[0] = 1.0;
    x[1] = 0.0;

    /* Case-insensitive names; the default reference state of propane is NBP: h = 0 for the
     * saturated liquid at 101.325 kPa, reached at about 231.04 K, so at 231 K |h| is a few J/mol
     * (cp of the liquid is about 98 J/(mol K)); with IIR it would be about -9900 J/mol. */
    set_up(1, "..\\FLUIDS\\PROPANE.FLD", "DEF");
    CHECK(ierr == 0);
    wmol(x, &wmm);
    CHECK(near_rel(wmm, 44.09562, 1e-12));
    t = 231.0;
    kph = 1;
    satt(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
    CHECK(ierr == 0 && p > 90.0 && p < 110.0);
    therm(&t, &dl, x, &p, &e, &h, &s, &cv, &cp, &w, &hjt);
    CHECK(fabs(h) < 10.0);

    if (failures == 0)
        printf("all C routine checks passed\n");
    return failures == 0 ? 0 : 1;
}
