// The cycle state sequence of the property engine through the C routines of the property library,
// per pure refrigerant: two fixed map points and the mean over the default map grids.
#include "CycleBenchmarks.h"

namespace {

void RegisterAll() {
    const std::pair<const char*, const char*> fluids[]
        = { { "R134a", "..\\fluids\\R134a.fld" }, { "R152a", "..\\fluids\\R152a.fld" },
              { "R290", "..\\fluids\\propane.fld" }, { "R600a", "..\\fluids\\isobutan.fld" },
              { "R32", "..\\fluids\\R32.fld" }, { "R1234yf", "..\\fluids\\R1234yf.fld" },
              { "R1234zeE", "..\\fluids\\R1234zee.fld" }, { "R22", "..\\fluids\\R22.fld" } };
    for (const auto& [name, file] : fluids)
        velutra::bench::RegisterCycleBenchmarks(name, file, { 1.0 });
}

} // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
