#pragma once

#include <optional>
#include <string_view>

namespace velutra {

// The unit systems in which compressor polynomials are exchanged: ahri540 in F, Btu/h, W and
// lb/h; en12900 in C, W, W and kg/h.
enum class CoefficientUnits { Ahri540, En12900 };

struct CoefficientUnitNames {
    const char* key; // as files and the command line write it
    const char* temperature;
    const char* capacity;
    const char* power;
    const char* massFlow;
};

const CoefficientUnitNames& NamesOf(CoefficientUnits units);
std::optional<CoefficientUnits> CoefficientUnitsOfKey(std::string_view key);

// The units a record's own unit system exchanges in: English records ahri540, SI ones en12900.
CoefficientUnits UnitsOfRecordSystem(bool english);
bool IsEnglish(CoefficientUnits units);

// Conversions between a record's units (English: F and Btu/h; SI: C and the program's kcal/h of
// 4.1848 kJ), the property engine's K, kJ/h and kg/h, and a coefficient set's units. Between
// the same units they return the value unchanged, so nothing is rounded on the way.
double RecordTempToKelvin(bool english, double temperature);
double SetTempToKelvin(CoefficientUnits units, double temperature);
double RecordTempToSet(bool english, CoefficientUnits units, double temperature);
double RecordCapacityToKJh(bool english, double capacity);
double RecordCapacityToSet(bool english, CoefficientUnits units, double capacity);
double SetCapacityToRecord(CoefficientUnits units, double capacity); // into the set's own system
double KJhToSetCapacity(CoefficientUnits units, double capacityKJh);
double KgHToSetMassFlow(CoefficientUnits units, double massFlowKgH);

} // namespace velutra
