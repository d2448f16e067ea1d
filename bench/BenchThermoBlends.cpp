// The cycle state sequence of the property engine for the blends R404A and R507A, set up as true
// mixtures, through the C routines: dew pressure at Te, the 90 F suction gas at (T, Pe), dew
// pressure at Tc, the liquid root and THERM at 90 F and Pc, the isentropic discharge at (Pc, s1),
// each dew point and flash followed by the vapour root at its temperature and pressure.
#include "velutra_thermo.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double kSuctionTempK = 305.37222222222226; // 90 F

struct Slots {
    int nc = 0;
    double x[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double xl[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double xv[VELUTRA_THERMO_MAX_COMPONENTS] = {};
    double t = 0, p = 0, d = 0, dl = 0, dv = 0, q = 0, e = 0, h = 0, s = 0, cv = 0, cp = 0, w = 0, hjt = 0;
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

void CycleStates(benchmark::State& state, const char* files, std::vector<double> z, double teK, double tcK) {
    Slots a;
    a.nc = static_cast<int>(z.size());
    for (std::size_t i = 0; i < z.size(); ++i)
        a.x[i] = z[i];
    std::strncpy(a.hfiles, files, sizeof a.hfiles - 1);
    SETUPdll(&a.nc, a.hfiles, a.hfmix, a.hrf, &a.ierr, a.herr, 10000, 255, 3, 255);
    if (a.ierr != 0) {
        state.SkipWithError(a.herr);
        return;
    }
    int failures = 0;
    for (auto _ : state) {
        a.t = teK;
        a.kph = 2;
        SATTdll(&a.t, a.x, &a.kph, &a.p, &a.dl, &a.dv, a.xl, a.xv, &a.ierr, a.herr, 255);
        failures += a.ierr != 0;
        VapourRoot(a);
        const double pe = a.p;
        a.t = kSuctionTempK;
        TPFLSHdll(&a.t, &a.p, a.x, &a.d, &a.dl, &a.dv, a.xl, a.xv, &a.q, &a.e, &a.h, &a.s, &a.cv, &a.cp, &a.w,
            &a.ierr, a.herr, 255);
        failures += a.ierr != 0;
        VapourRoot(a);
        const double s1 = a.s;
        a.t = tcK;
        a.kph = 2;
        SATTdll(&a.t, a.x, &a.kph, &a.p, &a.dl, &a.dv, a.xl, a.xv, &a.ierr, a.herr, 255);
        failures += a.ierr != 0;
        VapourRoot(a);
        const double pc = a.p;
        a.t = kSuctionTempK;
        a.kph = 1;
        TPRHOdll(&a.t, &a.p, a.x, &a.kph, &a.kguess, &a.d, &a.ierr, a.herr, 255);
        failures += a.ierr != 0;
        THERMdll(&a.t, &a.d, a.x, &a.p, &a.e, &a.h, &a.s, &a.cv, &a.cp, &a.w, &a.hjt);
        a.p = pc;
        a.s = s1;
        PSFLSHdll(&a.p, &a.s, a.x, &a.t, &a.d, &a.dl, &a.dv, a.xl, a.xv, &a.q, &a.e, &a.h, &a.cv, &a.cp, &a.w,
            &a.ierr, a.herr, 255);
        failures += a.ierr != 0;
        VapourRoot(a);
        benchmark::DoNotOptimize(a.h);
        benchmark::DoNotOptimize(pe);
    }
    if (failures != 0)
        state.SkipWithError("a routine failed in the sequence");
}

// Te = -25 C, Tc = 45 C, a common rating point; the second case is a hot condensing point.
void RegisterAll() {
    struct Blend {
        const char* name;
        const char* files;
        std::vector<double> z;
    };
    const Blend blends[] = {
        { "R404A", "..\\fluids\\R125.fld|..\\fluids\\R134a.fld|..\\fluids\\R143a.fld",
            { 0.35782, 0.03826, 0.60392 } },
        { "R507A", "..\\fluids\\R125.fld|..\\fluids\\R143A.fld", { 0.41184, 0.58816 } },
        { "R454B", "..\\fluids\\R32.fld|..\\fluids\\R1234yf.fld",
            { 0.82924792180871187, 0.17075207819128813 } },
        { "R454C", "..\\fluids\\R32.fld|..\\fluids\\R1234yf.fld",
            { 0.37514956137435751, 0.6248504386256426 } },
        { "R513A", "..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld",
            { 0.53242574021240252, 0.46757425978759748 } },
        { "R449A", "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld",
            { 0.40736457197162396, 0.17948120992449712, 0.19348083053642229, 0.21967338756745658 } },
        { "R448A",
            "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld|"
            "..\\fluids\\R1234zee.fld",
            { 0.43121820466633226, 0.1869141326426893, 0.15131924787204015, 0.17758667471999234,
                0.0529617400989459 } },
    };
    for (const Blend& b : blends) {
        benchmark::RegisterBenchmark((std::string("CycleStates/") + b.name + "/Te248_Tc318").c_str(),
            CycleStates, b.files, b.z, 248.15, 318.15)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("CycleStates/") + b.name + "/Te268_Tc328").c_str(),
            CycleStates, b.files, b.z, 268.15, 328.15)
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
