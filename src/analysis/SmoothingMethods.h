#pragma once

#include <array>
#include <string_view>

namespace velutra {

// The smoothing methods of the analysis, by the record's code (its smoothingMethod field).
struct SmoothingMethodName {
    const char* key; // command-line name
    const char* title; // as the user reads it
};

inline constexpr int kSmoothingOriginal = 0;
inline constexpr int kSmoothingLinear = 1;
inline constexpr int kSmoothingQuadratic = 2;
inline constexpr int kSmoothingTwoVariable = 3;

inline constexpr std::array<SmoothingMethodName, 4> kSmoothingMethods = { {
    { "original", "Original map data" },
    { "linear", "Linear isentropic efficiency" },
    { "quadratic", "Quadratic isentropic efficiency" },
    { "two-variable", "Two-variable fit (ratio and suction pressure)" },
} };

// The code of a command-line name, or -1.
int SmoothingMethodOfKey(std::string_view key);

// The title of a code, or "unknown smoothing" for a code outside the list.
const char* SmoothingMethodTitle(int method);

} // namespace velutra
