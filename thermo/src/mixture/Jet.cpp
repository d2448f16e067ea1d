#include "Jet.h"

namespace velutra::thermo {

Jet operator+(const Jet& a, const Jet& b) {
    Jet r = a;
    r.value += b.value;
    for (int i = 0; i < a.size; ++i) {
        r.grad[i] += b.grad[i];
        for (int j = 0; j < a.size; ++j)
            r.hess[i][j] += b.hess[i][j];
    }
    return r;
}

Jet operator*(const Jet& a, const Jet& b) {
    Jet r = Jet::constant(a.size, a.value * b.value);
    for (int i = 0; i < a.size; ++i) {
        r.grad[i] = a.grad[i] * b.value + a.value * b.grad[i];
        for (int j = 0; j < a.size; ++j)
            r.hess[i][j] = a.hess[i][j] * b.value + a.value * b.hess[i][j] + a.grad[i] * b.grad[j]
                + a.grad[j] * b.grad[i];
    }
    return r;
}

Jet operator*(double c, const Jet& a) {
    Jet r = a;
    r.value *= c;
    for (int i = 0; i < a.size; ++i) {
        r.grad[i] *= c;
        for (int j = 0; j < a.size; ++j)
            r.hess[i][j] *= c;
    }
    return r;
}

Jet Reciprocal(const Jet& a) {
    // (1/a)' = -a'/a^2, (1/a)'' = 2 a' a'^T / a^3 - a''/a^2.
    const double inv = 1.0 / a.value;
    const double inv2 = inv * inv;
    Jet r = Jet::constant(a.size, inv);
    for (int i = 0; i < a.size; ++i) {
        r.grad[i] = -a.grad[i] * inv2;
        for (int j = 0; j < a.size; ++j)
            r.hess[i][j] = 2.0 * a.grad[i] * a.grad[j] * inv2 * inv - a.hess[i][j] * inv2;
    }
    return r;
}

Jet Compose(const TwoVariableDerivatives& d, const Jet& tau, const Jet& delta) {
    Jet r = Jet::constant(tau.size, d.f);
    for (int i = 0; i < tau.size; ++i) {
        r.grad[i] = d.fTau * tau.grad[i] + d.fDelta * delta.grad[i];
        for (int j = 0; j < tau.size; ++j)
            r.hess[i][j] = d.fTau * tau.hess[i][j] + d.fDelta * delta.hess[i][j]
                + d.fTauTau * tau.grad[i] * tau.grad[j] + d.fDeltaDelta * delta.grad[i] * delta.grad[j]
                + d.fTauDelta * (tau.grad[i] * delta.grad[j] + delta.grad[i] * tau.grad[j]);
    }
    return r;
}

} // namespace velutra::thermo
