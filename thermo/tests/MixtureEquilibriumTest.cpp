// Phase-equilibrium identities of the mixture model that hold whatever the reference values:
// equal fugacities at dew and bubble points, exact fugacity and pressure derivatives against
// finite differences, and dew and bubble curves that are continuous over the whole range.
#include "MixtureFixture.h"
#include "Tolerance.h"
#include "mixture/DewBubble.h"
#include "mixture/MixtureFlashPS.h"
#include "mixture/MixtureFlashTP.h"
#include "mixture/MixtureProperties.h"
#include "mixture/PhaseEquilibriumTerms.h"

#include <cmath>
#include <map>

namespace velutra::thermo::test {
namespace {

using velutra::test::NearRel;

// Highest temperature of the sweeps: 2 K below the critical region of each blend, where dew and
// bubble points meet (about 345.3 K for R404A, 343.8 K for R507A, 350.0 K for R454B, 356.4 K for
// R454C, 368.4 K for R513A, 355.6 K for R449A, 355.9 K for R448A, 344.4 K for R410A and 359.2 K
// for R407C in this model).
double SweepTopK(const std::string& blend) {
    static const std::map<std::string, double> top { { "R404A", 343.0 }, { "R507A", 341.5 },
        { "R454B", 348.0 }, { "R454C", 354.4 }, { "R513A", 366.4 }, { "R449A", 353.6 }, { "R448A", 353.9 },
        { "R410A", 342.4 }, { "R407C", 357.2 } };
    return top.at(blend);
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

// Inside the band between bubble and dew pressure the (T, p) flash splits the feed: the phases
// hold the feed's moles of every component, have equal fugacities and the flash pressure, and
// the quality runs from 1 near the dew point to 0 near the bubble point.
TEST_P(MixtureEquilibriumTest, TwoPhaseFlashConservesMassWithEqualFugacities) {
    const int n = model().size();
    for (double tempK : { 230.0, 300.0, 335.0 }) {
        const MixtureSaturation dew = DewPointAtT(model(), z(), tempK);
        const MixtureSaturation bubble = BubblePointAtT(model(), z(), tempK);
        ASSERT_TRUE(dew.outcome.ok() && bubble.outcome.ok());
        double lastQuality = 1.0;
        for (double w : { 0.02, 0.5, 0.98 }) {
            const double p = dew.pressure + w * (bubble.pressure - dew.pressure);
            SCOPED_TRACE(std::to_string(tempK) + " K, " + std::to_string(p) + " kPa");
            const MixtureFlashResult flash = MixtureFlashTP(model(), z(), tempK, p);
            ASSERT_TRUE(flash.outcome.ok()) << flash.outcome.reason;
            ASSERT_TRUE(flash.twoPhase);
            EXPECT_LT(flash.quality, lastQuality);
            lastQuality = flash.quality;
            const PhaseEquilibriumTerms liquid
                = EvaluatePhase(model(), tempK, Densities(flash.x, flash.rhoL, n));
            const PhaseEquilibriumTerms vapour
                = EvaluatePhase(model(), tempK, Densities(flash.y, flash.rhoV, n));
            EXPECT_TRUE(NearRel(liquid.pressure(model().gasConstant(), tempK), p, 1e-10));
            EXPECT_TRUE(NearRel(vapour.pressure(model().gasConstant(), tempK), p, 1e-10));
            for (int i = 0; i < n; ++i) {
                EXPECT_NEAR((1.0 - flash.quality) * flash.x[i] + flash.quality * flash.y[i], z()[i], 1e-12);
                EXPECT_NEAR(liquid.lnFugacity[i], vapour.lnFugacity[i], 1e-10);
            }
        }
        EXPECT_GT(lastQuality, 0.0);
    }
}

// (T, p) -> s -> (p, s) gives T back in the vapour, the liquid and inside the two-phase band.
TEST_P(MixtureEquilibriumTest, FlashFromPSInvertsFlashFromTP) {
    const double tempK = 280.0;
    const MixtureSaturation dew = DewPointAtT(model(), z(), tempK);
    const MixtureSaturation bubble = BubblePointAtT(model(), z(), tempK);
    ASSERT_TRUE(dew.outcome.ok() && bubble.outcome.ok());
    for (double p : { 0.5 * dew.pressure, 0.5 * (dew.pressure + bubble.pressure), 3.0 * bubble.pressure }) {
        SCOPED_TRACE(std::to_string(p) + " kPa");
        const MixtureFlashResult tp = MixtureFlashTP(model(), z(), tempK, p);
        ASSERT_TRUE(tp.outcome.ok()) << tp.outcome.reason;
        const MixtureFlashResult ps = MixtureFlashPS(model(), z(), p, tp.state.entropy);
        ASSERT_TRUE(ps.outcome.ok()) << ps.outcome.reason;
        EXPECT_EQ(ps.twoPhase, tp.twoPhase);
        EXPECT_TRUE(NearRel(ps.state.tempK, tempK, 1e-10));
        EXPECT_TRUE(NearRel(ps.state.enthalpy, tp.state.enthalpy, 1e-10));
        EXPECT_NEAR(ps.quality, tp.quality, 1e-9);
    }
}

// Superheated vapour on condensing isobars, from just above the dew point (where the start lies
// on the dew temperature the iteration may not cross) to a hot discharge: (p, s) gives T back,
// with the dew point known as the program passes it and without it.
TEST_P(MixtureEquilibriumTest, FlashFromPSInvertsSuperheatedVapourStates) {
    for (double condensingK : { 290.0, 318.15, 335.0 }) {
        const MixtureSaturation dew = DewPointAtT(model(), z(), condensingK);
        ASSERT_TRUE(dew.outcome.ok());
        for (double superheat : { 1e-3, 0.5, 8.0, 60.0, 100.0 }) {
            const double tempK = condensingK + superheat;
            SCOPED_TRACE(std::to_string(tempK) + " K at " + std::to_string(dew.pressure) + " kPa");
            const MixtureFlashResult tp = MixtureFlashTP(model(), z(), tempK, dew.pressure, &dew);
            ASSERT_TRUE(tp.outcome.ok()) << tp.outcome.reason;
            ASSERT_EQ(tp.quality, 1.0);
            for (const MixtureSaturation* known : { &dew, static_cast<const MixtureSaturation*>(nullptr) }) {
                const MixtureFlashResult ps
                    = MixtureFlashPS(model(), z(), dew.pressure, tp.state.entropy, known);
                ASSERT_TRUE(ps.outcome.ok()) << ps.outcome.reason;
                EXPECT_EQ(ps.quality, 1.0);
                EXPECT_TRUE(NearRel(ps.state.tempK, tempK, 1e-10));
                EXPECT_TRUE(NearRel(ps.state.enthalpy, tp.state.enthalpy, 1e-10));
                EXPECT_TRUE(NearRel(ps.state.rho, tp.state.rho, 1e-9));
            }
        }
    }
}

// At the dew pressure of Te the suction gas is vapour whether the phase comes from a new dew
// point or from the known one at Te; a known dew point at a higher temperature is not used.
TEST_P(MixtureEquilibriumTest, KnownDewPointGivesTheSameFlash) {
    const MixtureSaturation evaporator = DewPointAtT(model(), z(), 250.0);
    ASSERT_TRUE(evaporator.outcome.ok());
    const MixtureFlashResult known = MixtureFlashTP(model(), z(), 305.0, evaporator.pressure, &evaporator);
    const MixtureFlashResult fresh = MixtureFlashTP(model(), z(), 305.0, evaporator.pressure);
    ASSERT_TRUE(known.outcome.ok() && fresh.outcome.ok());
    EXPECT_TRUE(NearRel(known.state.rho, fresh.state.rho, 1e-12));
    EXPECT_EQ(known.quality, 1.0);
    // Below Te the same pressure lies in the two-phase band or the liquid: the hint must not apply.
    const MixtureFlashResult colder = MixtureFlashTP(model(), z(), 245.0, evaporator.pressure, &evaporator);
    ASSERT_TRUE(colder.outcome.ok());
    EXPECT_NE(colder.quality, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Blends, MixtureEquilibriumTest,
    ::testing::Values("R404A", "R507A", "R454B", "R454C", "R513A", "R449A", "R448A", "R410A", "R407C"),
    TestName);

} // namespace
} // namespace velutra::thermo::test
