#include "Superancillary.h"

#include "ThermoError.h"

#include <algorithm>
#include <cmath>

namespace velutra::thermo {

Superancillary::Superancillary(ChebyshevSeries pressure, ChebyshevSeries rhoL, ChebyshevSeries rhoV)
    : pressure_(std::move(pressure))
    , rhoL_(std::move(rhoL))
    , rhoV_(std::move(rhoV)) {
    if (pressure_.empty() || rhoL_.empty() || rhoV_.empty() || rhoL_.minTempK() != minTempK()
        || rhoV_.minTempK() != minTempK() || rhoL_.maxTempK() != maxTempK() || rhoV_.maxTempK() != maxTempK())
        throw ThermoError(
            ErrorCode::BadFluidFile, "the superancillary expansions must cover one temperature range");
    for (const ChebyshevSeries::Piece& piece : pressure_.pieces())
        pressureAtPieceEnd_.push_back(ChebyshevSeries::evaluatePiece(piece, 1.0));
}

std::optional<double> Superancillary::temperatureAt(double pressureKPa) const {
    const auto& pieces = pressure_.pieces();
    const double pMin = ChebyshevSeries::evaluatePiece(pieces.front(), -1.0);
    if (!(pressureKPa >= pMin && pressureKPa <= pressureAtPieceEnd_.back()))
        return std::nullopt;
    const std::size_t index
        = std::lower_bound(pressureAtPieceEnd_.begin(), pressureAtPieceEnd_.end(), pressureKPa)
        - pressureAtPieceEnd_.begin();
    const ChebyshevSeries::Piece& piece = pieces[std::min(index, pieces.size() - 1)];

    // Illinois (modified regula falsi) on x in [-1, 1]: the pressure rises monotonically across
    // the piece, so the bracket is known and the iteration cannot leave it.
    double xLo = -1.0;
    double xHi = 1.0;
    double fLo = ChebyshevSeries::evaluatePiece(piece, xLo) - pressureKPa;
    double fHi = ChebyshevSeries::evaluatePiece(piece, xHi) - pressureKPa;
    int side = 0;
    double x = 0.0;
    for (int iteration = 0; iteration < 100; ++iteration) {
        x = fHi == fLo ? 0.5 * (xLo + xHi) : xHi - fHi * (xHi - xLo) / (fHi - fLo);
        const double f = ChebyshevSeries::evaluatePiece(piece, x) - pressureKPa;
        if (f == 0.0 || xHi - xLo < 1e-15)
            break;
        if ((f < 0.0) == (fLo < 0.0)) {
            xLo = x;
            fLo = f;
            if (side == -1)
                fHi *= 0.5;
            side = -1;
        } else {
            xHi = x;
            fHi = f;
            if (side == 1)
                fLo *= 0.5;
            side = 1;
        }
        if (std::fabs(f) <= 1e-14 * pressureKPa)
            break;
    }
    return 0.5 * (piece.tMax + piece.tMin) + 0.5 * x * (piece.tMax - piece.tMin);
}

} // namespace velutra::thermo
