#include "analysis/Analysis.h"

#include "analysis/Displacement.h"
#include "analysis/MapAnalysis.h"
#include "analysis/SmoothingMethods.h"
#include "record/UnitRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace velutra {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool AshraeRated(const CompressorRecord& record) {
    return record.ratingConditions == RatingConditions {};
}

// The smoothed map for the refrigerant it is shown for: the record's own, or the conversion
// target, whose states the engine is set up for while it is computed.
SmoothedMapResult SmoothMap(CycleStateSource& engine, const CompressorRecord& analysed,
    const FittedCompressor& fitted, double superheatFactor) {
    CompressorRecord shown = analysed;
    BeginConversion(shown);
    SetUpFor(engine, shown.refrigerantIndex);
    SmoothedMapResult result;
    result.refrigerantIndex = shown.refrigerantIndex;
    result.map.Compute(engine, shown, fitted);
    result.ratingEER = SmoothedMap::RatingEER(engine, shown, fitted, superheatFactor);
    result.ratingBeyondEnteredMap = SmoothedMap::RatingBeyondEnteredMap(engine, shown);
    SetUpFor(engine, analysed.refrigerantIndex);
    return result;
}

double LargestDeviation(
    const MapTable<double>& current, const MapTable<double>& entered, int rows, int columns) {
    double largest = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (std::isfinite(entered[r][c])) // a blank cell has nothing to compare
                largest
                    = std::max(largest, std::fabs(current[r][c] - entered[r][c]) / std::fabs(entered[r][c]));
    return largest;
}

} // namespace

double AnalysisResult::BaseEER() const {
    if (smoothingMethod == kSmoothingOriginal || !smoothedMap)
        return mapRatingEER;
    return smoothedMap->ratingEER;
}

bool AnalysisResult::AnyFailure() const {
    return !failures.empty() || (smoothedMap && !smoothedMap->map.failures.empty())
        || (conversion && !conversion->failures.empty()) || (rerated && !rerated->failures.empty());
}

AnalysisResult AnalyzeMap(
    CycleStateSource& engine, const CompressorRecord& record, const AnalysisOptions& options) {
    SetUpFor(engine, record.refrigerantIndex);
    CompressorRecord analysed = record;
    MapAnalysis analysis(engine, analysed);
    analysis.superheatFactor = options.superheatFactor;
    analysis.Run();
    analysis.StoreResultsInRecord();
    analysis.SaveOptionsToRecord();

    AnalysisResult result;
    result.refrigerantIndex = analysed.refrigerantIndex;
    result.rated = analysed.ratingConditions;
    result.english = analysed.unitsEnglish != 0;
    result.smoothingMethod = analysis.smoothingMethod;
    result.smoothAllTemps = analysis.smoothAllTemps;
    result.originalMapAvailable = analysis.OriginalMapAvailable();
    result.rows = analysis.RowsInUse();
    result.columns = analysis.ColumnsInUse();
    result.condTemp = analysis.condTemp;
    result.evapTemp = analysis.evapTemp;
    result.capacity = analysis.capacity;
    result.power = analysis.power;
    result.pressureRatio = analysis.pressureRatio;
    result.suctionFlow = analysis.suctionFlow;
    result.isentropicEff = analysis.isentropicEff;
    result.massFlowKgH = analysis.massFlow;
    const double speed = SpeedRpmOf(analysed);
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c) {
            const double flow = result.suctionFlow[r][c];
            result.trueVolumetricEff[r][c]
                = flow > 0 ? TrueVolumetricEfficiency(flow, analysed.displacementCm3, speed) : kNaN;
        }
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c) {
            result.pointBlank[r][c] = analysis.PointBlank(r, c);
            result.pointFailed[r][c] = analysis.PointFailed(r, c);
            result.pointValid[r][c] = analysis.PointValid(r, c);
        }
    result.fitted = analysis.Fitted();
    result.enteredRange = analysis.EnteredRange();
    result.quality = analysis.Quality();
    result.twoVariableRefusal = analysis.SmoothingRefusal(kSmoothingTwoVariable);
    result.mapRatingEER = analysed.mapRatingEER;
    result.mapRatingExtrapolated = analysis.MapRatingExtrapolated();
    result.smoothedRatingEER = analysed.smoothedRatingEER;
    result.smoothedRatingExtrapolated = analysis.SmoothedRatingExtrapolated();
    result.failures = analysis.Failures();
    result.enteredCapacity = analysis.EnteredCapacity();
    result.enteredPower = analysis.EnteredPower();
    result.largestCapacityDeviation
        = LargestDeviation(result.capacity, result.enteredCapacity, result.rows, result.columns);
    result.largestPowerDeviation
        = LargestDeviation(result.power, result.enteredPower, result.rows, result.columns);

    // The efficiency plots' points: the current map's valid points, the suction flow as the
    // volumetric efficiency.
    const double displacementFlow = DisplacementFlowM3h(analysed.displacementCm3, speed);
    analysis.VolumetricEfficiencyPoints(std::isfinite(displacementFlow) ? displacementFlow : 0);
    for (int i = 0; i < analysis.validCount; ++i)
        result.validPoints.push_back(
            { analysis.validPressureRatio[i], analysis.validFlow[i], analysis.validIse[i] });

    const bool refused
        = result.smoothingMethod == kSmoothingTwoVariable && !result.twoVariableRefusal.empty();
    // MapAnalysis took both EERs to the ASHRAE conditions.
    result.ratingEERsRerated = !AshraeRated(analysed);
    if (options.rerateTo) {
        result.rerateTo = options.rerateTo;
        result.rerated = RerateMap(engine, result.english, result.condTemp, result.evapTemp, result.capacity,
            result.power, result.rows, result.columns, analysed.ratingConditions, *options.rerateTo,
            options.superheatFactor);
    }
    if (options.extent == AnalysisExtent::EnteredMap || refused)
        return result;
    if (result.smoothingMethod != kSmoothingOriginal)
        result.smoothedMap = SmoothMap(engine, analysed, result.fitted, options.superheatFactor);
    if (analysed.convertRefrigerant == 1) {
        ConversionAxes axes { result.condTemp, result.evapTemp, result.rows, result.columns,
            result.pointBlank };
        result.conversion
            = ConvertRefrigerant(engine, analysed, result.fitted, axes, analysed.newRefrigerantIndex);
    }
    return result;
}

MapTable<double> MassFlowInMapUnits(const MapTable<double>& massFlowKgH, bool english) {
    MapTable<double> table = massFlowKgH;
    for (auto& row : table)
        for (double& value : row)
            value = KgHToMapMassFlow(english, value);
    return table;
}

void StoreResultsInRecord(const AnalysisResult& result, CompressorRecord& record) {
    for (int r = 0; r < result.rows; ++r) {
        record.condTemp[r] = result.condTemp[r];
        for (int c = 0; c < result.columns; ++c) {
            record.evapTemp[c] = result.evapTemp[c];
            record.capacity[r][c] = result.capacity[r][c];
            record.power[r][c] = result.power[r][c];
            record.isentropicEff[r][c] = result.isentropicEff[r][c];
            record.suctionFlow[r][c] = result.suctionFlow[r][c];
            record.pressureRatio[r][c] = result.pressureRatio[r][c];
        }
    }
    result.fitted.StoreInto(record, result.rows);
    record.enteredRange = result.enteredRange;
    record.mapRatingEER = result.mapRatingEER;
    record.smoothedRatingEER = result.smoothedRatingEER;
    record.smoothingMethod = result.smoothingMethod;
}

} // namespace velutra
