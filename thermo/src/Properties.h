#pragma once

#include "PureFluid.h"

namespace velutra::thermo {

// Single-phase properties at (T, rho). Units: K, mol/dm3, kPa, J/mol, J/(mol K), m/s, K/kPa.
struct StateProperties {
    double tempK = 0.0;
    double rho = 0.0;
    double pressure = 0.0;
    double internalEnergy = 0.0;
    double enthalpy = 0.0;
    double entropy = 0.0;
    double cv = 0.0;
    double cp = 0.0;
    double soundSpeed = 0.0;
    double jouleThomson = 0.0;
};

// p = rho R T (1 + delta alphar_delta), kPa (rho in mol/dm3 times J/(mol K) times K is kPa).
inline double PressureFrom(const PureFluid& fluid, double tempK, double rho, const ResidualDerivatives& r) {
    return rho * fluid.gasConstant() * tempK * (1.0 + r.delta_dDelta);
}

// (dp/drho)_T = R T (1 + 2 delta alphar_delta + delta^2 alphar_deltadelta), kPa dm3/mol.
inline double DpDrhoFrom(const PureFluid& fluid, double tempK, const ResidualDerivatives& r) {
    return fluid.gasConstant() * tempK * (1.0 + 2.0 * r.delta_dDelta + r.delta2_dDelta2);
}

// (dp/dT)_rho = rho R (1 + delta alphar_delta - delta tau alphar_deltatau), kPa/K.
inline double DpDtFrom(const PureFluid& fluid, double rho, const ResidualDerivatives& r) {
    return rho * fluid.gasConstant() * (1.0 + r.delta_dDelta - r.deltaTau_dDeltaTau);
}

// s = R (tau (alpha0_tau + alphar_tau) - alpha0 - alphar), J/(mol K).
inline double EntropyFrom(const PureFluid& fluid, const IdealDerivatives& i, const ResidualDerivatives& r) {
    return fluid.gasConstant() * (i.tau_dTau + r.tau_dTau - i.alpha0 - r.alphar);
}

// h = R T (1 + tau (alpha0_tau + alphar_tau) + delta alphar_delta), J/mol.
inline double EnthalpyFrom(
    const PureFluid& fluid, double tempK, const IdealDerivatives& i, const ResidualDerivatives& r) {
    return fluid.gasConstant() * tempK * (1.0 + i.tau_dTau + r.tau_dTau + r.delta_dDelta);
}

// All properties from the evaluated parts of the Helmholtz energy at (T, rho).
StateProperties PropertiesFrom(const PureFluid& fluid, double tempK, double rho,
    const IdealDerivatives& ideal, const ResidualDerivatives& residual);

// The same for any model (a mixture too) with gas constant gasR, J/(mol K), and molar mass, g/mol.
StateProperties PropertiesFrom(double gasR, double molarMass, double tempK, double rho,
    const IdealDerivatives& ideal, const ResidualDerivatives& residual);

// All properties at (T, rho); T > 0, rho > 0.
StateProperties PropertiesAt(const PureFluid& fluid, double tempK, double rho);

} // namespace velutra::thermo
