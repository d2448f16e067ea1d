#include "Properties.h"

#include <cmath>

namespace velutra::thermo {

StateProperties PropertiesFrom(const PureFluid& fluid, double tempK, double rho,
    const IdealDerivatives& ideal, const ResidualDerivatives& r) {
    return PropertiesFrom(fluid.gasConstant(), fluid.molarMass(), tempK, rho, ideal, r);
}

StateProperties PropertiesFrom(double gasR, double molarMass, double tempK, double rho,
    const IdealDerivatives& ideal, const ResidualDerivatives& r) {
    StateProperties out;
    out.tempK = tempK;
    out.rho = rho;
    out.pressure = rho * gasR * tempK * (1.0 + r.delta_dDelta);
    const double tauTerm = ideal.tau_dTau + r.tau_dTau;
    out.internalEnergy = gasR * tempK * tauTerm;
    out.enthalpy = out.internalEnergy + gasR * tempK * (1.0 + r.delta_dDelta);
    out.entropy = gasR * (tauTerm - ideal.alpha0 - r.alphar);

    // cv/R = -tau^2 alpha_tautau; cp/R = cv/R + x^2 / y with
    // x = 1 + delta alphar_delta - delta tau alphar_deltatau, y = 1 + 2 delta alphar_delta + delta^2
    // alphar_deltadelta.
    const double cvR = -(ideal.tau2_dTau2 + r.tau2_dTau2);
    const double x = 1.0 + r.delta_dDelta - r.deltaTau_dDeltaTau;
    const double y = 1.0 + 2.0 * r.delta_dDelta + r.delta2_dDelta2;
    out.cv = gasR * cvR;
    out.cp = gasR * (cvR + x * x / y);
    // w^2 = (R T / M) (y + x^2 / (cv/R)), M in kg/mol.
    out.soundSpeed = std::sqrt(gasR * tempK / (molarMass * 1e-3) * (y + x * x / cvR));
    // mu_JT R rho = -(delta alphar_delta + delta^2 alphar_deltadelta + delta tau alphar_deltatau)
    //               / (x^2 + cv/R y); with rho in mol/dm3 this gives K/kPa.
    out.jouleThomson
        = -(r.delta_dDelta + r.delta2_dDelta2 + r.deltaTau_dDeltaTau) / (x * x + cvR * y) / (gasR * rho);
    return out;
}

StateProperties PropertiesAt(const PureFluid& fluid, double tempK, double rho) {
    return PropertiesFrom(fluid, tempK, rho, fluid.alpha0(tempK, rho), fluid.alphar(tempK, rho));
}

} // namespace velutra::thermo
