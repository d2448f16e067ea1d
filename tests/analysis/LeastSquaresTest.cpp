#include "analysis/LeastSquares.h"

#include "Tolerance.h"

#include <array>
#include <cmath>

namespace velutra {
namespace {

using test::NearRel;

// NIST StRD "Norris" (linear, lower difficulty): 36 observations (y, x) and certified values.
constexpr std::array<double, 36> kNorrisY = { 0.1, 338.8, 118.1, 888.0, 9.2, 228.1, 668.5, 998.5, 449.1,
    778.9, 559.2, 0.3, 0.1, 778.1, 668.8, 339.3, 448.9, 10.8, 557.7, 228.3, 998.0, 888.8, 119.6, 0.3, 0.6,
    557.6, 339.3, 888.0, 998.5, 778.9, 10.2, 117.6, 228.9, 668.4, 449.2, 0.2 };
constexpr std::array<double, 36> kNorrisX = { 0.2, 337.4, 118.2, 884.6, 10.1, 226.5, 666.3, 996.3, 448.6,
    777.0, 558.2, 0.4, 0.6, 775.5, 666.9, 338.0, 447.5, 11.6, 556.0, 228.1, 995.8, 887.6, 120.2, 0.3, 0.3,
    556.8, 339.1, 887.2, 999.0, 779.0, 11.1, 118.3, 229.2, 669.1, 448.9, 0.5 };
constexpr double kNorrisB0 = -0.262323073774029;
constexpr double kNorrisB1 = 1.00211681802045;
constexpr double kNorrisResidualSS = 26.6173985294224;

// NIST StRD "Pontius" (quadratic, lower difficulty): deflection y against load x, two replicates.
constexpr std::array<double, 40> kPontiusY = { 0.11019, 0.21956, 0.32949, 0.43899, 0.54803, 0.65694, 0.76562,
    0.87487, 0.98292, 1.09146, 1.20001, 1.30822, 1.41599, 1.52399, 1.63194, 1.73947, 1.84646, 1.95392,
    2.06128, 2.16844, 0.11052, 0.22018, 0.32939, 0.43886, 0.54798, 0.65739, 0.76596, 0.87474, 0.98300,
    1.09150, 1.20004, 1.30818, 1.41613, 1.52408, 1.63159, 1.73965, 1.84696, 1.95445, 2.06177, 2.16829 };
constexpr double kPontiusB0 = 0.673565789473684E-03;
constexpr double kPontiusB1 = 0.732059160401003E-06;
constexpr double kPontiusB2 = -0.316081871345029E-14;
constexpr double kPontiusResidualSS = 0.155761768796992E-05;

std::array<double, 40> PontiusX() {
    std::array<double, 40> x {};
    for (int i = 0; i < 40; ++i)
        x[i] = 150000.0 * (i % 20 + 1);
    return x;
}

TEST(FitLine, MatchesNorrisCertifiedValues) {
    const LineFit fit = FitLine(kNorrisX.data(), kNorrisY.data(), 36);
    // The sums-over-Sx form loses a few digits against a centred formula; 1e-9 is still far
    // inside the 15 certified digits' worth of what a fit on this data needs.
    EXPECT_TRUE(NearRel(fit.intercept, kNorrisB0, 1e-9));
    EXPECT_TRUE(NearRel(fit.slope, kNorrisB1, 1e-12));

    double residualSS = 0;
    for (int i = 0; i < 36; ++i) {
        const double e = kNorrisY[i] - (fit.intercept + fit.slope * kNorrisX[i]);
        residualSS += e * e;
    }
    EXPECT_TRUE(NearRel(residualSS, kNorrisResidualSS, 1e-10));
}

TEST(FitLine, UndefinedFitsAreNonFiniteNotACrash) {
    // No point, one point, a vertical line, and Sx = 0, which is divided by as well.
    const double x[] = { 2, 2, 2 };
    const double y[] = { 1, 3, 5 };
    const double symmetric[] = { -1, 1 };
    for (const LineFit fit :
        { FitLine(x, y, 0), FitLine(x, y, 1), FitLine(x, y, 3), FitLine(symmetric, y, 2) })
        EXPECT_FALSE(std::isfinite(fit.slope));
    EXPECT_FALSE(std::isfinite(FitLine(x, y, 0).intercept) || std::isfinite(FitLine(x, y, 3).intercept));
}

TEST(FitQuadratic, MatchesPontiusCertifiedValues) {
    const std::array<double, 40> x = PontiusX();
    const Vector3 c = FitQuadratic(x.data(), kPontiusY.data(), 40);
    // Cramer's rule on the raw normal equations (sums of x^4 near 1e27 beside a count of 40) is
    // badly conditioned; the small intercept is what suffers, so it gets the widest margin.
    EXPECT_TRUE(NearRel(c[0], kPontiusB0, 1e-9));
    EXPECT_TRUE(NearRel(c[1], kPontiusB1, 1e-11));
    EXPECT_TRUE(NearRel(c[2], kPontiusB2, 1e-11));

    double residualSS = 0;
    for (int i = 0; i < 40; ++i) {
        const double e = kPontiusY[i] - (c[0] + c[1] * x[i] + c[2] * x[i] * x[i]);
        residualSS += e * e;
    }
    // The residual sum is flat at the minimum, so it keeps far more digits than the coefficients.
    EXPECT_TRUE(NearRel(residualSS, kPontiusResidualSS, 1e-10));
}

TEST(FitQuadratic, ExactParabolaAndUndefinedCases) {
    // y = 1 - 2x + 0.5x^2
    const double x[] = { 0, 1, 2, 3, 4 };
    const double y[] = { 1, -0.5, -1, -0.5, 1 };
    const Vector3 c = FitQuadratic(x, y, 5);
    EXPECT_TRUE(NearRel(c[0], 1.0, 1e-12));
    EXPECT_TRUE(NearRel(c[1], -2.0, 1e-12));
    EXPECT_TRUE(NearRel(c[2], 0.5, 1e-12));

    // Two distinct abscissae: the normal matrix (2 3 5; 3 5 9; 5 9 17) has determinant 0.
    const double two[] = { 1, 2 };
    for (const Vector3& undefined : { FitQuadratic(two, y, 2), FitQuadratic(x, y, 0) })
        for (double v : undefined)
            EXPECT_FALSE(std::isfinite(v));
}

} // namespace
} // namespace velutra
