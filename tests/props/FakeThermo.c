/* A stand-in for the property library with the same C routines over a simple model, used to
 * test how the engine passes arguments and handles errors without the real equations.
 *
 * Model (component i has molar mass 100 + i g/mol):
 *   saturation  P = 100 exp(20 (1 - 250/T)) kPa, T < 400 K (above: an error, with a plausible
 *               pressure left behind as a careless library might)
 *   vapour      ideal gas with cp = 40 J/(mol K): rho = P/(R T), h = 40 T, s = 40 ln(T/250) - R ln(P/100)
 *   liquid      the liquid root is 10 mol/dm3, none below the saturation pressure (no metastable
 *               liquid); h = 20 T - 5000, s = 20 ln(T/250) - 30
 * Set-up fails for a fluid list naming "R152a" (as a missing fluid file would), with an error
 * text that fills the whole declared length and has no terminating NUL. */
#include "velutra_thermo.h"

#include <math.h>
#include <string.h>

#define FAKE_SLOTS 20

static const double R = 8.314462618;

static int setupNc;
static char setupFiles[10001];
static char setupMix[256];
static char setupRef[4];
static char setupErrIn[256];
static size_t setupLengths[4];
static double wmolX[FAKE_SLOTS];
static int lastKph;
static int lastGuess;
static size_t lastErrLength;

static void CopyIn(char* to, size_t toSize, const char* from, size_t length) {
    size_t n = length < toSize - 1 ? length : toSize - 1;
    memcpy(to, from, n);
    to[n] = '\0';
}

static void Fill(double* values, double value) {
    for (int i = 0; i < FAKE_SLOTS; ++i)
        values[i] = value;
}

static double SatP(double t) {
    return 100.0 * exp(20.0 * (1.0 - 250.0 / t));
}
static double VapourS(double t, double p) {
    return 40.0 * log(t / 250.0) - R * log(p / 100.0);
}

void SETUPdll(int* nc, char* hfiles, char* hfmix, char* hrf, int* ierr, char* herr, size_t hfilesLength,
    size_t hfmixLength, size_t hrfLength, size_t herrLength) {
    setupNc = *nc;
    CopyIn(setupFiles, sizeof setupFiles, hfiles, strnlen(hfiles, hfilesLength));
    CopyIn(setupMix, sizeof setupMix, hfmix, strnlen(hfmix, hfmixLength));
    CopyIn(setupRef, sizeof setupRef, hrf, strnlen(hrf, hrfLength));
    CopyIn(setupErrIn, sizeof setupErrIn, herr, strnlen(herr, herrLength));
    setupLengths[0] = hfilesLength;
    setupLengths[1] = hfmixLength;
    setupLengths[2] = hrfLength;
    setupLengths[3] = herrLength;
    *ierr = 0;
    if (strstr(setupFiles, "R152a") != NULL) {
        static const char message[] = "R152a.fld: fluid file not found";
        memset(herr, ' ', herrLength);
        memcpy(herr, message, sizeof message - 1);
        *ierr = 101;
    }
}

void WMOLdll(double* x, double* wmm) {
    *wmm = 0;
    for (int i = 0; i < FAKE_SLOTS; ++i) {
        wmolX[i] = x[i];
        *wmm += x[i] * (100.0 + i);
    }
}

void SATTdll(double* t, double* x, int* kph, double* p, double* rhol, double* rhov, double* xliq,
    double* xvap, int* ierr, char* herr, size_t herrLength) {
    (void)x;
    (void)kph;
    lastErrLength = herrLength;
    Fill(xliq, 0.25);
    Fill(xvap, 0.75);
    if (*t >= 400.0) {
        *p = 123.0;
        *rhol = *rhov = 1.0;
        *ierr = 1;
        strncpy(herr, "temperature above the critical point", herrLength);
        return;
    }
    *p = SatP(*t);
    *rhol = 10.0;
    *rhov = *p / (R * *t);
    *ierr = 0;
}

void TPFLSHdll(double* t, double* p, double* z, double* d, double* dl, double* dv, double* x, double* y,
    double* q, double* e, double* h, double* s, double* cv, double* cp, double* w, int* ierr, char* herr,
    size_t herrLength) {
    (void)z;
    (void)herr;
    (void)herrLength;
    Fill(x, 0.5);
    Fill(y, 0.5);
    *d = *dl = *dv = *p / (R * *t);
    *q = 1.0;
    *h = 40.0 * *t;
    *e = *h - R * *t;
    *s = VapourS(*t, *p);
    *cv = 40.0 - R;
    *cp = 40.0;
    *w = 150.0;
    *ierr = 0;
}

void TPRHOdll(double* t, double* p, double* x, int* kph, int* kguess, double* d, int* ierr, char* herr,
    size_t herrLength) {
    (void)x;
    lastKph = *kph;
    lastGuess = *kguess;
    *d = *kph == 1 ? 10.0 : *p / (R * *t);
    *ierr = 0;
    if (*kph == 1 && *t < 400.0 && *p < SatP(*t)) {
        *ierr = 4;
        strncpy(herr, "no liquid root below the saturation pressure", herrLength);
    }
}

void PSFLSHdll(double* p, double* s, double* z, double* t, double* d, double* dl, double* dv, double* x,
    double* y, double* q, double* e, double* h, double* cv, double* cp, double* w, int* ierr, char* herr,
    size_t herrLength) {
    (void)z;
    (void)herr;
    (void)herrLength;
    Fill(x, 0.5);
    Fill(y, 0.5);
    *t = 250.0 * exp((*s + R * log(*p / 100.0)) / 40.0);
    *d = *dl = *dv = *p / (R * *t);
    *q = 1.0;
    *h = 40.0 * *t;
    *e = *h - R * *t;
    *cv = 40.0 - R;
    *cp = 40.0;
    *w = 150.0;
    *ierr = 0;
}

#ifndef FAKE_OMIT_THERM
void THERMdll(double* t, double* rho, double* x, double* p, double* e, double* h, double* s, double* cv,
    double* cp, double* w, double* hjt) {
    (void)x;
    if (*rho >= 5.0) {
        *h = 20.0 * *t - 5000.0;
        *s = 20.0 * log(*t / 250.0) - 30.0;
        *p = 1000.0;
    } else {
        *p = *rho * R * *t;
        *h = 40.0 * *t;
        *s = VapourS(*t, *p);
    }
    *e = *h;
    *cv = *cp = 40.0;
    *w = 150.0;
    *hjt = 0.0;
}
#endif

/* What the last calls received, for the tests. */
VELUTRA_THERMO_API int FakeSetupNc(void) {
    return setupNc;
}
VELUTRA_THERMO_API const char* FakeSetupFiles(void) {
    return setupFiles;
}
VELUTRA_THERMO_API const char* FakeSetupMix(void) {
    return setupMix;
}
VELUTRA_THERMO_API const char* FakeSetupRef(void) {
    return setupRef;
}
VELUTRA_THERMO_API const char* FakeSetupErrIn(void) {
    return setupErrIn;
}
VELUTRA_THERMO_API size_t FakeSetupLength(int i) {
    return setupLengths[i];
}
VELUTRA_THERMO_API double FakeWmolX(int i) {
    return wmolX[i];
}
VELUTRA_THERMO_API int FakeLastKph(void) {
    return lastKph;
}
VELUTRA_THERMO_API int FakeLastGuess(void) {
    return lastGuess;
}
VELUTRA_THERMO_API size_t FakeLastErrLength(void) {
    return lastErrLength;
}
