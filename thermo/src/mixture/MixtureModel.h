#pragma once

#include "Composition.h"
#include "CorrespondingStates.h"
#include "DepartureFunction.h"
#include "Jet.h"
#include "PureFluid.h"
#include "ReducingFunction.h"

#include <array>
#include <vector>

namespace velutra::thermo {

// The tau factors of every component and departure function at one mixture tau, so that density
// iterations at fixed temperature and composition evaluate no power of tau.
struct MixtureTauTerms {
    double tau = 0.0;
    std::array<TauTerms, kMaxComponents> components;
    std::array<TauTerms, kMaxDepartureFunctions> departures;
};

// Multi-fluid mixture model (Lemmon and Jacobsen; Kunz and Wagner):
//   alpha(T, rho, x) = sum_i x_i [alpha0_i(T_r,i / T, rho / rho_r,i) + ln x_i]
//                      + sum_i x_i alphar_i(tau, delta) + sum_{i<j} x_i x_j F_ij alphar_ij(tau, delta)
// with tau = T_r(x) / T and delta = rho / rho_r(x) from the reducing function. Each component's
// ideal part keeps its own reducing values and reference-state offset. Units: K, mol/dm3, kPa,
// J/(mol K), g/mol. Immutable; solvers take it by const reference.
class MixtureModel {
public:
    // gasConstant is the one R of the mixture as a whole (J/(mol K)). Throws ThermoError for
    // fewer than two or more than kMaxComponents components.
    MixtureModel(std::vector<PureFluid> components, ReducingFunction reducing, DepartureFunction departure,
        double gasConstant);

    int size() const { return static_cast<int>(components_.size()); }
    const PureFluid& component(int i) const { return components_[i]; }
    double gasConstant() const { return gasConstant_; }

    // sum x_i M_i, g/mol.
    double molarMass(const Composition& x) const;
    double reducingTempK(const Composition& x) const { return reducing_.temperature(x.data()); }
    double reducingRho(const Composition& x) const { return 1.0 / reducing_.volume(x.data()); }

    // Range of the mixture's states: above the highest triple point and below the lowest upper
    // pressure limit of its components. In temperature it reaches the highest upper limit: the
    // discharge gas of a blend with R32 or R1234yf is hotter than R134a's 455 K at low
    // evaporating temperatures, and a component's gas phase extrapolates as smoothly in the
    // mixture as alone.
    double minTempK() const;
    double maxTempK() const;
    double maxPressure() const;

    void prepareTau(double tau, MixtureTauTerms& out) const;
    // alphar of composition x at delta and the tau of `tauTerms`, with scaled derivatives.
    ResidualDerivatives alphar(const Composition& x, const MixtureTauTerms& tauTerms, double delta) const;
    ResidualDerivatives alphar(const Composition& x, double tempK, double rho) const;
    // sum_i x_i [alpha0_i + ln x_i] at (T, rho) with the derivatives T d/dT and T^2 d2/dT2 written
    // as tau_dTau, tau2_dTau2 (the same property relations hold as for a pure fluid).
    IdealDerivatives alpha0(const Composition& x, double tempK, double rho) const;

    // Residual Helmholtz energy density Psi = rho alphar (mol/dm3) at T as a Jet in the component
    // densities rho_i = x_i rho (mol/dm3, all positive). mu_i^r / (R T) is its gradient.
    Jet residualDensity(double tempK, const Composition& rhoi) const;

private:
    std::vector<PureFluid> components_;
    ReducingFunction reducing_;
    CorrespondingStates states_;
    DepartureFunction departure_;
    double gasConstant_;
};

} // namespace velutra::thermo
