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
    std::array<double, 5> composition; // mole fractions, componentCount entries used
};

// R404A: R125/R143a/R134a 44/52/4 mass %; R507A: R125/R143a 50/50 mass %, as mole fractions.
// The newer blends' standard mass compositions as mole fractions, written to 17 digits with the
// molar masses of the fluid files (R32 52.024, R125 120.0214, R134a 102.032, R1234yf 114.0416,
// R1234ze(E) 114.0415928 g/mol): R454B R32/R1234yf 68.9/31.1, R454C 21.5/78.5, R513A
// R1234yf/R134a 56/44, R448A R32/R125/R1234yf/R134a/R1234ze(E) 26/26/20/21/7, R449A
// R32/R125/R1234yf/R134a 24.3/24.7/25.3/25.7 (its fractions add up to 1 - 1.1e-16), and the
// same for R410A R32/R125 50/50 and R407C R32/R125/R134a 23/25/52 (1 - 1.1e-16 as well).
inline constexpr std::array<RefrigerantFluids, 17> kRefrigerantFluids = { {
    { "R134a", 1, "..\\fluids\\R134a.fld", { 1.0 } },
    { "R152a", 1, "..\\fluids\\R152a.fld", { 1.0 } },
    { "R290", 1, "..\\fluids\\propane.fld", { 1.0 } },
    { "R404A", 3, "..\\fluids\\R125.fld|..\\fluids\\R134a.fld|..\\fluids\\R143a.fld",
        { 0.35782, 0.03826, 0.60392 } },
    { "R507A", 2, "..\\fluids\\R125.fld|..\\fluids\\R143A.fld", { 0.41184, 0.58816 } },
    { "R600a", 1, "..\\fluids\\isobutan.fld", { 1.0 } },
    { "R32", 1, "..\\fluids\\R32.fld", { 1.0 } },
    { "R1234yf", 1, "..\\fluids\\R1234yf.fld", { 1.0 } },
    { "R1234ze(E)", 1, "..\\fluids\\R1234zee.fld", { 1.0 } },
    { "R454B", 2, "..\\fluids\\R32.fld|..\\fluids\\R1234yf.fld",
        { 0.82924792180871187, 0.17075207819128813 } },
    { "R454C", 2, "..\\fluids\\R32.fld|..\\fluids\\R1234yf.fld",
        { 0.37514956137435751, 0.6248504386256426 } },
    { "R513A", 2, "..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld",
        { 0.53242574021240252, 0.46757425978759748 } },
    { "R448A", 5,
        "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld|"
        "..\\fluids\\R1234zee.fld",
        { 0.43121820466633226, 0.1869141326426893, 0.15131924787204015, 0.17758667471999234,
            0.0529617400989459 } },
    { "R449A", 4, "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R1234yf.fld|..\\fluids\\R134a.fld",
        { 0.40736457197162396, 0.17948120992449712, 0.19348083053642229, 0.21967338756745658 } },
    { "R22", 1, "..\\fluids\\R22.fld", { 1.0 } },
    { "R410A", 2, "..\\fluids\\R32.fld|..\\fluids\\R125.fld", { 0.6976146993758624, 0.3023853006241376 } },
    { "R407C", 3, "..\\fluids\\R32.fld|..\\fluids\\R125.fld|..\\fluids\\R134a.fld",
        { 0.38110941995399328, 0.17955888866201603, 0.43933169138399053 } },
} };

inline constexpr const char* kMixingRuleFile = "..\\Fluids\\HMX.BNC";
inline constexpr const char* kReferenceState = "DEF";

} // namespace velutra
