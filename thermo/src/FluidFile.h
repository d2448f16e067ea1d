#pragma once

#include "PureFluid.h"

#include <string>

namespace velutra::thermo {

// Reads one of our fluid files (JSON written by thermo/tools/convert_fluids.py). The reference
// state is not applied here. Throws ThermoError(BadFluidFile) naming the file and the problem.
PureFluid LoadFluidFile(const std::string& path);

// The same from the file's text; `origin` names it in messages.
PureFluid ParseFluidFile(const std::string& text, const std::string& origin);

} // namespace velutra::thermo
