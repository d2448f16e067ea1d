#pragma once

#include "CheckValues.h"
#include "FluidFile.h"
#include "PureFluid.h"
#include "ReferenceStateSetter.h"

#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace velutra::thermo::test {

using velutra::test::CheckRow;
using velutra::test::CheckRows;

// The state rows of these kinds for a fluid or blend, which must be as many as the file is known
// to hold.
inline std::vector<const CheckRow*> StateRows(
    const std::string& fluid, std::initializer_list<const char*> kinds, std::size_t count) {
    auto found = CheckRows("state", fluid, kinds);
    EXPECT_EQ(found.size(), count) << fluid;
    return found;
}

// The pure fluids of the check values.
inline const std::vector<std::string>& PureFluids() {
    static const std::vector<std::string> fluids { "R134a", "R152a", "R290", "R600a", "R125", "R143a", "R32",
        "R1234yf", "R1234ze(E)", "R22" };
    return fluids;
}

// A check-value name as a test name: letters and digits only ("R1234ze(E)" gives "R1234zeE").
inline std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string out;
    for (char c : info.param)
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

// The fluid of a check-value name, loaded once per test program and set to `reference`.
inline const PureFluid& Fluid(const std::string& name, ReferenceState reference = ReferenceState::IIR) {
    static const std::map<std::string, std::string> files { { "R134a", "R134a.fld" },
        { "R152a", "R152a.fld" }, { "R290", "propane.fld" }, { "R600a", "isobutan.fld" },
        { "R125", "R125.fld" }, { "R143a", "R143a.fld" }, { "R32", "R32.fld" }, { "R1234yf", "R1234yf.fld" },
        { "R1234ze(E)", "R1234zee.fld" }, { "R22", "R22.fld" } };
    static std::map<std::pair<std::string, ReferenceState>, std::unique_ptr<PureFluid>> cache;
    auto& slot = cache[{ name, reference }];
    if (!slot) {
        slot = std::make_unique<PureFluid>(
            LoadFluidFile(std::string(VELUTRA_THERMO_FLUIDS_DIR) + "/" + files.at(name)));
        if (!ApplyReferenceState(*slot, reference).ok())
            throw std::runtime_error("cannot set the reference state of " + name);
    }
    return *slot;
}

} // namespace velutra::thermo::test
