#include "ChebyshevSeries.h"

#include "ThermoError.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra::thermo {

ChebyshevSeries::ChebyshevSeries(std::vector<Piece> pieces)
    : pieces_(std::move(pieces)) {
    for (std::size_t i = 0; i < pieces_.size(); ++i) {
        const Piece& piece = pieces_[i];
        const bool contiguous = i == 0 || piece.tMin == pieces_[i - 1].tMax;
        if (!(piece.tMax > piece.tMin) || piece.coef.empty() || !contiguous)
            throw ThermoError(
                ErrorCode::BadFluidFile, "Chebyshev pieces must be contiguous, ordered and non-empty");
    }
}

double ChebyshevSeries::evaluatePiece(const Piece& piece, double x) {
    double b1 = 0.0;
    double b2 = 0.0;
    for (std::size_t k = piece.coef.size() - 1; k > 0; --k) {
        const double b0 = 2.0 * x * b1 - b2 + piece.coef[k];
        b2 = b1;
        b1 = b0;
    }
    return x * b1 - b2 + piece.coef[0];
}

double ChebyshevSeries::operator()(double tempK) const {
    if (pieces_.empty() || !(tempK >= minTempK() && tempK <= maxTempK()))
        return std::numeric_limits<double>::quiet_NaN();
    // First piece whose upper end is not below tempK.
    const auto it = std::lower_bound(
        pieces_.begin(), pieces_.end(), tempK, [](const Piece& piece, double t) { return piece.tMax < t; });
    const Piece& piece = it == pieces_.end() ? pieces_.back() : *it;
    const double x = (2.0 * tempK - piece.tMax - piece.tMin) / (piece.tMax - piece.tMin);
    return evaluatePiece(piece, x);
}

} // namespace velutra::thermo
