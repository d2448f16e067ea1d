#pragma once

#include "IdealGasHelmholtz.h"
#include "ResidualHelmholtz.h"
#include "Superancillary.h"

#include <string>

namespace velutra::thermo {

enum class ReferenceState { IIR, NBP };

// Constants of one fluid's equation of state. Units: K, kPa, mol/dm3, g/mol, J/(mol K).
struct FluidConstants {
    std::string name;
    double molarMass = 0.0; // g/mol
    double gasConstant = 0.0; // J/(mol K), the value the equation's authors used
    double reducingTempK = 0.0; // T_r of tau = T_r / T (not always the critical temperature)
    double reducingRho = 0.0; // rho_r of delta = rho / rho_r, mol/dm3
    double criticalTempK = 0.0; // the equation's own critical point
    double criticalRho = 0.0;
    double criticalPressure = 0.0; // kPa
    double tripleTempK = 0.0; // lower end of the equation's range
    double maxTempK = 0.0; // upper end of the range the solvers accept (see the fluid file's limits)
    double maxPressure = 0.0; // kPa
    ReferenceState defaultReference = ReferenceState::IIR;
};

// A pure fluid: alpha(tau, delta) = alpha0 + alphar with tau = T_r / T, delta = rho / rho_r.
// Immutable after set-up except for the reference state; solvers take it by const reference.
class PureFluid {
public:
    PureFluid(FluidConstants constants, IdealGasHelmholtz ideal, ResidualHelmholtz residual,
        Superancillary superancillary);

    const FluidConstants& constants() const { return constants_; }
    const std::string& name() const { return constants_.name; }
    double molarMass() const { return constants_.molarMass; }
    double gasConstant() const { return constants_.gasConstant; }

    double tau(double tempK) const { return constants_.reducingTempK / tempK; }
    double delta(double rho) const { return rho / constants_.reducingRho; }

    const IdealGasHelmholtz& ideal() const { return ideal_; }
    const ResidualHelmholtz& residual() const { return residual_; }
    const Superancillary& superancillary() const { return superancillary_; }

    // alpha0 at (T, rho) including the reference-state offset.
    IdealDerivatives alpha0(double tempK, double rho) const {
        return ideal_.evaluate(tau(tempK), delta(rho));
    }
    ResidualDerivatives alphar(double tempK, double rho) const {
        return residual_.alphar(tau(tempK), delta(rho));
    }

    // Shifts h by dh (J/mol) and s by ds (J/(mol K)) from the unshifted equation.
    void setReferenceShift(double dh, double ds);

private:
    FluidConstants constants_;
    IdealGasHelmholtz ideal_;
    ResidualHelmholtz residual_;
    Superancillary superancillary_;
};

} // namespace velutra::thermo
