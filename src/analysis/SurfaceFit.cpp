#include "analysis/SurfaceFit.h"

#include "analysis/FullRankLeastSquares.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velutra {

namespace {

std::array<double, SurfaceFit::kTerms> Terms(double pressureRatio, double suctionPressureKPa) {
    const double x = std::log(pressureRatio);
    const double y = std::log(suctionPressureKPa);
    return { 1.0, x, y, x * x, x * y, x * x * x };
}

} // namespace

double SurfaceFit::Evaluate(double pressureRatio, double suctionPressureKPa) const {
    const auto t = Terms(pressureRatio, suctionPressureKPa);
    double z = 0;
    for (int k = 0; k < kTerms; ++k)
        z += c[k] * t[k];
    return z;
}

SurfaceFitResult FitSurface(
    const double* pressureRatio, const double* suctionPressureKPa, const double* z, int n) {
    SurfaceFitResult result;
    if (n < SurfaceFit::kTerms) {
        result.refusal
            = "the fit has six terms and needs at least six valid points; the map has " + std::to_string(n);
        return result;
    }
    std::vector<double> design;
    design.reserve(static_cast<size_t>(n) * SurfaceFit::kTerms);
    for (int i = 0; i < n; ++i) {
        const auto t = Terms(pressureRatio[i], suctionPressureKPa[i]);
        design.insert(design.end(), t.begin(), t.end());
    }
    const std::vector<double> b(z, z + n);
    const auto finite = [](double v) { return std::isfinite(v); };
    if (!std::all_of(design.begin(), design.end(), finite) || !std::all_of(b.begin(), b.end(), finite)) {
        result.refusal
            = "a valid point has a pressure ratio, suction pressure or value that is not a finite number";
        return result;
    }
    // On one condensing temperature x + y = ln(Pc) for every point, so the columns are
    // dependent up to rounding and the solver refuses.
    const auto c = SolveFullRankLeastSquares(design, b, n, SurfaceFit::kTerms);
    if (!c) {
        result.refusal
            = "the valid points do not determine the six terms: they lie on one condensing "
              "temperature or on too few distinct combinations of pressure ratio and suction pressure";
        return result;
    }
    std::copy(c->begin(), c->end(), result.fit.c.begin());
    return result;
}

} // namespace velutra
