// libFuzzer target: the property library's C routines on any inputs (NaN, infinities, absurd
// temperatures and pressures, both phase flags) for every refrigerant must return, never crash,
// hang or read out of bounds, and keep their error text inside its declared length.
#include "velutra_thermo.h"

#include <cmath>
#include <cstdint>
#include <cstring>
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* lists[] = { "R134a.fld", "R152a.fld", "propane.fld", "isobutan.fld",
        "R125.fld|R134a.fld|R143a.fld", "R125.fld|R143a.fld" };
    static const int counts[] = { 1, 1, 1, 1, 3, 2 };
    static int current = -1;
    if (size < 1 + 3 * sizeof(double))
        return 0;
    int which = data[0] % 6;
    if (which != current) {
        int nc = counts[which];
        char files[10000] = {};
        std::strcpy(files, lists[which]);
        char mix[256] = "..\\Fluids\\HMX.BNC";
        char ref[4] = "DEF";
        int ierr;
        char herr[256];
        SETUPdll(&nc, files, mix, ref, &ierr, herr, 10000, 255, 3, 255);
        if (ierr)
            __builtin_trap();
        current = which;
    }
    double v[3];
    std::memcpy(v, data + 1, sizeof v);
    double x[5] = { 1, 0, 0, 0, 0 };
    if (which == 4) {
        x[0] = 0.35782;
        x[1] = 0.03826;
        x[2] = 0.60392;
    }
    if (which == 5) {
        x[0] = 0.41184;
        x[1] = 0.58816;
    }
    double t = v[0], p = v[1], s = v[2], d, dl, dv, xl[5], xv[5], q, e, h, cv, cp, w, hjt;
    int ierr = 0;
    char herr[256];
    int kph = 1 + (data[0] / 6) % 2, kg = 0;
    switch ((data[0] / 12) % 5) {
    case 0:
        SATTdll(&t, x, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
        break;
    case 1:
        TPFLSHdll(&t, &p, x, &d, &dl, &dv, xl, xv, &q, &e, &h, &s, &cv, &cp, &w, &ierr, herr, 255);
        break;
    case 2:
        TPRHOdll(&t, &p, x, &kph, &kg, &d, &ierr, herr, 255);
        break;
    case 3:
        PSFLSHdll(&p, &s, x, &t, &d, &dl, &dv, xl, xv, &q, &e, &h, &cv, &cp, &w, &ierr, herr, 255);
        break;
    case 4:
        THERMdll(&t, &s, x, &p, &e, &h, &s, &cv, &cp, &w, &hjt);
        break;
    }
    if (std::strlen(herr) > 255 && ierr)
        __builtin_trap();
    return 0;
}
