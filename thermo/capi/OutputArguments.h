#pragma once

#include "Properties.h"

namespace velutra::thermo {

// A C caller may pass a null pointer for an output it does not want.
inline void Set(double* out, double value) {
    if (out)
        *out = value;
}

// The outputs of THERMdll from the properties at (T, rho).
inline void WriteThermOutputs(const StateProperties& st, double* p, double* e, double* h, double* s,
    double* cv, double* cp, double* w, double* hjt) {
    Set(p, st.pressure);
    Set(e, st.internalEnergy);
    Set(h, st.enthalpy);
    Set(s, st.entropy);
    Set(cv, st.cv);
    Set(cp, st.cp);
    Set(w, st.soundSpeed);
    Set(hjt, st.jouleThomson);
}

} // namespace velutra::thermo
