#pragma once

#include "props/CycleStateSource.h"

#include <cmath>
#include <limits>
#include <string>

namespace velutra::test {

// A refrigerant that can be worked by hand: Clausius-Clapeyron dew pressure, ideal-gas suction
// vapour at 90 F and an isentropic compression with R/cp = 1/4. Units as the property engine's.
class IdealGasCycle : public CycleStateSource {
public:
    static constexpr double kR = 8.314462618; // J/(mol K)
    static constexpr double kM = 100.0; // g/mol
    static constexpr double kSuctionK = 305.37222222222226; // 90 F
    static constexpr double kH1 = 40000.0; // J/mol, suction vapour
    static constexpr double kH3 = 24000.0; // J/mol, liquid line: (h1 - h3) / M = 160 kJ/kg

    // P = 100 kPa * exp(2500 K * (1/250 K - 1/T))
    static double DewPressure(double tK) { return 100.0 * std::exp(2500.0 * (1.0 / 250.0 - 1.0 / tK)); }
    // Vapour density of the suction gas, mol/dm3.
    static double SuctionDensity(double pKPa) { return pKPa / (kR * kSuctionK); }
    // Isentropic work h2s - h1 from pressure ratio p, J/mol: cp T1 (p^(R/cp) - 1) with cp = 4 R.
    static double IsentropicWork(double p) { return 4.0 * kR * kSuctionK * (std::pow(p, 0.25) - 1.0); }

    double MolarMass() override { return kM; }
    // One model for every refrigerant.
    SetupResult SetupFluid(int /*refrigerantIndex*/) override { return { true, {} }; }

    // The model ignores the rating conditions: its suction gas and liquid states are fixed.
    CycleStateResult CycleStates(
        double evapTempK, double condTempK, const RatingConditions& /*rating*/) override {
        ++calls;
        CycleStateResult s;
        if (condTempK >= criticalTempK || evapTempK >= criticalTempK) {
            // As the engine reports a failure: NaN states and the library's message.
            const double nan = std::numeric_limits<double>::quiet_NaN();
            s = { kM, nan, nan, nan, nan, nan, nan, nan, "temperature above the critical point" };
            return s;
        }
        s.M = kM;
        s.Pe = DewPressure(evapTempK);
        s.Pc = DewPressure(condTempK);
        s.h1 = kH1;
        s.s1 = 150.0;
        s.d1 = SuctionDensity(s.Pe);
        s.h3 = kH3;
        s.h2s = kH1 + IsentropicWork(s.Pc / s.Pe);
        return s;
    }

    int calls = 0;
    double criticalTempK = std::numeric_limits<double>::infinity();
};

} // namespace velutra::test
