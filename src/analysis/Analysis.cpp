#include "analysis/Analysis.h"

#include "analysis/Displacement.h"
#include "analysis/MapAnalysis.h"
#include "analysis/MapRatingEER.h"
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

// The EER of the fitted compressor at the rating point at the ASHRAE conditions its name
// promises, for a map rated at other conditions: the fits give the point at the map's own
// conditions, which is then re-rated.
double FittedEerAtAshrae(CycleStateSource& engine, const CompressorRecord& record,
    const FittedCompressor& fitted, double superheatFactor) {
    const CycleStateResult rated
        = engine.CycleStates(kRatingPointK.evapTemp, kRatingPointK.condTemp, record.ratingConditions);
    const CycleStateResult ashrae
        = engine.CycleStates(kRatingPointK.evapTemp, kRatingPointK.condTemp, RatingConditions {});
    if (!rated.error.empty() || !ashrae.error.empty())
        return kNaN;
    const CompressorOutput out = fitted.AllPointsOutputAt(rated);
    const ReratedPoint point = ReratePoint(out.capacityKJh, out.powerW, rated, ashrae, superheatFactor);
    return EerOf(point.capacityKJh, point.powerW);
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
    result.ratingEER = AshraeRated(shown) ? SmoothedMap::RatingEER(engine, shown, fitted)
                                          : FittedEerAtAshrae(engine, shown, fitted, superheatFactor);
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
        || (conversion && !conversion->failures.empty());
}

AnalysisResult AnalyzeMap(
    CycleStateSource& engine, const CompressorRecord& record, const AnalysisOptions& options) {
    SetUpFor(engine, record.refrigerantIndex);
    CompressorRecord analysed = record;
    MapAnalysis analysis(engine, analysed);
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
    if (!AshraeRated(analysed)) {
        // The EERs are at the ASHRAE conditions their name promises: the entered map re-rated
        // there and interpolated, the fits' point re-rated.
        const ReratedMap atAshrae = RerateMap(engine, result.english, result.condTemp, result.evapTemp,
            result.enteredCapacity, result.enteredPower, result.rows, result.columns,
            analysed.ratingConditions, RatingConditions {}, options.superheatFactor);
        const MapRatingEER map = InterpolateRatingEER(result.condTemp, result.evapTemp, atAshrae.capacity,
            atAshrae.power, result.rows, result.columns, result.english);
        result.mapRatingEER = map.eer;
        if (result.smoothingMethod != kSmoothingOriginal && !refused)
            result.smoothedRatingEER
                = FittedEerAtAshrae(engine, analysed, result.fitted, options.superheatFactor);
        result.ratingEERsRerated = true;
    }
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
