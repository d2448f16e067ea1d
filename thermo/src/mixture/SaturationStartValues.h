#pragma once

#include "Composition.h"
#include "DewBubble.h"
#include "MixtureModel.h"

#include <optional>
#include <vector>

namespace velutra::thermo {

// Start values for the dew and bubble points of one fixed composition z, so that the saturation
// Newton iteration ends after one or two steps. Built once from the full solution: for each kind
// of point, piecewise Chebyshev expansions in T of the unknowns of that iteration (ln of the
// incipient phase's component densities, ln of the bulk density) and of ln p, fitted at
// Chebyshev-Lobatto nodes and accepted piece by piece only where they meet the full solution at
// test temperatures between the nodes to 1e-10 in the logarithms. Pieces shrink near the mixture's
// critical region; where the full solution fails no piece is fitted and no start is given.
// Start values are never results: the solvers iterate from them to their own tolerance.
class SaturationStartValues {
public:
    SaturationStartValues(const MixtureModel& model, const Composition& z);

    const Composition& composition() const { return z_; }

    // The estimated dew (bubble) point at T as a saturation state to start the solver from, or
    // nothing outside the fitted range.
    std::optional<MixtureSaturation> dewAt(double tempK) const { return dew_.at(*this, tempK); }
    std::optional<MixtureSaturation> bubbleAt(double tempK) const { return bubble_.at(*this, tempK); }

    // The estimated dew (bubble) point at pressure p, its temperature from the expansion of ln p.
    std::optional<MixtureSaturation> dewAtPressure(double pressureKPa) const {
        return dew_.atPressure(*this, pressureKPa);
    }
    std::optional<MixtureSaturation> bubbleAtPressure(double pressureKPa) const {
        return bubble_.atPressure(*this, pressureKPa);
    }

    // Fitted ranges, [min, max] K (min > max when nothing could be fitted).
    double dewMinTempK() const { return dew_.minTempK(); }
    double dewMaxTempK() const { return dew_.maxTempK(); }
    double bubbleMinTempK() const { return bubble_.minTempK(); }
    double bubbleMaxTempK() const { return bubble_.maxTempK(); }

private:
    struct Piece {
        double tMin = 0.0;
        double tMax = 0.0;
        // coef[v][k]: the coefficient of T_k in the expansion of variable v (n + 1 unknowns, ln p).
        std::vector<std::vector<double>> coef;
    };
    struct Curve {
        bool dew = true;
        std::vector<Piece> pieces;

        double minTempK() const { return pieces.empty() ? 1.0 : pieces.front().tMin; }
        double maxTempK() const { return pieces.empty() ? 0.0 : pieces.back().tMax; }
        // Variables at T into `values` (n + 2 entries); false outside the range.
        bool evaluate(double tempK, int variables, double* values) const;
        std::optional<MixtureSaturation> at(const SaturationStartValues& owner, double tempK) const;
        std::optional<MixtureSaturation> atPressure(
            const SaturationStartValues& owner, double pressureKPa) const;
    };

    void fit(Curve& curve) const;
    MixtureSaturation solve(bool dew, double tempK, const MixtureSaturation* near) const;
    std::vector<double> variablesOf(bool dew, const MixtureSaturation& sat) const;
    MixtureSaturation stateFrom(bool dew, double tempK, const double* values) const;

    const MixtureModel& model_;
    Composition z_;
    int n_;
    Curve dew_;
    Curve bubble_;
};

} // namespace velutra::thermo
