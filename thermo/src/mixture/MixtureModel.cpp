#include "MixtureModel.h"

#include "ThermoError.h"

#include <algorithm>
#include <cmath>

namespace velutra::thermo {

namespace {

std::vector<ResidualHelmholtz> ResidualsOf(const std::vector<PureFluid>& components) {
    std::vector<ResidualHelmholtz> out;
    out.reserve(components.size());
    for (const PureFluid& c : components)
        out.push_back(c.residual());
    return out;
}

// Unscaled derivatives of one residual part for the chain rule.
TwoVariableDerivatives Unscaled(const ResidualDerivatives& r, double tau, double delta) {
    return { r.alphar, r.tau_dTau / tau, r.delta_dDelta / delta, r.tau2_dTau2 / (tau * tau),
        r.delta2_dDelta2 / (delta * delta), r.deltaTau_dDeltaTau / (tau * delta) };
}

void AddScaled(ResidualDerivatives& sum, double weight, const ResidualDerivatives& r) {
    sum.alphar += weight * r.alphar;
    sum.delta_dDelta += weight * r.delta_dDelta;
    sum.delta2_dDelta2 += weight * r.delta2_dDelta2;
    sum.tau_dTau += weight * r.tau_dTau;
    sum.tau2_dTau2 += weight * r.tau2_dTau2;
    sum.deltaTau_dDeltaTau += weight * r.deltaTau_dDeltaTau;
}

} // namespace

MixtureModel::MixtureModel(std::vector<PureFluid> components, ReducingFunction reducing,
    DepartureFunction departure, double gasConstant)
    : components_(std::move(components))
    , reducing_(std::move(reducing))
    , states_(ResidualsOf(components_))
    , departure_(std::move(departure))
    , gasConstant_(gasConstant) {
    if (components_.size() < 2 || components_.size() > kMaxComponents)
        throw ThermoError(ErrorCode::BadArgument,
            "a mixture needs 2 to " + std::to_string(kMaxComponents) + " components, not "
                + std::to_string(components_.size()));
}

double MixtureModel::molarMass(const Composition& x) const {
    double m = 0.0;
    for (int i = 0; i < size(); ++i)
        m += x[i] * components_[i].molarMass();
    return m;
}

double MixtureModel::minTempK() const {
    double t = 0.0;
    for (const PureFluid& c : components_)
        t = std::max(t, c.constants().tripleTempK);
    return t;
}

double MixtureModel::maxTempK() const {
    double t = components_[0].constants().maxTempK;
    for (const PureFluid& c : components_)
        t = std::max(t, c.constants().maxTempK);
    return t;
}

double MixtureModel::maxPressure() const {
    double p = components_[0].constants().maxPressure;
    for (const PureFluid& c : components_)
        p = std::min(p, c.constants().maxPressure);
    return p;
}

void MixtureModel::prepareTau(double tau, MixtureTauTerms& out) const {
    out.tau = tau;
    states_.prepareTau(tau, out.components.data());
    departure_.prepareTau(tau, out.departures.data());
}

ResidualDerivatives MixtureModel::alphar(
    const Composition& x, const MixtureTauTerms& tauTerms, double delta) const {
    std::array<ResidualDerivatives, kMaxComponents> each;
    std::array<ResidualDerivatives, kMaxDepartureFunctions> dep;
    states_.evaluateEach(tauTerms.components.data(), delta, each.data());
    departure_.evaluateEach(tauTerms.departures.data(), delta, dep.data());
    ResidualDerivatives sum;
    for (int i = 0; i < size(); ++i)
        AddScaled(sum, x[i], each[i]);
    for (const DeparturePair& p : departure_.pairs())
        AddScaled(sum, x[p.i] * x[p.j] * p.factor, dep[p.function]);
    return sum;
}

ResidualDerivatives MixtureModel::alphar(const Composition& x, double tempK, double rho) const {
    MixtureTauTerms tauTerms;
    prepareTau(reducingTempK(x) / tempK, tauTerms);
    return alphar(x, tauTerms, rho / reducingRho(x));
}

IdealDerivatives MixtureModel::alpha0(const Composition& x, double tempK, double rho) const {
    IdealDerivatives sum;
    for (int i = 0; i < size(); ++i) {
        if (x[i] <= 0.0)
            continue;
        // Each component's ideal gas keeps its own gas constant: its cp0 in J/(mol K) is what
        // the equation's authors fitted.
        const IdealDerivatives c = components_[i].alpha0(tempK, rho);
        const double w = x[i] * components_[i].gasConstant() / gasConstant_;
        sum.alpha0 += w * c.alpha0 + x[i] * std::log(x[i]);
        sum.tau_dTau += w * c.tau_dTau;
        sum.tau2_dTau2 += w * c.tau2_dTau2;
    }
    return sum;
}

Jet MixtureModel::residualDensity(double tempK, const Composition& rhoi) const {
    const int n = size();
    Jet rho = Jet::variable(n, 0, rhoi[0]);
    for (int i = 1; i < n; ++i)
        rho = rho + Jet::variable(n, i, rhoi[i]);
    const Jet inverseRho = Reciprocal(rho);
    std::array<Jet, kMaxComponents> x;
    for (int i = 0; i < n; ++i)
        x[i] = Jet::variable(n, i, rhoi[i]) * inverseRho;
    const Jet tau = (1.0 / tempK) * reducing_.temperature(x.data());
    const Jet delta = rho * reducing_.volume(x.data());

    MixtureTauTerms tauTerms;
    prepareTau(tau.value, tauTerms);
    std::array<ResidualDerivatives, kMaxComponents> each;
    std::array<ResidualDerivatives, kMaxDepartureFunctions> dep;
    states_.evaluateEach(tauTerms.components.data(), delta.value, each.data());
    departure_.evaluateEach(tauTerms.departures.data(), delta.value, dep.data());

    Jet alphar = x[0] * Compose(Unscaled(each[0], tau.value, delta.value), tau, delta);
    for (int i = 1; i < n; ++i)
        alphar = alphar + x[i] * Compose(Unscaled(each[i], tau.value, delta.value), tau, delta);
    std::array<bool, kMaxDepartureFunctions> composed {};
    std::array<Jet, kMaxDepartureFunctions> depJets;
    for (const DeparturePair& p : departure_.pairs()) {
        if (!composed[p.function]) {
            depJets[p.function] = Compose(Unscaled(dep[p.function], tau.value, delta.value), tau, delta);
            composed[p.function] = true;
        }
        alphar = alphar + p.factor * (x[p.i] * x[p.j] * depJets[p.function]);
    }
    return rho * alphar;
}

} // namespace velutra::thermo
