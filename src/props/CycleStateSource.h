#pragma once

#include "record/RatingConditions.h"

#include <string>

namespace velutra {

// Refrigerant states of one map point, in the property library's units:
// M g/mol, pressures kPa, enthalpies J/mol, entropy J/(mol K), density mol/dm3.
struct CycleStateResult {
    double M = 0; // molar mass
    double Pe = 0; // dew pressure at the evaporating temperature
    double Pc = 0; // dew pressure at the condensing temperature
    double h1 = 0; // suction gas at the rating conditions and Pe
    double s1 = 0;
    double d1 = 0; // vapour-root density of the suction state
    double h3 = 0; // liquid line at the rating conditions and Pc
    double h2s = 0; // end of the isentropic compression from s1 to Pc
    // Empty when every state was computed; otherwise the first failure, in the property
    // library's words, and the states it affects are NaN.
    std::string error;
    // Temperatures in K: the dew temperatures at Pe and Pc (the map's own on the dew basis),
    // the bubble temperature at Pc (NaN where the rating does not need it: a blend rated with a
    // liquid temperature on the dew basis) and the liquid line's temperature.
    double Te = 0;
    double Tc = 0;
    double Tbubble = 0;
    double Tliquid = 0;
};

// Outcome of a set-up; `message` names the refrigerant and carries the library's own text.
struct SetupResult {
    bool ok = false;
    std::string message;
};

// Whether a point has no flow because its liquid line would be warmer than the condensed
// liquid: a liquid temperature above the condensing temperature. On the dew basis that is the
// map's condensing temperature itself (for a blend the liquid inside the glide is taken as the
// metastable liquid of the bulk composition, as it always was); on the mid-point basis the
// bubble temperature at the condensing pressure. A subcooled liquid always flows.
inline bool LiquidAboveCondensing(
    const RatingConditions& rating, double condTempK, const CycleStateResult& s) {
    if (rating.liquid != RatingConditions::Liquid::LiquidTemperature)
        return false;
    const double limitK = rating.basis == RatingConditions::Basis::MidPoint ? s.Tbubble : condTempK;
    return limitK < rating.liquidValue;
}

// What the map analysis needs from the property engine; the engine implements it, tests may
// substitute a simple model.
class CycleStateSource {
public:
    virtual ~CycleStateSource() = default;
    // Sets the source up for a refrigerant code.
    virtual SetupResult SetupFluid(int refrigerantIndex) = 0;
    // Molar mass of the fluid set up, g/mol.
    virtual double MolarMass() = 0;
    // The cycle state sequence for evaporating and condensing temperatures in K at the map's
    // rating conditions.
    virtual CycleStateResult CycleStates(double evapTempK, double condTempK, const RatingConditions& rating)
        = 0;
};

} // namespace velutra
