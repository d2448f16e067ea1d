#pragma once

#include <array>
#include <string>

namespace velutra {

// The compressor makers' polynomial in the evaporating (suction dew) temperature S and the
// condensing (discharge dew) temperature D:
//   X = C1 + C2 S + C3 D + C4 S^2 + C5 S D + C6 D^2 + C7 S^3 + C8 D S^2 + C9 S D^2 + C10 D^3.
// c[0] is C1, c[9] is C10.
struct TenTermPolynomial {
    static constexpr int kTerms = 10;
    std::array<double, kTerms> c {};

    double Evaluate(double evapTemp, double condTemp) const;
};

// The least-squares polynomial through n points, solved by a rank-revealing QR decomposition.
// Empty `refusal` on success; otherwise it says what the points lack to determine the ten terms
// (too few points, too few distinct evaporating or condensing temperatures, or a degenerate
// spread) and `fit` is all zero.
struct TenTermFitResult {
    TenTermPolynomial fit;
    std::string refusal;
};
TenTermFitResult FitTenTerms(const double* evapTemp, const double* condTemp, const double* x, int n);

} // namespace velutra
