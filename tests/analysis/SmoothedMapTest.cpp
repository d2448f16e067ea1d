#include "analysis/SmoothedMap.h"

#include "IdealGasCycle.h"
#include "Tolerance.h"

#include <cmath>
#include <limits>

namespace velutra {
namespace {

using test::IdealGasCycle;

// Worked by hand from the ideal-gas cycle (dew pressure 100 kPa exp(2500 K (1/250 K - 1/T)),
// suction vapour at 90 F, h1 - h3 = 160 kJ/kg, isentropic work cp T1 (p^(1/4) - 1)) with the
// flow line V = 12 - 0.2 p m3/h:
//   -40 F / 110 F: p = 16.833998713, V = 8.6332002574 m3/h, rho = 1.9119081121 kg/m3,
//     Q = V rho 160 kJ/h = 2503.1294043 Btu/h; with eta = 0.5 + 0.02 p, W = 570.77522408;
//     with eta = 0.3 + 0.05 p - 0.002 p^2, W = 830.62943733.
//   20 F / 90 F: p = 3.3026313408, Q = 12572.064995 Btu/h; eta = 0.5 + 0.02 p: W = 1438.1465005.
constexpr double kQ40at110 = 2503.1294043166317;
constexpr double kWLinear40at110 = 570.775224077544;
constexpr double kWQuadratic40at110 = 830.6294373308663;
constexpr double kQ20at90 = 12572.064995037908;
constexpr double kWLinear20at90 = 1438.1465005060938;
// Single-precision texts and the worked figures above carry about 1e-9; the computation adds
// only rounding.
constexpr double kWorked = 1e-9;

CompressorRecord FittedRecord(bool english, int method, bool allTemps) {
    CompressorRecord record;
    record.unitsEnglish = english ? 1 : 0;
    record.unitsSI = english ? 0 : 1;
    record.smoothingMethod = method;
    record.smoothAllTemps = allTemps ? 1 : 0;
    record.condCount = 2;
    record.condTemp = { 110, 90 };
    record.flowFitIntercept = 12.0;
    record.flowFitSlope = -0.2;
    return record;
}

TEST(SmoothedMap, ComputesEveryRowAtTheFixedEvaporatingTemperatures) {
    IdealGasCycle cycle;
    // Linear efficiency over all points.
    CompressorRecord record = FittedRecord(true, 1, true);
    record.iseLinIntercept = 0.5;
    record.iseLinSlope = 0.02;
    SmoothedMap map;
    map.Compute(cycle, record, FittedCompressor::FromRecord(record));
    EXPECT_EQ(cycle.calls, 2 * 7);
    EXPECT_NEAR_REL(map.capacity[0][0], kQ40at110, kWorked);
    EXPECT_NEAR_REL(map.power[0][0], kWLinear40at110, kWorked);
    EXPECT_NEAR_REL(map.capacity[1][6], kQ20at90, kWorked);
    EXPECT_NEAR_REL(map.power[1][6], kWLinear20at90, kWorked);
    // The eighth column and the rows not in use are not computed.
    EXPECT_EQ(map.capacity[0][7], 0.0);
    EXPECT_EQ(map.power[2][0], 0.0);

    // Per condensing temperature, each row takes its own fit: row 1 the linear one above, row 0
    // a quadratic one; the all-points fits are not used.
    record = FittedRecord(true, 1, false);
    record.iseLinIntercept = 99;
    record.iseLinInterceptByCond[1] = 0.5;
    record.iseLinSlopeByCond[1] = 0.02;
    map.Compute(cycle, record, FittedCompressor::FromRecord(record));
    EXPECT_NEAR_REL(map.power[1][6], kWLinear20at90, kWorked);
    record = FittedRecord(true, 2, false);
    record.iseQuad = { 9, 9, 9 };
    record.iseQuadByCond[0] = { 0.3, 0.05, -0.002 };
    map.Compute(cycle, record, FittedCompressor::FromRecord(record));
    EXPECT_NEAR_REL(map.power[0][0], kWQuadratic40at110, kWorked);
    record.smoothAllTemps = 1;
    record.iseQuad = { 0.3, 0.05, -0.002 };
    map.Compute(cycle, record, FittedCompressor::FromRecord(record));
    EXPECT_NEAR_REL(map.power[0][0], kWQuadratic40at110, kWorked);
}

TEST(SmoothedMap, TwoVariableSurfacesTakeRatioAndSuctionPressure) {
    // At -40 F Pe = 48.543460269 kPa (ln 3.8824594847) and at 110 F p = 16.833998713
    // (ln 2.8234005743): V = 4.7507407726 + ln Pe = 8.6332002574 m3/h and
    // eta = 0.5543399168 + 0.1 ln p = 0.5 + 0.02 p, the worked point above.
    IdealGasCycle cycle;
    CompressorRecord record = FittedRecord(true, 3, true);
    record.flowFitSlope = 99; // the lines play no part
    record.iseLinIntercept = 99;
    record.flowSurface = { 4.750740772634314, 0, 1, 0, 0, 0 };
    record.iseSurface = { 0.5543399168293176, 0.1, 0, 0, 0, 0 };
    SmoothedMap map;
    map.Compute(cycle, record, FittedCompressor::FromRecord(record));
    EXPECT_NEAR_REL(map.capacity[0][0], kQ40at110, kWorked);
    EXPECT_NEAR_REL(map.power[0][0], kWLinear40at110, kWorked);
}

// The ideal-gas cycle, except that states above a condensing temperature cannot be computed.
class CycleFailingAbove : public IdealGasCycle {
public:
    explicit CycleFailingAbove(double limitK)
        : limitK_(limitK) { }
    CycleStateResult CycleStates(
        double evapTempK, double condTempK, const RatingConditions& rating) override {
        CycleStateResult s = IdealGasCycle::CycleStates(evapTempK, condTempK, rating);
        if (condTempK > limitK_) {
            s.Pc = s.h3 = s.h2s = std::numeric_limits<double>::quiet_NaN();
            s.error = "temperature above the critical point";
        }
        return s;
    }

private:
    double limitK_;
};

TEST(SmoothedMap, PointsWhoseStatesFailAreListedAndLeftUndefined) {
    CycleFailingAbove cycle(320.0); // 110 F is 316.5 K, 130 F 327.6 K
    CompressorRecord record = FittedRecord(true, 1, true);
    record.condTemp = { 110, 130 };
    record.iseLinIntercept = 0.5;
    record.iseLinSlope = 0.02;
    SmoothedMap map;
    map.Compute(cycle, record, FittedCompressor::FromRecord(record));
    EXPECT_NEAR_REL(map.capacity[0][0], kQ40at110, kWorked);
    ASSERT_EQ(map.failures.size(), 7u);
    for (int k = 0; k < 7; ++k) {
        EXPECT_TRUE(std::isnan(map.capacity[1][k]));
        EXPECT_TRUE(std::isnan(map.power[1][k]));
        EXPECT_EQ(map.failures[k].row, 1);
        EXPECT_EQ(map.failures[k].column, k);
        EXPECT_EQ(map.failures[k].evapTemp, -40 + 10 * k);
        EXPECT_EQ(map.failures[k].condTemp, 130);
    }
    EXPECT_EQ(DescribeFailures(map.failures, "F"),
        "Rebuilt map points at row 2 (condensing 130.0 F), columns 1 to 7 (evaporating -40.0 F to 20.0 F): "
        "temperature above the critical point\n");
    // A later computation starts its list anew.
    record.condTemp = { 110, 90 };
    map.Compute(cycle, record, FittedCompressor::FromRecord(record));
    EXPECT_TRUE(map.failures.empty());
}

TEST(SmoothedMap, SIUsesCelsiusColumnsAndKilocalories) {
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(SmoothedMap::FixedEvapTemp(k, true), -40 + 10 * k);
        EXPECT_EQ(SmoothedMap::FixedEvapTemp(k, false), -40 + 5 * k);
    }
    // -40 is the same temperature in both scales, and 50 F is 10 C: the first column's point is
    // the same, only the capacity unit differs (1 Btu = 1.055056 kJ, 1 kcal taken as 4.1848 kJ).
    IdealGasCycle cycle;
    CompressorRecord english = FittedRecord(true, 1, true);
    english.condTemp = { 50, 50 };
    english.iseLinIntercept = 0.6;
    CompressorRecord si = english;
    si.unitsEnglish = 0;
    si.unitsSI = 1;
    si.condTemp = { 10, 10 };
    SmoothedMap inBtu;
    SmoothedMap inKcal;
    inBtu.Compute(cycle, english, FittedCompressor::FromRecord(english));
    inKcal.Compute(cycle, si, FittedCompressor::FromRecord(si));
    EXPECT_NEAR_REL(inKcal.capacity[0][0] / inBtu.capacity[0][0], 1.055056 / 4.1848, 1e-6);
    EXPECT_NEAR_REL(inKcal.power[0][0], inBtu.power[0][0], 1e-12);
}

TEST(SmoothedMap, AdjustedMapTextsAxesAndCounts) {
    CompressorRecord record = FittedRecord(true, 2, true);
    record.condCount = 3;
    record.condTemp = { 110.7, -5.9, 90 };
    record.evapCount = 5;
    record.evapTempText = { "-20", "-10", "0", "10", "20", "", "", "" };
    record.capacityTextCopy[0][0] = "1,000";
    record.capacity[0][0] = 1000;
    SmoothedMap map;
    map.capacity[0][0] = 1000;
    map.power[0][0] = 200;
    map.capacity[2][6] = 12.35;
    map.power[2][6] = 2109.15;

    WriteAdjustedMap(record, map, 1.1, 0.5);
    EXPECT_EQ(record.capacityText[0][0], "1100.0");
    EXPECT_EQ(record.powerText[0][0], "100.0");
    // Through single precision: 12.35 * 1.1 = 13.585 is 13.5850000381 as a float.
    EXPECT_EQ(record.capacityText[2][6], "13.6");
    EXPECT_EQ(record.powerText[2][6], "1054.6");
    // All 96 cells are written, those never computed as 0.
    EXPECT_EQ(record.capacityText[5][7], "0.0");
    EXPECT_EQ(record.powerText[3][0], "0.0");
    EXPECT_EQ(record.condTempText[0][0], "110");
    EXPECT_EQ(record.condTempText[0][1], "110");
    EXPECT_EQ(record.condTempText[1][0], "-5");
    EXPECT_EQ(record.evapCount, 7);
    EXPECT_EQ(
        record.evapTempText, (EvapRow<std::string> { "-40", "-30", "-20", "-10", "0", "10", "20", "" }));
    // Counts, numeric tables and the typed copies stay.
    EXPECT_EQ(record.condCount, 3);
    EXPECT_EQ(record.capacity[0][0], 1000);
    EXPECT_EQ(record.capacityTextCopy[0][0], "1,000");

    record.unitsEnglish = 0;
    WriteAdjustedMap(record, map, 1, 1);
    EXPECT_EQ(
        record.evapTempText, (EvapRow<std::string> { "-40", "-35", "-30", "-25", "-20", "-15", "-10", "" }));

    // The entered map keeps its own axis.
    record.smoothingMethod = 0;
    record.evapCount = 5;
    record.evapTempText = { "-20", "-10", "0", "10", "20", "", "", "" };
    WriteAdjustedMap(record, map, 1, 1);
    EXPECT_EQ(record.evapCount, 5);
    EXPECT_EQ(record.evapTempText[0], "-20");
    EXPECT_EQ(record.capacityText[2][6], "12.4");
    EXPECT_EQ(record.powerText[2][6], "2109.1");
}

// At -10 F / 130 F the ideal-gas cycle has p = 10.758698660; with eta = 0.5 + 0.02 p the EER is
// 160 kJ/kg x 0.94781698791 Btu/kJ x eta x 3.6 / (cp T1 (p^(1/4) - 1)) = 4.7398667864 Btu/h per W,
// whatever the flow line.
TEST(SmoothedMap, RatingEERFromTheFitsWithTheEnginesRefrigerant) {
    IdealGasCycle cycle;
    CompressorRecord record = FittedRecord(true, 1, false);
    record.iseLinIntercept = 0.5;
    record.iseLinSlope = 0.02;
    record.iseLinInterceptByCond = { 9, 9 }; // per-row fits play no part at the rating point
    EXPECT_NEAR_REL(SmoothedMap::RatingEER(cycle, record, FittedCompressor::FromRecord(record)),
        4.739866786404225, kWorked);
    record.smoothingMethod = 2;
    record.iseQuad = { 0.5, 0.02, 0 };
    EXPECT_NEAR_REL(SmoothedMap::RatingEER(cycle, record, FittedCompressor::FromRecord(record)),
        4.739866786404225, kWorked);
    CycleFailingAbove failing(320.0);
    EXPECT_TRUE(std::isnan(SmoothedMap::RatingEER(failing, record, FittedCompressor::FromRecord(record))));
}

TEST(SmoothedMap, CalculatedEERFollowsTheMultipliers) {
    EXPECT_EQ(CalculatedEERText(4.1, 1, 1), "4.10");
    EXPECT_EQ(CalculatedEERText(4.1, 1.1, 1), "4.51");
    EXPECT_EQ(CalculatedEERText(4.1, 1, 2), "2.05");
    EXPECT_EQ(CalculatedEERText(4.1, 1, 0), "n/a");
    EXPECT_EQ(CalculatedEERText(std::numeric_limits<double>::quiet_NaN(), 1, 1), "n/a");
    EXPECT_EQ(CalculatedEERText(std::numeric_limits<double>::infinity(), 1, 1), "n/a");

    CompressorRecord record;
    record.mapRatingEER = 4.1;
    record.smoothedRatingEER = 3.9;
    EXPECT_EQ(BaseEER(record), 4.1);
    record.smoothingMethod = 2;
    EXPECT_EQ(BaseEER(record), 3.9);
}

TEST(SmoothedMap, ConversionLabelsAndCaptions) {
    CompressorRecord record;
    record.refrigerantIndex = 0;
    record.newRefrigerantIndex = 5;
    EXPECT_EQ(RefrigerantLabel(record), "Refrigerant: R134a");
    EXPECT_FALSE(BeginConversion(record));
    record.convertRefrigerant = 1;
    EXPECT_EQ(RefrigerantLabel(record), "Refrigerant: R600a");
    EXPECT_TRUE(BeginConversion(record));
    EXPECT_EQ(record.refrigerantIndex, 5);
    // Already converted, or converted to itself: nothing to set up.
    EXPECT_FALSE(BeginConversion(record));
    record.newRefrigerantIndex = 13;
    EXPECT_EQ(RefrigerantLabel(record), "Refrigerant: R449A");
    record.newRefrigerantIndex = 16;
    EXPECT_EQ(RefrigerantLabel(record), "Refrigerant: R407C");
    record.newRefrigerantIndex = 17;
    EXPECT_EQ(RefrigerantLabel(record), std::nullopt);

    EXPECT_EQ(TemperatureLabel(-10.9, false), "-10 C");
    EXPECT_EQ(TemperatureLabel(-0.5, true), "0 F");
    EXPECT_EQ(TemperatureLabel(130, true), "130 F");
    EXPECT_EQ(MapCaption(2, 0), "Quadratic isentropic efficiency, smoothing for each condenser temperature");
    EXPECT_EQ(MapCaption(3, 0), "Two-variable fit of suction flow and isentropic efficiency");
    EXPECT_EQ(MapCaption(4, 1), "");
}

} // namespace
} // namespace velutra
