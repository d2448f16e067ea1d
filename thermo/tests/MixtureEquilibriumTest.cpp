// Phase-equilibrium identities of the mixture model that hold whatever the reference values:
// equal fugacities at dew and bubble points, exact fugacity and pressure derivatives against
// finite differences, and dew and bubble curves that are continuous over the whole range.
#include "MixtureFixture.h"
#include "Tolerance.h"
#include "mixture/DewBubble.h"
#include "mixture/MixtureProperties.h"
#include "mixture/PhaseEquilibriumTerms.h"

#include <cmath>

namespace velutra::thermo::test {
namespace {

using velutra::test::NearRel;

// Highest temperature of the sweeps: 2 K below the critical region of each blend (critical
// temperatures about 345.3 K for R404A and 343.8 K for R507A).
double SweepTopK(const std::string& blend) {
    return blend == "R404A" ? 343.0 : 341.5;
}

Composition Densities(const Composition& x, double rho, int n) {
    Composition out {};
    for (int i = 0; i < n; ++i)
        out[i] = x[i] * rho;
    return out;
}

class MixtureEquilibriumTest : public ::testing::TestWithParam<std::string> {
protected:
    const MixtureModel& model() const { return Mixture(GetParam()); }
    const Composition& z() const { return BlendNamed(GetParam()).z; }
};

TEST_P(MixtureEquilibriumTest, PhasesAtDewAndBubblePointsHaveEqualFugacities) {
    const int n = model().size();
    for (double tempK : { 200.0, 250.0, 300.0, SweepTopK(GetParam()) })
        for (bool dew : { true, false }) {
            SCOPED_TRACE((dew ? "dew at " : "bubble at ") + std::to_string(tempK));
            const MixtureSaturation sat
                = dew ? DewPointAtT(model(), z(), tempK) : BubblePointAtT(model(), z(), tempK);
            ASSERT_TRUE(sat.outcome.ok()) << sat.outcome.reason;
            const PhaseEquilibriumTerms liquid = EvaluatePhase(model(), tempK, Densities(sat.x, sat.rhoL, n));
            const PhaseEquilibriumTerms vapour = EvaluatePhase(model(), tempK, Densities(sat.y, sat.rhoV, n));
            const double gasR = model().gasConstant();
            EXPECT_TRUE(NearRel(liquid.pressure(gasR, tempK), sat.pressure, 1e-10));
            EXPECT_TRUE(NearRel(vapour.pressure(gasR, tempK), sat.pressure, 1e-10));
            // The incipient phase differs from the bulk: not the trivial solution.
            EXPECT_GT(sat.rhoL / sat.rhoV, 1.2);
            double sum = 0.0;
            for (int i = 0; i < n; ++i) {
                EXPECT_NEAR(liquid.lnFugacity[i], vapour.lnFugacity[i], 1e-10);
                sum += dew ? sat.x[i] : sat.y[i];
            }
            EXPECT_NEAR(sum, 1.0, 1e-12);
        }
}

TEST_P(MixtureEquilibriumTest, FugacityAndPressureDerivativesMatchFiniteDifferences) {
    const int n = model().size();
    const double tempK = 290.0;
    for (double rho : { 0.3, 11.0 }) {
        const Composition rhoi = Densities(z(), rho, n);
        const PhaseEquilibriumTerms at = EvaluatePhase(model(), tempK, rhoi);
        // The pressure from Psi's gradient against the one from alphar's delta derivative.
        const StateProperties state = MixturePropertiesAt(model(), z(), tempK, rho);
        EXPECT_TRUE(NearRel(at.pressure(model().gasConstant(), tempK), state.pressure, 1e-12));
        for (int j = 0; j < n; ++j) {
            const double h = 1e-6 * rhoi[j];
            Composition up = rhoi;
            Composition down = rhoi;
            up[j] += h;
            down[j] -= h;
            const PhaseEquilibriumTerms a = EvaluatePhase(model(), tempK, up);
            const PhaseEquilibriumTerms b = EvaluatePhase(model(), tempK, down);
            for (int i = 0; i < n; ++i)
                EXPECT_TRUE(
                    NearRel(at.dLnFugacity[i][j], (a.lnFugacity[i] - b.lnFugacity[i]) / (2.0 * h), 1e-6))
                    << "d ln f" << i << " / d rho" << j << " at rho " << rho;
            EXPECT_TRUE(NearRel(at.dPOverRT[j], (a.pOverRT - b.pOverRT) / (2.0 * h), 1e-6))
                << "d p / d rho" << j << " at rho " << rho;
        }
    }
}

// Every 0.5 K from 200 K to 2 K below the critical region, each point solved on its own from the
// Raoult start: the dew and bubble pressures fall as T falls, and ln p against 1/T has no jumps
// (its slope changes by less than 2 % from one step to the next).
TEST_P(MixtureEquilibriumTest, DewAndBubbleCurvesAreContinuous) {
    for (bool dew : { true, false }) {
        int solved = 0;
        double lastP = 0.0;
        double lastT = 0.0;
        double lastSlope = 0.0;
        for (double tempK = 200.0; tempK <= SweepTopK(GetParam()) + 1e-9; tempK += 0.5) {
            const MixtureSaturation sat
                = dew ? DewPointAtT(model(), z(), tempK) : BubblePointAtT(model(), z(), tempK);
            ASSERT_TRUE(sat.outcome.ok())
                << (dew ? "dew" : "bubble") << " at " << tempK << " K: " << sat.outcome.reason;
            if (solved > 0) {
                ASSERT_GT(sat.pressure, lastP) << tempK;
                const double slope = std::log(sat.pressure / lastP) / (1.0 / tempK - 1.0 / lastT);
                if (solved > 1) {
                    EXPECT_NEAR(slope / lastSlope, 1.0, 0.02)
                        << (dew ? "dew" : "bubble") << " at " << tempK << " K";
                }
                lastSlope = slope;
            }
            lastP = sat.pressure;
            lastT = tempK;
            ++solved;
        }
        EXPECT_EQ(solved, static_cast<int>((SweepTopK(GetParam()) - 200.0) / 0.5) + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Blends, MixtureEquilibriumTest, ::testing::Values("R404A", "R507A"));

} // namespace
} // namespace velutra::thermo::test
