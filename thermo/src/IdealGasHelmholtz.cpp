#include "IdealGasHelmholtz.h"

#include "ThermoError.h"

#include <cmath>

namespace velutra::thermo {

IdealGasHelmholtz::IdealGasHelmholtz(Terms terms, double reducingTempK)
    : terms_(std::move(terms))
    , reducingTempK_(reducingTempK) {
    for (const Cp0PolyTerm& term : terms_.cp0Poly) {
        // t = -1 would integrate to a logarithm; no fluid of ours has it.
        if (term.t == -1.0)
            throw ThermoError(ErrorCode::BadFluidFile, "cp0 term with exponent -1 is not supported");
        if (!(term.t0 > 0.0))
            throw ThermoError(ErrorCode::BadFluidFile, "cp0 terms need a positive T0");
    }
}

IdealDerivatives IdealGasHelmholtz::evaluate(double tau, double delta) const {
    const double lnTau = std::log(tau);
    IdealDerivatives r;
    r.alpha0
        = std::log(delta) + terms_.a1 + referenceA1_ + (terms_.a2 + referenceA2_) * tau + terms_.aLog * lnTau;
    r.tau_dTau = (terms_.a2 + referenceA2_) * tau + terms_.aLog;
    r.tau2_dTau2 = -terms_.aLog;

    for (const IdealPowerTerm& term : terms_.power) {
        const double v = term.n * std::exp(term.t * lnTau);
        r.alpha0 += v;
        r.tau_dTau += term.t * v;
        r.tau2_dTau2 += term.t * (term.t - 1.0) * v;
    }
    for (const PlanckEinsteinTerm& term : terms_.planckEinstein) {
        const double x = term.theta * tau;
        const double e = std::exp(-x);
        const double oneMinusE = 1.0 - e;
        r.alpha0 += term.n * std::log1p(-e);
        r.tau_dTau += term.n * x * e / oneMinusE;
        r.tau2_dTau2 -= term.n * x * x * e / (oneMinusE * oneMinusE);
    }
    if (!terms_.cp0Poly.empty()) {
        // With H = int_T0^T cp0/R dT' and S = int_T0^T cp0/(R T') dT':
        // alpha0 = H/T - S, tau alpha0_tau = H/T, tau^2 alpha0_tautau = -cp0(T)/R.
        const double tempK = reducingTempK_ / tau;
        double h = 0.0;
        double s = 0.0;
        double cp = 0.0;
        for (const Cp0PolyTerm& term : terms_.cp0Poly) {
            const double t0 = term.t0;
            if (term.t == 0.0) {
                h += term.c * (tempK - t0);
                s += term.c * std::log(tempK / t0);
                cp += term.c;
            } else {
                const double tPow = std::pow(tempK, term.t);
                const double t0Pow = std::pow(t0, term.t);
                h += term.c * (tPow * tempK - t0Pow * t0) / (term.t + 1.0);
                s += term.c * (tPow - t0Pow) / term.t;
                cp += term.c * tPow;
            }
        }
        r.alpha0 += h / tempK - s;
        r.tau_dTau += h / tempK;
        r.tau2_dTau2 -= cp;
    }
    return r;
}

} // namespace velutra::thermo
