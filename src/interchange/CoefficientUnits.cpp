#include "interchange/CoefficientUnits.h"

namespace velutra {

namespace {

// The analysis's unit rules (the same numbers it converts with).
constexpr double kFahrenheitOffset = 459.67;
constexpr double kKelvinPerRankine = 0.5555555555555556;
constexpr double kCelsiusOffset = 273.15;
constexpr double kKJPerBtu = 1.055056;
constexpr double kKJPerKcal = 4.1848; // the program's kcal
constexpr double kBtuPerKJ = 0.9478169879134378;
constexpr double kKJhPerWatt = 3.6;
constexpr double kKgPerLb = 0.45359237;

constexpr CoefficientUnitNames kAhri540 { "ahri540", "F", "Btu/h", "W", "lb/h" };
constexpr CoefficientUnitNames kEn12900 { "en12900", "C", "W", "W", "kg/h" };

} // namespace

const CoefficientUnitNames& NamesOf(CoefficientUnits units) {
    return units == CoefficientUnits::Ahri540 ? kAhri540 : kEn12900;
}

std::optional<CoefficientUnits> CoefficientUnitsOfKey(std::string_view key) {
    if (key == kAhri540.key)
        return CoefficientUnits::Ahri540;
    if (key == kEn12900.key)
        return CoefficientUnits::En12900;
    return std::nullopt;
}

CoefficientUnits UnitsOfRecordSystem(bool english) {
    return english ? CoefficientUnits::Ahri540 : CoefficientUnits::En12900;
}

bool IsEnglish(CoefficientUnits units) {
    return units == CoefficientUnits::Ahri540;
}

double RecordTempToKelvin(bool english, double temperature) {
    return english ? (temperature + kFahrenheitOffset) * kKelvinPerRankine : temperature + kCelsiusOffset;
}

double SetTempToKelvin(CoefficientUnits units, double temperature) {
    return RecordTempToKelvin(IsEnglish(units), temperature);
}

double RecordTempToSet(bool english, CoefficientUnits units, double temperature) {
    if (english == IsEnglish(units))
        return temperature;
    return english ? (temperature - 32) / 1.8 : temperature * 1.8 + 32;
}

double RecordCapacityToKJh(bool english, double capacity) {
    return capacity * (english ? kKJPerBtu : kKJPerKcal);
}

double RecordCapacityToSet(bool english, CoefficientUnits units, double capacity) {
    if (english && IsEnglish(units))
        return capacity;
    return KJhToSetCapacity(units, RecordCapacityToKJh(english, capacity));
}

double SetCapacityToRecord(CoefficientUnits units, double capacity) {
    return IsEnglish(units) ? capacity : capacity * kKJhPerWatt / kKJPerKcal;
}

double KJhToSetCapacity(CoefficientUnits units, double capacityKJh) {
    return IsEnglish(units) ? capacityKJh * kBtuPerKJ : capacityKJh / kKJhPerWatt;
}

double KgHToSetMassFlow(CoefficientUnits units, double massFlowKgH) {
    return IsEnglish(units) ? massFlowKgH / kKgPerLb : massFlowKgH;
}

} // namespace velutra
