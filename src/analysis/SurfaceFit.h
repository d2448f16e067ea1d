#pragma once

#include <array>
#include <string>

namespace velutra {

// A quantity of the compressor as a surface in x = ln(pressure ratio) and y = ln(Pe / kPa):
//   z = c0 + c1 x + c2 y + c3 x^2 + c4 x y + c5 x^3.
// The suction pressure term follows what a line in the ratio alone misses (suction gas heating,
// valve losses); the cubic in x the bend of the efficiency at high ratios.
struct SurfaceFit {
    static constexpr int kTerms = 6;
    std::array<double, kTerms> c {};

    // z at a pressure ratio and a suction (evaporating dew) pressure in kPa.
    double Evaluate(double pressureRatio, double suctionPressureKPa) const;
};

// The least-squares surface through n points, solved by a rank-revealing QR decomposition.
// Empty `refusal` on success; otherwise it says why the points cannot determine the six terms
// (too few, all on one condensing temperature, or otherwise degenerate) and `fit` is all zero.
struct SurfaceFitResult {
    SurfaceFit fit;
    std::string refusal;
};
SurfaceFitResult FitSurface(
    const double* pressureRatio, const double* suctionPressureKPa, const double* z, int n);

} // namespace velutra
