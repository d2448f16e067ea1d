// The engine against a stand-in library with a simple model (FakeThermo.c): what it passes to
// each routine, the cycle sequence on hand-worked ideal-gas values, and every failure path.
#include "ScopedEnvironment.h"
#include "Tolerance.h"
#include "props/PropertyEngine.h"

#include <cmath>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>

namespace velutra {
namespace {

using test::ScopedEnvironment;
using test::tol::kSolver;

constexpr double kR = 8.314462618; // the stand-in's gas constant
constexpr double kLineK = 305.37222222222226;

// Reads what the stand-in library last received (same file, so the same loaded instance).
struct FakeProbe {
    void* handle = dlopen(FAKE_THERMO_PATH, RTLD_NOW | RTLD_LOCAL);
    template <typename F> F Get(const char* name) { return reinterpret_cast<F>(dlsym(handle, name)); }
    int SetupNc() { return Get<int (*)()>("FakeSetupNc")(); }
    std::string Files() { return Get<const char* (*)()>("FakeSetupFiles")(); }
    std::string Mix() { return Get<const char* (*)()>("FakeSetupMix")(); }
    std::string Ref() { return Get<const char* (*)()>("FakeSetupRef")(); }
    std::string ErrIn() { return Get<const char* (*)()>("FakeSetupErrIn")(); }
    size_t Length(int i) { return Get<size_t (*)(int)>("FakeSetupLength")(i); }
    double WmolX(int i) { return Get<double (*)(int)>("FakeWmolX")(i); }
    int LastKph() { return Get<int (*)()>("FakeLastKph")(); }
    int LastGuess() { return Get<int (*)()>("FakeLastGuess")(); }
    size_t LastErrLength() { return Get<size_t (*)()>("FakeLastErrLength")(); }
};

class EngineWithFakeLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        engine.SetLibraryPath(FAKE_THERMO_PATH);
        ASSERT_NE(probe.handle, nullptr) << dlerror();
    }

    static void ExpectAllNaN(const CycleStateResult& r) {
        for (double v : { r.M, r.Pe, r.Pc, r.h1, r.s1, r.d1, r.h3, r.h2s })
            EXPECT_TRUE(std::isnan(v)) << v;
    }

    ScopedEnvironment noOverride { PropertyLibrary::kEnvironmentVariable, nullptr };
    PropertyEngine engine;
    FakeProbe probe;
};

TEST_F(EngineWithFakeLibrary, SetupPassesFluidListMixingRuleReferenceStateAndLengths) {
    struct Case {
        int code;
        int nc;
        const char* files;
        double molarMass; // sum of x_i (100 + i)
    };
    const Case cases[] = {
        { 0, 1, "..\\fluids\\R134a.fld", 100.0 },
        { 2, 1, "..\\fluids\\propane.fld", 100.0 },
        { 3, 3, "..\\fluids\\R125.fld|..\\fluids\\R134a.fld|..\\fluids\\R143a.fld",
            0.35782 * 100 + 0.03826 * 101 + 0.60392 * 102 },
        { 4, 2, "..\\fluids\\R125.fld|..\\fluids\\R143A.fld", 0.41184 * 100 + 0.58816 * 101 },
        // After a three-component blend: the pure fluid's molar mass shows that no mole
        // fraction of the blend was left behind in the composition.
        { 5, 1, "..\\fluids\\isobutan.fld", 100.0 },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const SetupResult result = engine.SetupFluid(c.code);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_EQ(engine.refrigerant, c.code);
        EXPECT_EQ(probe.SetupNc(), c.nc);
        EXPECT_EQ(probe.Files(), c.files);
        EXPECT_EQ(probe.Mix(), "..\\Fluids\\HMX.BNC");
        EXPECT_EQ(probe.Ref(), "DEF");
        EXPECT_EQ(probe.ErrIn(), "Ok");
        EXPECT_EQ(probe.Length(0), 10000u);
        EXPECT_EQ(probe.Length(1), 255u);
        EXPECT_EQ(probe.Length(2), 3u);
        EXPECT_EQ(probe.Length(3), 255u);
        EXPECT_NEAR_REL(engine.molarMass, c.molarMass, 1e-14);
        EXPECT_EQ(probe.WmolX(c.nc), 0.0);
    }
}

// Ideal gas with cp = 40: Pe and Pc from the saturation law, the discharge temperature from
// T2 = T1 (Pc/Pe)^(R/cp), the liquid line from the liquid root.
TEST_F(EngineWithFakeLibrary, CycleStatesFollowTheSequenceAndEndAtTheDischargeState) {
    ASSERT_TRUE(engine.SetupFluid(0).ok);
    const CycleStateResult r = engine.CycleStates(250.0, 320.0, RatingConditions {});
    const double pe = 100.0;
    const double pc = 100.0 * std::exp(20.0 * (1.0 - 250.0 / 320.0));
    const double t2 = kLineK * std::pow(pc / pe, kR / 40.0);
    EXPECT_NEAR_REL(r.M, 100.0, 1e-14);
    EXPECT_NEAR_REL(r.Pe, pe, kSolver);
    EXPECT_NEAR_REL(r.Pc, pc, kSolver);
    EXPECT_NEAR_REL(r.h1, 40.0 * kLineK, kSolver);
    EXPECT_NEAR_REL(r.s1, 40.0 * std::log(kLineK / 250.0), kSolver);
    EXPECT_NEAR_REL(r.d1, pe / (kR * kLineK), kSolver);
    EXPECT_NEAR_REL(r.h3, 20.0 * kLineK - 5000.0, kSolver);
    EXPECT_NEAR_REL(r.h2s, 40.0 * t2, kSolver);
    EXPECT_NEAR_REL(engine.temperature, t2, kSolver);
    EXPECT_NEAR_REL(engine.pressure, pc, kSolver);
    EXPECT_NEAR_REL(engine.vaporDensity, pc / (kR * t2), kSolver);
    EXPECT_EQ(probe.LastKph(), 2) << "every state ends with the vapour root";
    EXPECT_EQ(probe.LastGuess(), 0);
    EXPECT_EQ(probe.LastErrLength(), 255u);
    EXPECT_TRUE(engine.LastError().empty()) << engine.LastError();

    // Condensing below 90 F puts the liquid line below the saturation pressure, where this
    // library has no liquid root; the saturated liquid at 90 F stands in for it.
    const CycleStateResult below = engine.CycleStates(250.0, 290.0, RatingConditions {});
    EXPECT_NEAR_REL(below.h3, 20.0 * kLineK - 5000.0, kSolver);
    EXPECT_TRUE(engine.LastError().empty()) << engine.LastError();
    EXPECT_NEAR_REL(below.h2s, 40.0 * kLineK * std::pow(below.Pc / below.Pe, kR / 40.0), kSolver);
}

// The stand-in leaves a plausible pressure of 123 kPa behind with its error code; none of it
// may reach a result, nor anything computed from it.
TEST_F(EngineWithFakeLibrary, RoutineErrorLeavesNaNInWhatItShouldHaveProduced) {
    ASSERT_TRUE(engine.SetupFluid(0).ok);
    const CycleStateResult r = engine.CycleStates(250.0, 450.0, RatingConditions {});
    EXPECT_NEAR_REL(r.Pe, 100.0, kSolver);
    EXPECT_TRUE(std::isfinite(r.h1));
    EXPECT_TRUE(std::isnan(r.Pc));
    EXPECT_TRUE(std::isnan(r.h3));
    EXPECT_TRUE(std::isnan(r.h2s));
    EXPECT_TRUE(std::isnan(engine.temperature));
    EXPECT_NE(engine.LastError().find("SATTdll reports error 1: temperature above the critical point"),
        std::string::npos)
        << engine.LastError();

    engine.temperature = 450.0;
    engine.CalcStatePoint(PropertyEngine::kDewPressureAtT);
    EXPECT_TRUE(std::isnan(engine.pressure));
    EXPECT_TRUE(std::isnan(engine.vaporDensity));

    // A good evaluation afterwards is not affected.
    engine.temperature = 300.0;
    engine.CalcStatePoint(PropertyEngine::kDewPressureAtT);
    const double p = 100.0 * std::exp(20.0 / 6.0);
    EXPECT_NEAR_REL(engine.pressure, p, kSolver);
    EXPECT_NEAR_REL(engine.vaporDensity, p / (kR * 300.0), kSolver);
    EXPECT_TRUE(engine.LastError().empty());
    // The library writes all 20 entries of both phase compositions; the slots after them
    // must hold what they held before.
    const ArgumentBlock& block = engine.Arguments();
    EXPECT_EQ(block.vaporComposition[kCompositionSlots - 1], 0.75);
    EXPECT_EQ(block.composition[0], 1.0);
    EXPECT_EQ(block.composition[1], 0.0);
}

TEST_F(EngineWithFakeLibrary, SetupErrorNamesRefrigerantAndLibraryTextAndStopsEvaluations) {
    ASSERT_TRUE(engine.SetupFluid(0).ok);
    // The library keeps the previous fluid; evaluating it as if it were R152a would give
    // plausible numbers for the wrong refrigerant.
    const SetupResult result = engine.SetupFluid(1);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(engine.IsSetUp());
    EXPECT_NE(result.message.find("R152a"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("error 101: R152a.fld: fluid file not found"), std::string::npos)
        << result.message;
    // The library filled the whole declared length without a NUL: the text stops there.
    EXPECT_LT(result.message.size(), 255u + 200u);
    ExpectAllNaN(engine.CycleStates(250.0, 300.0, RatingConditions {}));
    EXPECT_TRUE(std::isnan(engine.MolarMass()));

    ASSERT_TRUE(engine.SetupFluid(0).ok) << "a later good set-up works again";
    EXPECT_NEAR_REL(engine.CycleStates(250.0, 300.0, RatingConditions {}).Pe, 100.0, kSolver);
}

TEST_F(EngineWithFakeLibrary, NoEvaluationBeforeSetupNorAfterACodeOutsideTheList) {
    ExpectAllNaN(engine.CycleStates(250.0, 300.0, RatingConditions {}));
    EXPECT_NE(engine.LastError().find("no refrigerant is set up"), std::string::npos);
    engine.CallRoutine(99);
    EXPECT_NE(engine.LastError().find("unknown operation code 99"), std::string::npos);

    ASSERT_TRUE(engine.SetupFluid(3).ok);
    for (int code : { -1, 17 }) {
        const SetupResult result = engine.SetupFluid(code);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("refrigerant code " + std::to_string(code)), std::string::npos)
            << result.message;
        EXPECT_EQ(probe.SetupNc(), 3) << "the library is not set up with an empty fluid list";
        ExpectAllNaN(engine.CycleStates(250.0, 300.0, RatingConditions {}));
    }
}

TEST_F(EngineWithFakeLibrary, MissingRoutineIsASetupFailure) {
    engine.SetLibraryPath(FAKE_THERMO_NO_THERM_PATH);
    const SetupResult result = engine.SetupFluid(0);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("R134a"), std::string::npos) << result.message;
    EXPECT_NE(result.message.find("has no routine THERMdll"), std::string::npos) << result.message;
    ExpectAllNaN(engine.CycleStates(250.0, 300.0, RatingConditions {}));
}

TEST_F(EngineWithFakeLibrary, EnvironmentVariableOverridesTheSetting) {
    const char* missing = "/nonexistent/folder/libvelutra_thermo.so";
    {
        ScopedEnvironment env(PropertyLibrary::kEnvironmentVariable, missing);
        const SetupResult result = engine.SetupFluid(0);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("Cannot set up R134a: the property library could not be loaded"),
            std::string::npos)
            << result.message;
        EXPECT_NE(result.message.find(missing), std::string::npos) << result.message;
        ExpectAllNaN(engine.CycleStates(250.0, 300.0, RatingConditions {}));
    }
    engine.SetLibraryPath(missing);
    EXPECT_FALSE(engine.SetupFluid(0).ok) << "a library named by the user has no silent fallback";
    {
        ScopedEnvironment env(PropertyLibrary::kEnvironmentVariable, FAKE_THERMO_PATH);
        EXPECT_TRUE(engine.SetupFluid(0).ok);
    }
}

} // namespace
} // namespace velutra
