#pragma once

#include "CheckValues.h"
#include "FluidFile.h"
#include "PureFluid.h"
#include "ReferenceStateSetter.h"

#include <map>
#include <memory>

namespace velutra::thermo::test {

// The fluid of a check-value name, loaded once per test program and set to `reference`.
inline const PureFluid& Fluid(const std::string& name, ReferenceState reference = ReferenceState::IIR) {
    static std::map<std::pair<std::string, ReferenceState>, std::unique_ptr<PureFluid>> cache;
    auto& slot = cache[{ name, reference }];
    if (!slot) {
        slot = std::make_unique<PureFluid>(LoadFluidFile(FluidFileFor(name)));
        if (!ApplyReferenceState(*slot, reference).ok())
            throw std::runtime_error("cannot set the reference state of " + name);
    }
    return *slot;
}

inline const std::vector<CheckRow>& CheckValues() {
    static const std::vector<CheckRow> rows = ReadCheckValues(CheckValuesPath());
    return rows;
}

} // namespace velutra::thermo::test
