// A map of one of the refrigerants most existing compressor data are rated in, as a maker's CSV
// writes it ("R-410A"), analysed and converted end to end by the built program.
#include "CliRunner.h"
#include "TempDir.h"
#include "props/PropertyEngine.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace velutra {
namespace {

using test::RunCli;

// A compressor of known behaviour: suction volume flow 10 - 0.4 r m3/h and isentropic efficiency
// 0.68 at pressure ratio r, with the suction gas and the liquid at 90 F. Its SI map (kcal/h, W) at
// an air-conditioning scroll's temperatures, from the R410A states of the property engine.
constexpr double kFlowIntercept = 10.0;
constexpr double kFlowSlope = -0.4;
constexpr double kEfficiency = 0.68;

std::string MapText(PropertyEngine& engine) {
    const double evap[] = { -10.0, -5.0, 0.0, 5.0, 10.0 };
    const double cond[] = { 35.0, 45.0, 55.0 };
    const double kcalPerKJ = 1.0 / 4.1848; // the analysis's kcal
    std::string capacity;
    std::string power;
    char cell[32];
    for (const double tc : cond) {
        capacity += "capacity," + std::to_string(static_cast<int>(tc));
        power += "power," + std::to_string(static_cast<int>(tc));
        for (const double te : evap) {
            const CycleStateResult s = engine.CycleStates(te + 273.15, tc + 273.15, RatingConditions {});
            const double flow = kFlowIntercept + kFlowSlope * s.Pc / s.Pe;
            std::snprintf(cell, sizeof cell, ",%.8g", flow * s.d1 * (s.h1 - s.h3) * kcalPerKJ);
            capacity += cell;
            std::snprintf(cell, sizeof cell, ",%.8g", flow * s.d1 * (s.h2s - s.h1) / (3.6 * kEfficiency));
            power += cell;
        }
        capacity += "\n";
        power += "\n";
    }
    return "# made for this test\nrefrigerant,R-410A\nunits,SI\nevaporating,-10,-5,0,5,10\n" + capacity
        + power;
}

// The analysis recovers the compressor the map was made from, which it can only do with the
// states of R410A; the conversion to R454B, named with a hyphen too, solves every point.
TEST(CliLegacyRefrigerant, R410AMapWithHyphenatedNameIsAnalysedAndConverted) {
    PropertyEngine engine;
    const SetupResult setup = engine.SetupFluid(15);
    ASSERT_TRUE(setup.ok) << setup.message;
    test::TempDir dir;
    const std::string path = dir.File("scroll-r410a.csv");
    test::WriteBytes(path, MapText(engine));

    const auto result
        = RunCli({ "analyze", path, "--smoothing", "linear", "--convert-to", "R-454B", "--json" });
    ASSERT_EQ(result.status, 0) << result.err;
    const auto json = nlohmann::json::parse(result.out);
    EXPECT_EQ(json["refrigerant"], "R410A");
    EXPECT_TRUE(json["failures"].empty()) << json["failures"].dump();
    EXPECT_EQ(json["validPoints"]["pressureRatio"].size(), 15u);
    // The map's texts carry eight digits.
    EXPECT_NEAR(json["flowFitIntercept"].get<double>(), kFlowIntercept, 1e-5);
    EXPECT_NEAR(json["flowFitSlope"].get<double>(), kFlowSlope, 1e-5);
    EXPECT_NEAR(json["iseLinIntercept"].get<double>(), kEfficiency, 1e-5);
    EXPECT_NEAR(json["iseLinSlope"].get<double>(), 0.0, 1e-5);

    const auto& conversion = json["conversion"];
    EXPECT_EQ(conversion["converted"]["refrigerant"], "R454B");
    EXPECT_TRUE(conversion["failures"].empty()) << conversion["failures"].dump();
    for (const auto& row : conversion["converted"]["capacity"])
        for (const auto& value : row)
            EXPECT_TRUE(value.is_number() && value.get<double>() > 0.0) << row.dump();
}

} // namespace
} // namespace velutra
