// The library against the independent check values of shared/fluid-data (computed from the
// same equations and polished to about 1e-12) for every pure fluid.
#include "DensityRoot.h"
#include "FlashPS.h"
#include "FlashTP.h"
#include "FluidFixture.h"
#include "Properties.h"
#include "Saturation.h"
#include "Tolerance.h"

namespace velutra::thermo::test {
namespace {

using velutra::test::tol::kPureFluid;

class CheckValuesTest : public ::testing::TestWithParam<std::string> {
protected:
    const PureFluid& fluid() const { return Fluid(GetParam()); }
    std::vector<const CheckRow*> rows(const std::string& table) const {
        std::vector<const CheckRow*> out;
        for (const CheckRow& row : CheckValues())
            if (row.table == table && row.fluid == GetParam())
                out.push_back(&row);
        return out;
    }
};

TEST_P(CheckValuesTest, MolarMass) {
    int checked = 0;
    for (const CheckRow* row : rows("state")) {
        if (row->text("kind") != "molar_mass")
            continue;
        EXPECT_NEAR_REL(fluid().molarMass(), row->number("M_g_mol"), 1e-12);
        ++checked;
    }
    EXPECT_EQ(checked, 1);
}

TEST_P(CheckValuesTest, SaturationStates) {
    int checked = 0;
    for (const CheckRow* row : rows("state")) {
        const std::string& kind = row->text("kind");
        if (kind != "dew_point" && kind != "bubble_point")
            continue;
        SCOPED_TRACE(kind + " at " + row->text("T_K") + " K");
        const double tempK = row->number("T_K");
        const SaturationResult sat = SaturationAtT(fluid(), tempK);
        ASSERT_TRUE(sat.outcome.ok()) << sat.outcome.reason;
        const double rho = kind == "dew_point" ? sat.rhoV : sat.rhoL;
        const StateProperties state = PropertiesAt(fluid(), tempK, rho);
        EXPECT_NEAR_REL(sat.pressure, row->number("P_kPa"), kPureFluid);
        EXPECT_NEAR_REL(rho, row->number("rho_mol_dm3"), kPureFluid);
        EXPECT_NEAR_REL(state.enthalpy, row->number("h_J_mol"), kPureFluid);
        EXPECT_NEAR_REL(state.entropy, row->number("s_J_molK"), kPureFluid);
        ++checked;
    }
    EXPECT_EQ(checked, 4);
}

TEST_P(CheckValuesTest, StatesFromTP) {
    int checked = 0;
    for (const CheckRow* row : rows("state")) {
        const std::string& kind = row->text("kind");
        if (kind != "tp_vapour" && kind != "tp_liquid")
            continue;
        SCOPED_TRACE(kind + " at " + row->text("T_K") + " K, " + row->text("P_kPa") + " kPa");
        const FlashResult flash = FlashTP(fluid(), row->number("T_K"), row->number("P_kPa"));
        ASSERT_TRUE(flash.outcome.ok()) << flash.outcome.reason;
        EXPECT_EQ(flash.quality, kind == "tp_liquid" ? 0.0 : 1.0);
        EXPECT_NEAR_REL(flash.state.rho, row->number("rho_mol_dm3"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.enthalpy, row->number("h_J_mol"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.entropy, row->number("s_J_molK"), kPureFluid);
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

TEST_P(CheckValuesTest, VapourRoots) {
    int checked = 0;
    for (const CheckRow* row : rows("state")) {
        if (row->text("kind") != "tprho_vapour_root")
            continue;
        const DensityResult root
            = DensityFromTP(fluid(), row->number("T_K"), row->number("P_kPa"), Phase::Vapour);
        ASSERT_TRUE(root.outcome.ok()) << root.outcome.reason;
        EXPECT_NEAR_REL(root.rho, row->number("rho_mol_dm3"), kPureFluid);
        ++checked;
    }
    EXPECT_EQ(checked, 2);
}

TEST_P(CheckValuesTest, DischargeStatesFromPS) {
    int checked = 0;
    for (const CheckRow* row : rows("state")) {
        if (row->text("kind") != "ps_discharge")
            continue;
        SCOPED_TRACE("P = " + row->text("P_kPa") + " kPa, s = " + row->text("s_J_molK"));
        const FlashResult flash = FlashPS(fluid(), row->number("P_kPa"), row->number("s_J_molK"));
        ASSERT_TRUE(flash.outcome.ok()) << flash.outcome.reason;
        EXPECT_FALSE(flash.twoPhase);
        EXPECT_NEAR_REL(flash.state.tempK, row->number("T_K"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.rho, row->number("rho_mol_dm3"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.enthalpy, row->number("h_J_mol"), kPureFluid);
        ++checked;
    }
    EXPECT_EQ(checked, 2);
}

// The whole cycle state sequence through the C++ solvers, as the program runs it.
TEST_P(CheckValuesTest, CycleStates) {
    constexpr double kSuctionTempK = 305.37222222222226; // 90 F
    int checked = 0;
    for (const CheckRow* row : rows("cycle")) {
        SCOPED_TRACE("Te = " + row->text("Te_K") + " K, Tc = " + row->text("Tc_K") + " K");
        const SaturationResult evap = SaturationAtT(fluid(), row->number("Te_K"));
        const SaturationResult cond = SaturationAtT(fluid(), row->number("Tc_K"));
        ASSERT_TRUE(evap.outcome.ok() && cond.outcome.ok());
        const FlashResult suction = FlashTP(fluid(), kSuctionTempK, evap.pressure);
        const DensityResult suctionRho = DensityFromTP(fluid(), kSuctionTempK, evap.pressure, Phase::Vapour);
        const FlashResult liquid = FlashTP(fluid(), kSuctionTempK, cond.pressure);
        ASSERT_TRUE(suction.outcome.ok() && suctionRho.outcome.ok() && liquid.outcome.ok());
        const FlashResult discharge = FlashPS(fluid(), cond.pressure, suction.state.entropy);
        ASSERT_TRUE(discharge.outcome.ok()) << discharge.outcome.reason;

        EXPECT_NEAR_REL(evap.pressure, row->number("Pe"), kPureFluid);
        EXPECT_NEAR_REL(cond.pressure, row->number("Pc"), kPureFluid);
        EXPECT_NEAR_REL(suction.state.enthalpy, row->number("h1"), kPureFluid);
        EXPECT_NEAR_REL(suction.state.entropy, row->number("s1"), kPureFluid);
        EXPECT_NEAR_REL(suctionRho.rho, row->number("d1"), kPureFluid);
        EXPECT_NEAR_REL(liquid.state.enthalpy, row->number("h3"), kPureFluid);
        EXPECT_NEAR_REL(discharge.state.enthalpy, row->number("h2s"), kPureFluid);
        EXPECT_NEAR_REL(discharge.state.tempK, row->number("T2s"), kPureFluid);
        // The derived quantities are differences; they do not depend on the reference state.
        const double m = fluid().molarMass();
        EXPECT_NEAR_REL(
            (suction.state.enthalpy - liquid.state.enthalpy) / m, row->number("q_evap_kJ_kg"), kPureFluid);
        EXPECT_NEAR_REL(
            (discharge.state.enthalpy - suction.state.enthalpy) / m, row->number("w_is_kJ_kg"), kPureFluid);
        ++checked;
    }
    EXPECT_EQ(checked, 3);
}

INSTANTIATE_TEST_SUITE_P(PureFluids, CheckValuesTest, ::testing::ValuesIn(PureFluids()),
    [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
} // namespace velutra::thermo::test
