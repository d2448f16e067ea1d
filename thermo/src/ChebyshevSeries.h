#pragma once

#include <vector>

namespace velutra::thermo {

// A function of temperature given piecewise by Chebyshev expansions: on each piece
// [tMin, tMax], f(T) = sum c_k T_k(x) with x = (2 T - tMax - tMin) / (tMax - tMin).
class ChebyshevSeries {
public:
    struct Piece {
        double tMin = 0.0;
        double tMax = 0.0;
        std::vector<double> coef;
    };

    ChebyshevSeries() = default;
    // Pieces must be contiguous and in increasing temperature; throws ThermoError otherwise.
    explicit ChebyshevSeries(std::vector<Piece> pieces);

    bool empty() const { return pieces_.empty(); }
    double minTempK() const { return pieces_.front().tMin; }
    double maxTempK() const { return pieces_.back().tMax; }
    const std::vector<Piece>& pieces() const { return pieces_; }

    // Value at tempK within [minTempK, maxTempK]; NaN outside.
    double operator()(double tempK) const;

    // Value of one piece at x in [-1, 1] (Clenshaw recurrence).
    static double evaluatePiece(const Piece& piece, double x);

private:
    std::vector<Piece> pieces_;
};

} // namespace velutra::thermo
