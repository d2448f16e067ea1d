#pragma once

#include <array>

namespace velutra {

// y = intercept + slope * x
struct LineFit {
    double intercept = 0;
    double slope = 0;
};

using Matrix3 = std::array<std::array<double, 3>, 3>;
using Vector3 = std::array<double, 3>;

// Least-squares line through n points (x[i], y[i]) from the sums Sx, Sy, Sxx, Sxy:
//   slope b = (Sy/n - Sxy/Sx) / (Sx/n - Sxx/Sx),  intercept a = Sy/n - Sx*b/n.
// Nothing is guarded: n < 2, Sx = 0 or all x equal give non-finite values.
LineFit FitLine(const double* x, const double* y, int n);

// Least-squares parabola y = c0 + c1 x + c2 x^2 through n points, from the normal equations
// solved by Cramer's rule (Solve3x3). Fewer than three distinct x give non-finite values.
Vector3 FitQuadratic(const double* x, const double* y, int n);

// Solution of a x = rhs by Cramer's rule: no pivoting and no test of the determinant, so a
// singular matrix gives non-finite values.
Vector3 Solve3x3(const Matrix3& a, const Vector3& rhs);

} // namespace velutra
