#include "analysis/FullRankLeastSquares.h"

#include <Eigen/Dense>

namespace velutra {

namespace {

constexpr double kRankThreshold = 1e-10;

} // namespace

std::optional<std::vector<double>> SolveFullRankLeastSquares(
    const std::vector<double>& design, const std::vector<double>& b, int rows, int terms) {
    Eigen::MatrixXd a(rows, terms);
    for (int i = 0; i < rows; ++i)
        for (int k = 0; k < terms; ++k)
            a(i, k) = design[static_cast<size_t>(i) * static_cast<size_t>(terms) + static_cast<size_t>(k)];
    const Eigen::VectorXd norms = a.colwise().norm().transpose();
    for (int k = 0; k < terms; ++k)
        if (norms(k) > 0)
            a.col(k) /= norms(k);
    Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(a);
    qr.setThreshold(kRankThreshold);
    if (qr.rank() < terms)
        return std::nullopt;
    const Eigen::VectorXd solution = qr.solve(Eigen::Map<const Eigen::VectorXd>(b.data(), rows));
    std::vector<double> c(static_cast<size_t>(terms));
    for (int k = 0; k < terms; ++k)
        c[static_cast<size_t>(k)] = solution(k) / norms(k);
    return c;
}

} // namespace velutra
