// Fitting the ten-coefficient polynomials to an analysed map, through the ideal-gas stand-in for
// the property engine, and turning a set back into a map.
#include "interchange/CoefficientFit.h"

#include "IdealGasCycle.h"
#include "Tolerance.h"
#include "analysis/Analysis.h"
#include "analysis/SmoothingMethods.h"
#include "interchange/CoefficientImport.h"
#include "record/TextRules.h"

#include <charconv>
#include <gtest/gtest.h>

namespace velutra {
namespace {

using test::IdealGasCycle;
using test::NearRel;

constexpr double kQuarter = 1.0 / 256;
// A compressor in F and Btu/h and W, chosen so that the map is positive over the test grids.
const TenTermPolynomial kCapacity { { 30000, 600, -80, 4, -2, 0.25, kQuarter, -kQuarter, kQuarter,
    -kQuarter } };
const TenTermPolynomial kPower { { -1500, -4, 25, 0.0625, 0.25, 0.0625, kQuarter, -kQuarter, -kQuarter,
    kQuarter } };

std::string Exact(double value) {
    char buffer[64];
    return { buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr };
}

// An English R134a record whose map texts hold the polynomials' values to the last bit.
CompressorRecord RecordOf(const std::vector<double>& evap, const std::vector<double>& cond) {
    CompressorRecord record;
    record.ApplyNewDefaults();
    record.evapCount = static_cast<int>(evap.size());
    record.condCount = static_cast<int>(cond.size());
    for (size_t c = 0; c < evap.size(); ++c)
        record.evapTempText[c] = Exact(evap[c]);
    for (size_t r = 0; r < cond.size(); ++r) {
        record.condTempText[r] = { Exact(cond[r]), Exact(cond[r]) };
        for (size_t c = 0; c < evap.size(); ++c) {
            record.capacityText[r][c] = Exact(kCapacity.Evaluate(evap[c], cond[r]));
            record.powerText[r][c] = Exact(kPower.Evaluate(evap[c], cond[r]));
        }
    }
    return record;
}

// An English R134a record of a compressor that follows the analysis's own model on the ideal
// gas: suction flow 10 - 0.2 p m3/h and isentropic efficiency 0.75 - 0.01 p at pressure ratio p.
CompressorRecord IdealGasCompressor(const std::vector<double>& evap, const std::vector<double>& cond) {
    CompressorRecord record = RecordOf(evap, cond);
    IdealGasCycle gas;
    for (size_t r = 0; r < cond.size(); ++r) {
        for (size_t c = 0; c < evap.size(); ++c) {
            const CycleStateResult s
                = gas.CycleStates((evap[c] + 459.67) / 1.8, (cond[r] + 459.67) / 1.8, RatingConditions {});
            const double p = s.Pc / s.Pe;
            const double massFlow = IdealGasCycle::kM * s.d1 * (10 - 0.2 * p); // kg/h
            const double capacityKJh = massFlow * 160;
            const double powerW = massFlow * (s.h2s - s.h1) / IdealGasCycle::kM / (0.75 - 0.01 * p) / 3.6;
            record.capacityText[r][c] = Exact(capacityKJh / 1.055056);
            record.powerText[r][c] = Exact(powerW);
        }
    }
    return record;
}

const std::vector<double> kEvap = { -40, -30, -20, -10, 0, 10, 20, 30 };
const std::vector<double> kCond = { 90, 100, 110, 120, 130, 140 };

struct Fitted {
    IdealGasCycle engine;
    CompressorRecord record;
    AnalysisResult analysis;

    Fitted(const CompressorRecord& map, int method) {
        record = map;
        record.smoothingMethod = method;
        analysis = AnalyzeMap(engine, record, AnalysisExtent::EnteredMap);
    }
    CoefficientSet Fit(CoefficientUnits units) { return FitCoefficients(engine, analysis, record, units); }
};

TEST(CoefficientFit, EnteredPointsOfAKnownPolynomialGiveItsCoefficientsBack) {
    Fitted fitted(RecordOf(kEvap, kCond), kSmoothingOriginal);
    const CoefficientSet set = fitted.Fit(CoefficientUnits::Ahri540);
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k) {
        EXPECT_TRUE(NearRel(set.capacity.c[k], kCapacity.c[k], 1e-9)) << "capacity C" << k + 1;
        EXPECT_TRUE(NearRel(set.power.c[k], kPower.c[k], 1e-9)) << "power C" << k + 1;
    }
    // The stand-in's suction gas to liquid line is 160 kJ/kg, so the mass flow in lb/h is the
    // capacity in Btu/h times 1.055056 / 160 / 0.45359237.
    const double lbPerBtu = 1.055056 / 160 / 0.45359237;
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
        EXPECT_TRUE(NearRel(set.massFlow.c[k], kCapacity.c[k] * lbPerBtu, 1e-9)) << "mass flow C" << k + 1;
    EXPECT_EQ(set.refrigerant, "R134a");
    EXPECT_EQ(set.smoothingMethod, kSmoothingOriginal);
    EXPECT_EQ(set.evapMin, -40);
    EXPECT_EQ(set.evapMax, 30);
    EXPECT_EQ(set.condMin, 90);
    EXPECT_EQ(set.condMax, 140);
    EXPECT_EQ(set.suctionGasTemp, 90);
    EXPECT_LT(set.capacityMax, 1e-9);
    EXPECT_LT(set.powerRms, 1e-9);

    // In en12900 the same points, in C and W.
    const CoefficientSet si = fitted.Fit(CoefficientUnits::En12900);
    EXPECT_NEAR(si.evapMin, -40, 1e-12);
    EXPECT_NEAR(si.condMax, 60, 1e-12);
    EXPECT_NEAR(si.suctionGasTemp, 32.2222222222, 1e-9);
    EXPECT_TRUE(
        NearRel(si.capacity.Evaluate(-12.5, 37.5), kCapacity.Evaluate(9.5, 99.5) * 1.055056 / 3.6, 1e-9));
}

TEST(CoefficientFit, EnteredPointsThatCannotDetermineTenTermsAreRefusedWithWhatIsMissing) {
    const auto refusal = [](const std::vector<double>& evap, const std::vector<double>& cond) {
        Fitted fitted(RecordOf(evap, cond), kSmoothingOriginal);
        try {
            fitted.Fit(CoefficientUnits::Ahri540);
        } catch (const CoefficientFitError& error) {
            return std::string(error.what());
        }
        return std::string("no refusal");
    };
    EXPECT_NE(refusal({ -40, -20, 0 }, { 90, 110, 130 }).find("at least ten valid points; there are 9"),
        std::string::npos);
    const std::string threeRows = refusal(kEvap, { 90, 110, 130 });
    EXPECT_NE(threeRows.find("four distinct"), std::string::npos) << threeRows;
    EXPECT_NE(threeRows.find("8 evaporating and 3 condensing"), std::string::npos) << threeRows;
    // Rows below the 90 F line are not valid points and do not count.
    EXPECT_NE(refusal(kEvap, { 70, 80, 90, 100, 110 }).find("3 condensing"), std::string::npos);

    // Ten distinct temperatures each way, all on one line: a cubic along it, not ten terms.
    std::vector<double> evap;
    std::vector<double> cond;
    for (int i = 0; i < 12; ++i) {
        evap.push_back(-40 + 5 * i);
        cond.push_back(90 + 5 * i);
    }
    const std::vector<double> values(evap.size(), 1000.0);
    const TenTermFitResult line = FitTenTerms(evap.data(), cond.data(), values.data(), 12);
    EXPECT_NE(line.refusal.find("do not determine the ten terms"), std::string::npos) << line.refusal;

    // Smoothed, the same three rows give a polynomial: the model is sampled between them.
    Fitted smoothed(RecordOf(kEvap, { 90, 110, 130 }), kSmoothingLinear);
    EXPECT_NO_THROW(smoothed.Fit(CoefficientUnits::Ahri540));
}

TEST(CoefficientFit, SmoothedMethodsFollowTheRebuiltMapAndAgreeAcrossUnitSystems) {
    for (const int method : { kSmoothingLinear, kSmoothingQuadratic, kSmoothingTwoVariable }) {
        const std::vector<double> evap = { -20, -10, 0, 10, 20, 30 };
        const std::vector<double> cond = { 90, 100, 110, 120, 130 };
        Fitted fitted(IdealGasCompressor(evap, cond), method);
        const CoefficientSet english = fitted.Fit(CoefficientUnits::Ahri540);
        const CoefficientSet si = fitted.Fit(CoefficientUnits::En12900);
        EXPECT_EQ(english.smoothingMethod, method);
        // The polynomial of the sampled model lies close to the rebuilt map at the entered points.
        // A slip of units or states would be off by percents.
        for (int r = 0; r < 5; ++r) {
            for (int c = 0; c < 6; ++c) {
                const double s = evap[static_cast<size_t>(c)];
                const double d = cond[static_cast<size_t>(r)];
                EXPECT_TRUE(NearRel(english.capacity.Evaluate(s, d), fitted.analysis.capacity[r][c], 2e-3))
                    << method << " at " << s << ", " << d;
                EXPECT_TRUE(NearRel(english.power.Evaluate(s, d), fitted.analysis.power[r][c], 2e-3));
                // The same compressor in C, W and kg/h: 1 Btu/h = 1.055056 / 3.6 W.
                const double sc = (s - 32) / 1.8;
                const double dc = (d - 32) / 1.8;
                EXPECT_TRUE(NearRel(
                    si.capacity.Evaluate(sc, dc), english.capacity.Evaluate(s, d) * 1.055056 / 3.6, 1e-8));
                EXPECT_TRUE(NearRel(si.power.Evaluate(sc, dc), english.power.Evaluate(s, d), 1e-8));
                EXPECT_TRUE(NearRel(
                    si.massFlow.Evaluate(sc, dc), english.massFlow.Evaluate(s, d) * 0.45359237, 1e-8));
            }
        }
        // Its deviation from the entered map is that of the smoothing, give or take the sampling.
        EXPECT_NEAR(english.capacityRms, fitted.analysis.quality.capacityRms,
            0.05 + 0.01 * fitted.analysis.quality.capacityRms);
        EXPECT_NEAR(si.capacityMax, english.capacityMax, 1e-6);
    }
}

TEST(CoefficientFit, AStateTheEngineCannotComputeInsideTheRangeIsReported) {
    Fitted fitted(RecordOf(kEvap, kCond), kSmoothingQuadratic);
    fitted.engine.criticalTempK = 200; // every state fails from here on
    try {
        fitted.Fit(CoefficientUnits::Ahri540);
        ADD_FAILURE() << "no refusal";
    } catch (const CoefficientFitError& error) {
        EXPECT_NE(std::string(error.what()).find("temperature above the critical point"), std::string::npos)
            << error.what();
    }
}

CoefficientSet PublishedSet(CoefficientUnits units) {
    CoefficientSet set;
    set.units = units;
    set.refrigerant = "R404A";
    set.manufacturer = "Maker";
    set.evapMin = 0;
    set.evapMax = 40;
    set.condMin = 90;
    set.condMax = 120;
    set.capacity = kCapacity;
    set.power = kPower;
    set.hasMassFlow = false;
    return set;
}

TEST(CoefficientImport, DefaultAxesAreTheNewOnesClippedToTheBounds) {
    const CompressorRecord record = RecordFromCoefficients(PublishedSet(CoefficientUnits::Ahri540));
    EXPECT_EQ(record.unitsEnglish, 1);
    EXPECT_EQ(record.refrigerantIndex, 3);
    EXPECT_EQ(record.manufacturer, "Maker");
    EXPECT_EQ(record.model, "Model");
    // -40..10 F leaves 0 and 10 inside 0..40: too few, so six across the bounds instead.
    ASSERT_EQ(record.evapCount, 6);
    EXPECT_EQ(record.evapTempText[0], "0.0");
    EXPECT_EQ(record.evapTempText[1], "8.0");
    EXPECT_EQ(record.evapTempText[5], "40.0");
    EXPECT_EQ(record.evapTempText[6], "");
    // 90..140 F clipped to 90..120.
    ASSERT_EQ(record.condCount, 4);
    EXPECT_EQ(record.condTempText[3][0], "120.0");
    EXPECT_EQ(record.condTempText[4][0], "");
    // Texts with two decimals.
    EXPECT_NEAR(TextToNumber(record.capacityText[2][1]), kCapacity.Evaluate(8, 110), 0.005);
    EXPECT_NEAR(TextToNumber(record.powerText[3][5]), kPower.Evaluate(40, 120), 0.005);

    // -35..-10 C inside -30..0 C: -30, -25, -20, -15, -10; capacity from W into kcal/h of 4.1848 kJ.
    CoefficientSet si = PublishedSet(CoefficientUnits::En12900);
    si.evapMin = -30;
    si.evapMax = 0;
    si.condMin = 30;
    si.condMax = 60;
    // The English power polynomial read in C goes negative there, which no map may hold.
    si.power = { { 500 } };
    const CompressorRecord siRecord = RecordFromCoefficients(si);
    EXPECT_EQ(siRecord.unitsSI, 1);
    ASSERT_EQ(siRecord.evapCount, 5);
    EXPECT_EQ(siRecord.evapTempText[0], "-30.0");
    EXPECT_EQ(siRecord.condCount, 3);
    EXPECT_EQ(siRecord.condTempText[2][1], "60.0");
    EXPECT_TRUE(NearRel(
        TextToNumber(siRecord.capacityText[0][0]), kCapacity.Evaluate(-30, 45) * 0.8602561651691837, 1e-6));

    // Bounds converted from F fall between tenths: the clipped axes stay inside them.
    // -35..-10 C in -17.78..4.44 C: -17.7, -15, -10.
    si.evapMin = (0 - 32) / 1.8;
    si.evapMax = (40 - 32) / 1.8;
    const CompressorRecord converted = RecordFromCoefficients(si);
    ASSERT_EQ(converted.evapCount, 3);
    EXPECT_EQ(converted.evapTempText[0], "-17.7");
    EXPECT_EQ(converted.evapTempText[1], "-15.0");
}

TEST(CoefficientImport, AxesOutsideTheBoundsOrOutOfOrderAreRefused) {
    const CoefficientSet set = PublishedSet(CoefficientUnits::Ahri540);
    EXPECT_THROW(RecordFromCoefficients(set, { { -10, 0, 10 }, { 90, 100 } }), MapAxesError);
    EXPECT_THROW(RecordFromCoefficients(set, { { 0, 20, 10 }, { 90, 100 } }), MapAxesError);
    EXPECT_THROW(RecordFromCoefficients(set, { { 0, 10 }, { 90, 91, 92, 93, 94, 95, 96 } }), MapAxesError);
    const CompressorRecord record = RecordFromCoefficients(set, { { 0, 12.5, 40 }, { 90, 120 } });
    EXPECT_EQ(record.evapTempText[1], "12.5");
    EXPECT_EQ(record.condCount, 2);
    // One axis given, the other the default one.
    const CompressorRecord evapOnly = RecordFromCoefficients(set, { { 0, 12.5, 40 }, {} });
    EXPECT_EQ(evapOnly.evapCount, 3);
    EXPECT_EQ(evapOnly.condCount, 4);
}

} // namespace
} // namespace velutra
