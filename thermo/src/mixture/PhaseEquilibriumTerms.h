#pragma once

#include "MixtureModel.h"

namespace velutra::thermo {

// What phase equilibrium needs of one phase at T and component densities rho_i (mol/dm3):
//   ln f_i = ln(rho_i R T) + dPsi/drho_i                   (fugacity, kPa)
//   p / (R T) = rho + sum_i rho_i dPsi/drho_i - Psi
// with Psi = rho alphar the residual Helmholtz energy density, and their exact derivatives with
// respect to the rho_j at constant T from Psi's Hessian H:
//   d ln f_i / d rho_j = delta_ij / rho_i + H_ij,   d(p / (R T)) / d rho_j = 1 + sum_k rho_k H_kj.
struct PhaseEquilibriumTerms {
    int size = 0;
    double rho = 0.0;
    Composition rhoi {};
    Composition lnFugacity {};
    std::array<std::array<double, kMaxComponents>, kMaxComponents> dLnFugacity {};
    double pOverRT = 0.0; // mol/dm3
    Composition dPOverRT {};

    double pressure(double gasR, double tempK) const { return pOverRT * gasR * tempK; }
    // (dp/drho)_{T,x} / (R T) > 0: the phase is mechanically stable.
    double dPOverRTdRho() const;
    // ln phi_i = ln f_i - ln(x_i p).
    double lnFugacityCoefficient(int i, double gasR, double tempK) const;
};

PhaseEquilibriumTerms EvaluatePhase(const MixtureModel& model, double tempK, const Composition& rhoi);

} // namespace velutra::thermo
