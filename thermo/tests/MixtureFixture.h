#pragma once

#include "FluidFixture.h"
#include "mixture/MixingRules.h"

#include <memory>

namespace velutra::thermo::test {

// A blend of the check values as the program sets it up: its components, IIR-referenced, and
// the mixing rules of HMX.BNC.
struct Blend {
    std::string name;
    std::vector<std::string> components;
    Composition z {};
};

inline const std::vector<Blend>& Blends() {
    static const std::vector<Blend> blends { { "R404A", { "R125", "R134a", "R143a" },
                                                 { 0.35782, 0.03826, 0.60392 } },
        { "R507A", { "R125", "R143a" }, { 0.41184, 0.58816 } },
        { "R454B", { "R32", "R1234yf" }, { 0.82924792180871187, 0.17075207819128813 } },
        { "R454C", { "R32", "R1234yf" }, { 0.37514956137435751, 0.6248504386256426 } },
        { "R513A", { "R1234yf", "R134a" }, { 0.53242574021240252, 0.46757425978759748 } },
        { "R449A", { "R32", "R125", "R1234yf", "R134a" },
            { 0.40736457197162396, 0.17948120992449712, 0.19348083053642229, 0.21967338756745658 } },
        { "R448A", { "R32", "R125", "R1234yf", "R134a", "R1234ze(E)" },
            { 0.43121820466633226, 0.1869141326426893, 0.15131924787204015, 0.17758667471999234,
                0.0529617400989459 } },
        { "R410A", { "R32", "R125" }, { 0.6976146993758624, 0.3023853006241376 } },
        { "R407C", { "R32", "R125", "R134a" },
            { 0.38110941995399328, 0.17955888866201603, 0.43933169138399053 } } };
    return blends;
}

inline const Blend& BlendNamed(const std::string& name) {
    for (const Blend& b : Blends())
        if (b.name == name)
            return b;
    throw std::runtime_error("no blend " + name);
}

inline const MixingRules& HmxRules() {
    static const MixingRules rules = LoadMixingRules(std::string(VELUTRA_THERMO_FLUIDS_DIR) + "/HMX.BNC");
    return rules;
}

inline const MixtureModel& Mixture(const std::string& name) {
    static std::map<std::string, std::unique_ptr<MixtureModel>> cache;
    auto& slot = cache[name];
    if (!slot) {
        std::vector<PureFluid> components;
        for (const std::string& c : BlendNamed(name).components)
            components.push_back(Fluid(c, ReferenceState::IIR));
        slot = std::make_unique<MixtureModel>(HmxRules().build(std::move(components)));
    }
    return *slot;
}

} // namespace velutra::thermo::test
