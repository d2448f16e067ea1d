#include "analysis/LeastSquares.h"

#include <cmath>

namespace velutra {

LineFit FitLine(const double* x, const double* y, int n) {
    double sx = 0;
    double sy = 0;
    double sxx = 0;
    double sxy = 0;
    for (int i = 0; i < n; ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    // The ordinary least-squares line, written with the sums divided by Sx; kept in this form so
    // that results match the maps fitted before, rounding included.
    LineFit fit;
    fit.slope = (sy / n - sxy / sx) / (sx / n - sxx / sx);
    fit.intercept = sy / n - sx * fit.slope / n;
    return fit;
}

Vector3 FitQuadratic(const double* x, const double* y, int n) {
    double s1 = 0;
    double s2 = 0;
    double s3 = 0;
    double s4 = 0;
    double sy = 0;
    double sxy = 0;
    double sx2y = 0;
    for (int i = 0; i < n; ++i) {
        s1 += x[i];
        s2 += std::pow(x[i], 2);
        s3 += std::pow(x[i], 3);
        s4 += std::pow(x[i], 4);
        sy += y[i];
        sxy += x[i] * y[i];
        sx2y += std::pow(x[i], 2) * y[i];
    }
    const double count = n;
    const Matrix3 normal { { { count, s1, s2 }, { s1, s2, s3 }, { s2, s3, s4 } } };
    return Solve3x3(normal, { sy, sxy, sx2y });
}

namespace {

double Determinant(const Matrix3& m) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1])
        - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0])
        + m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

} // namespace

Vector3 Solve3x3(const Matrix3& a, const Vector3& rhs) {
    const double det = Determinant(a);
    Vector3 solution {};
    for (int column = 0; column < 3; ++column) {
        Matrix3 replaced = a;
        for (int row = 0; row < 3; ++row)
            replaced[row][column] = rhs[row];
        solution[column] = Determinant(replaced) / det;
    }
    return solution;
}

} // namespace velutra
