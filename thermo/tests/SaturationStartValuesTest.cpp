// Start values of a blend's dew and bubble points: the points solved from them are the points of
// the full solution, every 0.5 K from 200 K to the blend's limit, and a poor start still ends on
// the full solution.
#include "mixture/SaturationStartValues.h"

#include "MixtureFixture.h"
#include "Tolerance.h"
#include "mixture/DewBubble.h"

#include <chrono>
#include <cmath>
#include <utility>

namespace velutra::thermo::test {
namespace {

using velutra::test::NearRel;
using velutra::test::tol::kBlend;

// The same saturation state within the blend tolerance: pressure, both densities, both compositions.
::testing::AssertionResult SameState(const MixtureSaturation& a, const MixtureSaturation& b, int n) {
    if (!a.outcome.ok() || !b.outcome.ok())
        return ::testing::AssertionFailure()
            << "a point failed: " << a.outcome.reason << " / " << b.outcome.reason;
    for (auto [x, y] : { std::pair { a.pressure, b.pressure }, { a.rhoL, b.rhoL }, { a.rhoV, b.rhoV } })
        if (auto r = NearRel(x, y, kBlend); !r)
            return r << " at T = " << a.tempK;
    for (int i = 0; i < n; ++i)
        for (auto [x, y] : { std::pair { a.x[i], b.x[i] }, { a.y[i], b.y[i] } })
            if (auto r = NearRel(x, y, kBlend); !r)
                return r << " (component " << i << ") at T = " << a.tempK;
    return ::testing::AssertionSuccess();
}

class SaturationStartValuesTest : public ::testing::TestWithParam<std::string> {
protected:
    const MixtureModel& model() const { return Mixture(GetParam()); }
    const Composition& z() const { return BlendNamed(GetParam()).z; }
    static const SaturationStartValues& starts(const std::string& blend) {
        static std::map<std::string, std::unique_ptr<SaturationStartValues>> built;
        auto& slot = built[blend];
        if (!slot)
            slot = std::make_unique<SaturationStartValues>(Mixture(blend), BlendNamed(blend).z);
        return *slot;
    }
};

// Every 0.5 K from 200 K up to the reducing temperature, where the solver refuses: wherever the
// full solution converges the fast start gives the same point, and where it fails so does the
// fast path. The expansions reach to within a few kelvin of the limit, past every map's
// condensing temperature, and they start the iteration within its step tolerance.
TEST_P(SaturationStartValuesTest, DewAndBubblePointsFromStartValuesAreThoseOfTheFullSolution) {
    const SaturationStartValues& s = starts(GetParam());
    const double limit = model().reducingTempK(z());
    EXPECT_LE(s.dewMinTempK(), 200.0);
    EXPECT_LE(s.bubbleMinTempK(), 200.0);
    EXPECT_GT(s.dewMaxTempK(), limit - 5.0);
    EXPECT_GT(s.bubbleMaxTempK(), limit - 5.0);
    const int n = model().size();
    int fast = 0;
    for (double t = 200.0; t < limit + 1.0; t += 0.5) {
        for (bool dew : { true, false }) {
            const std::optional<MixtureSaturation> estimate = dew ? s.dewAt(t) : s.bubbleAt(t);
            const MixtureSaturation full
                = dew ? DewPointAtT(model(), z(), t) : BubblePointAtT(model(), z(), t);
            const MixtureSaturation* start = estimate ? &*estimate : nullptr;
            const MixtureSaturation quick
                = dew ? DewPointAtT(model(), z(), t, start) : BubblePointAtT(model(), z(), t, start);
            ASSERT_EQ(full.outcome.ok(), quick.outcome.ok()) << (dew ? "dew" : "bubble") << " at T = " << t;
            if (!full.outcome.ok())
                continue;
            EXPECT_TRUE(SameState(quick, full, n)) << (dew ? "dew" : "bubble");
            if (estimate) {
                ++fast;
                EXPECT_NEAR(std::log(estimate->pressure), std::log(full.pressure), 1e-9)
                    << (dew ? "dew" : "bubble") << " start at T = " << t;
            }
        }
    }
    EXPECT_GT(fast, 2 * static_cast<int>((limit - 205.0) / 0.5));
}

// Dew and bubble points at a pressure: the start's temperature is that of the full solution.
TEST_P(SaturationStartValuesTest, StartAtPressureHasTheSaturationTemperature) {
    const SaturationStartValues& s = starts(GetParam());
    for (double p : { 50.0, 400.0, 1800.0, 3000.0 }) {
        const MixtureSaturation dew = DewPointAtP(model(), z(), p);
        const MixtureSaturation bubble = BubblePointAtP(model(), z(), p);
        ASSERT_TRUE(dew.outcome.ok() && bubble.outcome.ok()) << p;
        const std::optional<MixtureSaturation> dewStart = s.dewAtPressure(p);
        const std::optional<MixtureSaturation> bubbleStart = s.bubbleAtPressure(p);
        ASSERT_TRUE(dewStart && bubbleStart) << p;
        EXPECT_NEAR(dewStart->tempK, dew.tempK, 1e-6) << p;
        EXPECT_NEAR(bubbleStart->tempK, bubble.tempK, 1e-6) << p;
    }
    EXPECT_FALSE(s.dewAtPressure(1e5));
    EXPECT_FALSE(s.dewAt(s.dewMaxTempK() + 0.1));
}

// A start on the wrong branch or far off still ends on the full solution: the solver falls back
// to its own start when the one given fails.
TEST_P(SaturationStartValuesTest, PoorStartStillGivesTheFullSolution) {
    const int n = model().size();
    for (double t : { 210.0, 280.0, 330.0 }) {
        const MixtureSaturation full = DewPointAtT(model(), z(), t);
        const MixtureSaturation fullBubble = BubblePointAtT(model(), z(), t);
        ASSERT_TRUE(full.outcome.ok() && fullBubble.outcome.ok()) << t;
        // Liquid and vapour swapped, the incipient phase the bulk composition: the trivial
        // solution lies next to it.
        MixtureSaturation swapped = full;
        std::swap(swapped.rhoL, swapped.rhoV);
        swapped.x = z();
        // Far off: a point 60 K away.
        const MixtureSaturation distant = *starts(GetParam()).dewAt(t > 270.0 ? t - 60.0 : t + 60.0);
        for (const MixtureSaturation* poor : { &std::as_const(swapped), &distant }) {
            EXPECT_TRUE(SameState(DewPointAtT(model(), z(), t, poor), full, n)) << t;
            EXPECT_TRUE(SameState(BubblePointAtT(model(), z(), t, poor), fullBubble, n)) << t;
        }
    }
}

// Start values for a composition whose points cannot be solved (a component absent) are empty
// rather than wrong, and building them for a blend takes little time.
TEST(SaturationStartValuesBuild, EmptyWhereNothingSolvesAndQuickToBuild) {
    const MixtureModel& model = Mixture("R507A");
    const SaturationStartValues none(model, Composition { 1.0, 0.0 });
    EXPECT_FALSE(none.dewAt(250.0));
    EXPECT_FALSE(none.bubbleAtPressure(500.0));
    const auto began = std::chrono::steady_clock::now();
    const SaturationStartValues s(model, Composition { 0.3, 0.7 });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    EXPECT_LT(seconds, 0.5);
    const std::optional<MixtureSaturation> start = s.dewAt(300.0);
    ASSERT_TRUE(start);
    EXPECT_TRUE(SameState(DewPointAtT(model, s.composition(), 300.0, &*start),
        DewPointAtT(model, s.composition(), 300.0), model.size()));
}

INSTANTIATE_TEST_SUITE_P(Blends, SaturationStartValuesTest, ::testing::Values("R404A", "R507A"));

} // namespace
} // namespace velutra::thermo::test
