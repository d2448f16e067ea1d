// The cycle state sequence of the property engine through the C routines of the property
// library, per refrigerant: dew pressure at Te, the 90 F suction gas at (T, Pe), dew pressure at
// Tc, the 90 F liquid at (T, Pc), the isentropic discharge at (Pc, s1), each followed by the
// vapour root at its temperature and pressure, exactly as the engine calls them.
#include "velutra_thermo.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <string>

namespace {

constexpr double kSuctionTempK = 305.37222222222226; // 90 F

// The engine's argument block.
struct Slots {
    int nc = 1;
    double x[VELUTRA_THERMO_MAX_COMPONENTS] = { 1.0 };
    double xl[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double xv[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double t = 0, p = 0, d = 0, dl = 0, dv = 0, q = 0, e = 0, h = 0, s = 0, cv = 0, cp = 0, w = 0;
    int kph = 2, kguess = 0, ierr = 0;
    char herr[256] = {};
    char hfiles[10000] = {};
    char hfmix[256] = "..\\Fluids\\HMX.BNC";
    char hrf[4] = "DEF";
};

void VapourRoot(Slots& a) {
    a.kph = 2;
    TPRHOdll(&a.t, &a.p, a.x, &a.kph, &a.kguess, &a.d, &a.ierr, a.herr, 255);
}

void DewPressure(Slots& a, double tempK) {
    a.t = tempK;
    a.kph = 2;
    SATTdll(&a.t, a.x, &a.kph, &a.p, &a.dl, &a.dv, a.xl, a.xv, &a.ierr, a.herr, 255);
    VapourRoot(a);
}

void StateFromTP(Slots& a, double tempK, double pressure) {
    a.t = tempK;
    a.p = pressure;
    TPFLSHdll(&a.t, &a.p, a.x, &a.d, &a.dl, &a.dv, a.xl, a.xv, &a.q, &a.e, &a.h, &a.s, &a.cv, &a.cp, &a.w,
        &a.ierr, a.herr, 255);
    VapourRoot(a);
}

void StateFromPS(Slots& a, double pressure, double entropy) {
    a.p = pressure;
    a.s = entropy;
    PSFLSHdll(&a.p, &a.s, a.x, &a.t, &a.d, &a.dl, &a.dv, a.xl, a.xv, &a.q, &a.e, &a.h, &a.cv, &a.cp, &a.w,
        &a.ierr, a.herr, 255);
    VapourRoot(a);
}

void CycleStates(benchmark::State& state, const char* fluidFile, double teK, double tcK) {
    Slots a;
    std::strncpy(a.hfiles, fluidFile, sizeof a.hfiles - 1);
    SETUPdll(&a.nc, a.hfiles, a.hfmix, a.hrf, &a.ierr, a.herr, 10000, 255, 3, 255);
    if (a.ierr != 0) {
        state.SkipWithError(a.herr);
        return;
    }
    double h2s = 0.0;
    for (auto _ : state) {
        DewPressure(a, teK);
        const double pe = a.p;
        StateFromTP(a, kSuctionTempK, pe);
        const double s1 = a.s;
        DewPressure(a, tcK);
        const double pc = a.p;
        StateFromTP(a, kSuctionTempK, pc);
        StateFromPS(a, pc, s1);
        h2s = a.h;
        benchmark::DoNotOptimize(h2s);
    }
    if (a.ierr != 0 && a.ierr != 4) // the vapour root of the subcooled liquid may not exist (code 4)
        state.SkipWithError(a.herr);
}

// Te = -25 C, Tc = 45 C, a common rating point; the second case is a hot condensing point.
void RegisterAll() {
    const std::pair<const char*, const char*> fluids[] = { { "R134a", "..\\fluids\\R134a.fld" },
        { "R152a", "..\\fluids\\R152a.fld" }, { "R290", "..\\fluids\\propane.fld" },
        { "R600a", "..\\fluids\\isobutan.fld" }, { "R125", "..\\fluids\\R125.fld" },
        { "R143a", "..\\fluids\\R143a.fld" }, { "R32", "..\\fluids\\R32.fld" },
        { "R1234yf", "..\\fluids\\R1234yf.fld" }, { "R1234zeE", "..\\fluids\\R1234zee.fld" } };
    for (const auto& [name, file] : fluids) {
        benchmark::RegisterBenchmark(
            (std::string("CycleStates/") + name + "/Te248_Tc318").c_str(), CycleStates, file, 248.15, 318.15)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(
            (std::string("CycleStates/") + name + "/Te268_Tc328").c_str(), CycleStates, file, 268.15, 328.15)
            ->Unit(benchmark::kMicrosecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
