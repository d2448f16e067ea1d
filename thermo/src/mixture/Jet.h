#pragma once

#include "Composition.h"

#include <array>

namespace velutra::thermo {

// A number carried with its gradient and Hessian with respect to up to kMaxComponents independent
// variables (second-order forward differentiation). The mixture model evaluates its residual
// Helmholtz energy density in Jets of the component densities: the gradient gives the chemical
// potentials, the Hessian their derivatives, exactly and at a cost of a few n^2 operations per step.
struct Jet {
    int size = 0; // number of independent variables
    double value = 0.0;
    std::array<double, kMaxComponents> grad {};
    std::array<std::array<double, kMaxComponents>, kMaxComponents> hess {};

    static Jet constant(int size, double value) {
        Jet j;
        j.size = size;
        j.value = value;
        return j;
    }
    static Jet variable(int size, int index, double value) {
        Jet j = constant(size, value);
        j.grad[index] = 1.0;
        return j;
    }
};

Jet operator+(const Jet& a, const Jet& b);
Jet operator*(const Jet& a, const Jet& b);
Jet operator*(double c, const Jet& a);
// 1 / a, a.value != 0.
Jet Reciprocal(const Jet& a);
inline Jet operator/(const Jet& a, const Jet& b) {
    return a * Reciprocal(b);
}

// A function f(tau, delta) of two Jets, from its value and derivatives up to second order at
// (tau.value, delta.value): the second-order chain rule.
struct TwoVariableDerivatives {
    double f = 0.0;
    double fTau = 0.0;
    double fDelta = 0.0;
    double fTauTau = 0.0;
    double fDeltaDelta = 0.0;
    double fTauDelta = 0.0;
};
Jet Compose(const TwoVariableDerivatives& d, const Jet& tau, const Jet& delta);

} // namespace velutra::thermo
