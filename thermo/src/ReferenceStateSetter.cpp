#include "ReferenceStateSetter.h"

#include "Properties.h"
#include "Saturation.h"

namespace velutra::thermo {

SolverOutcome ApplyReferenceState(PureFluid& fluid, ReferenceState reference) {
    constexpr double kIirTempK = 273.15;
    constexpr double kNormalPressureKPa = 101.325;

    PureFluid unshifted = fluid;
    unshifted.setReferenceShift(0.0, 0.0);
    const SaturationResult sat = reference == ReferenceState::IIR
        ? SaturationAtT(unshifted, kIirTempK)
        : SaturationAtP(unshifted, kNormalPressureKPa);
    if (!sat.outcome.ok())
        return sat.outcome;
    const StateProperties liquid = PropertiesAt(unshifted, sat.tempK, sat.rhoL);
    // IIR values per kg times the molar mass in g/mol give J/mol and J/(mol K).
    const double hTarget = reference == ReferenceState::IIR ? 200.0 * fluid.molarMass() : 0.0;
    const double sTarget = reference == ReferenceState::IIR ? 1.0 * fluid.molarMass() : 0.0;
    fluid.setReferenceShift(hTarget - liquid.enthalpy, sTarget - liquid.entropy);
    return {};
}

} // namespace velutra::thermo
