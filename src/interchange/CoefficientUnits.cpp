#include "interchange/CoefficientUnits.h"

#include "record/UnitRules.h"

namespace velutra {

namespace {

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
    return MapTempToKelvin(english, temperature);
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
    return MapCapacityToKJh(english, capacity);
}

double RecordCapacityToSet(bool english, CoefficientUnits units, double capacity) {
    if (english && IsEnglish(units))
        return capacity;
    return KJhToSetCapacity(units, RecordCapacityToKJh(english, capacity));
}

double SetCapacityToRecord(CoefficientUnits units, double capacity) {
    return IsEnglish(units) ? capacity : capacity * units::kKJhPerWatt / units::kKJPerKcal;
}

double KJhToSetCapacity(CoefficientUnits units, double capacityKJh) {
    return IsEnglish(units) ? capacityKJh * units::kBtuPerKJ : capacityKJh / units::kKJhPerWatt;
}

double KgHToSetMassFlow(CoefficientUnits units, double massFlowKgH) {
    return KgHToMapMassFlow(IsEnglish(units), massFlowKgH);
}

} // namespace velutra
