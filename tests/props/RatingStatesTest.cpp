// Cycle states at rating conditions other than the default, against states worked out here
// from the library's own routines by another path: bubble and dew temperatures by bisection on
// SATT, the liquid from the saturated-liquid density or a TP flash rather than the engine's
// liquid root.
#include "Tolerance.h"
#include "props/PropertyEngine.h"
#include "props/PropertyLibrary.h"
#include "props/RefrigerantFluids.h"
#include "record/RatingConditionsText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace velutra {
namespace {

using test::NearRel;

constexpr int kR404A = 3;
constexpr int kR600a = 5;
constexpr int kR449A = 13;
constexpr double kC = 273.15;
// The engine's bubble and mid-point solves stop within 1e-10 of the temperature.
constexpr double kTol = 1e-9;

RatingConditions Conditions(const char* text) {
    const ParsedRatingConditions parsed = ParseRatingConditions(text);
    EXPECT_TRUE(parsed.ok()) << parsed.error;
    return parsed.value;
}

// The library's routines called directly, for the fluid the engine has set up.
class Raw {
public:
    explicit Raw(int code) {
        const std::string error = library_.Load(e_);
        if (!error.empty())
            throw std::runtime_error(error);
        const RefrigerantFluids& fluid = kRefrigerantFluids[code];
        std::copy(fluid.composition.begin(), fluid.composition.end(), x_);
    }

    // Saturation pressure at T: kph 1 bubble, 2 dew; the liquid density of the bubble point.
    double Sat(double t, int kph, double* liquidDensity = nullptr) {
        double p, dl, dv, xl[5], xv[5];
        int ierr = 0;
        char herr[256] = {};
        e_.satt(&t, x_, &kph, &p, &dl, &dv, xl, xv, &ierr, herr, 255);
        if (liquidDensity)
            *liquidDensity = dl;
        return ierr == 0 ? p : NAN;
    }

    // The temperature whose saturation pressure of the given kind is p, by bisection.
    double SatTemp(double p, int kph, double low, double high) {
        for (int i = 0; i < 200 && high - low > 1e-12; ++i) {
            const double mid = 0.5 * (low + high);
            (Sat(mid, kph) < p ? low : high) = mid;
        }
        return 0.5 * (low + high);
    }

    struct State {
        double h, s, d, q;
    };
    State Flash(double t, double p) {
        double d, dl, dv, xl[5], xv[5], q, e, h, s, cv, cp, w;
        int ierr = 0;
        char herr[256] = {};
        e_.tpflsh(&t, &p, x_, &d, &dl, &dv, xl, xv, &q, &e, &h, &s, &cv, &cp, &w, &ierr, herr, 255);
        return { h, s, d, q };
    }
    double EnthalpyAt(double t, double rho) {
        double p, e, h, s, cv, cp, w, hjt;
        e_.therm(&t, &rho, x_, &p, &e, &h, &s, &cv, &cp, &w, &hjt);
        return h;
    }
    double IsentropicEnthalpy(double p, double s) {
        double t, d, dl, dv, xl[5], xv[5], q, e, h, cv, cp, w;
        int ierr = 0;
        char herr[256] = {};
        e_.psflsh(&p, &s, x_, &t, &d, &dl, &dv, xl, xv, &q, &e, &h, &cv, &cp, &w, &ierr, herr, 255);
        return h;
    }

private:
    PropertyLibrary library_;
    EntryPoints e_;
    double x_[5] = {};
};

class RatingStates : public ::testing::Test {
protected:
    Raw SetUpFluid(int code) {
        const SetupResult setup = engine.SetupFluid(code);
        EXPECT_TRUE(setup.ok) << setup.message;
        return Raw(code);
    }
    PropertyEngine engine;
};

// Household R600a at CECOMAF: 32 C suction gas, saturated liquid at the condensing temperature.
TEST_F(RatingStates, PureFluidAtCecomafHasSaturatedLiquidAndGasAt32C) {
    Raw raw = SetUpFluid(kR600a);
    for (const auto& [te, tc] : { std::pair { -25.0, 55.0 }, std::pair { -35.0, 35.0 } }) {
        SCOPED_TRACE(testing::Message() << te << " C / " << tc << " C");
        const CycleStateResult s = engine.CycleStates(te + kC, tc + kC, Conditions("cecomaf"));
        ASSERT_TRUE(s.error.empty()) << s.error;
        const double pe = raw.Sat(te + kC, 2);
        const Raw::State gas = raw.Flash(32 + kC, pe);
        double liquidDensity = 0;
        const double pc = raw.Sat(tc + kC, 1, &liquidDensity);
        EXPECT_TRUE(NearRel(s.Pe, pe, kTol));
        EXPECT_TRUE(NearRel(s.Pc, pc, kTol));
        EXPECT_TRUE(NearRel(s.h1, gas.h, kTol));
        EXPECT_TRUE(NearRel(s.d1, gas.d, kTol));
        EXPECT_TRUE(NearRel(s.h3, raw.EnthalpyAt(tc + kC, liquidDensity), 1e-8));
        EXPECT_TRUE(NearRel(s.h2s, raw.IsentropicEnthalpy(pc, gas.s), kTol));
        EXPECT_EQ(s.Tbubble, tc + kC);
        EXPECT_EQ(s.Tliquid, tc + kC);
        EXPECT_FALSE(LiquidAboveCondensing(Conditions("cecomaf"), tc + kC, s));
    }
}

// R404A with 10 K superheat and 5 K subcooling: the subcooling counts from the bubble
// temperature at the condensing (dew) pressure, which lies below the map's 40 C by the glide.
TEST_F(RatingStates, BlendSubcoolingCountsFromTheBubbleTemperature) {
    Raw raw = SetUpFluid(kR404A);
    const double te = -10 + kC, tc = 40 + kC;
    const CycleStateResult s = engine.CycleStates(te, tc, Conditions("superheat=10K,subcooling=5K"));
    ASSERT_TRUE(s.error.empty()) << s.error;
    const double pe = raw.Sat(te, 2);
    const double pc = raw.Sat(tc, 2);
    const double bubble = raw.SatTemp(pc, 1, tc - 5, tc);
    EXPECT_GT(tc - bubble, 0.1);
    EXPECT_LT(tc - bubble, 1.0) << "R404A glides about half a kelvin";
    const Raw::State gas = raw.Flash(te + 10, pe);
    const Raw::State liquid = raw.Flash(bubble - 5, pc);
    EXPECT_EQ(liquid.q, 0.0) << "subcooled liquid";
    EXPECT_TRUE(NearRel(s.Tbubble, bubble, 1e-11));
    EXPECT_TRUE(NearRel(s.Tliquid, bubble - 5, 1e-11));
    EXPECT_TRUE(NearRel(s.h1, gas.h, kTol));
    EXPECT_TRUE(NearRel(s.d1, gas.d, kTol));
    EXPECT_TRUE(NearRel(s.h3, liquid.h, kTol));
    EXPECT_TRUE(NearRel(s.h2s, raw.IsentropicEnthalpy(pc, gas.s), kTol));
}

// R449A on mid-point temperatures: Pe and Pc are the pressures at which dew and bubble
// temperatures average the map's, and the superheat counts from that pressure's dew point.
TEST_F(RatingStates, MidPointBasisFindsThePressureOfTheMeanTemperature) {
    Raw raw = SetUpFluid(kR449A);
    const auto dewOfMidPoint = [&](double mid) {
        double low = mid, high = mid + 10;
        for (int i = 0; i < 200 && high - low > 1e-12; ++i) {
            const double dew = 0.5 * (low + high);
            const double bubble = raw.SatTemp(raw.Sat(dew, 2), 1, dew - 15, dew);
            (0.5 * (dew + bubble) < mid ? low : high) = dew;
        }
        return 0.5 * (low + high);
    };
    const double te = -10 + kC, tc = 40 + kC;
    const CycleStateResult s = engine.CycleStates(te, tc, Conditions("en12900,basis=midpoint"));
    ASSERT_TRUE(s.error.empty()) << s.error;
    const double teDew = dewOfMidPoint(te), tcDew = dewOfMidPoint(tc);
    EXPECT_GT(teDew - te, 1.0) << "half of R449A's glide of 4 to 6 K";
    EXPECT_LT(teDew - te, 3.5);
    const double pe = raw.Sat(teDew, 2), pc = raw.Sat(tcDew, 2);
    const double bubble = raw.SatTemp(pc, 1, tcDew - 15, tcDew);
    double liquidDensity = 0;
    raw.Sat(bubble, 1, &liquidDensity);
    const Raw::State gas = raw.Flash(teDew + 10, pe);

    EXPECT_TRUE(NearRel(s.Te, teDew, 1e-11));
    EXPECT_TRUE(NearRel(s.Tc, tcDew, 1e-11));
    EXPECT_TRUE(NearRel(s.Pe, pe, kTol));
    EXPECT_TRUE(NearRel(s.Pc, pc, kTol));
    EXPECT_TRUE(NearRel(s.Tbubble, bubble, 1e-11));
    EXPECT_TRUE(NearRel(s.h1, gas.h, kTol));
    EXPECT_TRUE(NearRel(s.h3, raw.EnthalpyAt(bubble, liquidDensity), 1e-8));
    EXPECT_TRUE(NearRel(s.h2s, raw.IsentropicEnthalpy(pc, gas.s), kTol));

    // A liquid temperature on the mid-point basis is compared with the bubble temperature.
    const RatingConditions warm = Conditions("gas=32C,liquid=38C,basis=midpoint");
    EXPECT_TRUE(LiquidAboveCondensing(warm, tc, engine.CycleStates(te, tc, warm)));
    const RatingConditions cool = Conditions("gas=32C,liquid=36C,basis=midpoint");
    EXPECT_FALSE(LiquidAboveCondensing(cool, tc, engine.CycleStates(te, tc, cool)));
}

// The default rating keeps its rule for blends: a row just above 90 F condenses with the liquid
// inside the glide taken as metastable liquid, as the analysis always did; just below, no flow.
TEST_F(RatingStates, AshraeKeepsItsNinetyFahrenheitRuleForBlends) {
    SetUpFluid(kR404A);
    const double te = (-10 + 459.67) / 1.8;
    const RatingConditions ashrae;
    const CycleStateResult above = engine.CycleStates(te, (91 + 459.67) / 1.8, ashrae);
    EXPECT_TRUE(above.error.empty()) << above.error;
    EXPECT_FALSE(LiquidAboveCondensing(ashrae, (91 + 459.67) / 1.8, above));
    EXPECT_TRUE(std::isnan(above.Tbubble)) << "not solved for: the steps stay as they were";
    EXPECT_GT((above.h1 - above.h3) / above.M, 80.0) << "kJ/kg";
    EXPECT_FALSE(LiquidAboveCondensing(ashrae, RatingConditions::kAshraeLineTempK, above));
    const double below = std::nextafter(RatingConditions::kAshraeLineTempK, 0.0);
    EXPECT_TRUE(LiquidAboveCondensing(ashrae, below, engine.CycleStates(te, below, ashrae)));
}

TEST_F(RatingStates, ConditionsWithoutAStateFailWithAMessage) {
    SetUpFluid(kR600a);
    // 32 C gas cannot enter at a 35 C evaporating temperature.
    const CycleStateResult warm = engine.CycleStates(35 + kC, 55 + kC, Conditions("cecomaf"));
    EXPECT_NE(warm.error.find("below the dew temperature"), std::string::npos) << warm.error;
    EXPECT_TRUE(std::isnan(warm.h1));
    EXPECT_TRUE(std::isnan(warm.h2s));

    // Far past the equation's temperature range.
    const CycleStateResult hot
        = engine.CycleStates(-25 + kC, 55 + kC, Conditions("superheat=2000K,subcooling=0K"));
    EXPECT_NE(hot.error.find("suction gas"), std::string::npos) << hot.error;
    EXPECT_TRUE(std::isnan(hot.h1));

    // A good point after a failed one is whole again.
    EXPECT_TRUE(engine.CycleStates(-25 + kC, 55 + kC, Conditions("cecomaf")).error.empty());
}

} // namespace
} // namespace velutra
