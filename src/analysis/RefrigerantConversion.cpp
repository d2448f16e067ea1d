#include "analysis/RefrigerantConversion.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace velutra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kBtuPerKJ = 0.9478169879134378;
constexpr double kKcalPerKJ = 0.2389600458803288;
// The analysis's rating point, -10 F and 130 F.
constexpr double kRatingEvapK = 249.82;
constexpr double kRatingCondK = 327.59;

double ToKelvin(const CompressorRecord& record, double temperature) {
    return record.unitsEnglish != 0 ? (temperature + 459.67) * 0.5555555555555556 : temperature + 273.15;
}

void SetUp(PropertyEngine& engine, int index) {
    const SetupResult setup = engine.SetupFluid(index);
    if (!setup.ok)
        throw std::runtime_error(setup.message);
}

RefrigerantMap Evaluate(
    MapAnalysis& analysis, const CompressorRecord& record, int index, std::vector<std::string>& failures) {
    RefrigerantMap map;
    map.refrigerantIndex = index;
    const double toCapacity = record.unitsEnglish != 0 ? kBtuPerKJ : kKcalPerKJ;
    const std::string name = kRefrigerantNames[static_cast<size_t>(index)];
    for (int r = 0; r < analysis.RowsInUse(); ++r)
        for (int c = 0; c < analysis.ColumnsInUse(); ++c) {
            CompressorOutput out;
            const std::string error = analysis.FittedOutputAt(
                ToKelvin(record, analysis.evapTemp[c]), ToKelvin(record, analysis.condTemp[r]), out);
            if (!error.empty())
                failures.push_back(name + " at evaporating " + std::to_string(analysis.evapTemp[c])
                    + ", condensing " + std::to_string(analysis.condTemp[r]) + ": " + error);
            map.capacity[r][c] = out.capacityKJh * toCapacity;
            map.power[r][c] = out.powerW;
        }
    CompressorOutput rating;
    const std::string error = analysis.FittedOutputAt(kRatingEvapK, kRatingCondK, rating);
    if (!error.empty())
        failures.push_back(name + " at the rating point: " + error);
    map.ratingCapacity = rating.capacityKJh * toCapacity;
    map.ratingPower = rating.powerW;
    map.ratingEER = error.empty() ? rating.capacityKJh * kBtuPerKJ / rating.powerW : kNaN;
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
