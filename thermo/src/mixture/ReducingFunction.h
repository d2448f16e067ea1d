#pragma once

#include "Composition.h"

#include <vector>

namespace velutra::thermo {

// Interaction parameters of one binary pair in the GERG form (Kunz and Wagner, J. Chem. Eng. Data
// 57 (2012) 3032, eqs. 7.9 and 7.10), given for the pair in the order (i, j). Swapping the order
// turns beta into 1/beta; gamma stays.
struct ReducingPair {
    double betaT = 1.0;
    double gammaT = 1.0;
    double betaV = 1.0;
    double gammaV = 1.0;
};

// The mixture's reducing temperature and volume:
//   T_r(x) = sum_i x_i^2 T_r,i + sum_{i<j} 2 x_i x_j betaT gammaT (x_i + x_j)/(betaT^2 x_i + x_j) (T_r,i
//   T_r,j)^(1/2) v_r(x) = sum_i x_i^2 v_r,i + sum_{i<j} 2 x_i x_j betaV gammaV (x_i + x_j)/(betaV^2 x_i +
//   x_j)
//            (v_r,i^(1/3) + v_r,j^(1/3))^3 / 8
// with v_r = 1 / rho_r in dm3/mol. Evaluated for plain numbers or Jets (S needs +, *, / and
// double * S). Mole fractions must be positive.
class ReducingFunction {
public:
    ReducingFunction() = default;
    // tempK[i], volume[i]: the components' reducing values; pairs[i][j] for i < j.
    ReducingFunction(std::vector<double> tempK, std::vector<double> volume,
        const std::vector<std::vector<ReducingPair>>& pairs);

    int size() const { return static_cast<int>(tempK_.size()); }

    template <class S> S temperature(const S* x) const { return sum(x, tempK_, coefT_, beta2T_); }
    template <class S> S volume(const S* x) const { return sum(x, volume_, coefV_, beta2V_); }

private:
    template <class S>
    S sum(const S* x, const std::vector<double>& pure, const std::vector<double>& coef,
        const std::vector<double>& beta2) const {
        const int n = size();
        S total = pure[0] * (x[0] * x[0]);
        for (int i = 1; i < n; ++i)
            total = total + pure[i] * (x[i] * x[i]);
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const int k = i * n + j;
                total = total + coef[k] * (x[i] * x[j] * (x[i] + x[j]) / (beta2[k] * x[i] + x[j]));
            }
        return total;
    }

    std::vector<double> tempK_;
    std::vector<double> volume_;
    // Per pair (index i * n + j, i < j): 2 beta gamma times the combining rule, and beta^2.
    std::vector<double> coefT_;
    std::vector<double> beta2T_;
    std::vector<double> coefV_;
    std::vector<double> beta2V_;
};

} // namespace velutra::thermo
