#include "interchange/TenTermPolynomial.h"

#include "analysis/FullRankLeastSquares.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velutra {

namespace {

// Powers of S and D of each term, in the order C1..C10.
constexpr std::array<std::array<int, 2>, TenTermPolynomial::kTerms> kPowers = { {
    { 0, 0 },
    { 1, 0 },
    { 0, 1 },
    { 2, 0 },
    { 1, 1 },
    { 0, 2 },
    { 3, 0 },
    { 2, 1 },
    { 1, 2 },
    { 0, 3 },
} };

std::array<double, TenTermPolynomial::kTerms> Terms(double s, double d) {
    std::array<double, TenTermPolynomial::kTerms> t {};
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
        t[k] = std::pow(s, kPowers[k][0]) * std::pow(d, kPowers[k][1]);
    return t;
}

int DistinctCount(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return static_cast<int>(std::unique(values.begin(), values.end()) - values.begin());
}

// The centre and half-span of a set of temperatures: the fit works in t' = (t - centre) / half,
// which keeps 1, t, t^2 and t^3 from being nearly parallel over a span far from zero.
struct Scaling {
    double centre = 0;
    double half = 1;
};

Scaling ScalingOf(const double* t, int n) {
    const auto [low, high] = std::minmax_element(t, t + n);
    Scaling scaling;
    scaling.centre = (*low + *high) / 2;
    scaling.half = *high > *low ? (*high - *low) / 2 : 1;
    return scaling;
}

double Binomial(int n, int k) {
    double b = 1;
    for (int i = 1; i <= k; ++i)
        b = b * (n - k + i) / i;
    return b;
}

// Coefficients in (s', d') back to coefficients in (S, D): s' = a S + b with a = 1 / half,
// b = -centre / half; each term s'^i d'^j is expanded binomially.
TenTermPolynomial Unscale(const TenTermPolynomial& scaled, const Scaling& s, const Scaling& d) {
    const double as = 1 / s.half;
    const double bs = -s.centre / s.half;
    const double ad = 1 / d.half;
    const double bd = -d.centre / d.half;
    double byPower[4][4] = {};
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k) {
        const int i = kPowers[k][0];
        const int j = kPowers[k][1];
        for (int p = 0; p <= i; ++p)
            for (int q = 0; q <= j; ++q)
                byPower[p][q] += scaled.c[k] * Binomial(i, p) * std::pow(as, p) * std::pow(bs, i - p)
                    * Binomial(j, q) * std::pow(ad, q) * std::pow(bd, j - q);
    }
    TenTermPolynomial fit;
    for (int k = 0; k < TenTermPolynomial::kTerms; ++k)
        fit.c[k] = byPower[kPowers[k][0]][kPowers[k][1]];
    return fit;
}

} // namespace

double TenTermPolynomial::Evaluate(double evapTemp, double condTemp) const {
    const double s = evapTemp;
    const double d = condTemp;
    return c[0] + c[1] * s + c[2] * d + c[3] * s * s + c[4] * s * d + c[5] * d * d + c[6] * s * s * s
        + c[7] * d * s * s + c[8] * s * d * d + c[9] * d * d * d;
}

TenTermFitResult FitTenTerms(const double* evapTemp, const double* condTemp, const double* x, int n) {
    TenTermFitResult result;
    if (n < TenTermPolynomial::kTerms) {
        result.refusal = "the polynomial has ten terms and needs at least ten valid points; there are "
            + std::to_string(n);
        return result;
    }
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(evapTemp[i]) || !std::isfinite(condTemp[i]) || !std::isfinite(x[i])) {
            result.refusal = "a valid point has a temperature or value that is not a finite number";
            return result;
        }
    }
    // A cubic in one temperature needs four distinct values of it.
    const int evaps = DistinctCount({ evapTemp, evapTemp + n });
    const int conds = DistinctCount({ condTemp, condTemp + n });
    if (evaps < 4 || conds < 4) {
        result.refusal = "the cubic terms need at least four distinct evaporating and four distinct "
                         "condensing temperatures among the valid points; there are "
            + std::to_string(evaps) + " evaporating and " + std::to_string(conds) + " condensing";
        return result;
    }

    const Scaling s = ScalingOf(evapTemp, n);
    const Scaling d = ScalingOf(condTemp, n);
    std::vector<double> design;
    design.reserve(static_cast<size_t>(n) * TenTermPolynomial::kTerms);
    for (int i = 0; i < n; ++i) {
        const auto t = Terms((evapTemp[i] - s.centre) / s.half, (condTemp[i] - d.centre) / d.half);
        design.insert(design.end(), t.begin(), t.end());
    }
    const auto c
        = SolveFullRankLeastSquares(design, std::vector<double>(x, x + n), n, TenTermPolynomial::kTerms);
    if (!c) {
        result.refusal = "the valid points do not determine the ten terms: they lie on too few "
                         "combinations of evaporating and condensing temperature";
        return result;
    }
    TenTermPolynomial scaled;
    std::copy(c->begin(), c->end(), scaled.c.begin());
    result.fit = Unscale(scaled, s, d);
    return result;
}

} // namespace velutra
