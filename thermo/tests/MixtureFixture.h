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
        { "R507A", { "R125", "R143a" }, { 0.41184, 0.58816 } } };
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
