// The cycle state sequence of the property engine for the blends, set up as true mixtures, through
// the C routines: two fixed map points and the mean over the default map grids.
#include "CycleBenchmarks.h"

namespace {

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
        { "R410A", "..\\fluids\\R32.fld|..\\fluids\\R125.fld", { 0.6976146993758624, 0.3023853006241376 } },
        { "R407C", "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R134a.fld",
            { 0.38110941995399328, 0.17955888866201603, 0.43933169138399053 } },
    };
    for (const Blend& b : blends)
        velutra::bench::RegisterCycleBenchmarks(b.name, b.files, b.z);
}

} // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
