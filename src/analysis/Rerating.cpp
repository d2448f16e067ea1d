#include "analysis/Rerating.h"

#include "record/UnitRules.h"

#include <cmath>
#include <limits>

namespace velutra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

ReratedPoint ReratePoint(double capacityKJh, double powerW, const CycleStateResult& rated,
    const CycleStateResult& target, double superheatFactor) {
    const double massFlow = capacityKJh / ((rated.h1 - rated.h3) / rated.M);
    const double flowRatio = 1.0 + superheatFactor * (target.d1 / rated.d1 - 1.0);
    ReratedPoint out;
    out.massFlowKgH = massFlow * flowRatio;
    out.capacityKJh = capacityKJh * flowRatio * ((target.h1 - target.h3) / (rated.h1 - rated.h3));
    out.powerW = powerW * flowRatio * ((target.h2s - target.h1) / (rated.h2s - rated.h1));
    return out;
}

ReratedMap RerateMap(CycleStateSource& engine, bool english, const CondRow<double>& condTemp,
    const EvapRow<double>& evapTemp, const MapTable<double>& capacity, const MapTable<double>& power,
    int rows, int columns, const RatingConditions& rated, const RatingConditions& target,
    double superheatFactor) {
    ReratedMap out;
    for (auto* table : { &out.capacity, &out.power, &out.massFlowKgH, &out.ratedMassFlowKgH })
        for (auto& row : *table)
            row.fill(kNaN);

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const double q = capacity[r][c];
            const double w = power[r][c];
            if (std::isnan(q) || std::isnan(w))
                continue;
            const auto fail = [&](std::string reason) {
                out.failures.push_back({ AnalysisFailure::Stage::EnteredPoint, r, c, condTemp[r], evapTemp[c],
                    std::move(reason) });
            };
            const double teK = MapTempToKelvin(english, evapTemp[c]);
            const double tcK = MapTempToKelvin(english, condTemp[r]);
            const CycleStateResult from = engine.CycleStates(teK, tcK, rated);
            if (!from.error.empty()) {
                fail(from.error);
                continue;
            }
            const CycleStateResult to = engine.CycleStates(teK, tcK, target);
            if (!to.error.empty()) {
                fail("at the new rating conditions: " + to.error);
                continue;
            }
            const bool ratedDry = LiquidAboveCondensing(rated, tcK, from);
            if (ratedDry || LiquidAboveCondensing(target, tcK, to)) {
                fail(std::string("the liquid line lies above the condensing temperature")
                    + (ratedDry ? "" : " at the new rating conditions") + ": no flow");
                continue;
            }
            const ReratedPoint point
                = ReratePoint(MapCapacityToKJh(english, q), w, from, to, superheatFactor);
            out.ratedMassFlowKgH[r][c] = MapCapacityToKJh(english, q) / ((from.h1 - from.h3) / from.M);
            out.massFlowKgH[r][c] = point.massFlowKgH;
            // Unchanged conditions give the entered numbers back, not a unit round trip of them.
            out.capacity[r][c] = point.capacityKJh == MapCapacityToKJh(english, q)
                ? q
                : KJhToMapCapacity(english, point.capacityKJh);
            out.power[r][c] = point.powerW;
        }
    }
    return out;
}

} // namespace velutra
