#pragma once

#include <array>
#include <cmath>
#include <utility>

namespace velutra::thermo {

// Solves A u = b in place (b becomes u) for the first n rows and columns by Gaussian elimination
// with partial pivoting; false when A is singular to working precision. For the few unknowns of
// the phase-equilibrium Newton iterations.
template <std::size_t N>
bool SolveLinear(std::array<std::array<double, N>, N>& a, std::array<double, N>& b, int n) {
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        for (int i = k + 1; i < n; ++i)
            if (std::fabs(a[i][k]) > std::fabs(a[pivot][k]))
                pivot = i;
        if (!(std::fabs(a[pivot][k]) > 1e-300))
            return false;
        std::swap(a[k], a[pivot]);
        std::swap(b[k], b[pivot]);
        for (int i = k + 1; i < n; ++i) {
            const double f = a[i][k] / a[k][k];
            for (int j = k; j < n; ++j)
                a[i][j] -= f * a[k][j];
            b[i] -= f * b[k];
        }
    }
    for (int k = n - 1; k >= 0; --k) {
        double s = b[k];
        for (int j = k + 1; j < n; ++j)
            s -= a[k][j] * b[j];
        b[k] = s / a[k][k];
        if (!std::isfinite(b[k]))
            return false;
    }
    return true;
}

} // namespace velutra::thermo
