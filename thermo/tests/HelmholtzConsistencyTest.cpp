// The analytic derivatives of the Helmholtz energy against central differences of the energy
// itself, and the ideal-gas heat capacity against the published cp0 forms.
#include "FluidFixture.h"
#include "Properties.h"
#include "Tolerance.h"

#include <cmath>

namespace velutra::thermo::test {
namespace {

// Fourth-order central difference of f at x with step hStep.
template <typename F> double Derivative(F f, double x, double hStep) {
    return (-f(x + 2 * hStep) + 8 * f(x + hStep) - 8 * f(x - hStep) + f(x - 2 * hStep)) / (12 * hStep);
}

// (tau, delta) points per fluid: dilute gas, saturated-vapour-like, near critical, dense liquid.
const double kPoints[][2] = { { 1.6, 0.01 }, { 1.2, 0.1 }, { 1.01, 0.9 }, { 1.3, 2.8 }, { 0.8, 1.5 } };

// Finite differences of an analytic function agree to about 1e-9 relative with these steps.
constexpr double kDifference = 1e-8;

class HelmholtzConsistencyTest : public ::testing::TestWithParam<std::string> { };

TEST_P(HelmholtzConsistencyTest, ResidualDerivativesMatchDifferences) {
    const ResidualHelmholtz& residual = Fluid(GetParam()).residual();
    for (const auto& point : kPoints) {
        const double tau = point[0];
        const double delta = point[1];
        SCOPED_TRACE("tau " + std::to_string(tau) + ", delta " + std::to_string(delta));
        const ResidualDerivatives r = residual.alphar(tau, delta);
        const double hd = 1e-4 * delta;
        const double ht = 1e-4 * tau;
        const auto a = [&](double t, double d) { return residual.alphar(t, d).alphar; };
        const auto aD = [&](double t, double d) { return residual.alphar(t, d).delta_dDelta / d; };
        const auto aT = [&](double t, double d) { return residual.alphar(t, d).tau_dTau / t; };

        const double dA = Derivative([&](double d) { return a(tau, d); }, delta, hd);
        const double tA = Derivative([&](double t) { return a(t, delta); }, tau, ht);
        const double ddA = Derivative([&](double d) { return aD(tau, d); }, delta, hd);
        const double ttA = Derivative([&](double t) { return aT(t, delta); }, tau, ht);
        const double dtA = Derivative([&](double t) { return aD(t, delta); }, tau, ht);
        // Absolute scale: alphar's own size, since single derivatives can pass through zero.
        const double scale = std::fabs(r.alphar) + std::fabs(r.delta_dDelta) + std::fabs(r.tau_dTau) + 1e-3;
        EXPECT_NEAR(r.delta_dDelta, delta * dA, kDifference * scale);
        EXPECT_NEAR(r.tau_dTau, tau * tA, kDifference * scale);
        EXPECT_NEAR(
            r.delta2_dDelta2, delta * delta * ddA, kDifference * (scale + std::fabs(r.delta2_dDelta2)));
        EXPECT_NEAR(r.tau2_dTau2, tau * tau * ttA, kDifference * (scale + std::fabs(r.tau2_dTau2)));
        EXPECT_NEAR(
            r.deltaTau_dDeltaTau, delta * tau * dtA, kDifference * (scale + std::fabs(r.deltaTau_dDeltaTau)));
    }
}

// p = rho^2 (da/drho)_T with a = R T alpha: the pressure from the derivative against a
// difference of the Helmholtz energy itself, along an isotherm through liquid and vapour.
TEST_P(HelmholtzConsistencyTest, PressureFromHelmholtzEnergy) {
    const PureFluid& fluid = Fluid(GetParam());
    const double tempK = 0.9 * fluid.constants().criticalTempK;
    const auto helmholtz = [&](double rho) {
        return fluid.gasConstant() * tempK
            * (fluid.alpha0(tempK, rho).alpha0 + fluid.alphar(tempK, rho).alphar);
    };
    for (const double delta : { 0.02, 0.2, 2.2, 2.6 }) {
        const double rho = delta * fluid.constants().reducingRho;
        const double p = PressureFrom(fluid, tempK, rho, fluid.alphar(tempK, rho));
        const double fromEnergy = rho * rho * Derivative(helmholtz, rho, 1e-4 * rho);
        EXPECT_NEAR(p, fromEnergy, 1e-7 * rho * fluid.gasConstant() * tempK) << "delta " << delta;
    }
}

// At vanishing density cp is the ideal-gas cp0 of the published equations.
TEST(IdealGasHeatCapacity, MatchesPublishedForms) {
    constexpr double rhoDilute = 1e-10;
    const double tempK = 300.0;

    // R152a (Outcalt and McLinden): cp0/R = 3.354951 + 1.09864910678e-2 T + 2.50161504325e-5 T^2
    // - 2.78744429549e-8 T^3.
    const PureFluid& r152a = Fluid("R152a");
    const double cp0R152a = 3.354951 + 0.0109864910678 * tempK + 2.50161504325e-05 * tempK * tempK
        - 2.78744429549e-08 * std::pow(tempK, 3);
    EXPECT_NEAR_REL(PropertiesAt(r152a, tempK, rhoDilute).cp / r152a.gasConstant(), cp0R152a, 1e-9);

    // Propane (Lemmon et al. 2009): cp0/R = 4 + sum v_k u_k^2 e^u_k / (e^u_k - 1)^2, u_k = theta_k / T,
    // with v = (3.043, 5.874, 9.337, 7.922), theta = (393, 1237, 1984, 4351) K.
    const PureFluid& propane = Fluid("R290");
    const double v[] = { 3.043, 5.874, 9.337, 7.922 };
    const double theta[] = { 393.0, 1237.0, 1984.0, 4351.0 };
    double cp0Propane = 4.0;
    for (int k = 0; k < 4; ++k) {
        const double u = theta[k] / tempK;
        cp0Propane += v[k] * u * u * std::exp(u) / std::pow(std::exp(u) - 1.0, 2);
    }
    // The file's characteristic temperatures are theta / T_r rounded to seven digits.
    EXPECT_NEAR_REL(PropertiesAt(propane, tempK, rhoDilute).cp / propane.gasConstant(), cp0Propane, 1e-6);

    // R22 (Kamei et al. 1995): cp0/R = 4.00526140446 + 1.20662553e-4 T + sum u_k^2 e^u_k / (e^u_k - 1)^2,
    // u_k = theta_k / T. The constant is a term type of its own in the data; were it lost, cp0
    // would be off by 4 R, and h and s with it.
    const PureFluid& r22 = Fluid("R22");
    const double thetaR22[]
        = { 4352.3095, 1935.1591, 1887.6794, 1694.8828, 1605.6785, 1162.5342, 857.5129, 605.7264, 530.9098 };
    for (const double t : { 200.0, 300.0, 450.0 }) {
        double cp0R22 = 4.00526140446 + 1.20662553e-4 * t;
        for (const double th : thetaR22) {
            const double u = th / t;
            cp0R22 += u * u * std::exp(u) / std::pow(std::exp(u) - 1.0, 2);
        }
        EXPECT_NEAR_REL(PropertiesAt(r22, t, rhoDilute).cp / r22.gasConstant(), cp0R22, 1e-8) << t << " K";
    }
}

INSTANTIATE_TEST_SUITE_P(PureFluids, HelmholtzConsistencyTest, ::testing::ValuesIn(PureFluids()), TestName);

} // namespace
} // namespace velutra::thermo::test
