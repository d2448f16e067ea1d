#pragma once

#include "analysis/AnalysisFailure.h"
#include "analysis/FittedCompressor.h"
#include "analysis/Rerating.h"
#include "props/CycleStateSource.h"
#include "record/CompressorRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace velutra {

// The map the smoothed-map form shows and saves: the entered map (smoothing method 0) or the map
// rebuilt from the fitted curves at fixed evaporating temperatures, optionally for a refrigerant
// the map was not measured with. Values stay unadjusted; the multipliers are applied only where
// the map is shown or written, so they never compound.
class SmoothedMap {
public:
    // Columns of a smoothed map: the fixed evaporating temperatures.
    static constexpr int kFixedColumns = 7;

    // Fixed evaporating temperature of column k = 0..6: -40 F to 20 F in steps of 10 (English),
    // -40 C to -10 C in steps of 5 (SI).
    static double FixedEvapTemp(int k, bool english);

    // Capacity (Btu/h or kcal/h) and power (W) behind each map cell; 0 where nothing was put.
    MapTable<double> capacity {};
    MapTable<double> power {};
    // Cells of the last Compute that the entered map does not vouch for: their pressure ratio or
    // suction pressure lies outside the entered map's valid points (a conversion to another
    // refrigerant often moves the suction pressure two- or threefold), or the fits give an
    // efficiency outside 0..1 or a negative flow there.
    MapTable<bool> beyondEnteredMap {};
    // Points of the last Compute whose states the property library could not compute; their
    // capacity and power are NaN.
    std::vector<AnalysisFailure> failures;

    // The record's numeric entered map, rows and columns in use.
    void TakeEnteredMap(const CompressorRecord& record);

    // Capacity (Btu/h or kcal/h) and power of the record's rows in use at the fixed evaporating
    // temperatures: the fitted compressor at each point's states, with the refrigerant the engine
    // is set up for and the record's rating conditions. Non-finite fits or properties give
    // non-finite values, kept as they come.
    void Compute(CycleStateSource& engine, const CompressorRecord& record, const FittedCompressor& fitted);

    // The rating-point EER (-10 F / 130 F) of the fits over all valid points with the refrigerant
    // the engine is set up for, Btu/h per W, at the ASHRAE conditions (FittedAtRatingPoint); NaN
    // when the states cannot be computed. After a conversion this is the converted compressor's
    // EER, which the analysis of the entered map could not give.
    static double RatingEER(CycleStateSource& engine, const CompressorRecord& record,
        const FittedCompressor& fitted, double superheatFactor = kDefaultSuperheatFactor);

    // Whether the rating point lies outside the entered map's valid points for the refrigerant
    // the engine is set up for.
    static bool RatingBeyondEnteredMap(CycleStateSource& engine, const CompressorRecord& record);

    // Cells marked beyond the entered map, over the first `rows` rows.
    int BeyondCount(int rows) const;

    // Columns holding values: 7 for a smoothed map, the record's evapCount for the entered one.
    static int ColumnsShown(const CompressorRecord& record);
};

// What the form says about extrapolation, for example "7 of 21 values extrapolated beyond the
// entered map", with the rating point when it is beyond too; empty when nothing is.
std::string ExtrapolationText(int beyond, int total, bool ratingBeyond);

// Label of a temperature axis cell: truncated toward zero, then " F" or " C".
std::string TemperatureLabel(double temperature, bool english);

// What the grid's caption names for a smoothing method; empty for an unknown method.
std::string MapCaption(int smoothingMethod, int smoothAllTemps);

// "Refrigerant: R600a" for the refrigerant the map is shown for (the conversion target when a
// conversion is asked for); nothing for an index outside the list.
std::optional<std::string> RefrigerantLabel(const CompressorRecord& record);

// Switches the record to the conversion target when a conversion to another refrigerant is
// pending; true when it did, and the property library must then be set up again.
bool BeginConversion(CompressorRecord& record);

// The rating-point EER scaled by the multipliers, "%.2f" through single precision; "n/a" when
// the power multiplier is 0 or the EER is not finite.
std::string CalculatedEERText(double baseEER, double capacityMultiplier, double powerMultiplier);

// The rating-point EER the form starts from: of the entered map for method 0, else of the fits.
double BaseEER(const CompressorRecord& record);

// Writes the adjusted map into the record's texts for saving: every one of the 6 x 8 cells,
// "%.1f" of value times multiplier; both condensing temperature texts of every row as integers;
// for a smoothed map evapCount 7 and the fixed evaporating axis. The numeric tables, the text
// copies, condCount and the refrigerant stay.
void WriteAdjustedMap(
    CompressorRecord& record, const SmoothedMap& map, double capacityMultiplier, double powerMultiplier);

} // namespace velutra
