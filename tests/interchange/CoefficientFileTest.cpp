// Coefficient files: what is written reads back to the same set, and every broken file is
// refused with its name and the field before anything reaches a record.
#include "TempDir.h"
#include "interchange/CoefficientImport.h"
#include "interchange/CoefficientSet.h"
#include "record/RatingConditionsText.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <tuple>

namespace velutra {
namespace {

using test::TempDir;

// Doubles whose shortest decimal forms are long, one tiny, one negative zero.
CoefficientSet AwkwardSet() {
    CoefficientSet set;
    set.units = CoefficientUnits::En12900;
    set.refrigerant = "R600a";
    set.manufacturer = "Maker, \"Quoted\" & Co";
    set.model = "XV 72";
    set.smoothingMethod = 3;
    set.suctionGasTemp = 32.222222222222221;
    set.liquidTemp = 32.222222222222221;
    set.evapMin = -35.000000000000007;
    set.evapMax = 1.0 / 3;
    set.condMin = 35;
    set.condMax = 55.1;
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k) {
        set.capacity.c[k] = (0.1 + 0.2) * std::pow(-7.3, k) / 3;
        set.power.c[k] = std::nextafter(1e-300 * (k + 1), 1.0);
        set.massFlow.c[k] = std::sqrt(2.0 + k) * 1e7;
    }
    set.power.c[4] = -0.0;
    set.capacityRms = 0.123456789012345678;
    set.capacityMax = 1e-17;
    set.powerMax = 4.5; // the RMS of power stays unknown
    return set;
}

void ExpectSameBits(double a, double b, const std::string& field) {
    if (std::isnan(b))
        EXPECT_TRUE(std::isnan(a)) << field;
    else
        EXPECT_TRUE(a == b && std::signbit(a) == std::signbit(b))
            << field << ": " << a << " read back as " << b;
}

void ExpectSameSet(const CoefficientSet& a, const CoefficientSet& b) {
    EXPECT_EQ(a.units, b.units);
    EXPECT_EQ(a.refrigerant, b.refrigerant);
    EXPECT_EQ(a.manufacturer, b.manufacturer);
    EXPECT_EQ(a.model, b.model);
    EXPECT_EQ(a.smoothingMethod, b.smoothingMethod);
    EXPECT_EQ(a.hasMassFlow, b.hasMassFlow);
    ExpectSameBits(a.suctionGasTemp, b.suctionGasTemp, "suction gas");
    ExpectSameBits(a.liquidTemp, b.liquidTemp, "liquid");
    ExpectSameBits(a.evapMin, b.evapMin, "evapMin");
    ExpectSameBits(a.evapMax, b.evapMax, "evapMax");
    ExpectSameBits(a.condMin, b.condMin, "condMin");
    ExpectSameBits(a.condMax, b.condMax, "condMax");
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k) {
        ExpectSameBits(a.capacity.c[k], b.capacity.c[k], "capacity C" + std::to_string(k + 1));
        ExpectSameBits(a.power.c[k], b.power.c[k], "power C" + std::to_string(k + 1));
        if (a.hasMassFlow)
            ExpectSameBits(a.massFlow.c[k], b.massFlow.c[k], "mass flow C" + std::to_string(k + 1));
    }
    ExpectSameBits(a.capacityRms, b.capacityRms, "capacity RMS");
    ExpectSameBits(a.capacityMax, b.capacityMax, "capacity max");
    ExpectSameBits(a.powerRms, b.powerRms, "power RMS");
    ExpectSameBits(a.powerMax, b.powerMax, "power max");
}

TEST(CoefficientFile, WrittenSetsReadBackIdenticalInBothForms) {
    TempDir dir;
    CoefficientSet withoutMassFlow = AwkwardSet();
    withoutMassFlow.hasMassFlow = false;
    withoutMassFlow.smoothingMethod = -1;
    withoutMassFlow.manufacturer.clear();
    for (const CoefficientSet& set : { AwkwardSet(), withoutMassFlow }) {
        for (const char* name : { "set.json", "set.csv", "SET.CSV" }) {
            SCOPED_TRACE(name);
            WriteCoefficientFile(dir.File(name), set);
            ExpectSameSet(ReadCoefficientFile(dir.File(name)), set);
        }
    }
    // A spreadsheet reads one quantity per row with its unit.
    const std::string csv = test::ReadBytes(dir.File("set.csv"));
    EXPECT_NE(csv.find("\ncapacity,W,"), std::string::npos) << csv;
    EXPECT_NE(csv.find("\nquantity,unit,C1,C2,C3,C4,C5,C6,C7,C8,C9,C10\n"), std::string::npos);
    EXPECT_EQ(csv.find("\nmass flow,"), std::string::npos);
}

// A set rated with a superheat, a subcooling and mid-point temperatures states them in both
// forms under their own keys and reads back to the same conditions; 18 F of superheat is 10 K.
TEST(CoefficientFile, OtherRatingConditionsAreStatedAndReadBack) {
    TempDir dir;
    CoefficientSet set = AwkwardSet();
    set.units = CoefficientUnits::Ahri540;
    SetRatingOfSet(set, ParseRatingConditions("superheat=10K,subcooling=5K,basis=midpoint").value);
    EXPECT_NEAR(set.suctionGasTemp, 18.0, 1e-12);
    EXPECT_NEAR(set.liquidTemp, 9.0, 1e-12);
    for (const char* name : { "rated.json", "rated.csv" }) {
        WriteCoefficientFile(dir.File(name), set);
        const std::string text = test::ReadBytes(dir.File(name));
        EXPECT_NE(text.find("superheat"), std::string::npos) << text;
        EXPECT_NE(text.find("subcooling"), std::string::npos);
        EXPECT_NE(text.find("midpoint"), std::string::npos);
        const CoefficientSet back = ReadCoefficientFile(dir.File(name));
        ExpectSameSet(back, set);
        const RatingConditions rating = RatingOfSet(back);
        EXPECT_EQ(rating.suction, RatingConditions::Suction::Superheat);
        EXPECT_NEAR(rating.suctionValue, 10.0, 1e-12);
        EXPECT_NEAR(rating.liquidValue, 5.0, 1e-12);
        EXPECT_EQ(rating.basis, RatingConditions::Basis::MidPoint);
    }
    // The analysis's default line temperatures, as today's files write them, are ashrae exactly.
    EXPECT_EQ(RatingOfSet(AwkwardSet()), RatingConditions {});
    const CoefficientSet cecomaf = [] {
        CoefficientSet c = AwkwardSet();
        SetRatingOfSet(c, CecomafRating());
        return c;
    }();
    EXPECT_NEAR(cecomaf.suctionGasTemp, 32.0, 1e-12);
    EXPECT_EQ(RatingOfSet(cecomaf), CecomafRating());

    const std::string json = EncodeCoefficientsJson(set);
    for (const auto& [from, to] :
        { std::pair { "\"subcooling\"", "\"liquidTemperature\": 90.0, \"subcooling\"" },
            std::pair { "\"midpoint\"", "\"bubble\"" } }) {
        std::string broken = json;
        broken.replace(broken.find(from), std::string(from).size(), to);
        EXPECT_THROW(DecodeCoefficientsJson(broken, "broken.json"), CoefficientFileError) << broken;
    }
}

// A good file of each form, for the broken variants below.
std::string GoodText(bool csv) {
    CoefficientSet set = AwkwardSet();
    set.units = CoefficientUnits::Ahri540;
    set.refrigerant = "R134a";
    set.manufacturer = "Maker";
    set.evapMin = -40;
    set.evapMax = 10;
    set.condMin = 90;
    set.condMax = 140;
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k) {
        set.capacity.c[k] = 1000.5 + k;
        set.power.c[k] = 200.25 + k;
        set.massFlow.c[k] = 50.125 + k;
    }
    return csv ? EncodeCoefficientsCsv(set) : EncodeCoefficientsJson(set);
}

std::string Replace(std::string text, const std::string& pattern, const std::string& by) {
    const std::regex re(pattern);
    EXPECT_TRUE(std::regex_search(text, re)) << pattern << " not in\n" << text;
    return std::regex_replace(text, re, by, std::regex_constants::format_first_only);
}

struct Broken {
    const char* what;
    bool csv;
    std::function<std::string(const std::string&)> edit;
    const char* field; // the message names it
};

TEST(CoefficientFile, BrokenFilesAreRefusedNamingFileAndFieldAndLeaveTheRecordAlone) {
    const std::vector<Broken> cases = {
        { "missing coefficient", false, [](auto t) { return Replace(t, R"(\s*"C4": 1003.5,)", ""); },
            "capacity C4" },
        { "missing coefficient", true, [](auto t) { return Replace(t, R"(,203.25,)", ",,"); }, "power C4" },
        { "short row", true, [](auto t) { return Replace(t, R"(,59.125\n)", "\n"); }, "mass flow C10" },
        { "text coefficient", false,
            [](auto t) { return Replace(t, R"("C2": 201.25)", R"("C2": "201.25")"); }, "power C2" },
        { "non-finite", true, [](auto t) { return Replace(t, R"(,1002.5,)", ",inf,"); }, "capacity C3" },
        { "non-finite", true, [](auto t) { return Replace(t, R"(,1002.5,)", ",nan,"); }, "capacity C3" },
        { "overflow", true, [](auto t) { return Replace(t, R"(,1002.5,)", ",1e999,"); }, "capacity C3" },
        { "overflow", false, [](auto t) { return Replace(t, R"(1002.5)", "1e999"); },
            "capacity C3 is not finite" },
        { "unknown units", false, [](auto t) { return Replace(t, "ahri540", "ashrae"); }, "units" },
        { "unknown units", true, [](auto t) { return Replace(t, "ahri540", "SI"); }, "units" },
        { "unit of a row", true, [](auto t) { return Replace(t, "power,W", "power,kW"); }, "power unit" },
        { "unit name", false,
            [](auto t) { return Replace(t, R"("massFlow": "lb/h")", R"("massFlow": "kg/h")"); },
            "unitNames massFlow" },
        { "unknown refrigerant", false, [](auto t) { return Replace(t, "R134a", "R12"); }, "refrigerant" },
        { "unknown refrigerant", true, [](auto t) { return Replace(t, "R134a", "r134a"); }, "refrigerant" },
        { "unknown refrigerant", true, [](auto t) { return Replace(t, "R134a", "R-"); }, "refrigerant" },
        { "inverted bounds", false, [](auto t) { return Replace(t, R"("min": -40)", R"("min": 20)"); },
            "evaporating range" },
        { "inverted bounds", true,
            [](auto t) { return Replace(t, "condensing range,90,140", "condensing range,140,90"); },
            "condensing range" },
        { "missing bounds", false, [](auto t) { return Replace(t, R"(,\s*"max": 140\.0)", ""); },
            "condensing range maximum" },
        { "unknown line", true, [](auto t) { return t + "capacty,Btu/h,1\n"; }, "capacty" },
        { "not JSON", false, [](auto t) { return t.substr(0, t.size() / 2); }, "not a JSON" },
    };
    TempDir dir;
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.capacityText[0][0] = "1234.5";
    const CompressorRecord before = record;
    for (const Broken& broken : cases) {
        const std::string path = dir.File(broken.csv ? "broken.csv" : "broken.json");
        const std::string text = broken.edit(GoodText(broken.csv));
        test::WriteBytes(path, text);
        SCOPED_TRACE(std::string(broken.what) + (broken.csv ? " (CSV)" : " (JSON)") + "\n" + text);
        const auto error = test::Thrown<CoefficientFileError>([&] { record = ImportCoefficients(path); });
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(test::Mentions(*error, path)) << error->what();
        EXPECT_TRUE(test::Mentions(*error, broken.field)) << error->what();
        EXPECT_TRUE(record.PersistentFieldsEqual(before));
    }
}

// Files written elsewhere may name the refrigerant with a hyphen; the set and the record take the
// program's name and code.
TEST(CoefficientFile, HyphenatedRefrigerantNamesAreTheProgramsOwn) {
    for (const bool csv : { false, true }) {
        for (const auto& [written, name, code] : { std::tuple { "R-22", "R22", 14 },
                 std::tuple { "R-410A", "R410A", 15 }, std::tuple { "R-407C", "R407C", 16 } }) {
            const std::string text = Replace(GoodText(csv), "R134a", written);
            const CoefficientSet set
                = csv ? DecodeCoefficientsCsv(text, "set.csv") : DecodeCoefficientsJson(text, "set.json");
            EXPECT_EQ(set.refrigerant, name) << written;
            EXPECT_EQ(RecordFromCoefficients(set).refrigerantIndex, code) << written;
        }
    }
}

TEST(CoefficientFile, AnUnreadableSetIsNotWritten) {
    TempDir dir;
    CoefficientSet set = AwkwardSet();
    set.power.c[9] = NAN;
    const auto error
        = test::Thrown<CoefficientFileError>([&] { WriteCoefficientFile(dir.File("x.json"), set); });
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(test::Mentions(*error, "power C10"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.json")));
}

TEST(CoefficientFile, ValuesThatCouldNotBeComputedAreNotWritten) {
    TempDir dir;
    for (const bool csv : { false, true }) {
        const std::string path = dir.File(csv ? "x.csv" : "x.json");
        test::WriteBytes(path, "old");
        CoefficientSet set = AwkwardSet();
        set.capacity.c[2] = INFINITY;
        auto error = test::Thrown<CoefficientFileError>([&] { WriteCoefficientFile(path, set); });
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(test::Mentions(*error, "\"" + path + "\": the capacity C3 could not be computed (inf)"))
            << error->what();
        set = AwkwardSet();
        set.capacityMax = INFINITY; // an unknown deviation is NaN and written as such; infinite is not
        error = test::Thrown<CoefficientFileError>([&] { WriteCoefficientFile(path, set); });
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(test::Mentions(*error, "capacity deviation max could not be computed")) << error->what();
        EXPECT_EQ(test::ReadBytes(path), "old");
    }
}

// A map made from a set holds only values a reader takes: the point where the polynomials give
// none is named with the file.
TEST(CoefficientFile, MapFromASetRefusesValuesThatAreNotPositiveAndFinite) {
    CoefficientSet set = AwkwardSet();
    set.units = CoefficientUnits::Ahri540;
    set.evapMin = -40;
    set.evapMax = 10;
    set.condMin = 90;
    set.condMax = 140;
    set.capacity = { { 5000 } };
    set.power = { { 500 } };
    const MapAxes axes { { -40, 0 }, { 90, 140 } };
    EXPECT_EQ(RecordFromCoefficients(set, axes, "c.json").capacityText[1][1], "5000.00");

    const struct {
        TenTermPolynomial capacity;
        TenTermPolynomial power;
        std::string expected;
    } bad[] = {
        // Capacity falls below zero at the hottest condensing temperature.
        { { { 5000, 0, -40 } }, { { 500 } },
            "a capacity of -600.00 Btu/h at -40.0 F evaporating, 140.0 F condensing" },
        { { { 5000 } }, { { 0 } }, "a power of 0.00 W at -40.0 F evaporating, 90.0 F condensing" },
        { { { 5000 } }, { { 0.001 } }, "a power of 0.00 W" }, // rounds to a zero text
        { { { 1e308, 0, 1e308 } }, { { 500 } }, "a capacity of inf Btu/h" },
        { { { 1e300, 0, 1e300 } }, { { 500 } }, "a capacity of 9.1e+301 Btu/h" },
        { { { 1e39 } }, { { 500 } }, "is not a positive finite capacity" }, // beyond single precision
    };
    for (const auto& polynomials : bad) {
        set.capacity = polynomials.capacity;
        set.power = polynomials.power;
        const auto error
            = test::Thrown<CoefficientFileError>([&] { RecordFromCoefficients(set, axes, "/sets/c.json"); });
        ASSERT_TRUE(error.has_value()) << polynomials.expected;
        EXPECT_TRUE(test::Mentions(*error, "/sets/c.json: the polynomials give")) << error->what();
        EXPECT_TRUE(test::Mentions(*error, polynomials.expected)) << error->what();
    }
    const auto axisError = test::Thrown<MapAxesError>([&] {
        RecordFromCoefficients(set, { { 0, -10 }, {} }, "/sets/c.json");
    });
    ASSERT_TRUE(axisError.has_value());
    EXPECT_TRUE(test::Mentions(*axisError, "/sets/c.json: The evaporating temperatures must be in ascending"))
        << axisError->what();
}

} // namespace
} // namespace velutra
