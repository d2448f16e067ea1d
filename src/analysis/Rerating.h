#pragma once

#include "analysis/AnalysisFailure.h"
#include "props/CycleStateSource.h"
#include "record/CompressorRecord.h"

#include <vector>

namespace velutra {

// Re-rating: what a compressor measured at one set of rating conditions delivers at another,
// at the same evaporating and condensing temperatures. The mass flow follows the suction density
// with a factor F (Dabiri and Rice): m' = m [1 + F (rho1'/rho1 - 1)]; F = 1 is a plain density
// ratio. The power follows the mass flow and the isentropic work at the same isentropic
// efficiency: P' = P (m'/m) (dh_s'/dh_s). The capacity is the new mass flow over the new
// refrigerating effect: Q' = m' (h1' - h3') / M, written as Q (m'/m) (h1' - h3')/(h1 - h3) so that
// unchanged states give the capacity back to the bit.
inline constexpr double kDefaultSuperheatFactor = 0.75;

struct ReratedPoint {
    double massFlowKgH = 0;
    double capacityKJh = 0;
    double powerW = 0;
};

// One point from its capacity (kJ/h) and power (W) at the `rated` states to the `target` states
// of the same temperatures.
ReratedPoint ReratePoint(double capacityKJh, double powerW, const CycleStateResult& rated,
    const CycleStateResult& target, double superheatFactor = kDefaultSuperheatFactor);

// A map re-rated: capacity in the map's unit, power in W, mass flow in kg/h at the new
// conditions, NaN where a cell is blank (not entered) or has no value (listed in `failures`:
// a property failure at either conditions, or no liquid line).
struct ReratedMap {
    MapTable<double> capacity {};
    MapTable<double> power {};
    MapTable<double> massFlowKgH {};
    // The entered mass flow at the rated conditions, kg/h, NaN where it has none.
    MapTable<double> ratedMassFlowKgH {};
    std::vector<AnalysisFailure> failures;
};

// The rows and columns in use of a map (temperatures and capacities in the map's units,
// power in W; NaN for a blank cell) re-rated from `rated` to `target` conditions with the
// engine's states. The engine must have the map's refrigerant set up.
ReratedMap RerateMap(CycleStateSource& engine, bool english, const CondRow<double>& condTemp,
    const EvapRow<double>& evapTemp, const MapTable<double>& capacity, const MapTable<double>& power,
    int rows, int columns, const RatingConditions& rated, const RatingConditions& target,
    double superheatFactor = kDefaultSuperheatFactor);

} // namespace velutra
