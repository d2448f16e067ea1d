#pragma once

namespace velutra {

// The program's unit rules. The property library works in K, kPa, mol/dm3, J/mol and g/mol; a
// map is in F and Btu/h (English) or C and the program's kcal/h of 4.1848 kJ (SI); power is
// always in W, and the EER always in Btu/h per W.
namespace units {

inline constexpr double kFahrenheitOffset = 459.67;
inline constexpr double kKelvinPerRankine = 0.5555555555555556;
inline constexpr double kCelsiusOffset = 273.15;
inline constexpr double kKJPerBtu = 1.055056;
inline constexpr double kKJPerKcal = 4.1848; // the program's kcal, not the 4.1868 of the IT calorie
inline constexpr double kBtuPerKJ = 0.9478169879134378;
inline constexpr double kKcalPerKJ = 0.2389600458803288;
inline constexpr double kKJhPerWatt = 3.6;
inline constexpr double kKgPerLb = 0.45359237;

} // namespace units

// A map temperature (F or C) in K, and back.
double MapTempToKelvin(bool english, double temperature);
double KelvinToMapTemp(bool english, double tempK);

// A map capacity (Btu/h or kcal/h) in kJ/h, and back.
double MapCapacityToKJh(bool english, double capacity);
double KJhToMapCapacity(bool english, double capacityKJh);

// A mass flow in kg/h in the map's unit: lb/h (English) or kg/h (SI).
double KgHToMapMassFlow(bool english, double massFlowKgH);

// EER in Btu/h per W of a capacity in kJ/h and a power in W.
double EerOf(double capacityKJh, double powerW);

// The ASHRAE rating point of the EERs: -10 F evaporating, 130 F condensing. In K as the
// analysis evaluates the fitted compressor there, and in the map's own units (-23.33 C and
// 54.44 C for SI) as the entered map is interpolated there.
struct RatingPoint {
    double evapTemp;
    double condTemp;
};
inline constexpr RatingPoint kRatingPointK { 249.82, 327.59 };
RatingPoint RatingPointInMapUnits(bool english);

} // namespace velutra
