#include "CliRunner.h"
#include "TempDir.h"
#include "Tolerance.h"
#include "files/CompressorFile.h"
#include "interchange/CoefficientSet.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace velutra {
namespace {

using test::NearRel;
using test::RunCli;

constexpr double kQuarter = 1.0 / 256;

// A published R134a set in F, Btu/h and W whose values on temperatures that are multiples of
// 4 F are multiples of a quarter, which the map's two-decimal texts hold exactly: the round
// trip through a compressor file then loses nothing.
CoefficientSet PublishedSet() {
    CoefficientSet set;
    set.units = CoefficientUnits::Ahri540;
    set.refrigerant = "R134a";
    set.model = "Test 10";
    set.suctionGasTemp = 90;
    set.liquidTemp = 90;
    set.evapMin = -40;
    set.evapMax = 10;
    set.condMin = 90;
    set.condMax = 140;
    set.capacity = { { 30000, 600, -80, 4, -2, 0.25, kQuarter, -kQuarter, kQuarter, -kQuarter } };
    set.power = { { -1500, -4, 25, 0.0625, 0.25, 0.0625, kQuarter, -kQuarter, -kQuarter, kQuarter } };
    set.hasMassFlow = false;
    return set;
}

const std::vector<double> kEvap = { -40, -32, -24, -16, -8, 0, 8 };
const std::vector<double> kCond = { 92, 100, 108, 116, 124, 132 };

TEST(CliCoefficients, FromCoefficientsThenCoefficientsGivesTheSetBack) {
    test::TempDir dir;
    WriteCoefficientFile(dir.File("published.json"), PublishedSet());
    const auto made = RunCli({ "from-coefficients", dir.File("published.json"), dir.File("map.cmp"), "--evap",
        "-40,-32,-24,-16,-8,0,8", "--cond", "92,100,108,116,124,132" });
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err, "");
    CompressorRecord record;
    ReadCompressorFile(dir.File("map.cmp"), record);
    EXPECT_EQ(record.model, "Test 10");
    EXPECT_EQ(record.evapCount, 7);
    EXPECT_EQ(record.condCount, 6);
    EXPECT_EQ(record.evapTempText[1], "-32.0");
    // -40 F, 92 F: 30000 - 24000 - 7360 + 6400 + 7360 + 2116 - 250 - 575 - 1322.5 - 3041.75.
    EXPECT_EQ(record.capacityText[0][0], "9326.75");

    const auto fitted = RunCli(
        { "coefficients", dir.File("map.cmp"), "--smoothing", "original", "-o", dir.File("back.json") });
    ASSERT_EQ(fitted.status, 0) << fitted.err;
    const CoefficientSet back = ReadCoefficientFile(dir.File("back.json"));
    EXPECT_EQ(back.units, CoefficientUnits::Ahri540);
    EXPECT_EQ(back.refrigerant, "R134a");
    EXPECT_EQ(back.smoothingMethod, 0);
    EXPECT_EQ(back.evapMax, 8);
    EXPECT_EQ(back.condMin, 92);
    EXPECT_TRUE(back.hasMassFlow);
    EXPECT_LT(back.capacityMax, 1e-9);
    const CoefficientSet published = PublishedSet();
    for (const double s : kEvap) {
        for (const double d : kCond) {
            EXPECT_TRUE(NearRel(back.capacity.Evaluate(s, d), published.capacity.Evaluate(s, d), 1e-9));
            EXPECT_TRUE(NearRel(back.power.Evaluate(s, d), published.power.Evaluate(s, d), 1e-9));
        }
    }

    // The same map in EN 12900 units as CSV on standard output: C and W.
    const auto si = RunCli(
        { "coefficients", dir.File("map.cmp"), "--smoothing", "original", "--units", "en12900", "--csv" });
    ASSERT_EQ(si.status, 0) << si.err;
    const CoefficientSet siSet = DecodeCoefficientsCsv(si.out, "stdout");
    EXPECT_EQ(siSet.units, CoefficientUnits::En12900);
    EXPECT_TRUE(NearRel(
        siSet.capacity.Evaluate(-20, 40), published.capacity.Evaluate(-4, 104) * 1.055056 / 3.6, 1e-9));
    EXPECT_TRUE(
        NearRel(siSet.massFlow.Evaluate(-20, 40), back.massFlow.Evaluate(-4, 104) * 0.45359237, 1e-9));
}

// A set rated with 18 F superheat and saturated liquid is used at its own conditions: the
// compressor file keeps them and the polynomials fitted back state them; --rated overrides.
TEST(CliCoefficients, ASetRatedOtherwiseKeepsItsConditions) {
    test::TempDir dir;
    CoefficientSet set = PublishedSet();
    set.suction = RatingConditions::Suction::Superheat;
    set.suctionGasTemp = 18;
    set.liquid = RatingConditions::Liquid::Subcooling;
    set.liquidTemp = 0;
    WriteCoefficientFile(dir.File("rated.json"), set);
    const auto made = RunCli({ "from-coefficients", dir.File("rated.json"), dir.File("map.cmp") });
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.err, "");
    CompressorRecord record;
    ReadCompressorFile(dir.File("map.cmp"), record);
    EXPECT_EQ(record.ratingConditions.suction, RatingConditions::Suction::Superheat);
    EXPECT_NEAR(record.ratingConditions.suctionValue, 10.0, 1e-12);
    EXPECT_EQ(record.ratingConditions.liquid, RatingConditions::Liquid::Subcooling);

    const auto own = RunCli({ "coefficients", dir.File("map.cmp"), "--smoothing", "linear", "--csv" });
    ASSERT_EQ(own.status, 0) << own.err;
    const CoefficientSet back = DecodeCoefficientsCsv(own.out, "stdout");
    EXPECT_EQ(back.suction, RatingConditions::Suction::Superheat);
    EXPECT_NEAR(back.suctionGasTemp, 18.0, 1e-12);
    EXPECT_EQ(back.liquidTemp, 0.0);

    const auto ashrae = RunCli({ "coefficients", dir.File("map.cmp"), "--rated", "ashrae", "--csv" });
    ASSERT_EQ(ashrae.status, 0) << ashrae.err;
    const CoefficientSet old = DecodeCoefficientsCsv(ashrae.out, "stdout");
    EXPECT_EQ(old.suction, RatingConditions::Suction::GasTemperature);
    EXPECT_EQ(old.suctionGasTemp, 90.0);
    EXPECT_EQ(RunCli({ "coefficients", dir.File("map.cmp"), "--rated", "bogus" }).status, 2);
}

TEST(CliCoefficients, DefaultAxesAndRefusals) {
    test::TempDir dir;
    WriteCoefficientFile(dir.File("published.csv"), PublishedSet());
    ASSERT_EQ(RunCli({ "from-coefficients", dir.File("published.csv"), dir.File("map.cmp") }).status, 0);
    CompressorRecord record;
    ReadCompressorFile(dir.File("map.cmp"), record);
    EXPECT_EQ(record.evapCount, 6); // -40..10 F: the English New axes fit the bounds
    EXPECT_EQ(record.condCount, 6);
    EXPECT_EQ(record.unitsEnglish, 1);

    // A broken set leaves an existing output as it was.
    const std::string before = test::ReadBytes(dir.File("map.cmp"));
    std::string text = test::ReadBytes(dir.File("published.csv"));
    text.replace(text.find("ahri540"), 7, "metric");
    test::WriteBytes(dir.File("broken.csv"), text);
    const auto broken = RunCli({ "from-coefficients", dir.File("broken.csv"), dir.File("map.cmp") });
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find(dir.File("broken.csv") + ": units \"metric\""), std::string::npos)
        << broken.err;
    EXPECT_EQ(test::ReadBytes(dir.File("map.cmp")), before);

    const auto outside = RunCli({ "from-coefficients", dir.File("published.csv"), dir.File("map.cmp"),
        "--evap", "-50,0", "--cond", "100" });
    EXPECT_EQ(outside.status, 1);
    EXPECT_NE(
        outside.err.find(dir.File("published.csv") + ": The evaporating temperature -50.00 F lies outside"),
        std::string::npos)
        << outside.err;
    // A set whose capacity overflows on the axes writes nothing and names the point and the file.
    CoefficientSet overflowing = PublishedSet();
    overflowing.capacity.c[9] = 1e306;
    WriteCoefficientFile(dir.File("overflowing.json"), overflowing);
    const auto overflow = RunCli({ "from-coefficients", dir.File("overflowing.json"), dir.File("new.cmp") });
    EXPECT_EQ(overflow.status, 1);
    EXPECT_NE(
        overflow.err.find(dir.File("overflowing.json")
            + ": the polynomials give a capacity of inf Btu/h at -40.0 F evaporating, 90.0 F condensing"),
        std::string::npos)
        << overflow.err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("new.cmp")));
    EXPECT_EQ(
        RunCli({ "from-coefficients", dir.File("published.csv"), dir.File("x.cmp"), "--evap", "0,a" }).status,
        2);

    // Three condensing temperatures cannot carry the cubic of the entered points; smoothed they can.
    const std::string secop = VELUTRA_SHARED_DIR "/maps/secop-xv72-r600a-2000rpm.csv";
    const auto original = RunCli({ "coefficients", secop, "--smoothing", "original" });
    EXPECT_EQ(original.status, 1);
    EXPECT_NE(original.err.find("8 evaporating and 3 condensing"), std::string::npos) << original.err;
    const auto quadratic = RunCli({ "coefficients", secop, "--smoothing", "quadratic" });
    ASSERT_EQ(quadratic.status, 0) << quadratic.err;
    EXPECT_NE(quadratic.out.find("\"units\": \"en12900\""), std::string::npos);
    EXPECT_EQ(RunCli({ "coefficients", secop, "--per-row" }).status, 2);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(CliAnalyzeSummary, OneRowPerFileAndAFailedFileDoesNotStopTheRest) {
    test::TempDir dir;
    std::vector<std::string> maps;
    for (const auto& entry : std::filesystem::directory_iterator(VELUTRA_SOURCE_DIR "/Maps"))
        if (entry.path().extension() == ".cmp")
            maps.push_back(entry.path().string());
    std::sort(maps.begin(), maps.end());
    ASSERT_GE(maps.size(), 3u);
    const std::string whole = test::ReadBytes(maps[0]);
    test::WriteBytes(dir.File("truncated.cmp"), whole.substr(0, whole.size() / 2));

    std::vector<std::string> args = { "analyze", "--summary", "--smoothing", "quadratic" };
    args.insert(args.end(), maps.begin(), maps.end());
    args.insert(args.begin() + 2, dir.File("truncated.cmp")); // the failure comes first
    const auto result = RunCli(args);
    EXPECT_EQ(result.status, 1) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), maps.size() + 2) << result.out;
    EXPECT_EQ(lines[0].rfind("file,refrigerant,smoothing,valid points,", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind(dir.File("truncated.cmp") + ",,,,,,,,,,,,,,", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("past its end"), std::string::npos) << lines[1];
    for (size_t i = 2; i < lines.size(); ++i) {
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 14) << lines[i];
        EXPECT_EQ(lines[i].back(), ',') << "no error for " << lines[i];
        EXPECT_NE(lines[i].find(",quadratic,"), std::string::npos) << lines[i];
    }

    args.erase(args.begin() + 2);
    EXPECT_EQ(RunCli(args).status, 0);
    EXPECT_EQ(RunCli({ "analyze", maps[0], maps[1] }).status, 2); // several files need --summary
}

} // namespace
} // namespace velutra
