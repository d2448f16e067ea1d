#include "analysis/RefrigerantConversion.h"

#include "record/UnitRules.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace velutra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void SetUp(PropertyEngine& engine, int index) {
    const SetupResult setup = engine.SetupFluid(index);
    if (!setup.ok)
        throw std::runtime_error(setup.message);
}

RefrigerantMap Evaluate(
    MapAnalysis& analysis, const CompressorRecord& record, int index, std::vector<std::string>& failures) {
    RefrigerantMap map;
    map.refrigerantIndex = index;
    const bool english = record.unitsEnglish != 0;
    const std::string name = kRefrigerantNames[static_cast<size_t>(index)];
    for (int r = 0; r < analysis.RowsInUse(); ++r)
        for (int c = 0; c < analysis.ColumnsInUse(); ++c) {
            CompressorOutput out;
            const std::string error = analysis.FittedOutputAt(MapTempToKelvin(english, analysis.evapTemp[c]),
                MapTempToKelvin(english, analysis.condTemp[r]), out);
            if (!error.empty())
                failures.push_back(name + " at evaporating " + std::to_string(analysis.evapTemp[c])
                    + ", condensing " + std::to_string(analysis.condTemp[r]) + ": " + error);
            map.capacity[r][c] = KJhToMapCapacity(english, out.capacityKJh);
            map.power[r][c] = out.powerW;
        }
    CompressorOutput rating;
    const std::string error = analysis.FittedOutputAt(kRatingPointK.evapTemp, kRatingPointK.condTemp, rating);
    if (!error.empty())
        failures.push_back(name + " at the rating point: " + error);
    map.ratingCapacity = KJhToMapCapacity(english, rating.capacityKJh);
    map.ratingPower = rating.powerW;
    map.ratingEER = error.empty() ? EerOf(rating.capacityKJh, rating.powerW) : kNaN;
    return map;
}

} // namespace

RefrigerantConversion ConvertRefrigerant(
    PropertyEngine& engine, MapAnalysis& analysis, const CompressorRecord& record, int newIndex) {
    if (!IsRefrigerantCode(newIndex))
        throw std::runtime_error("refrigerant code " + std::to_string(newIndex) + " is not one of the "
            + std::to_string(kRefrigerantCount));
    RefrigerantConversion result;
    result.original = Evaluate(analysis, record, record.refrigerantIndex, result.failures);
    SetUp(engine, newIndex);
    result.converted = Evaluate(analysis, record, newIndex, result.failures);
    SetUp(engine, record.refrigerantIndex);
    return result;
}

} // namespace velutra
