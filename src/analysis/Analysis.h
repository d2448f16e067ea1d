#pragma once

#include "analysis/AnalysisFailure.h"
#include "analysis/FitQuality.h"
#include "analysis/FittedCompressor.h"
#include "analysis/RefrigerantConversion.h"
#include "analysis/Rerating.h"
#include "analysis/SmoothedMap.h"
#include "props/CycleStateSource.h"
#include "record/CompressorRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace velutra {

// One valid point of the current map as the efficiency plots show it.
struct EfficiencyPoint {
    double pressureRatio = 0;
    double volumetricEff = 0;
    double isentropicEff = 0;
};

// The map at the fixed evaporating temperatures that the smoothed-map form shows and saves, for
// the refrigerant it is shown for (the conversion target when converting), unadjusted.
struct SmoothedMapResult {
    int refrigerantIndex = 0;
    SmoothedMap map;
    double ratingEER = 0; // of the fits over all valid points, Btu/h per W; NaN when not computed
    bool ratingBeyondEnteredMap = false;
};

// Everything the analysis of one map gives: what was analysed, the per-point quantities of the
// current map (the entered one, or the one rebuilt from the fits), the fitted compressor, how
// far the rebuilt map lies from the entered one, the rating-point EERs, what could not be
// computed, and, when smoothed, the map at the fixed evaporating temperatures and any
// conversion to another refrigerant. The CLI, the forms and the exports show this one result.
struct AnalysisResult {
    int refrigerantIndex = 0; // the refrigerant the map was measured with
    RatingConditions rated; // the conditions the map was rated at
    // Whether the rating-point EERs were re-rated from `rated` to the ASHRAE conditions their
    // name promises.
    bool ratingEERsRerated = false;
    bool english = true;
    int smoothingMethod = 0; // what was applied (a pending conversion turns 0 into 1)
    int smoothAllTemps = 1;
    bool originalMapAvailable = true;
    int rows = 0;
    int columns = 0;
    CondRow<double> condTemp {};
    EvapRow<double> evapTemp {};
    MapTable<double> enteredCapacity {};
    MapTable<double> enteredPower {};
    MapTable<double> capacity {}; // Btu/h or kcal/h
    MapTable<double> power {}; // W
    MapTable<double> pressureRatio {};
    MapTable<double> suctionFlow {}; // m3/h; -1 on rows below the liquid line
    MapTable<double> isentropicEff {};
    MapTable<double> massFlowKgH {};
    // Suction flow over displacement times speed; NaN everywhere when either is not known.
    MapTable<double> trueVolumetricEff {};
    MapTable<bool> pointBlank {}; // outside the operating envelope: no value, no derived quantity
    MapTable<bool> pointFailed {}; // states of the entered point could not be computed
    MapTable<bool> pointValid {}; // the points the fits and the fit quality are made of
    std::vector<EfficiencyPoint> validPoints; // of the current map, sorted by pressure ratio
    FittedCompressor fitted;
    OperatingRange enteredRange;
    FitQuality quality;
    // Largest relative deviation of the current map from the entered one over every point in
    // use, valid or not (a fraction; NaN when a point has no value).
    double largestCapacityDeviation = 0;
    double largestPowerDeviation = 0;
    // The message why the two-variable fit cannot be used on this map; empty when it can.
    std::string twoVariableRefusal;
    // 0 when the entered map does not reach the rating point, NaN when a cell its interpolation
    // needs is blank.
    double mapRatingEER = 0;
    bool mapRatingExtrapolated = false;
    double smoothedRatingEER = 0; // 0 for the original map data
    bool smoothedRatingExtrapolated = false;
    std::vector<AnalysisFailure> failures;
    std::optional<SmoothedMapResult> smoothedMap; // none for the original map data
    std::optional<RefrigerantConversion> conversion;
    // The current map at other conditions, when asked for.
    std::optional<RatingConditions> rerateTo;
    std::optional<ReratedMap> rerated;

    const char* TemperatureUnit() const { return english ? "F" : "C"; }
    // What the smoothed-map form starts its EER from: the entered map's for the original map
    // data, otherwise the fits' for the refrigerant the map is shown for.
    double BaseEER() const;
    // Whether anything could not be computed, here or in the smoothed map, the conversion or the
    // re-rating.
    bool AnyFailure() const;
};

// Analyses the record's map with the record's choices (smoothing method and scope, rating
// conditions, a pending conversion): sets the engine up for the refrigerant each step needs and
// leaves it set up for the record's own. The record is not changed. Throws std::runtime_error
// when a refrigerant cannot be set up. When the two-variable fit is asked for and the map cannot
// carry it, the map stays as entered and nothing is smoothed or converted (twoVariableRefusal).
// With AnalysisExtent::EnteredMap only the map at its own temperatures is analysed: no smoothed
// map at the fixed evaporating temperatures and no conversion.
enum class AnalysisExtent { EnteredMap, Full };
// What the analysis does beyond the record's own choices: re-rating the current map to other
// conditions, with the re-rating's suction-density factor.
struct AnalysisOptions {
    AnalysisExtent extent = AnalysisExtent::Full;
    std::optional<RatingConditions> rerateTo;
    double superheatFactor = kDefaultSuperheatFactor;
};
AnalysisResult AnalyzeMap(
    CycleStateSource& engine, const CompressorRecord& record, const AnalysisOptions& options);
inline AnalysisResult AnalyzeMap(
    CycleStateSource& engine, const CompressorRecord& record, AnalysisExtent extent = AnalysisExtent::Full) {
    return AnalyzeMap(engine, record, AnalysisOptions { extent, std::nullopt, kDefaultSuperheatFactor });
}

// A table of mass flows in kg/h in the map's unit: lb/h (English) or kg/h (SI).
MapTable<double> MassFlowInMapUnits(const MapTable<double>& massFlowKgH, bool english);

// What "Next >>" of the plot form leaves in the record: the current map's tables, the fits, the
// rating-point EERs and the smoothing method applied.
void StoreResultsInRecord(const AnalysisResult& result, CompressorRecord& record);

} // namespace velutra
