/* C routines of the Velutra refrigerant property library.
 *
 * Every argument is passed by address. Character arguments are fixed-length buffers whose
 * declared lengths follow all other arguments, in the same order, as size_t. Composition
 * arguments are arrays of mole fractions with room for VELUTRA_THERMO_MAX_COMPONENTS entries.
 * Units: K, kPa, mol/dm3, J/mol, J/(mol K), g/mol.
 *
 * Routines that take an error code set it to 0 (and the error text to "") on success; on failure
 * it is non-zero, the error text holds a NUL-terminated message (truncated to the declared
 * length) and the results the call should have produced are NaN. No routine throws or aborts.
 * Error codes: 1 fluid file missing or unreadable, 2 bad argument (NaN, non-positive, unknown
 * flag), 3 outside the equation's range (or at/above the critical point for saturation), 4 no
 * density root of the requested phase, 5 no convergence, 6 no fluid set up, 7 internal failure
 * (out of memory or a defect of the library; the text says which).
 *
 * The routines share one set-up and are meant for one caller at a time.
 */
#ifndef VELUTRA_THERMO_H
#define VELUTRA_THERMO_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VELUTRA_THERMO_MAX_COMPONENTS 5

#if defined(__GNUC__)
#define VELUTRA_THERMO_API __attribute__((visibility("default")))
#else
#define VELUTRA_THERMO_API
#endif

/* Sets up a pure fluid or mixture: nc components, "|"-separated fluid-file list, mixing-rule
 * file, reference state "DEF", "IIR" or "NBP". */
VELUTRA_THERMO_API void SETUPdll(int* nc, char* hfiles, char* hfmix, char* hrf, int* ierr, char* herr,
    size_t hfilesLength, size_t hfmixLength, size_t hrfLength, size_t herrLength);

/* Molar mass of composition x, g/mol. */
VELUTRA_THERMO_API void WMOLdll(double* x, double* wmm);

/* Saturation at temperature t: kph 1 bubble point, 2 dew point. Pressure, liquid and vapour
 * densities and the compositions of both phases. */
VELUTRA_THERMO_API void SATTdll(double* t, double* x, int* kph, double* p, double* rhol, double* rhov,
    double* xliq, double* xvap, int* ierr, char* herr, size_t herrLength);

/* Flash at (t, p): bulk density, phase densities and compositions, molar vapour fraction q
 * (a single-phase state gives 0 when liquid-like and 1 when vapour-like), internal energy,
 * enthalpy, entropy, cv, cp, speed of sound. */
VELUTRA_THERMO_API void TPFLSHdll(double* t, double* p, double* z, double* d, double* dl, double* dv,
    double* x, double* y, double* q, double* e, double* h, double* s, double* cv, double* cp, double* w,
    int* ierr, char* herr, size_t herrLength);

/* Density root at (t, p) of composition x: kph 1 liquid, 2 vapour; kguess 0 (no initial guess;
 * 1 is accepted and the guess not needed). Below the critical temperature a vapour root exists
 * up to the saturation pressure and a liquid root from it upwards. */
VELUTRA_THERMO_API void TPRHOdll(double* t, double* p, double* x, int* kph, int* kguess, double* d, int* ierr,
    char* herr, size_t herrLength);

/* Flash at (p, s), one or two phases; in two phases cv, cp and w are NaN. */
VELUTRA_THERMO_API void PSFLSHdll(double* p, double* s, double* z, double* t, double* d, double* dl,
    double* dv, double* x, double* y, double* q, double* e, double* h, double* cv, double* cp, double* w,
    int* ierr, char* herr, size_t herrLength);

/* Properties at (t, rho) of composition x: pressure, internal energy, enthalpy, entropy, cv, cp,
 * speed of sound (m/s), Joule-Thomson coefficient (K/kPa). Outputs are NaN for invalid inputs. */
VELUTRA_THERMO_API void THERMdll(double* t, double* rho, double* x, double* p, double* e, double* h,
    double* s, double* cv, double* cp, double* w, double* hjt);

#ifdef __cplusplus
}
#endif

#endif
