#pragma once

#include <array>

namespace velutra {

// How the property library is set up for one refrigerant code (the position in the
// refrigerant lists). File names are passed exactly as written here, capitals included; the
// library resolves them against its own fluids folder.
struct RefrigerantFluids {
    const char* name;
    int componentCount;
    const char* fluidFiles; // "|"-separated
    std::array<double, 3> composition; // mole fractions, componentCount entries used
};

// R404A: R125/R143a/R134a 44/52/4 mass %; R507A: R125/R143a 50/50 mass %, as mole fractions.
inline constexpr std::array<RefrigerantFluids, 6> kRefrigerantFluids = { {
    { "R134a", 1, "..\\fluids\\R134a.fld", { 1.0 } },
    { "R152a", 1, "..\\fluids\\R152a.fld", { 1.0 } },
    { "R290", 1, "..\\fluids\\propane.fld", { 1.0 } },
    { "R404A", 3, "..\\fluids\\R125.fld|..\\fluids\\R134a.fld|..\\fluids\\R143a.fld",
        { 0.35782, 0.03826, 0.60392 } },
    { "R507A", 2, "..\\fluids\\R125.fld|..\\fluids\\R143A.fld", { 0.41184, 0.58816 } },
    { "R600a", 1, "..\\fluids\\isobutan.fld", { 1.0 } },
} };

inline constexpr const char* kMixingRuleFile = "..\\Fluids\\HMX.BNC";
inline constexpr const char* kReferenceState = "DEF";

} // namespace velutra
