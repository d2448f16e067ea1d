#include "analysis/MapAnalysis.h"

#include "analysis/MapRatingEER.h"
#include "analysis/SmoothingMethods.h"
#include "record/MapEntry.h"
#include "record/TextRules.h"
#include "record/UnitRules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace velutra {

namespace {

// Rows condensing below the liquid line have no meaningful flow.
constexpr double kNoFlow = -1.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

MapAnalysis::MapAnalysis(CycleStateSource& engine, CompressorRecord& record)
    : engine(engine)
    , record(record) { }

void MapAnalysis::Run() {
    LoadOptionsFromRecord();
    ReadMapFromRecord();
    FitMap();
    ApplySmoothing();
}

void MapAnalysis::LoadOptionsFromRecord() {
    plotType = record.plotType;
    smoothingMethod = record.smoothingMethod;
    smoothEachCondTemp = record.smoothEachCondTemp;
    smoothAllTemps = record.smoothAllTemps;
}

void MapAnalysis::SaveOptionsToRecord() const {
    record.smoothingMethod = smoothingMethod;
    record.smoothEachCondTemp = smoothEachCondTemp;
    record.smoothAllTemps = smoothAllTemps;
    record.plotType = plotType;
}

int MapAnalysis::RowsInUse() const {
    return std::clamp(record.condCount, 0, kMaxCond);
}

int MapAnalysis::ColumnsInUse() const {
    return std::clamp(record.evapCount, 0, kMaxEvap);
}

const char* MapAnalysis::TemperatureUnit() const {
    return record.unitsEnglish != 0 ? "F" : "C";
}

void MapAnalysis::AddFailure(AnalysisFailure::Stage stage, int r, int c, std::string reason) {
    AnalysisFailure failure;
    failure.stage = stage;
    failure.row = r;
    failure.column = c;
    failure.condTemp = r >= 0 ? condTemp[r] : 0;
    failure.evapTemp = c >= 0 ? evapTemp[c] : 0;
    failure.reason = std::move(reason);
    failures.push_back(std::move(failure));
}

void MapAnalysis::ForgetFailuresOf(AnalysisFailure::Stage stage) {
    std::erase_if(failures, [stage](const AnalysisFailure& failure) { return failure.stage == stage; });
}

double MapAnalysis::ToKelvin(double temperature) const {
    return MapTempToKelvin(English(), temperature);
}

void MapAnalysis::ReadMapFromRecord() {
    if (record.convertRefrigerant == 1 && record.refrigerantIndex != record.newRefrigerantIndex) {
        if (smoothingMethod == 0)
            smoothingMethod = 1;
        originalMapAvailable = false;
    }

    for (int c = 0; c < kMaxEvap; ++c)
        evapTemp[c] = TextToNumber(record.evapTempText[c]);
    for (int r = 0; r < kMaxCond; ++r)
        condTemp[r] = TextToNumber(record.condTempText[r][0]);
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c)
            capacity[r][c] = TextToNumber(record.capacityText[r][c]);
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c)
            power[r][c] = TextToNumber(record.powerText[r][c]);
    // A blank cell has no value: NaN keeps it out of every computation that follows.
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c) {
            pointBlank[r][c] = IsBlankCell(record.capacityText[r][c], record.powerText[r][c]);
            if (pointBlank[r][c])
                capacity[r][c] = power[r][c] = kNaN;
        }
    enteredCapacity = capacity;
    enteredPower = power;

    // The EER is at the ASHRAE conditions its name promises: for a map rated otherwise the four
    // cells it is interpolated between are re-rated there first.
    MapRatingEER rating
        = InterpolateRatingEER(condTemp, evapTemp, capacity, power, RowsInUse(), ColumnsInUse(), English());
    if (rating.row > 0 && !(record.ratingConditions == RatingConditions {})) {
        MapTable<double> cornerCapacity {};
        MapTable<double> cornerPower {};
        for (auto* table : { &cornerCapacity, &cornerPower })
            for (auto& row : *table)
                row.fill(kNaN);
        for (int r = rating.row - 1; r <= rating.row; ++r)
            for (int c = rating.column - 1; c <= rating.column; ++c) {
                cornerCapacity[r][c] = capacity[r][c];
                cornerPower[r][c] = power[r][c];
            }
        const ReratedMap atAshrae
            = RerateMap(engine, English(), condTemp, evapTemp, cornerCapacity, cornerPower, RowsInUse(),
                ColumnsInUse(), record.ratingConditions, RatingConditions {}, superheatFactor);
        rating = InterpolateRatingEER(
            condTemp, evapTemp, atAshrae.capacity, atAshrae.power, RowsInUse(), ColumnsInUse(), English());
    }
    record.mapRatingEER = rating.eer;
    mapRatingExtrapolated = rating.extrapolated;
}

std::string MapAnalysis::ComputePointQuantities(int r, int c) {
    if (pointBlank[r][c]) {
        suctionFlow[r][c] = pressureRatio[r][c] = isentropicEff[r][c] = suctionPressure[r][c] = kNaN;
        massFlow[r][c] = kNaN;
        return {};
    }
    const double teK = ToKelvin(evapTemp[c]);
    const double tcK = ToKelvin(condTemp[r]);
    const double qKJh = MapCapacityToKJh(English(), capacity[r][c]);
    const double w = power[r][c];

    const double M = engine.MolarMass();
    const RatingConditions& rating = record.ratingConditions;
    const CycleStateResult s = engine.CycleStates(teK, tcK, rating);
    if (!s.error.empty()) {
        // NaN rather than the -1 of a row below the liquid line, which would read as a sound point.
        suctionFlow[r][c] = kNaN;
        pressureRatio[r][c] = kNaN;
        isentropicEff[r][c] = kNaN;
        suctionPressure[r][c] = kNaN;
        massFlow[r][c] = kNaN;
        return s.error;
    }

    const double flowKgH = MassFlowOfCapacity(s, M, qKJh);
    massFlow[r][c] = flowKgH;
    const bool belowLiquidLine = LiquidAboveCondensing(rating, tcK, s);
    suctionFlow[r][c] = belowLiquidLine ? kNoFlow : flowKgH / (M * s.d1);
    pressureRatio[r][c] = s.Pc / s.Pe;
    suctionPressure[r][c] = s.Pe;
    isentropicEff[r][c] = flowKgH * (s.h2s - s.h1) / M / (w * units::kKJhPerWatt);
    return {};
}

void MapAnalysis::FitMap() {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    failures.clear();
    pointFailed = {};
    bool anyFailed = false;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            std::string error = ComputePointQuantities(r, c);
            if (error.empty())
                continue;
            pointFailed[r][c] = true;
            anyFailed = true;
            AddFailure(AnalysisFailure::Stage::EnteredPoint, r, c, std::move(error));
        }
    }

    // The record's tables describe the entered map, all cells, until "Next >>".
    record.condTemp = condTemp;
    record.evapTemp = evapTemp;
    record.capacity = capacity;
    record.power = power;
    record.pressureRatio = pressureRatio;
    record.suctionFlow = suctionFlow;
    record.isentropicEff = isentropicEff;

    CollectValidPoints();
    pointValid = {};
    enteredRange = {};
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            pointValid[r][c] = suctionFlow[r][c] > 0;
            if (!pointValid[r][c])
                continue;
            enteredRange.Add(pressureRatio[r][c], suctionPressure[r][c]);
        }
    }
    enteredRange.MakeHull();

    FitAllPoints(anyFailed);
    FitRows(rows, columns);
    FitSurfaces();
}

void MapAnalysis::ApplySmoothing() {
    ForgetFailuresOf(AnalysisFailure::Stage::RebuiltPoint);
    ForgetFailuresOf(AnalysisFailure::Stage::RatingPoint);
    if (smoothingMethod == kSmoothingOriginal) {
        ReadMapFromRecord();
        ComputeQuality();
        return;
    }
    const bool twoVariable = smoothingMethod == kSmoothingTwoVariable && surfaceRefusal.empty();
    if (smoothingMethod != kSmoothingLinear && smoothingMethod != kSmoothingQuadratic && !twoVariable) {
        ComputeQuality();
        return;
    }

    const FittedCompressor fitted = Fitted();
    ReportUndefinedFits(twoVariable);
    for (int r = 0; r < RowsInUse(); ++r) {
        for (int c = 0; c < ColumnsInUse(); ++c) {
            const FittedFlow value = fitted.At(pressureRatio[r][c], suctionPressure[r][c], r);
            suctionFlow[r][c] = value.suctionFlow;
            isentropicEff[r][c] = value.isentropicEff;
        }
    }
    RebuildMapFromFits();
    ComputeQuality();
}

// A smoothed map rebuilt from fits that do not exist (too few valid points, all of one ratio)
// would be NaN throughout: say so once, unless the failed points that caused it were named.
void MapAnalysis::ReportUndefinedFits(bool twoVariable) {
    const FittedCompressor& f = fits;
    const bool flowDefined = std::isfinite(f.flow.intercept) && std::isfinite(f.flow.slope);
    const bool lineDefined = std::isfinite(f.iseLine.intercept) && std::isfinite(f.iseLine.slope);
    const bool quadDefined
        = std::isfinite(f.iseQuad[0]) && std::isfinite(f.iseQuad[1]) && std::isfinite(f.iseQuad[2]);
    const bool defined = twoVariable
        || (flowDefined && (smoothingMethod == kSmoothingQuadratic ? quadDefined : lineDefined));
    const bool named = std::any_of(failures.begin(), failures.end(), [](const AnalysisFailure& failure) {
        return failure.stage == AnalysisFailure::Stage::Fit && failure.row < 0;
    });
    if (!defined && !named)
        AddFailure(AnalysisFailure::Stage::Fit, -1, -1,
            "the fits cannot be made from the " + std::to_string(validCount) + " valid points of the map");
}

void MapAnalysis::ComputeQuality() {
    quality = CompareWithEntered(
        capacity, power, enteredCapacity, enteredPower, pointValid, RowsInUse(), ColumnsInUse());
}

FittedCompressor MapAnalysis::Fitted() const {
    FittedCompressor fitted = fits;
    fitted.method = smoothingMethod;
    fitted.eachCondTemp = smoothAllTemps != 1;
    return fitted;
}

void MapAnalysis::RebuildMapFromFits() {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    const RatingConditions& rating = record.ratingConditions;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (pointFailed[r][c] || pointBlank[r][c]) { // already listed, or no value to rebuild
                capacity[r][c] = kNaN;
                power[r][c] = kNaN;
                massFlow[r][c] = kNaN;
                continue;
            }
            const CycleStateResult s
                = engine.CycleStates(ToKelvin(evapTemp[c]), ToKelvin(condTemp[r]), rating);
            if (!s.error.empty()) {
                capacity[r][c] = kNaN;
                power[r][c] = kNaN;
                massFlow[r][c] = kNaN;
                AddFailure(AnalysisFailure::Stage::RebuiltPoint, r, c, s.error);
                continue;
            }
            const CompressorOutput out = ModelOutput(s, s.M, suctionFlow[r][c], isentropicEff[r][c]);
            massFlow[r][c] = out.massFlowKgH;
            power[r][c] = out.powerW;
            capacity[r][c] = KJhToMapCapacity(English(), out.capacityKJh);
        }
    }
    if (rows < 1)
        return;

    // The rating-point EER always uses the fits over all valid points, also with per-row smoothing.
    const RatingPointValue rated = FittedAtRatingPoint(engine, Fitted(), rating, superheatFactor);
    record.smoothedRatingEER = rated.eer;
    if (!rated.error.empty()) {
        AddFailure(AnalysisFailure::Stage::RatingPoint, -1, -1, rated.error);
        return;
    }
    smoothedRatingExtrapolated = !enteredRange.Contains(rated.states.Pc / rated.states.Pe, rated.states.Pe);
}

void MapAnalysis::VolumetricEfficiencyPoints(double displacementFlowM3h) {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            ComputePointQuantities(r, c);
    CollectValidPoints();

    if (displacementFlowM3h > 0) {
        for (int i = 0; i < validCount; ++i)
            validFlow[i] /= displacementFlowM3h;
        return;
    }
    // Otherwise a fresh line on the current map; its value at ratio 0 over 0.98 is taken as the
    // displacement flow.
    const double a0 = FitLine(validPressureRatio.data(), validFlow.data(), validCount).intercept;
    for (int i = 0; i < validCount; ++i)
        validFlow[i] = validFlow[i] * kVolumetricEffAtZeroRatio / a0;
}

void MapAnalysis::StoreResultsInRecord() const {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    for (int r = 0; r < rows; ++r) {
        record.condTemp[r] = condTemp[r];
        for (int c = 0; c < columns; ++c) {
            record.evapTemp[c] = evapTemp[c];
            record.capacity[r][c] = capacity[r][c];
            record.power[r][c] = power[r][c];
            record.isentropicEff[r][c] = isentropicEff[r][c];
            record.suctionFlow[r][c] = suctionFlow[r][c];
            record.pressureRatio[r][c] = pressureRatio[r][c];
        }
    }
    fits.StoreInto(record, rows);
    record.enteredRange = enteredRange;
}

} // namespace velutra
