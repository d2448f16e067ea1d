// Identities and round trips of the solvers over the whole range of each fluid, and the refusal
// of input they cannot answer.
#include "DensityRoot.h"
#include "FlashPS.h"
#include "FlashTP.h"
#include "FluidFixture.h"
#include "Properties.h"
#include "Saturation.h"
#include "Tolerance.h"

#include <cmath>
#include <limits>
#include <utility>

namespace velutra::thermo::test {
namespace {

using velutra::test::tol::kSolver;

class SolverConsistencyTest : public ::testing::TestWithParam<std::string> {
protected:
    const PureFluid& fluid() const { return Fluid(GetParam()); }
    const FluidConstants& constants() const { return fluid().constants(); }
    // Temperatures from just above the triple point to 0.01 K below the critical point.
    std::vector<double> saturationTemperatures() const {
        std::vector<double> out;
        const double lo = constants().tripleTempK + 0.5;
        const double hi = constants().criticalTempK - 0.05;
        for (int i = 0; i <= 20; ++i)
            out.push_back(lo + (hi - lo) * i / 20.0);
        out.push_back(constants().criticalTempK - 0.01);
        return out;
    }
};

TEST_P(SolverConsistencyTest, SaturatedPhasesHaveEqualPressureAndGibbsEnergy) {
    for (const double tempK : saturationTemperatures()) {
        SCOPED_TRACE("T = " + std::to_string(tempK));
        const SaturationResult sat = SaturationAtT(fluid(), tempK);
        ASSERT_TRUE(sat.outcome.ok()) << sat.outcome.reason;
        ASSERT_GT(sat.rhoL, sat.rhoV);
        EXPECT_LT(sat.pressure, constants().criticalPressure);
        const StateProperties liquid = PropertiesAt(fluid(), tempK, sat.rhoL);
        const StateProperties vapour = PropertiesAt(fluid(), tempK, sat.rhoV);
        // The liquid pressure carries the cancellation in 1 + delta alphar_delta: compare it on
        // the scale rho R T, which is what its rounding error is relative to.
        EXPECT_NEAR(liquid.pressure, sat.pressure, 1e-11 * sat.rhoL * fluid().gasConstant() * tempK);
        EXPECT_NEAR_REL(vapour.pressure, sat.pressure, 1e-12);
        const double gL = liquid.enthalpy - tempK * liquid.entropy;
        const double gV = vapour.enthalpy - tempK * vapour.entropy;
        EXPECT_NEAR(gL, gV, 1e-9 * fluid().gasConstant() * tempK);
    }
}

TEST_P(SolverConsistencyTest, SaturationAtPressureInvertsSaturationAtTemperature) {
    for (const double tempK : saturationTemperatures()) {
        const SaturationResult byT = SaturationAtT(fluid(), tempK);
        ASSERT_TRUE(byT.outcome.ok());
        const SaturationResult byP = SaturationAtP(fluid(), byT.pressure);
        ASSERT_TRUE(byP.outcome.ok()) << byP.outcome.reason << " at " << byT.pressure << " kPa";
        EXPECT_NEAR_REL(byP.tempK, tempK, kSolver);
    }
}

// (T, p) -> s -> (p, s) gives back T and h: liquid, vapour and supercritical states.
TEST_P(SolverConsistencyTest, FlashRoundTrip) {
    const FluidConstants& c = constants();
    const double states[][2] = {
        { 0.7 * c.criticalTempK, 1.5 * fluid().superancillary().pressure(0.7 * c.criticalTempK) }, // liquid
        { 0.8 * c.criticalTempK, 0.5 * fluid().superancillary().pressure(0.8 * c.criticalTempK) }, // vapour
        { 0.99 * c.criticalTempK,
            0.99 * fluid().superancillary().pressure(0.99 * c.criticalTempK) }, // vapour near Tc
        { 1.2 * c.criticalTempK, 0.3 * c.criticalPressure }, // superheated above Tc
        { 1.05 * c.criticalTempK, 2.0 * c.criticalPressure }, // supercritical, dense
        { 0.9 * c.criticalTempK, 1.5 * c.criticalPressure }, // compressed liquid above p_c
    };
    for (const auto& state : states) {
        SCOPED_TRACE("T = " + std::to_string(state[0]) + " K, p = " + std::to_string(state[1]) + " kPa");
        const FlashResult tp = FlashTP(fluid(), state[0], state[1]);
        ASSERT_TRUE(tp.outcome.ok()) << tp.outcome.reason;
        const FlashResult ps = FlashPS(fluid(), state[1], tp.state.entropy);
        ASSERT_TRUE(ps.outcome.ok()) << ps.outcome.reason;
        EXPECT_FALSE(ps.twoPhase);
        EXPECT_NEAR_REL(ps.state.tempK, state[0], kSolver);
        EXPECT_NEAR_REL(ps.state.rho, tp.state.rho, 1e-8);
        EXPECT_NEAR_REL(ps.state.enthalpy, tp.state.enthalpy, kSolver);
    }
}

// Inside the dome the (p, s) flash gives the saturation temperature and the lever rule.
TEST_P(SolverConsistencyTest, TwoPhaseFlashFollowsLeverRule) {
    const double tempK = 0.85 * constants().criticalTempK;
    const SaturationResult sat = SaturationAtT(fluid(), tempK);
    ASSERT_TRUE(sat.outcome.ok());
    const StateProperties liquid = PropertiesAt(fluid(), tempK, sat.rhoL);
    const StateProperties vapour = PropertiesAt(fluid(), tempK, sat.rhoV);
    for (const double quality : { 0.0, 0.3, 0.999 }) {
        const double s = liquid.entropy + quality * (vapour.entropy - liquid.entropy);
        const FlashResult ps = FlashPS(fluid(), sat.pressure, s);
        ASSERT_TRUE(ps.outcome.ok()) << ps.outcome.reason;
        EXPECT_NEAR_REL(ps.state.tempK, tempK, kSolver);
        EXPECT_NEAR(ps.quality, quality, 1e-9);
        EXPECT_NEAR_REL(
            ps.state.enthalpy, liquid.enthalpy + quality * (vapour.enthalpy - liquid.enthalpy), kSolver);
    }
}

// A saturation state known at the flash's pressure (the condensing dew point) gives the same state
// as the flash that finds it: superheated just above and far above the dew point, in the dome and
// in the liquid, where the known state settles nothing; one at another pressure is not used.
TEST_P(SolverConsistencyTest, KnownSaturationGivesTheSameFlashFromPS) {
    const double tempK = 0.8 * constants().criticalTempK;
    const SaturationResult sat = SaturationAtT(fluid(), tempK);
    ASSERT_TRUE(sat.outcome.ok());
    const double sL = PropertiesAt(fluid(), tempK, sat.rhoL).entropy;
    const double sV = PropertiesAt(fluid(), tempK, sat.rhoV).entropy;
    SaturationResult elsewhere = SaturationAtT(fluid(), 0.75 * constants().criticalTempK);
    const TauTerms tauTerms = fluid().residual().prepareTau(fluid().tau(tempK));
    for (const double s : { sV + 1e-6, sV + 2.0, sV + 15.0, 0.5 * (sL + sV), sL - 5.0 }) {
        SCOPED_TRACE("s = " + std::to_string(s));
        const FlashResult fresh = FlashPS(fluid(), sat.pressure, s);
        ASSERT_TRUE(fresh.outcome.ok()) << fresh.outcome.reason;
        for (const SaturationResult* known : { &sat, &std::as_const(elsewhere) }) {
            const FlashResult ps = FlashPS(fluid(), sat.pressure, s, known);
            ASSERT_TRUE(ps.outcome.ok()) << ps.outcome.reason;
            EXPECT_EQ(ps.twoPhase, fresh.twoPhase);
            EXPECT_NEAR_REL(ps.state.tempK, fresh.state.tempK, 1e-11);
            EXPECT_NEAR_REL(ps.state.rho, fresh.state.rho, 1e-10);
            EXPECT_NEAR_REL(ps.state.enthalpy, fresh.state.enthalpy, 1e-11);
        }
        const FlashResult withTau = FlashPS(fluid(), sat.pressure, s, &sat, &tauTerms);
        ASSERT_TRUE(withTau.outcome.ok()) << withTau.outcome.reason;
        EXPECT_NEAR_REL(withTau.state.tempK, fresh.state.tempK, 1e-11);
    }
}

// At the saturation pressure both branches give the saturated densities; far into the subcooled
// region there is no vapour root, and it is not replaced by the liquid one. A liquid slightly
// below its saturation pressure is metastable: its root continues the liquid isotherm (density a
// little below the saturated liquid, pressure from the equation as asked), as the liquid line of
// a cycle condensing just under the liquid temperature needs.
TEST_P(SolverConsistencyTest, DensityRootsAtAndAroundSaturation) {
    const double tempK = 0.8 * constants().criticalTempK;
    const SaturationResult sat = SaturationAtT(fluid(), tempK);
    ASSERT_TRUE(sat.outcome.ok());
    const DensityResult liquid = DensityFromTP(fluid(), tempK, sat.pressure, Phase::Liquid);
    const DensityResult vapour = DensityFromTP(fluid(), tempK, sat.pressure, Phase::Vapour);
    ASSERT_TRUE(liquid.outcome.ok() && vapour.outcome.ok());
    EXPECT_NEAR_REL(liquid.rho, sat.rhoL, 1e-10);
    EXPECT_NEAR_REL(vapour.rho, sat.rhoV, 1e-10);
    const DensityResult noVapour = DensityFromTP(fluid(), tempK, 3.0 * sat.pressure, Phase::Vapour);
    EXPECT_EQ(noVapour.outcome.status, SolverStatus::NoRoot);
    EXPECT_TRUE(std::isnan(noVapour.rho));

    const double pressure = 0.9 * sat.pressure;
    const DensityResult metastable = DensityFromTP(fluid(), tempK, pressure, Phase::Liquid);
    ASSERT_TRUE(metastable.outcome.ok()) << metastable.outcome.reason;
    EXPECT_LT(metastable.rho, sat.rhoL);
    EXPECT_GT(metastable.rho, 0.9 * sat.rhoL);
    const ResidualDerivatives r = fluid().residual().evaluate(
        fluid().residual().prepareTau(fluid().tau(tempK)), fluid().delta(metastable.rho));
    EXPECT_NEAR_REL(PressureFrom(fluid(), tempK, metastable.rho, r), pressure, 1e-10);
    EXPECT_GT(DpDrhoFrom(fluid(), tempK, r), 0.0) << "a stable branch of the isotherm";

    // Close to the critical point the liquid spinodal lies not far below saturation; a pressure
    // far under it has no liquid root at all.
    const double nearCriticalK = 0.99 * constants().criticalTempK;
    const SaturationResult nearSat = SaturationAtT(fluid(), nearCriticalK);
    ASSERT_TRUE(nearSat.outcome.ok());
    const DensityResult none = DensityFromTP(fluid(), nearCriticalK, 0.2 * nearSat.pressure, Phase::Liquid);
    EXPECT_FALSE(none.outcome.ok());
    EXPECT_TRUE(std::isnan(none.rho));
}

TEST_P(SolverConsistencyTest, RefusesInputOutsideTheEquation) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const FluidConstants& c = constants();
    EXPECT_EQ(SaturationAtT(fluid(), c.criticalTempK + 1.0).outcome.status, SolverStatus::OutOfRange);
    EXPECT_EQ(SaturationAtT(fluid(), c.criticalTempK).outcome.status, SolverStatus::OutOfRange);
    EXPECT_EQ(SaturationAtT(fluid(), c.tripleTempK - 1.0).outcome.status, SolverStatus::OutOfRange);
    EXPECT_EQ(SaturationAtT(fluid(), nan).outcome.status, SolverStatus::BadArgument);
    EXPECT_EQ(SaturationAtP(fluid(), 2.0 * c.criticalPressure).outcome.status, SolverStatus::OutOfRange);
    EXPECT_EQ(FlashTP(fluid(), 300.0, -1.0).outcome.status, SolverStatus::BadArgument);
    EXPECT_EQ(FlashTP(fluid(), 300.0, 0.0).outcome.status, SolverStatus::BadArgument);
    EXPECT_EQ(FlashTP(fluid(), nan, 100.0).outcome.status, SolverStatus::BadArgument);
    EXPECT_EQ(FlashTP(fluid(), c.maxTempK + 10.0, 100.0).outcome.status, SolverStatus::OutOfRange);
    EXPECT_EQ(FlashTP(fluid(), 300.0, 2.0 * c.maxPressure).outcome.status, SolverStatus::OutOfRange);
    EXPECT_EQ(DensityFromTP(fluid(), 300.0, nan, Phase::Vapour).outcome.status, SolverStatus::BadArgument);
    EXPECT_EQ(FlashPS(fluid(), 500.0, nan).outcome.status, SolverStatus::BadArgument);
    EXPECT_EQ(FlashPS(fluid(), -500.0, 100.0).outcome.status, SolverStatus::BadArgument);
    // An entropy far above anything the equation reaches at this pressure.
    const FlashResult beyond = FlashPS(fluid(), 500.0, 1e4);
    EXPECT_FALSE(beyond.outcome.ok());
    EXPECT_TRUE(std::isnan(beyond.state.tempK) && std::isnan(beyond.state.enthalpy));
}

// Reference states shift h and s by constants: differences between states never change.
TEST_P(SolverConsistencyTest, ReferenceStatesDifferByConstants) {
    const PureFluid& iir = Fluid(GetParam(), ReferenceState::IIR);
    const PureFluid& nbp = Fluid(GetParam(), ReferenceState::NBP);
    const SaturationResult normal = SaturationAtP(nbp, 101.325);
    ASSERT_TRUE(normal.outcome.ok());
    const StateProperties atNbp = PropertiesAt(nbp, normal.tempK, normal.rhoL);
    EXPECT_NEAR(atNbp.enthalpy, 0.0, 1e-8);
    EXPECT_NEAR(atNbp.entropy, 0.0, 1e-11);
    const double tempK = 0.8 * constants().criticalTempK;
    const double dh = PropertiesAt(iir, 300.0, 0.01).enthalpy - PropertiesAt(nbp, 300.0, 0.01).enthalpy;
    const double ds = PropertiesAt(iir, 300.0, 0.01).entropy - PropertiesAt(nbp, 300.0, 0.01).entropy;
    const StateProperties a = PropertiesAt(iir, tempK, 1.8 * constants().reducingRho);
    const StateProperties b = PropertiesAt(nbp, tempK, 1.8 * constants().reducingRho);
    EXPECT_NEAR(a.enthalpy - b.enthalpy, dh, 1e-8 * std::fabs(dh) + 1e-8);
    EXPECT_NEAR(a.entropy - b.entropy, ds, 1e-10 * std::fabs(ds) + 1e-10);
    EXPECT_NEAR_REL(a.cp, b.cp, 1e-14);
}

INSTANTIATE_TEST_SUITE_P(PureFluids, SolverConsistencyTest, ::testing::ValuesIn(PureFluids()), TestName);

} // namespace
} // namespace velutra::thermo::test
