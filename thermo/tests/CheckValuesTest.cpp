// The library against the independent check values of data/fluid-data (computed from the
// same equations and polished to about 1e-12) for every pure fluid. The cycle rows are met
// through the C routines by the property engine's tests.
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
    std::vector<const CheckRow*> rows(std::initializer_list<const char*> kinds, std::size_t count) const {
        return StateRows(GetParam(), kinds, count);
    }
};

TEST_P(CheckValuesTest, MolarMassAndSaturationStates) {
    for (const CheckRow* row : rows({ "molar_mass" }, 1))
        EXPECT_NEAR_REL(fluid().molarMass(), row->number("M_g_mol"), 1e-12);
    for (const CheckRow* row : rows({ "dew_point", "bubble_point" }, 4)) {
        const std::string& kind = row->text("kind");
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
    }
}

TEST_P(CheckValuesTest, StatesFromTP) {
    for (const CheckRow* row : rows({ "tp_vapour", "tp_liquid" }, 3)) {
        const std::string& kind = row->text("kind");
        SCOPED_TRACE(kind + " at " + row->text("T_K") + " K, " + row->text("P_kPa") + " kPa");
        const FlashResult flash = FlashTP(fluid(), row->number("T_K"), row->number("P_kPa"));
        ASSERT_TRUE(flash.outcome.ok()) << flash.outcome.reason;
        EXPECT_EQ(flash.quality, kind == "tp_liquid" ? 0.0 : 1.0);
        EXPECT_NEAR_REL(flash.state.rho, row->number("rho_mol_dm3"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.enthalpy, row->number("h_J_mol"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.entropy, row->number("s_J_molK"), kPureFluid);
    }
}

TEST_P(CheckValuesTest, VapourRoots) {
    for (const CheckRow* row : rows({ "tprho_vapour_root" }, 2)) {
        const DensityResult root
            = DensityFromTP(fluid(), row->number("T_K"), row->number("P_kPa"), Phase::Vapour);
        ASSERT_TRUE(root.outcome.ok()) << root.outcome.reason;
        EXPECT_NEAR_REL(root.rho, row->number("rho_mol_dm3"), kPureFluid);
    }
}

TEST_P(CheckValuesTest, DischargeStatesFromPS) {
    for (const CheckRow* row : rows({ "ps_discharge" }, 2)) {
        SCOPED_TRACE("P = " + row->text("P_kPa") + " kPa, s = " + row->text("s_J_molK"));
        const FlashResult flash = FlashPS(fluid(), row->number("P_kPa"), row->number("s_J_molK"));
        ASSERT_TRUE(flash.outcome.ok()) << flash.outcome.reason;
        EXPECT_FALSE(flash.twoPhase);
        EXPECT_NEAR_REL(flash.state.tempK, row->number("T_K"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.rho, row->number("rho_mol_dm3"), kPureFluid);
        EXPECT_NEAR_REL(flash.state.enthalpy, row->number("h_J_mol"), kPureFluid);
    }
}

INSTANTIATE_TEST_SUITE_P(PureFluids, CheckValuesTest, ::testing::ValuesIn(PureFluids()), TestName);

} // namespace
} // namespace velutra::thermo::test
