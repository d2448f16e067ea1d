#include "analysis/SurfaceFit.h"

#include <Eigen/Dense>
#include <cmath>

namespace velutra {

namespace {

std::array<double, SurfaceFit::kTerms> Terms(double pressureRatio, double suctionPressureKPa) {
    const double x = std::log(pressureRatio);
    const double y = std::log(suctionPressureKPa);
    return { 1.0, x, y, x * x, x * y, x * x * x };
}

// Relative threshold below which a pivot of the scaled design matrix counts as zero. The
// columns are scaled to unit length, so this measures how nearly one term is a combination of
// the others; 1e-10 keeps points that merely lie close together while refusing a single row,
// where x + y = ln(Pc) is constant for every point and the matrix is singular up to rounding.
constexpr double kRankThreshold = 1e-10;

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
    Eigen::MatrixXd a(n, SurfaceFit::kTerms);
    Eigen::VectorXd b(n);
    for (int i = 0; i < n; ++i) {
        const auto t = Terms(pressureRatio[i], suctionPressureKPa[i]);
        for (int k = 0; k < SurfaceFit::kTerms; ++k)
            a(i, k) = t[k];
        b(i) = z[i];
    }
    if (!a.allFinite() || !b.allFinite()) {
        result.refusal
            = "a valid point has a pressure ratio, suction pressure or value that is not a finite number";
        return result;
    }

    // Unit columns make the rank test independent of the terms' magnitudes.
    const Eigen::VectorXd scale = a.colwise().norm().transpose();
    for (int k = 0; k < SurfaceFit::kTerms; ++k)
        a.col(k) /= scale(k);
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(a);
    qr.setThreshold(kRankThreshold);
    if (qr.rank() < SurfaceFit::kTerms) {
        result.refusal
            = "the valid points do not determine the six terms: they lie on one condensing "
              "temperature or on too few distinct combinations of pressure ratio and suction pressure";
        return result;
    }
    const Eigen::VectorXd solution = qr.solve(b);
    for (int k = 0; k < SurfaceFit::kTerms; ++k)
        result.fit.c[k] = solution(k) / scale(k);
    return result;
}

} // namespace velutra
