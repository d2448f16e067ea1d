#include "analysis/PlotData.h"

#include "IdealGasCycle.h"
#include "analysis/Analysis.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace velutra {
namespace {

using test::IdealGasCycle;

struct Scale {
    double minimum;
    double maximum;
    int ticks;
};

void ExpectScale(const AxisScale& axis, const Scale& expected) {
    EXPECT_EQ(axis.minimum, expected.minimum);
    EXPECT_EQ(axis.maximum, expected.maximum);
    EXPECT_EQ(axis.ticks, expected.ticks);
}

TEST(PlotAxes, TemperatureAxisLandsOnTensOutsideTheData) {
    ExpectScale(TemperatureAxis(-40, 10), { -40, 10, 4 });
    // 0 is not above -5, so the axis stops there; the ticks count the tens of the whole axis.
    ExpectScale(TemperatureAxis(-35, -5), { -40, 0, 4 });
    ExpectScale(TemperatureAxis(-32.5, 47.3), { -40, 50, 4 });
    // A map wholly above 0 F counts the tens of its axis instead of a negative number.
    ExpectScale(TemperatureAxis(20, 55), { 20, 60, 4 });
    EXPECT_FALSE(std::signbit(TemperatureAxis(-5, -1).maximum));
}

TEST(PlotAxes, ValueAndRatioAxes) {
    ExpectScale(MapValueAxis(1234, 5678), { 1200, 5700, 5 });
    ExpectScale(MapValueAxis(1234, 5600), { 1200, 5700, 5 });
    ExpectScale(MapValueAxis(99.9, 100), { 0, 200, 5 });
    ExpectScale(PressureRatioAxis(12, 7.3), { 0, 10, 1 });
    ExpectScale(PressureRatioAxis(12, 10.0), { 0, 20, 2 });
    ExpectScale(PressureRatioAxis(0, 0), { 0, 10, 1 });
    ExpectScale(EfficiencyAxis(), { 0, 1, 5 });
}

TEST(PlotAxes, LegendTruncatesTowardZero) {
    EXPECT_EQ(LegendText(54.44), "54");
    EXPECT_EQ(LegendText(-5.5), "-5");
    EXPECT_EQ(LegendText(130), "130");
    EXPECT_EQ(LegendText(-0.4), "0");
}

TEST(PlotAxes, DrawnTicksFallOnRoundSteps) {
    // The axis' own count where it gives round steps, otherwise about ten round intervals.
    EXPECT_DOUBLE_EQ(TickInterval(-40, 0, 4), 10);
    EXPECT_DOUBLE_EQ(TickInterval(0, 1, 5), 0.2);
    EXPECT_DOUBLE_EQ(TickInterval(-40, 10, 4), 5);
    EXPECT_DOUBLE_EQ(TickInterval(1200, 5700, 5), 500);
    EXPECT_DOUBLE_EQ(TickInterval(0, 10, 1), 1);
    EXPECT_DOUBLE_EQ(TickInterval(0, 20, 2), 2);
    EXPECT_DOUBLE_EQ(TickInterval(5, 5, 3), 1);
}

// A three-row English map on the hand-workable refrigerant; the third row condenses above the
// refrigerant's critical temperature, so its states cannot be computed.
struct ThreeRowMap {
    IdealGasCycle engine;
    CompressorRecord record;
    AnalysisResult analysis;

    ThreeRowMap() {
        record.unitsEnglish = 1;
        record.unitsSI = 0;
        record.smoothAllTemps = 1;
        record.condCount = 3;
        record.evapCount = 3;
        const char* cond[] = { "90.5", "110", "250" };
        const char* evap[] = { "-20", "0", "20" };
        for (int r = 0; r < 3; ++r) {
            record.condTempText[r] = { cond[r], cond[r] };
            for (int c = 0; c < 3; ++c) {
                record.capacityText[r][c] = std::to_string(3000 + 1000 * c - 200 * r);
                record.powerText[r][c] = std::to_string(700 + 30 * c + 50 * r);
            }
        }
        for (int c = 0; c < 3; ++c)
            record.evapTempText[c] = evap[c];
        // 250 F is 394.26 K.
        engine.criticalTempK = 380;
        analysis = AnalyzeMap(engine, record, AnalysisExtent::EnteredMap);
    }
};

TEST(PlotContents, MapCurvesLeaveOutPointsThatCouldNotBeComputed) {
    ThreeRowMap map;
    const PlotData plot = MapCurves(map.analysis, map.record, PlotType::Capacity);
    ASSERT_EQ(plot.values.size(), 9u);
    EXPECT_EQ(plot.values[5], 4800);
    for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(std::isnan(plot.values[6 + c]));
    // The entered 2600..4600 of the failed row take no part in the range.
    ExpectScale(plot.yAxis, { 2800, 5100, 5 });
    EXPECT_EQ(plot.legend[2], "250");
    EXPECT_EQ(
        PlotDescription(plot), "Compressor capacity against evaporating temperature: 2 curves, 6 points");

    map.record.unitsEnglish = 0;
    map.record.unitsSI = 1;
    const PlotData si = MapCurves(map.analysis, map.record, PlotType::Capacity);
    EXPECT_EQ(si.bottomTitle, "Evaporator Temperature (C)");
    EXPECT_EQ(si.leftTitle, "Capacity (Kcalh)");
    const PlotData power = MapCurves(map.analysis, map.record, PlotType::Power);
    EXPECT_EQ(power.leftTitle, "Power (W)");
    EXPECT_EQ(power.values[2], 760);
}

} // namespace
} // namespace velutra
