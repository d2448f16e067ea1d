#pragma once

#include "HelmholtzDerivatives.h"

#include <vector>

namespace velutra::thermo {

// Terms of the ideal-gas part alpha0(tau, delta), all functions of tau alone except ln(delta).
struct IdealPowerTerm { // n tau^t
    double n = 0.0;
    double t = 0.0;
};
struct PlanckEinsteinTerm { // n ln(1 - exp(-theta tau)), theta = characteristic temperature / T_r
    double n = 0.0;
    double theta = 0.0;
};
struct Cp0PolyTerm { // from cp0/R = c T^t, integrated from t0 (T in K, T = T_r / tau)
    double c = 0.0;
    double t = 0.0;
    double t0 = 0.0;
};

// Ideal-gas Helmholtz energy
//   alpha0 = ln(delta) + a1 + a2 tau + aLog ln(tau) + sum n tau^t + sum n ln(1 - exp(-theta tau))
//            + (1/T) int_T0^T cp0/R dT' - int_T0^T cp0/(R T') dT'
// plus the offset a1ref + a2ref tau that sets the reference state (it shifts h by R T_r a2ref and
// s by -R a1ref and changes nothing else).
class IdealGasHelmholtz {
public:
    struct Terms {
        double a1 = 0.0;
        double a2 = 0.0;
        double aLog = 0.0;
        std::vector<IdealPowerTerm> power;
        std::vector<PlanckEinsteinTerm> planckEinstein;
        std::vector<Cp0PolyTerm> cp0Poly;
    };

    IdealGasHelmholtz() = default;
    // reducingTempK is T_r of the equation (T = T_r / tau for the cp0 terms).
    IdealGasHelmholtz(Terms terms, double reducingTempK);

    IdealDerivatives evaluate(double tau, double delta) const;

    void setReferenceOffset(double a1, double a2) {
        referenceA1_ = a1;
        referenceA2_ = a2;
    }

private:
    Terms terms_;
    double reducingTempK_ = 0.0;
    double referenceA1_ = 0.0;
    double referenceA2_ = 0.0;
};

} // namespace velutra::thermo
