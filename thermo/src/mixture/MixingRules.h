#pragma once

#include "MixtureModel.h"
#include "ReducingFunction.h"

#include <map>
#include <string>
#include <vector>

namespace velutra::thermo {

// Gas constant of a mixture as a whole: CODATA 2018, J/(mol K). Each component's equation keeps
// its authors' own R only as a pure fluid.
inline constexpr double kMixtureGasConstant = 8.31446261815324;

// The binary interaction parameters of a mixing-rule file (our JSON "HMX.BNC", written by
// thermo/tools/convert_mixing_rules.py): per pair of fluid names the GERG reducing parameters,
// F_ij and the name of its departure function.
class MixingRules {
public:
    struct Pair {
        std::string first;
        std::string second;
        ReducingPair reducing; // for the order (first, second)
        double factor = 0.0; // F_ij
        std::string departure; // empty when F_ij = 0
    };

    MixingRules(std::vector<Pair> pairs, std::map<std::string, ResidualHelmholtz> functions);

    // The mixture of these components (their reference states already set). Pairs are matched by
    // fluid name, case-insensitively, in either order. Throws ThermoError(BadFluidFile) naming the
    // first pair the file does not know: an unknown pair is never taken as an ideal mixture.
    MixtureModel build(std::vector<PureFluid> components) const;

private:
    std::vector<Pair> pairs_;
    std::map<std::string, ResidualHelmholtz> functions_;
};

// Reads a mixing-rule file; throws ThermoError(BadFluidFile) naming the file and the problem.
MixingRules LoadMixingRules(const std::string& path);
MixingRules ParseMixingRules(const std::string& text, const std::string& origin);

} // namespace velutra::thermo
