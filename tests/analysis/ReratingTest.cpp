// Re-rating a map to other rating conditions: the formulas on states worked by hand, and whole
// published maps through the real property engine.
#include "analysis/Rerating.h"

#include "Tolerance.h"
#include "analysis/Displacement.h"
#include "analysis/PublishedMapCsv.h"
#include "props/PropertyEngine.h"
#include "record/RatingConditionsText.h"
#include "record/TextRules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace velutra {
namespace {

using test::NearRel;

CycleStateResult States(double h1, double h3, double d1, double h2s) {
    CycleStateResult s;
    s.M = 100;
    s.h1 = h1;
    s.h3 = h3;
    s.d1 = d1;
    s.h2s = h2s;
    return s;
}

// Rated: refrigerating effect (40000 - 24000) / 100 = 160 kJ/kg, isentropic work 40 kJ/kg. At
// the new conditions the suction gas is 10 % thinner, the effect 190 kJ/kg, the work 45 kJ/kg.
// 1600 kJ/h is then 10 kg/h; with F = 0.75 the flow falls by 7.5 % to 9.25 kg/h, giving
// 9.25 * 190 = 1757.5 kJ/h and 500 W * 0.925 * 45/40 = 520.3125 W; with F = 1 by 10 %:
// 9 kg/h, 1710 kJ/h, 506.25 W.
TEST(Rerating, PointFollowsDensityEffectAndIsentropicWork) {
    const CycleStateResult rated = States(40000, 24000, 0.5, 44000);
    const CycleStateResult target = States(41000, 22000, 0.45, 45500);
    const ReratedPoint dabiri = ReratePoint(1600, 500, rated, target);
    EXPECT_TRUE(NearRel(dabiri.massFlowKgH, 9.25, 1e-14));
    EXPECT_TRUE(NearRel(dabiri.capacityKJh, 1757.5, 1e-14));
    EXPECT_TRUE(NearRel(dabiri.powerW, 520.3125, 1e-14));
    const ReratedPoint plain = ReratePoint(1600, 500, rated, target, 1.0);
    EXPECT_TRUE(NearRel(plain.massFlowKgH, 9.0, 1e-14));
    EXPECT_TRUE(NearRel(plain.capacityKJh, 1710, 1e-14));
    EXPECT_TRUE(NearRel(plain.powerW, 506.25, 1e-14));
}

TEST(Displacement, TrueVolumetricEfficiencyIsSuctionFlowOverSweptFlow) {
    // 7.48 cm3 at 2000 rpm sweeps 0.8976 m3/h.
    EXPECT_TRUE(NearRel(DisplacementFlowM3h(7.48, 2000), 0.8976, 1e-14));
    EXPECT_TRUE(NearRel(TrueVolumetricEfficiency(0.6732, 7.48, 2000), 0.75, 1e-14));
    CompressorRecord record;
    record.speedText = "2000";
    EXPECT_EQ(SpeedRpmOf(record), 2000.0);
    for (const char* text : { "", "fast", "-3", "2000 rpm" }) {
        record.speedText = text;
        EXPECT_TRUE(std::isnan(SpeedRpmOf(record))) << text;
    }
    EXPECT_TRUE(std::isnan(TrueVolumetricEfficiency(0.5, 0, 2000))) << "no displacement known";
}

struct ReratedPublishedMap : ::testing::Test {
    PropertyEngine engine;
    CompressorRecord record;
    bool english = false;
    CondRow<double> cond {};
    EvapRow<double> evap {};
    MapTable<double> capacity {}, power {};

    void Load(const std::string& file) {
        record.ApplyNewDefaults();
        ReadPublishedMap(std::string(VELUTRA_SHARED_DIR "/maps/") + file, record);
        const SetupResult setup = engine.SetupFluid(record.refrigerantIndex);
        ASSERT_TRUE(setup.ok) << setup.message;
        english = record.unitsEnglish != 0;
        for (int r = 0; r < kMaxCond; ++r) {
            cond[r] = TextToNumber(record.condTempText[r][0]);
            for (int c = 0; c < kMaxEvap; ++c) {
                evap[c] = TextToNumber(record.evapTempText[c]);
                capacity[r][c]
                    = record.capacityText[r][c].empty() ? NAN : TextToNumber(record.capacityText[r][c]);
                power[r][c] = record.powerText[r][c].empty() ? NAN : TextToNumber(record.powerText[r][c]);
            }
        }
    }
    ReratedMap Rerate(const MapTable<double>& q, const MapTable<double>& w, const RatingConditions& from,
        const RatingConditions& to, double factor = kDefaultSuperheatFactor) {
        return RerateMap(
            engine, english, cond, evap, q, w, record.condCount, record.evapCount, from, to, factor);
    }
};

TEST_F(ReratedPublishedMap, SameConditionsGiveTheMapBackAndThereAndBackReturns) {
    Load("secop-xv72-r600a-2000rpm.csv");
    const RatingConditions cecomaf = CecomafRating();
    const ReratedMap same = Rerate(capacity, power, cecomaf, cecomaf);
    EXPECT_TRUE(same.failures.empty());
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 8; ++c) {
            EXPECT_EQ(same.capacity[r][c], capacity[r][c]);
            EXPECT_EQ(same.power[r][c], power[r][c]);
            EXPECT_EQ(same.massFlowKgH[r][c], same.ratedMassFlowKgH[r][c]);
        }

    // With a plain density ratio the way back undoes the way there.
    const ReratedMap there = Rerate(capacity, power, cecomaf, RatingConditions {}, 1.0);
    const ReratedMap back = Rerate(there.capacity, there.power, RatingConditions {}, cecomaf, 1.0);
    ASSERT_TRUE(back.failures.empty());
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 8; ++c) {
            EXPECT_TRUE(NearRel(back.capacity[r][c], capacity[r][c], 1e-9)) << r << "," << c;
            EXPECT_TRUE(NearRel(back.power[r][c], power[r][c], 1e-9)) << r << "," << c;
        }

    // 32.2 C gas and liquid against 32 C gas and saturated liquid: at 55 C condensing the liquid
    // is 23 K colder, which adds about a fifth to the refrigerating effect.
    EXPECT_GT(there.capacity[2][4] / capacity[2][4], 1.15);
    EXPECT_LT(there.capacity[0][4] / capacity[0][4], 1.05);
}

// Blank cells stay blank without a word; a point the new conditions give no state stays NaN
// and is named.
TEST_F(ReratedPublishedMap, BlankAndFailedPointsStayWithoutValue) {
    Load("secop-xv72-r600a-2000rpm.csv");
    capacity[1][2] = NAN;
    power[1][2] = NAN;
    evap[7] = 35; // above the 32 C suction gas of CECOMAF
    const ReratedMap out = Rerate(capacity, power, RatingConditions {}, CecomafRating());
    EXPECT_TRUE(std::isnan(out.capacity[1][2]));
    ASSERT_EQ(out.failures.size(), 3u);
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(out.failures[static_cast<size_t>(r)].column, 7);
        EXPECT_NE(
            out.failures[static_cast<size_t>(r)].reason.find("below the dew temperature"), std::string::npos);
        EXPECT_TRUE(std::isnan(out.capacity[r][7]) && std::isnan(out.power[r][7]));
        EXPECT_TRUE(std::isfinite(out.capacity[r][6]));
    }
}

} // namespace
} // namespace velutra
