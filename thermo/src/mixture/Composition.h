#pragma once

#include <array>
#include <cstddef>

namespace velutra::thermo {

// Most components a mixture may have (the C routines' composition arrays hold this many).
inline constexpr std::size_t kMaxComponents = 5;

// Mole fractions (or per-component values) of a mixture; entries past the component count are unused.
using Composition = std::array<double, kMaxComponents>;

} // namespace velutra::thermo
