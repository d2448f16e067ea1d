// Published manufacturer maps through the real property engine: the derived efficiencies must be
// what an engineer would accept for these compressors.
#include "analysis/MapAnalysis.h"
#include "analysis/PublishedMapCsv.h"
#include "props/PropertyEngine.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace velutra {
namespace {

struct Range {
    double low = INFINITY;
    double high = -INFINITY;
    void Add(double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    }
};

struct RealMap : ::testing::Test {
    PropertyEngine engine;
    CompressorRecord record;

    // Reads the map and sets up its refrigerant; false (with the test skipped) when the property
    // library cannot set the refrigerant up yet.
    bool Load(const std::string& file) {
        record.ApplyNewDefaults();
        ReadPublishedMap(std::string(VELUTRA_SHARED_DIR "/maps/") + file, record);
        const SetupResult setup = engine.SetupFluid(record.refrigerantIndex);
        if (!setup.ok) {
            const bool blend = record.refrigerantIndex == 3 || record.refrigerantIndex == 4;
            EXPECT_TRUE(blend) << setup.message;
            return false;
        }
        return true;
    }
};

TEST_F(RealMap, SecopR600aHouseholdCompressor) {
    ASSERT_TRUE(Load("secop-xv72-r600a-2000rpm.csv"));
    MapAnalysis m(engine, record);
    m.ReadMapFromRecord();
    m.FitMap();
    ASSERT_EQ(m.validCount, 24);

    // Displacement 7.48 cm3 at 2000 rpm: 0.8976 m3/h. The data sheet's suction gas is at 32 C,
    // the analysis takes 32.2 C, so suction flow over displacement is the real volumetric
    // efficiency to within a tenth of a percent.
    const double displacement = 7.48e-6 * 2000 * 60;
    Range isentropic;
    Range volumetric;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 8; ++c) {
            isentropic.Add(m.isentropicEff[r][c]);
            volumetric.Add(m.suctionFlow[r][c] / displacement);
        }
    }
    // A small reciprocating hermetic at 2000 rpm: electrical isentropic efficiency 0.4 to 0.7.
    // Volumetric efficiency up to 1.0, and down to about 0.4 at the far corner of the map
    // (-35 C / 55 C, pressure ratio near 20), where re-expansion and suction-gas heating of a small
    // cylinder take that much.
    EXPECT_GT(isentropic.low, 0.4);
    EXPECT_LT(isentropic.high, 0.7);
    EXPECT_GT(volumetric.low, 0.4);
    EXPECT_LT(volumetric.high, 1.0);
    EXPECT_LT(m.fits.flow.slope, 0.0) << "suction flow falls as the pressure ratio rises";

    m.VolumetricEfficiencyPoints();
    Range plotted;
    for (int i = 0; i < m.validCount; ++i)
        plotted.Add(m.validFlow[i]);
    EXPECT_GT(plotted.low, 0.5);
    EXPECT_LE(plotted.high, 0.98);

    const double mapEER = record.mapRatingEER;
    m.smoothingMethod = 2;
    m.ApplySmoothing();
    // Both EERs describe the same compressor at the same point: a few per cent apart at most.
    EXPECT_GT(mapEER, 2.0);
    EXPECT_NEAR(record.smoothedRatingEER / mapEER, 1.0, 0.1);
}

TEST_F(RealMap, CopelandR404ACommercialCompressor) {
    if (!Load("copeland-cs20k6e-r404a.csv"))
        GTEST_SKIP() << "the property library cannot set up R404A yet";
    MapAnalysis m(engine, record);
    m.ReadMapFromRecord();
    EXPECT_EQ(record.mapRatingEER, 0.0) << "rows up to 120 F do not reach the 130 F rating point";
    m.FitMap();
    ASSERT_EQ(m.validCount, 20);

    Range isentropic;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c)
            isentropic.Add(m.isentropicEff[r][c]);
    // A commercial hermetic of 2 kW input: 0.4 to 0.8 (0.45 at 0 F / 120 F, its hardest point).
    EXPECT_GT(isentropic.low, 0.4);
    EXPECT_LT(isentropic.high, 0.8);

    m.smoothingMethod = 1;
    m.ApplySmoothing();
    // The rating point lies outside this medium-temperature map (-10 F against its 0 F, 130 F
    // against its 120 F), so the EER is extrapolated: 2 to 6 Btu/h per W is what an R404A
    // compressor gives there.
    EXPECT_GT(record.smoothedRatingEER, 2.0);
    EXPECT_LT(record.smoothedRatingEER, 6.0);
}

// The two-variable fit follows both published maps to about their rounding (capacities and
// powers to 1 W, about 1 % at the smallest powers), where a curve in the pressure ratio alone
// misses by 7 to 10 % RMS.
TEST_F(RealMap, TwoVariableFitFollowsThePublishedMaps) {
    for (const char* file : { "secop-xv72-r600a-2000rpm.csv", "copeland-cs20k6e-r404a.csv" }) {
        SCOPED_TRACE(file);
        if (!Load(file))
            continue;
        record.smoothingMethod = 3;
        MapAnalysis m(engine, record);
        m.Run();
        ASSERT_EQ(m.SmoothingRefusal(3), "");
        const FitQuality& q = m.Quality();
        EXPECT_EQ(q.points, m.validCount);
        EXPECT_LT(q.capacityRms, 1.0);
        EXPECT_LT(q.powerRms, 1.0);
        EXPECT_LT(q.capacityMax, 3.0);
        EXPECT_LT(q.powerMax, 3.0);

        // The ratio-only line misses by more, which is why the surface is worth having.
        m.smoothingMethod = 1;
        m.ApplySmoothing();
        EXPECT_GT(m.Quality().capacityRms, 5.0);
    }
}

} // namespace
} // namespace velutra
