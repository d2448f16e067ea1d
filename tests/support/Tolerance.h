#pragma once

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace velutra::test {

// Named tolerance levels, each with its reason.
namespace tol {
// Our solvers converge to a few ulps; the reference values were polished to 1e-12.
inline constexpr double kSolver = 1e-9;
// Pure-fluid check values: equations identical to the reference implementation.
inline constexpr double kPureFluid = 1e-8;
// Blends: the reference used the CODATA gas constant and a slightly different ideal-gas reduction.
inline constexpr double kBlend = 1e-6;
// Printed texts and single-precision round trips.
inline constexpr double kSingle = 1e-6;
} // namespace tol

// Relative difference, falling back to absolute near zero.
inline double RelativeDifference(double actual, double expected) {
    const double scale = std::max(std::fabs(expected), 1e-12);
    return std::fabs(actual - expected) / scale;
}

inline ::testing::AssertionResult NearRel(double actual, double expected, double tolerance) {
    if (std::isfinite(actual) && RelativeDifference(actual, expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "actual " << actual << " expected " << expected << " (relative difference "
        << RelativeDifference(actual, expected) << ", tolerance " << tolerance << ")";
}

} // namespace velutra::test

#define EXPECT_NEAR_REL(actual, expected, tolerance)                                                         \
    EXPECT_TRUE(::velutra::test::NearRel((actual), (expected), (tolerance)))
