// The pair parameters of the mixing-rule file as the mixture model applies them: beta belongs to
// the order in which the file writes a pair, a pair given without departure function adds none,
// and five components find all ten of their pairs.
#include "MixtureFixture.h"
#include "ThermoError.h"
#include "Tolerance.h"

#include <cmath>

namespace velutra::thermo::test {
namespace {

using velutra::test::NearRel;

MixtureModel Build(std::initializer_list<const char*> names) {
    std::vector<PureFluid> components;
    for (const char* name : names)
        components.push_back(Fluid(name));
    return HmxRules().build(std::move(components));
}

// The GERG reducing temperature of a binary pair written by hand, with (betaT, gammaT) given for
// the order (i, j).
double PairReducingTempK(double xi, double xj, double ti, double tj, double betaT, double gammaT) {
    return xi * xi * ti + xj * xj * tj
        + 2.0 * xi * xj * betaT * gammaT * (xi + xj) / (betaT * betaT * xi + xj) * std::sqrt(ti * tj);
}

// R32/R1234yf is written in that order with betaT = 1.011011, gammaT = 0.966965. At R454B's
// composition (far from 50/50) the swapped beta would move T_r by about 0.4 %.
TEST(MixingRules, BetaBelongsToTheOrderTheFileWritesThePair) {
    const double x32 = 0.82924792180871187;
    const double xYf = 0.17075207819128813;
    const double expected = PairReducingTempK(x32, xYf, 351.255, 367.85, 1.011011, 0.966965);
    const double swapped = PairReducingTempK(x32, xYf, 351.255, 367.85, 1.0 / 1.011011, 0.966965);
    ASSERT_GT(std::fabs(expected - swapped) / expected, 3e-3);

    const MixtureModel fileOrder = Build({ "R32", "R1234yf" });
    const MixtureModel reversed = Build({ "R1234yf", "R32" });
    EXPECT_TRUE(NearRel(fileOrder.reducingTempK({ x32, xYf }), expected, 1e-14));
    EXPECT_TRUE(NearRel(reversed.reducingTempK({ xYf, x32 }), expected, 1e-14));
    EXPECT_TRUE(NearRel(reversed.reducingRho({ xYf, x32 }), fileOrder.reducingRho({ x32, xYf }), 1e-14));
    // The whole residual part, departure term included, does not depend on the order either.
    const ResidualDerivatives a = fileOrder.alphar({ x32, xYf }, 300.0, 8.0);
    const ResidualDerivatives b = reversed.alphar({ xYf, x32 }, 300.0, 8.0);
    EXPECT_TRUE(NearRel(b.alphar, a.alphar, 1e-13));
    EXPECT_TRUE(NearRel(b.tau_dTau, a.tau_dTau, 1e-13));
}

// R125/R1234ze(E) has F = 0 and no departure function: its residual part is the corresponding-
// states sum of the two components at the mixture's tau and delta.
TEST(MixingRules, PairWithoutDepartureFunctionAddsNone) {
    const MixtureModel model = Build({ "R125", "R1234ze(E)" });
    const Composition x { 0.3, 0.7 };
    const double tempK = 320.0;
    const double rho = 6.0;
    const double tau = model.reducingTempK(x) / tempK;
    const double delta = rho / model.reducingRho(x);
    double sum = 0.0;
    for (int i = 0; i < 2; ++i)
        sum += x[i] * model.component(i).residual().alphar(tau, delta).alphar;
    EXPECT_TRUE(NearRel(model.alphar(x, tempK, rho).alphar, sum, 1e-13));
    // A pair with a departure function (R32/R1234yf) differs from its plain sum.
    const MixtureModel withDeparture = Build({ "R32", "R1234yf" });
    const double tau2 = withDeparture.reducingTempK(x) / tempK;
    const double delta2 = rho / withDeparture.reducingRho(x);
    double plain = 0.0;
    for (int i = 0; i < 2; ++i)
        plain += x[i] * withDeparture.component(i).residual().alphar(tau2, delta2).alphar;
    EXPECT_GT(std::fabs(withDeparture.alphar(x, tempK, rho).alphar - plain), 1e-4);
}

// Five components in any order: every pair is found, and the mixture is the same mixture.
TEST(MixingRules, FiveComponentsInAnyOrderGiveTheSameMixture) {
    const Blend& r448a = BlendNamed("R448A");
    const MixtureModel& blend = Mixture("R448A");
    const MixtureModel shuffled = Build({ "R1234ze(E)", "R134a", "R32", "R1234yf", "R125" });
    const Composition z = r448a.z;
    const Composition reordered { z[4], z[3], z[0], z[2], z[1] };
    EXPECT_TRUE(NearRel(shuffled.reducingTempK(reordered), blend.reducingTempK(z), 1e-14));
    EXPECT_TRUE(NearRel(shuffled.reducingRho(reordered), blend.reducingRho(z), 1e-14));
    EXPECT_TRUE(
        NearRel(shuffled.alphar(reordered, 280.0, 10.0).alphar, blend.alphar(z, 280.0, 10.0).alphar, 1e-12));
}

TEST(MixingRules, PairTheFileDoesNotKnowIsRefused) {
    std::vector<PureFluid> components { Fluid("R290"), Fluid("R1234yf") };
    try {
        HmxRules().build(std::move(components));
        FAIL() << "propane/R1234yf has no parameters in the file";
    } catch (const ThermoError& e) {
        EXPECT_NE(std::string(e.what()).find("propane/R1234yf"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace velutra::thermo::test
