// The engine through the property library built with this program, against the check values
// of data/fluid-data (an independent implementation of the same equations).
#include "CheckValues.h"
#include "Tolerance.h"
#include "props/PropertyEngine.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace velutra {
namespace {

using test::CheckRow;
using test::CheckRows;
using test::NearRel;

struct Refrigerant {
    int code;
    const char* name;
    bool blend;
    // Whether absolute enthalpy and entropy compare with the check values. These use the IIR
    // reference state for every fluid, while "DEF" gives NBP for propane and isobutane; and the
    // R404A values reduced R134a's ideal-gas part with its critical point instead of its
    // equation's reducing values, which shifts absolute s by about 1e-5 relative. Differences
    // compare for all six.
    bool absoluteComparable;
};

const Refrigerant kRefrigerants[] = {
    { 0, "R134a", false, true },
    { 1, "R152a", false, true },
    { 2, "R290", false, false },
    { 3, "R404A", true, false },
    { 4, "R507A", true, true },
    { 5, "R600a", false, false },
};

void PrintTo(const Refrigerant& refrigerant, std::ostream* os) {
    *os << refrigerant.name;
}

constexpr double FahrenheitToK(double t) {
    return (t + 459.67) * 0.5555555555555556;
}

bool SaysMixturesUnsupported(std::string message) {
    std::transform(
        message.begin(), message.end(), message.begin(), [](unsigned char c) { return std::tolower(c); });
    return message.find("mixture") != std::string::npos || message.find("not supported") != std::string::npos;
}

class EngineWithRealLibrary : public ::testing::TestWithParam<Refrigerant> {
protected:
    void SetUp() override {
        const Refrigerant& fluid = GetParam();
        const SetupResult result = engine.SetupFluid(fluid.code);
        if (!result.ok && fluid.blend && SaysMixturesUnsupported(result.message))
            GTEST_SKIP() << fluid.name << " is a mixture, which the property library does not support yet: "
                         << result.message;
        ASSERT_TRUE(result.ok) << result.message;
        tolerance = fluid.blend ? test::tol::kBlend : test::tol::kPureFluid;
    }

    PropertyEngine engine;
    double tolerance = 0;
};

TEST_P(EngineWithRealLibrary, CycleStatesMatchCheckValuesAndEndAtTheDischargeState) {
    const auto rows = CheckRows("cycle", GetParam().name);
    ASSERT_GE(rows.size(), 3u) << "check values missing for " << GetParam().name;
    for (const CheckRow* row : rows) {
        const double te = row->number("Te_K");
        const double tc = row->number("Tc_K");
        SCOPED_TRACE(testing::Message() << "Te " << te << " K, Tc " << tc << " K");
        const CycleStateResult r = engine.CycleStates(te, tc);
        const double h3 = row->number("h3_liquid_root");
        EXPECT_TRUE(engine.LastError().empty()) << engine.LastError();
        EXPECT_TRUE(NearRel(r.M, row->number("M"), tolerance));
        EXPECT_TRUE(NearRel(r.Pe, row->number("Pe"), tolerance));
        EXPECT_TRUE(NearRel(r.Pc, row->number("Pc"), tolerance));
        EXPECT_TRUE(NearRel(r.d1, row->number("d1"), tolerance));
        EXPECT_TRUE(NearRel(r.h1 - r.h3, row->number("h1") - h3, tolerance));
        EXPECT_TRUE(NearRel(r.h2s - r.h1, row->number("h2s") - row->number("h1"), tolerance));
        if (GetParam().absoluteComparable) {
            EXPECT_TRUE(NearRel(r.h1, row->number("h1"), tolerance));
            EXPECT_TRUE(NearRel(r.s1, row->number("s1"), tolerance));
            EXPECT_TRUE(NearRel(r.h3, h3, tolerance));
            EXPECT_TRUE(NearRel(r.h2s, row->number("h2s"), tolerance));
        }
        EXPECT_TRUE(NearRel(engine.temperature, row->number("T2s"), tolerance))
            << "isentropic discharge temperature";
        EXPECT_TRUE(NearRel(engine.pressure, row->number("Pc"), tolerance));
    }
}

// With a 90 F condensing row the liquid line at 90 F is no longer subcooled; a flash there
// returned vapour (or, for a blend, two phases) and the refrigerating effect fell to a few
// kJ/kg. It must stay within 1 % of that of a 95 F row, also for the lowest condensing
// temperature of an SI map, 32.2 C, which lies 0.022 K below 90 F.
TEST_P(EngineWithRealLibrary, CondensingAtOrJustBelowNinetyFahrenheitKeepsALiquidLine) {
    const double te = FahrenheitToK(-10.0);
    const CycleStateResult r95 = engine.CycleStates(te, FahrenheitToK(95.0));
    const double effect95 = (r95.h1 - r95.h3) / r95.M;
    EXPECT_GT(effect95, 80.0) << "kJ/kg";
    for (double tc : { FahrenheitToK(90.0), 32.2 + 273.15 }) {
        const CycleStateResult r = engine.CycleStates(te, tc);
        const double effect = (r.h1 - r.h3) / r.M;
        EXPECT_TRUE(NearRel(effect, effect95, 0.01))
            << "Tc " << tc << " K: " << effect << " against " << effect95 << " kJ/kg; " << engine.LastError();
    }
}

INSTANTIATE_TEST_SUITE_P(SixRefrigerants, EngineWithRealLibrary, ::testing::ValuesIn(kRefrigerants),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EngineSwitchingRefrigerant, EveryLaterResultUsesTheNewFluid) {
    const CheckRow* r134a = CheckRows("cycle", "R134a").at(0);
    const CheckRow* r290 = CheckRows("cycle", "R290").at(0);
    ASSERT_EQ(r134a->text("Te_K"), r290->text("Te_K"));
    const double te = r134a->number("Te_K");
    const double tc = r134a->number("Tc_K");
    PropertyEngine engine;
    for (const auto& [code, row] :
        { std::pair { 0, r134a }, std::pair { 2, r290 }, std::pair { 0, r134a } }) {
        ASSERT_TRUE(engine.SetupFluid(code).ok) << engine.LastError();
        const CycleStateResult r = engine.CycleStates(te, tc);
        SCOPED_TRACE(row->fluid);
        EXPECT_TRUE(NearRel(engine.MolarMass(), row->number("M"), test::tol::kPureFluid));
        EXPECT_TRUE(NearRel(r.Pe, row->number("Pe"), test::tol::kPureFluid));
        EXPECT_TRUE(NearRel(r.Pc, row->number("Pc"), test::tol::kPureFluid));
        EXPECT_TRUE(NearRel(r.h2s - r.h1, row->number("h2s") - row->number("h1"), test::tol::kPureFluid));
    }
}

// The library resolves "..\fluids\R134a.fld" against the working directory first (the file
// commands move it to the Maps folder), so a damaged file found there must be reported.
TEST(EngineFailures, UnreadableFluidFileIsASetupFailure) {
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path() / ("velutra-props-" + std::to_string(getpid()));
    fs::create_directories(base / "fluids");
    fs::create_directories(base / "Maps");
    std::ofstream(base / "fluids" / "R134a.fld") << "{ not a fluid file";
    const fs::path before = fs::current_path();
    fs::current_path(base / "Maps");

    PropertyEngine engine;
    const SetupResult result = engine.SetupFluid(0);
    fs::current_path(before);
    fs::remove_all(base);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("Cannot set up R134a: the property library"), std::string::npos)
        << result.message;
    EXPECT_NE(result.message.find("SETUPdll"), std::string::npos) << result.message;
    EXPECT_TRUE(std::isnan(engine.CycleStates(250.0, 310.0).h1));
}

} // namespace
} // namespace velutra
