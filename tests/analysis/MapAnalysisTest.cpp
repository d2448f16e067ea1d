#include "analysis/MapAnalysis.h"

#include "IdealGasCycle.h"
#include "Tolerance.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace velutra {
namespace {

using test::IdealGasCycle;
using test::NearRel;

constexpr double kBtuPerKJ = 0.9478169879134378;

std::string Text(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

double ToKelvin(double t, bool english) {
    return english ? (t + 459.67) * 0.5555555555555556 : t + 273.15;
}

CompressorRecord MakeRecord(bool english, const std::vector<double>& cond, const std::vector<double>& evap) {
    CompressorRecord record;
    record.unitsEnglish = english ? 1 : 0;
    record.unitsSI = english ? 0 : 1;
    record.smoothAllTemps = 1;
    record.condCount = static_cast<int>(cond.size());
    record.evapCount = static_cast<int>(evap.size());
    for (std::size_t r = 0; r < cond.size(); ++r)
        record.condTempText[r] = { Text(cond[r]), Text(cond[r]) };
    for (std::size_t c = 0; c < evap.size(); ++c)
        record.evapTempText[c] = Text(evap[c]);
    return record;
}

// Plain capacities and powers, different at every point.
void FillPlainMap(CompressorRecord& record) {
    for (int r = 0; r < record.condCount; ++r) {
        for (int c = 0; c < record.evapCount; ++c) {
            record.capacityText[r][c] = Text(5000.0 + 1000.0 * c - 300.0 * r + 7.0 * r * c);
            record.powerText[r][c] = Text(900.0 + 40.0 * c + 60.0 * r);
        }
    }
}

// A map whose suction flow lies on flow(p) = f0 + f1 p and whose isentropic efficiency on
// eff(p) = e0 + e1 p + e2 p^2 (plus rowOffset * r), worked out from the ideal-gas cycle's
// closed forms.
struct Curves {
    double f0 = 12.0;
    double f1 = -0.2;
    double e0 = 0.42;
    double e1 = 0.03;
    double e2 = -0.001;
    double rowOffset = 0;
};

double CurveEfficiency(const Curves& k, double p, int r) {
    return k.e0 + k.e1 * p + k.e2 * p * p + k.rowOffset * r;
}

// Fills the map so that every point has the suction flow flow(p, Pe, r) in m3/h and the
// isentropic efficiency eff(p, Pe, r), from the ideal-gas cycle's closed forms.
template <typename Flow, typename Efficiency>
void FillMapFrom(CompressorRecord& record, Flow flow, Efficiency eff) {
    const bool english = record.unitsEnglish == 1;
    for (int r = 0; r < record.condCount; ++r) {
        for (int c = 0; c < record.evapCount; ++c) {
            const double pe
                = IdealGasCycle::DewPressure(ToKelvin(std::stod(record.evapTempText[c]), english));
            const double pc
                = IdealGasCycle::DewPressure(ToKelvin(std::stod(record.condTempText[r][0]), english));
            const double p = pc / pe;
            const double rho = IdealGasCycle::kM * IdealGasCycle::SuctionDensity(pe); // kg/m3
            const double massFlow = flow(p, pe, r) * rho; // kg/h
            const double qKJh = massFlow * (IdealGasCycle::kH1 - IdealGasCycle::kH3) / IdealGasCycle::kM;
            const double workKJh = massFlow * IdealGasCycle::IsentropicWork(p) / IdealGasCycle::kM;
            record.capacityText[r][c] = Text(qKJh / (english ? 1.055056 : 4.1848));
            record.powerText[r][c] = Text(workKJh / eff(p, pe, r) / 3.6);
        }
    }
}

void FillMapOnCurves(CompressorRecord& record, const Curves& k) {
    FillMapFrom(
        record, [&k](double p, double, int) { return k.f0 + k.f1 * p; },
        [&k](double p, double, int r) { return CurveEfficiency(k, p, r); });
}

double RatingRatio() {
    return IdealGasCycle::DewPressure(327.59) / IdealGasCycle::DewPressure(249.82);
}

// EER at the rating point for an efficiency e there: the flow cancels, leaving
// 0.9478... * 3.6 * e * (h1 - h3) / (h2s - h1).
double RatingEER(double efficiency) {
    return kBtuPerKJ * 3.6 * efficiency * (IdealGasCycle::kH1 - IdealGasCycle::kH3)
        / IdealGasCycle::IsentropicWork(RatingRatio());
}

struct Analysed {
    IdealGasCycle engine;
    CompressorRecord record;
    MapAnalysis analysis { engine, record };
    explicit Analysed(CompressorRecord r)
        : record(std::move(r)) {
        analysis.LoadOptionsFromRecord();
        analysis.ReadMapFromRecord();
        analysis.FitMap();
    }
};

TEST(PointQuantities, HandWorkedPointAndTheNinetyFahrenheitLimitInCelsius) {
    // -23.15 C is 250 K, where the ideal-gas refrigerant's dew pressure is 100 kPa. 32.22 C is
    // 305.37 K, just below 90 F (305.3722... K); 32.23 C is above it.
    CompressorRecord record = MakeRecord(false, { 32.22, 32.23, 54.44 }, { -23.15 });
    for (int r = 0; r < 3; ++r) {
        record.capacityText[r][0] = "2000";
        record.powerText[r][0] = "1500";
    }
    Analysed a(record);
    EXPECT_EQ(a.analysis.suctionFlow[0][0], -1.0);
    EXPECT_GT(a.analysis.suctionFlow[1][0], 0.0);
    EXPECT_EQ(a.analysis.validCount, 2);

    const double pe = 100.0;
    const double pc = IdealGasCycle::DewPressure(327.59);
    const double massFlow = 2000 * 4.1848 / 160.0; // kg/h
    const double rho = 100.0 * pe / (IdealGasCycle::kR * IdealGasCycle::kSuctionK);
    EXPECT_TRUE(NearRel(a.analysis.pressureRatio[2][0], pc / pe, 1e-13));
    EXPECT_TRUE(NearRel(a.analysis.suctionFlow[2][0], massFlow / rho, 1e-13));
    const double work = IdealGasCycle::IsentropicWork(pc / pe) / 100.0; // kJ/kg
    EXPECT_TRUE(NearRel(a.analysis.isentropicEff[2][0], massFlow * work / (1500 * 3.6), 1e-13));
}

TEST(ValidPoints, SortedByRatioWithEqualRatiosInWalkOrder) {
    // Two rows at the same condensing temperature: each column gives a pair of equal ratios.
    CompressorRecord record = MakeRecord(true, { 100, 100 }, { -20, -10, 0 });
    FillPlainMap(record);
    Analysed a(record);
    const MapAnalysis& m = a.analysis;
    ASSERT_EQ(m.validCount, 6);
    // Higher evaporating temperature, lower ratio: columns 2, 1, 0, each row 0 before row 1.
    const int expectedColumn[] = { 2, 2, 1, 1, 0, 0 };
    const int expectedRow[] = { 0, 1, 0, 1, 0, 1 };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(m.validFlow[i], m.suctionFlow[expectedRow[i]][expectedColumn[i]]) << "entry " << i;
        EXPECT_EQ(m.validIse[i], m.isentropicEff[expectedRow[i]][expectedColumn[i]]) << "entry " << i;
        EXPECT_EQ(m.validPressureRatio[i], m.pressureRatio[expectedRow[i]][expectedColumn[i]]);
    }
}

TEST(MapRatingEER, InterpolatedAtTheRatingPointOrZeroWhenTheMapMissesIt) {
    struct Case {
        bool english;
        std::vector<double> cond;
        std::vector<double> evap;
        double eer;
    };
    // Q = 1000 + 10 te - 5 tc and W = 200 + 2 tc, a plane that interpolation between (or beyond)
    // two rows and columns reproduces. At -10 F / 130 F: Q = 250, W = 460; at -23.33 C / 54.44 C:
    // Q = 494.5, W = 308.88, and the kcal/h EER is converted to Btu/h per W.
    const Case cases[] = {
        { true, { 110, 130 }, { 0, 10 }, 250.0 / 460.0 }, // first column above -10 F: extrapolated
        { false, { 45, 55, 65 }, { -30, -25, -20 }, 3.966 * 494.5 / 308.88 },
        // Columns -40..-20 F only, rows up to 120 F only, and a single row, which cannot be
        // interpolated even at 130 F.
        { true, { 110, 130, 150 }, { -40, -30, -20 }, 0 },
        { true, { 90, 100, 120 }, { -20, -10, 0 }, 0 },
        { true, { 130 }, { -20, 0 }, 0 },
    };
    IdealGasCycle engine;
    for (const Case& c : cases) {
        CompressorRecord record = MakeRecord(c.english, c.cond, c.evap);
        for (std::size_t r = 0; r < c.cond.size(); ++r) {
            for (std::size_t e = 0; e < c.evap.size(); ++e) {
                record.capacityText[r][e] = Text(1000 + 10 * c.evap[e] - 5 * c.cond[r]);
                record.powerText[r][e] = Text(200 + 2 * c.cond[r]);
            }
        }
        // A stale fourth column beyond the count takes no part.
        record.evapTempText[3]
            = std::string(1, '0'); // not a literal: GCC 12 misreads that assignment here (-Wrestrict)
        record.capacityText[1][3] = "9000";
        record.powerText[1][3] = "1200";
        record.mapRatingEER = 99;
        MapAnalysis(engine, record).ReadMapFromRecord();
        if (c.eer == 0)
            EXPECT_EQ(record.mapRatingEER, 0.0) << c.cond.back() << " " << c.evap.back();
        else
            EXPECT_TRUE(NearRel(record.mapRatingEER, c.eer, 1e-12)) << c.cond.back() << " " << c.evap.back();
    }
}

TEST(Options, PendingConversionTurnsOriginalMapIntoLinearSmoothing) {
    CompressorRecord record = MakeRecord(true, { 100, 120 }, { -20, 0 });
    FillPlainMap(record);
    record.convertRefrigerant = 1;
    record.refrigerantIndex = 0;
    IdealGasCycle engine;
    // The method after reading the map, for a stored method and a new refrigerant.
    const auto methodAfterRead = [&](int stored, int newRefrigerant, bool originalAvailable) {
        record.smoothingMethod = stored;
        record.newRefrigerantIndex = newRefrigerant;
        MapAnalysis analysis(engine, record);
        analysis.LoadOptionsFromRecord();
        EXPECT_EQ(analysis.smoothingMethod, stored);
        analysis.ReadMapFromRecord();
        EXPECT_EQ(analysis.OriginalMapAvailable(), originalAvailable);
        return analysis.smoothingMethod;
    };
    EXPECT_EQ(methodAfterRead(0, 3, false), 1);
    EXPECT_EQ(methodAfterRead(2, 3, false), 2);
    EXPECT_EQ(methodAfterRead(0, 0, true), 0) << "converting to the same refrigerant is no conversion";
}

class OnCurves : public ::testing::TestWithParam<bool> { };

// The first row lies below 90 F and is entered 10 % off the efficiency curve: it stays out of
// the all-points fits, gets its own row fit, and is rebuilt onto the curves like every row.
TEST_P(OnCurves, MapOnTheFittedCurvesIsRebuiltUnchanged) {
    const bool english = GetParam();
    CompressorRecord record = english
        ? MakeRecord(true, { 80, 90, 110, 125, 140, 155 }, { -40, -30, -20, -10, 0, 10, 20, 30 })
        : MakeRecord(false, { 27, 35, 45, 55, 65, 70 }, { -40, -35, -30, -25, -20, -15, -10, -5 });
    const Curves k;
    FillMapOnCurves(record, k);
    double onCurve[8];
    for (int c = 0; c < 8; ++c) {
        onCurve[c] = std::stod(record.powerText[0][c]);
        record.powerText[0][c] = Text(1.1 * onCurve[c]);
    }
    Analysed a(record);
    MapAnalysis& m = a.analysis;
    EXPECT_EQ(m.validCount, 40);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(m.suctionFlow[0][c], -1.0);
        EXPECT_EQ(a.record.suctionFlow[0][c], -1.0);
        EXPECT_GT(m.suctionFlow[1][c], 0.0) << "a row at exactly 90 F is valid";
    }
    EXPECT_TRUE(NearRel(m.fits.flow.intercept, k.f0, 1e-9));
    EXPECT_TRUE(NearRel(m.fits.flow.slope, k.f1, 1e-9));
    const double e[] = { k.e0, k.e1, k.e2 };
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(NearRel(m.fits.iseQuad[i], e[i], 1e-8));
        EXPECT_TRUE(NearRel(m.fits.iseQuadByCond[0][i], e[i] / 1.1, 1e-8));
    }

    m.smoothingMethod = 2;
    m.ApplySmoothing();
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 8; ++c) {
            const double power = r == 0 ? onCurve[c] : std::stod(record.powerText[r][c]);
            EXPECT_TRUE(NearRel(m.capacity[r][c], std::stod(record.capacityText[r][c]), 1e-9))
                << r << "," << c;
            EXPECT_TRUE(NearRel(m.power[r][c], power, 1e-9)) << r << "," << c;
        }
    }
    const double p = RatingRatio();
    EXPECT_TRUE(NearRel(a.record.smoothedRatingEER, RatingEER(k.e0 + k.e1 * p + k.e2 * p * p), 1e-9));

    // The volumetric efficiency is the flow line over its intercept, times 0.98.
    m.VolumetricEfficiencyPoints();
    ASSERT_EQ(m.validCount, 40);
    for (int i = 0; i < m.validCount; ++i)
        EXPECT_TRUE(NearRel(m.validFlow[i], 0.98 * (k.f0 + k.f1 * m.validPressureRatio[i]) / k.f0, 1e-9));
}

INSTANTIATE_TEST_SUITE_P(EnglishAndSI, OnCurves, ::testing::Bool());

TEST(Smoothing, QuadraticAfterLinearStillUsesTheFitsOfTheEnteredMap) {
    CompressorRecord record = MakeRecord(true, { 90, 110, 130 }, { -30, -20, -10, 0, 10 });
    const Curves k;
    FillMapOnCurves(record, k);
    Analysed a(record);
    MapAnalysis& m = a.analysis;

    m.smoothingMethod = 1;
    m.ApplySmoothing();
    const double linearRebuilt = m.capacity[0][0] / m.power[0][0];
    const double entered = std::stod(record.capacityText[0][0]) / std::stod(record.powerText[0][0]);
    EXPECT_GT(test::RelativeDifference(linearRebuilt, entered), 1e-3)
        << "the linear fit should not reproduce a parabola";

    m.smoothingMethod = 2;
    m.ApplySmoothing();
    EXPECT_TRUE(NearRel(m.fits.iseQuad[2], k.e2, 1e-8));
    for (int c = 0; c < 5; ++c)
        EXPECT_TRUE(NearRel(m.power[2][c], std::stod(record.powerText[2][c]), 1e-9));

    // Back to the entered map: the texts are read again.
    m.smoothingMethod = 0;
    m.ApplySmoothing();
    EXPECT_EQ(m.capacity[1][3], std::stod(record.capacityText[1][3]));
}

TEST(Smoothing, PerRowSmoothingRatesTheEERWithTheAllPointsFit) {
    CompressorRecord record = MakeRecord(true, { 90, 110, 130 }, { -30, -20, -10, 0, 10 });
    Curves k;
    k.e2 = 0;
    k.rowOffset = -0.03; // each row on its own line
    FillMapOnCurves(record, k);
    record.smoothAllTemps = 0;
    record.smoothEachCondTemp = 1;
    Analysed a(record);
    MapAnalysis& m = a.analysis;
    EXPECT_TRUE(NearRel(m.fits.iseLineByCond[2].intercept, k.e0 - 0.06, 1e-9));

    m.smoothingMethod = 1;
    m.ApplySmoothing();
    // Per-row lines reproduce each row ...
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_TRUE(NearRel(m.power[r][c], std::stod(record.powerText[r][c]), 1e-9));
    // ... but the EER comes from the line over all points, which no row lies on.
    const double p = RatingRatio();
    EXPECT_TRUE(NearRel(
        a.record.smoothedRatingEER, RatingEER(m.fits.iseLine.intercept + m.fits.iseLine.slope * p), 1e-12));
    EXPECT_FALSE(NearRel(a.record.smoothedRatingEER,
        RatingEER(m.fits.iseLineByCond[2].intercept + m.fits.iseLineByCond[2].slope * p), 1e-3));
}

// A row above the critical point used to give NaN fits and a NaN rebuilt map without a word;
// now its points are listed with their temperatures and the library's reason, and left out.
TEST(Failures, PointsAboveTheCriticalPointAreListedAndLeftOutOfTheFits) {
    CompressorRecord record = MakeRecord(true, { 90, 110, 130, 150 }, { -30, -20, -10, 0, 10 });
    const Curves k;
    FillMapOnCurves(record, k); // the 150 F row has numbers too; only its states fail
    IdealGasCycle engine;
    engine.criticalTempK = 333.0; // between 130 F (327.6 K) and 150 F (338.7 K)
    record.smoothingMethod = 2;
    MapAnalysis m(engine, record);
    m.Run();

    int enteredPoints = 0;
    for (const AnalysisFailure& failure : m.Failures()) {
        EXPECT_EQ(failure.row, 3);
        EXPECT_EQ(failure.condTemp, 150.0);
        if (failure.stage == AnalysisFailure::Stage::EnteredPoint) {
            EXPECT_EQ(failure.evapTemp, -30.0 + 10.0 * failure.column);
            EXPECT_EQ(failure.reason, "temperature above the critical point");
            EXPECT_TRUE(m.PointFailed(3, failure.column));
            ++enteredPoints;
        }
    }
    EXPECT_EQ(enteredPoints, 5);
    ASSERT_EQ(m.Failures().size(), 6u) << "the five points and the fits of their row";
    EXPECT_EQ(m.Failures().back().stage, AnalysisFailure::Stage::Fit);
    EXPECT_NE(
        m.Failures()[0].Describe("F").find("row 4 (condensing 150.0 F), column 1 (evaporating -30.0 F)"),
        std::string::npos)
        << m.Failures()[0].Describe("F");

    // The three sound rows alone determine the curves, and rebuild onto the entered map.
    EXPECT_EQ(m.validCount, 15);
    EXPECT_TRUE(NearRel(m.fits.flow.intercept, k.f0, 1e-9));
    EXPECT_TRUE(NearRel(m.fits.iseQuad[2], k.e2, 1e-8));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_TRUE(NearRel(m.power[r][c], std::stod(record.powerText[r][c]), 1e-9));
    for (int c = 0; c < 5; ++c)
        EXPECT_TRUE(std::isnan(m.capacity[3][c]) && std::isnan(m.power[3][c]));
    EXPECT_TRUE(NearRel(record.smoothedRatingEER, RatingEER(CurveEfficiency(k, RatingRatio(), 0)), 1e-9));

    // Smoothing again lists nothing twice.
    m.smoothingMethod = 1;
    m.ApplySmoothing();
    EXPECT_EQ(m.Failures().size(), 6u);

    // A rating point beyond the critical point leaves the smoothed EER undefined, and says so.
    IdealGasCycle lowCritical;
    lowCritical.criticalTempK = 320.0; // above 110 F (316.5 K), below the rating point's 130 F
    CompressorRecord low = MakeRecord(true, { 90, 110 }, { -30, -20, -10 });
    FillMapOnCurves(low, k);
    low.smoothingMethod = 1;
    MapAnalysis lowAnalysis(lowCritical, low);
    lowAnalysis.Run();
    ASSERT_EQ(lowAnalysis.Failures().size(), 1u);
    EXPECT_EQ(lowAnalysis.Failures()[0].stage, AnalysisFailure::Stage::RatingPoint);
    EXPECT_TRUE(std::isnan(low.smoothedRatingEER));
}

// z = c0 + c1 x + c2 y + c3 x^2 + c4 x y + c5 x^3 with x = ln p, y = ln(Pe / kPa), written out
// here rather than through the code under test.
double SixTerms(const std::array<double, 6>& k, double p, double pe) {
    const double x = std::log(p);
    const double y = std::log(pe);
    return k[0] + k[1] * x + k[2] * y + k[3] * x * x + k[4] * x * y + k[5] * x * x * x;
}

TEST(TwoVariableFit, MapMadeFromTheSixTermModelIsRecoveredExactly) {
    const std::array<double, 6> flowTerms = { 9.0, -2.1, 0.8, 0.35, -0.12, -0.02 };
    const std::array<double, 6> effTerms = { 0.30, 0.21, 0.015, -0.06, -0.004, 0.005 };
    CompressorRecord record = MakeRecord(false, { 35, 45, 55, 65 }, { -35, -30, -25, -20, -15, -10, -5 });
    FillMapFrom(
        record, [&](double p, double pe, int) { return SixTerms(flowTerms, p, pe); },
        [&](double p, double pe, int) { return SixTerms(effTerms, p, pe); });
    record.smoothingMethod = 3;
    IdealGasCycle engine;
    MapAnalysis m(engine, record);
    m.Run();
    ASSERT_EQ(m.SmoothingRefusal(3), "");
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(m.fits.flowSurface.c[k], flowTerms[k], 1e-8 * std::fabs(flowTerms[k])) << k;
        EXPECT_NEAR(m.fits.iseSurface.c[k], effTerms[k], 1e-7 * std::fabs(effTerms[k])) << k;
    }
    EXPECT_EQ(m.Quality().points, 28);
    EXPECT_LT(m.Quality().capacityMax, 1e-9);
    EXPECT_LT(m.Quality().powerMax, 1e-9);
    m.StoreResultsInRecord();
    EXPECT_EQ(record.flowSurface, m.fits.flowSurface.c);

    // The rating point (-23.3 C / 54.4 C) lies inside this map's ratios and suction pressures,
    // and its EER follows from the surface's efficiency there.
    EXPECT_FALSE(m.SmoothedRatingExtrapolated());
    const double pe = IdealGasCycle::DewPressure(249.82);
    EXPECT_TRUE(NearRel(record.smoothedRatingEER, RatingEER(SixTerms(effTerms, RatingRatio(), pe)), 1e-9));

    // The line in the ratio alone cannot follow the suction-pressure term: the quality says so.
    m.smoothingMethod = 1;
    m.ApplySmoothing();
    EXPECT_GT(m.Quality().capacityRms, 0.5);
    EXPECT_GE(m.Quality().capacityMax, m.Quality().capacityRms);
}

TEST(TwoVariableFit, MapsThatCannotDetermineSixTermsAreRefusedAndLeftAlone) {
    struct Case {
        std::vector<double> cond;
        std::vector<double> evap;
        const char* why;
    };
    const Case cases[] = {
        { { 110 }, { -30, -20, -10, 0, 10, 20, 30 }, "one condensing temperature" },
        { { 100, 120 }, { -20, -10 }, "at least six valid points; the map has 4" },
        { { 80, 85, 100 }, { -20, -10, 0 }, "at least six valid points; the map has 3" }, // below 90 F
        { { 100, 110, 120, 130, 140, 150 }, { -10 }, "do not determine the six terms" }, // one column
    };
    for (const Case& c : cases) {
        CompressorRecord record = MakeRecord(true, c.cond, c.evap);
        FillPlainMap(record);
        record.smoothingMethod = 3;
        IdealGasCycle engine;
        MapAnalysis m(engine, record);
        m.Run();
        const std::string refusal = m.SmoothingRefusal(3);
        EXPECT_NE(refusal.find(c.why), std::string::npos) << refusal;
        EXPECT_EQ(m.SmoothingRefusal(2), "");
        // The working map stays the entered one.
        for (int r = 0; r < record.condCount; ++r)
            for (int col = 0; col < record.evapCount; ++col)
                EXPECT_EQ(m.power[r][col], std::stod(record.powerText[r][col]));
    }
}

TEST(FitQuality, ZeroForTheEnteredMapAndUndefinedOffTheValidPoints) {
    CompressorRecord record = MakeRecord(true, { 80, 100, 120 }, { -20, -10, 0, 10 });
    Curves k;
    FillMapOnCurves(record, k);
    IdealGasCycle engine;
    MapAnalysis m(engine, record);
    m.Run();
    const FitQuality& q = m.Quality();
    EXPECT_EQ(q.points, 8) << "the 80 F row has no valid point";
    EXPECT_EQ(q.capacityMax, 0.0);
    EXPECT_EQ(q.powerRms, 0.0);
    EXPECT_TRUE(std::isnan(q.capacityDeviation[0][0]));
    EXPECT_TRUE(std::isnan(q.powerDeviation[1][4])) << "a column out of use";

    // Quadratic smoothing of a map on its curves rebuilds it.
    m.smoothingMethod = 2;
    m.ApplySmoothing();
    EXPECT_LT(m.Quality().powerMax, 1e-9);

    // One power 10 % high: the worst deviation is near that point, the RMS smaller.
    record.powerText[2][1] = Text(std::stod(record.powerText[2][1]) * 1.1);
    record.smoothingMethod = 2;
    m.Run();
    EXPECT_GT(m.Quality().powerMax, 5.0);
    EXPECT_LT(m.Quality().powerRms, m.Quality().powerMax);
    EXPECT_TRUE(std::fabs(m.Quality().powerDeviation[2][1]) > 5.0);
}

TEST(Extrapolation, RangeOfTheEnteredMapAndTheRatingPoint) {
    OperatingRange range;
    range.Add(2.0, 100.0);
    range.Add(8.0, 300.0);
    range.MakeHull();
    EXPECT_TRUE(range.Contains(2.0, 300.0)) << "two points span a box";
    EXPECT_FALSE(range.Contains(8.01, 200.0));
    EXPECT_FALSE(range.Contains(4.0, 99.0));
    EXPECT_FALSE(OperatingRange {}.Contains(4.0, 200.0)) << "an empty range holds nothing";

    // Points with a corner left blank: inside both ranges, but beyond what the points cover.
    OperatingRange corner;
    for (const auto& [ratio, pressure] :
        { std::pair { 2.0, 100.0 }, { 8.0, 100.0 }, { 2.0, 300.0 }, { 4.0, 100.0 } })
        corner.Add(ratio, pressure);
    corner.MakeHull();
    EXPECT_EQ(corner.hull.size(), 3u) << "a point on an edge is no vertex";
    EXPECT_FALSE(corner.Contains(7.0, 290.0));
    EXPECT_TRUE(corner.Contains(3.0, 120.0));
    for (const auto& [ratio, pressure] :
        { std::pair { 2.0, 100.0 }, { 8.0, 100.0 }, { 2.0, 300.0 }, { 4.0, 100.0 } })
        EXPECT_TRUE(corner.Contains(ratio, pressure)) << "the map's own points are inside: " << ratio;

    EXPECT_FALSE(UnsoundPoint(0.6, 0.9, 1.2));
    EXPECT_TRUE(UnsoundPoint(1.05, 0.9, 1.2));
    EXPECT_TRUE(UnsoundPoint(0.6, 0.0, 1.2));
    EXPECT_TRUE(UnsoundPoint(0.6, 0.9, -0.1));
    EXPECT_TRUE(UnsoundPoint(std::nan(""), 0.9, 1.2));

    // Rows 140 and 150 F from 0 F: the rating point (-10 F / 130 F) lies before the first row
    // and column, and its suction pressure below the map's, so both EERs are extrapolations.
    CompressorRecord record = MakeRecord(true, { 140, 150 }, { 0, 10, 20 });
    FillMapOnCurves(record, Curves {});
    record.smoothingMethod = 1;
    IdealGasCycle engine;
    MapAnalysis m(engine, record);
    m.Run();
    EXPECT_TRUE(m.MapRatingExtrapolated());
    EXPECT_TRUE(m.SmoothedRatingExtrapolated());
    EXPECT_FALSE(m.EnteredRange().empty);

    // From -20 F the rating point's ratio and suction pressure lie inside the ranges of the
    // entered ones, but its 130 F precedes the first row: at its suction pressure every entered
    // ratio is higher, so it lies outside the region the points cover.
    record.evapTempText[0] = "-20";
    m.Run();
    EXPECT_TRUE(m.MapRatingExtrapolated());
    EXPECT_TRUE(m.SmoothedRatingExtrapolated());

    // With a row at 120 F the point lies between the rows and columns: neither is extrapolated.
    record.condTempText[0] = { "120", "120" };
    FillMapOnCurves(record, Curves {});
    m.Run();
    EXPECT_FALSE(m.MapRatingExtrapolated());
    EXPECT_FALSE(m.SmoothedRatingExtrapolated());
}

TEST(Robustness, UndefinedFitsAreStoredAsTheyCome) {
    // Every row below 90 F leaves no valid point; one power is zero.
    CompressorRecord record = MakeRecord(true, { 70, 80 }, { 0, 10 });
    FillPlainMap(record);
    record.powerText[1][0] = "0";
    Analysed a(record);
    MapAnalysis& m = a.analysis;
    EXPECT_EQ(m.validCount, 0);
    EXPECT_TRUE(std::isinf(m.isentropicEff[1][0]));
    EXPECT_FALSE(std::isfinite(m.fits.flow.intercept) || std::isfinite(m.fits.flow.slope));
    m.smoothingMethod = 2;
    m.ApplySmoothing();
    m.VolumetricEfficiencyPoints();
    m.StoreResultsInRecord();
    EXPECT_FALSE(std::isfinite(a.record.capacity[1][0]) || std::isfinite(a.record.smoothedRatingEER)
        || std::isfinite(a.record.iseQuad[0]));
}

TEST(Robustness, CountsOutsideTheTablesAreHeldInside) {
    struct Case {
        int condCount;
        int evapCount;
        int rows;
        int columns;
        int calls;
    };
    // One cycle per point to fit, one per point and the rating point to rebuild; with no row in
    // use no cycle at all, and the record's smoothed EER stays as it was.
    const Case cases[] = { { 9, 12, 6, 8, 48 + 48 + 1 }, { -2, 3, 0, 3, 0 } };
    for (const Case& c : cases) {
        CompressorRecord record
            = MakeRecord(true, { 90, 100, 110, 120, 130, 140 }, { -40, -30, -20, -10, 0, 10, 20, 30 });
        FillPlainMap(record);
        record.condCount = c.condCount;
        record.evapCount = c.evapCount;
        record.smoothedRatingEER = 7;
        Analysed a(record);
        a.analysis.smoothingMethod = 1;
        a.analysis.ApplySmoothing();
        a.analysis.StoreResultsInRecord();
        SCOPED_TRACE(c.condCount);
        EXPECT_EQ(a.analysis.RowsInUse(), c.rows);
        EXPECT_EQ(a.analysis.ColumnsInUse(), c.columns);
        EXPECT_EQ(a.analysis.validCount, c.rows * c.columns);
        EXPECT_EQ(a.engine.calls, c.calls);
        EXPECT_EQ(a.record.smoothedRatingEER == 7.0, c.rows == 0);
        EXPECT_EQ(a.record.mapRatingEER == 0.0, c.rows == 0);
    }
}

} // namespace
} // namespace velutra
