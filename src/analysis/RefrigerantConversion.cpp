#include "analysis/RefrigerantConversion.h"

#include "record/UnitRules.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace velutra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

RefrigerantMap Evaluate(CycleStateSource& engine, const CompressorRecord& record,
    const FittedCompressor& fitted, const ConversionAxes& axes, int index,
    std::vector<std::string>& failures) {
    RefrigerantMap map;
    map.refrigerantIndex = index;
    const bool english = record.unitsEnglish != 0;
    const std::string name = kRefrigerantNames[static_cast<size_t>(index)];
    // The fitted compressor at evaporating and condensing temperatures in K; all NaN and the
    // library's message when the states cannot be computed. `beyond` says whether the entered
    // map vouches for the value.
    const auto outputAt = [&](double evapK, double condK, std::string& error, bool& beyond) {
        const CycleStateResult s = engine.CycleStates(evapK, condK, record.ratingConditions);
        error = s.error;
        beyond = true;
        if (!s.error.empty())
            return CompressorOutput { kNaN, kNaN, kNaN };
        const FittedFlow value = fitted.AllPointsAt(s.Pc / s.Pe, s.Pe);
        const CompressorOutput out = ModelOutput(s, s.M, value.suctionFlow, value.isentropicEff);
        beyond = BeyondEnteredMap(record.enteredRange, s, fitted, value, out);
        return out;
    };
    std::string error;
    for (int r = 0; r < axes.rows; ++r)
        for (int c = 0; c < axes.columns; ++c) {
            if (axes.blank[r][c]) { // outside the operating envelope: nothing to convert
                map.capacity[r][c] = map.power[r][c] = kNaN;
                continue;
            }
            const CompressorOutput out = outputAt(MapTempToKelvin(english, axes.evapTemp[c]),
                MapTempToKelvin(english, axes.condTemp[r]), error, map.beyondEnteredMap[r][c]);
            if (!error.empty())
                failures.push_back(name + " at evaporating " + std::to_string(axes.evapTemp[c])
                    + ", condensing " + std::to_string(axes.condTemp[r]) + ": " + error);
            map.capacity[r][c] = KJhToMapCapacity(english, out.capacityKJh);
            map.power[r][c] = out.powerW;
        }
    const CompressorOutput rating
        = outputAt(kRatingPointK.evapTemp, kRatingPointK.condTemp, error, map.ratingBeyondEnteredMap);
    if (!error.empty())
        failures.push_back(name + " at the rating point: " + error);
    map.ratingCapacity = KJhToMapCapacity(english, rating.capacityKJh);
    map.ratingPower = rating.powerW;
    map.ratingEER = error.empty() ? EerOf(rating.capacityKJh, rating.powerW) : kNaN;
    return map;
}

} // namespace

void SetUpFor(CycleStateSource& engine, int refrigerantIndex) {
    if (!IsRefrigerantCode(refrigerantIndex))
        throw std::runtime_error("refrigerant code " + std::to_string(refrigerantIndex)
            + " is not one of the " + std::to_string(kRefrigerantCount));
    const SetupResult setup = engine.SetupFluid(refrigerantIndex);
    if (!setup.ok)
        throw std::runtime_error(setup.message);
}

RefrigerantConversion ConvertRefrigerant(CycleStateSource& engine, const CompressorRecord& record,
    const FittedCompressor& fitted, const ConversionAxes& axes, int newIndex) {
    if (!IsRefrigerantCode(newIndex))
        throw std::runtime_error("refrigerant code " + std::to_string(newIndex) + " is not one of the "
            + std::to_string(kRefrigerantCount));
    RefrigerantConversion result;
    SetUpFor(engine, record.refrigerantIndex);
    result.original = Evaluate(engine, record, fitted, axes, record.refrigerantIndex, result.failures);
    SetUpFor(engine, newIndex);
    result.converted = Evaluate(engine, record, fitted, axes, newIndex, result.failures);
    SetUpFor(engine, record.refrigerantIndex);
    return result;
}

} // namespace velutra
