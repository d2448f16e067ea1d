#include "ReducingFunction.h"

#include <cmath>

namespace velutra::thermo {

ReducingFunction::ReducingFunction(std::vector<double> tempK, std::vector<double> volume,
    const std::vector<std::vector<ReducingPair>>& pairs)
    : tempK_(std::move(tempK))
    , volume_(std::move(volume)) {
    const std::size_t n = tempK_.size();
    coefT_.assign(n * n, 0.0);
    beta2T_.assign(n * n, 1.0);
    coefV_.assign(n * n, 0.0);
    beta2V_.assign(n * n, 1.0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            const ReducingPair& p = pairs[i][j];
            const std::size_t k = i * n + j;
            const double cubeRoots = std::cbrt(volume_[i]) + std::cbrt(volume_[j]);
            coefT_[k] = 2.0 * p.betaT * p.gammaT * std::sqrt(tempK_[i] * tempK_[j]);
            beta2T_[k] = p.betaT * p.betaT;
            coefV_[k] = 2.0 * p.betaV * p.gammaV * cubeRoots * cubeRoots * cubeRoots / 8.0;
            beta2V_[k] = p.betaV * p.betaV;
        }
}

} // namespace velutra::thermo
