#pragma once

#include <optional>
#include <vector>

namespace velutra {

// The least-squares solution c of A c = b for a design matrix A of `rows` rows and `terms`
// columns (row-major in `design`), by a rank-revealing QR decomposition of A with its columns
// scaled to unit length, so that the rank test does not depend on the terms' magnitudes. Empty
// when A has fewer than `terms` independent columns: a pivot below 1e-10 of the largest counts
// as zero, which keeps points that merely lie close together and refuses a set whose terms are
// combinations of each other up to rounding.
std::optional<std::vector<double>> SolveFullRankLeastSquares(
    const std::vector<double>& design, const std::vector<double>& b, int rows, int terms);

} // namespace velutra
