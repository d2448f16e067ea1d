#include "analysis/MapAnalysis.h"

#include "analysis/SmoothingMethods.h"
#include "record/TextRules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace velutra {

namespace {

// Unit rules of the analysis; the engine works in K, kPa, mol/dm3, J/mol and g/mol.
constexpr double kFahrenheitOffset = 459.67;
constexpr double kKelvinPerRankine = 0.5555555555555556;
constexpr double kCelsiusOffset = 273.15;
constexpr double kKJPerBtu = 1.055056;
constexpr double kKJPerKcal = 4.1848; // the program's kcal, not the 4.1868 of the IT calorie
constexpr double kBtuPerKJ = 0.9478169879134378;
constexpr double kKcalPerKJ = 0.2389600458803288;
constexpr double kKJhPerWatt = 3.6;

// Suction gas and liquid line are at 90 F (kLineTempK); rows condensing below it have no
// meaningful flow.
constexpr double kNoFlow = -1.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ASHRAE rating point (-10 F evaporating, 130 F condensing) for the EER from the fits, in K.
constexpr double kRatingEvapK = 249.82;
constexpr double kRatingCondK = 327.59;

// The same point in the map's own units for the EER interpolated in the entered map.
constexpr double kRatingEvapF = -10;
constexpr double kRatingCondF = 130;
constexpr double kRatingEvapC = -23.33;
constexpr double kRatingCondC = 54.44;
constexpr double kBtuPerKcal = 3.966;

// The volumetric efficiency is scaled so that the suction-flow line gives this at ratio 0.
constexpr double kVolumetricEffAtZeroRatio = 0.98;

// Bilinear interpolation (or extrapolation) between rows r-1, r and columns c-1, c.
double Interpolate(const MapTable<double>& x, int r, int c, double fr, double fe) {
    return (1 - fr) * ((1 - fe) * x[r - 1][c - 1] + fe * x[r - 1][c])
        + fr * ((1 - fe) * x[r][c - 1] + fe * x[r][c]);
}

} // namespace

CompressorOutput ModelOutput(const CycleStateResult& s, double M, double suctionFlow, double isentropicEff) {
    CompressorOutput out;
    out.massFlowKgH = M * s.d1 * suctionFlow;
    out.capacityKJh = out.massFlowKgH * (s.h1 - s.h3) / M;
    out.powerW = out.massFlowKgH * (s.h2s - s.h1) / M / (isentropicEff * kKJhPerWatt);
    return out;
}

double MassFlowOfCapacity(const CycleStateResult& s, double M, double capacityKJh) {
    return capacityKJh / ((s.h1 - s.h3) / M);
}

bool UnsoundPoint(double isentropicEff, double volumetricEff, double suctionFlow) {
    const auto fraction = [](double v) { return v > 0 && v <= 1; };
    return !fraction(isentropicEff) || !fraction(volumetricEff) || !(suctionFlow >= 0);
}

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
    if (record.unitsEnglish != 0)
        return (temperature + kFahrenheitOffset) * kKelvinPerRankine;
    return temperature + kCelsiusOffset;
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
    enteredCapacity = capacity;
    enteredPower = power;

    ComputeMapRatingEER();
}

void MapAnalysis::ComputeMapRatingEER() {
    record.mapRatingEER = 0;
    mapRatingExtrapolated = false;
    const bool si = record.unitsSI != 0;
    const double evapRating = si ? kRatingEvapC : kRatingEvapF;
    const double condRating = si ? kRatingCondC : kRatingCondF;

    // Only rows and columns in use take part: cells beyond the counts may hold texts left from
    // an earlier, larger map, and interpolating towards them would give a plausible-looking but
    // meaningless EER. Interpolation needs two rows and two columns.
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    if (rows < 2 || columns < 2)
        return;
    int c = 0;
    while (c < columns && !(evapTemp[c] >= evapRating))
        ++c;
    if (c == columns)
        return;
    int r = 0;
    while (r < rows && !(condTemp[r] >= condRating))
        ++r;
    if (r == rows)
        return;

    // A hit in the first row or column extrapolates from the first two.
    mapRatingExtrapolated = condRating < condTemp[0] || evapRating < evapTemp[0];
    r = std::max(r, 1);
    c = std::max(c, 1);
    const double fr = (condRating - condTemp[r - 1]) / (condTemp[r] - condTemp[r - 1]);
    const double fe = (evapRating - evapTemp[c - 1]) / (evapTemp[c] - evapTemp[c - 1]);
    const double q = Interpolate(capacity, r, c, fr, fe);
    const double w = Interpolate(power, r, c, fr, fe);
    record.mapRatingEER = si ? kBtuPerKcal * q / w : q / w;
}

std::string MapAnalysis::ComputePointQuantities(int r, int c) {
    const double teK = ToKelvin(evapTemp[c]);
    const double tcK = ToKelvin(condTemp[r]);
    const double qKJh = capacity[r][c] * (record.unitsEnglish != 0 ? kKJPerBtu : kKJPerKcal);
    const double w = power[r][c];

    const double M = engine.MolarMass();
    const CycleStateResult s = engine.CycleStates(teK, tcK);
    if (!s.error.empty()) {
        // NaN rather than the -1 of a row below 90 F, which would read as a sound point.
        suctionFlow[r][c] = kNaN;
        pressureRatio[r][c] = kNaN;
        isentropicEff[r][c] = kNaN;
        suctionPressure[r][c] = kNaN;
        return s.error;
    }

    const double massFlow = MassFlowOfCapacity(s, M, qKJh); // kg/h
    suctionFlow[r][c] = tcK < kLineTempK ? kNoFlow : massFlow / (M * s.d1);
    pressureRatio[r][c] = s.Pc / s.Pe;
    suctionPressure[r][c] = s.Pe;
    isentropicEff[r][c] = massFlow * (s.h2s - s.h1) / M / (w * kKJhPerWatt);
    return {};
}

void MapAnalysis::CollectValidPoints() {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    validCount = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (!(suctionFlow[r][c] > 0))
                continue;
            validFlow[validCount] = suctionFlow[r][c];
            validIse[validCount] = isentropicEff[r][c];
            validPressureRatio[validCount] = pressureRatio[r][c];
            validSuctionPressure[validCount] = suctionPressure[r][c];
            ++validCount;
        }
    }

    // Bubble sort by pressure ratio; swapping only on a strictly smaller later ratio keeps equal
    // ratios in the order of the walk.
    for (int k = validCount - 1; k >= 1; --k) {
        for (int i = 0; i < k; ++i) {
            if (validPressureRatio[i + 1] < validPressureRatio[i]) {
                std::swap(validPressureRatio[i], validPressureRatio[i + 1]);
                std::swap(validFlow[i], validFlow[i + 1]);
                std::swap(validIse[i], validIse[i + 1]);
                std::swap(validSuctionPressure[i], validSuctionPressure[i + 1]);
            }
        }
    }
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
            const double p = pressureRatio[r][c];
            const double pe = suctionPressure[r][c];
            OperatingRange& range = enteredRange;
            range.minRatio = range.empty ? p : std::min(range.minRatio, p);
            range.maxRatio = range.empty ? p : std::max(range.maxRatio, p);
            range.minSuctionKPa = range.empty ? pe : std::min(range.minSuctionKPa, pe);
            range.maxSuctionKPa = range.empty ? pe : std::max(range.maxSuctionKPa, pe);
            range.empty = false;
        }
    }

    const LineFit flow = FitLine(validPressureRatio.data(), validFlow.data(), validCount);
    flowFitIntercept = flow.intercept;
    flowFitSlope = flow.slope;
    const LineFit ise = FitLine(validPressureRatio.data(), validIse.data(), validCount);
    iseLinIntercept = ise.intercept;
    iseLinSlope = ise.slope;
    iseQuad = FitQuadratic(validPressureRatio.data(), validIse.data(), validCount);
    const bool allPointsFitsDefined = std::isfinite(flowFitIntercept) && std::isfinite(flowFitSlope)
        && std::isfinite(iseLinIntercept) && std::isfinite(iseLinSlope) && std::isfinite(iseQuad[0])
        && std::isfinite(iseQuad[1]) && std::isfinite(iseQuad[2]);
    if (anyFailed && !allPointsFitsDefined)
        AddFailure(AnalysisFailure::Stage::Fit, -1, -1,
            "not every fit could be computed from the " + std::to_string(validCount)
                + " valid points left once the failed points are left out");
    FitRows(rows, columns);
    FitSurfaces();
}

// The two-variable surfaces over all valid points of the entered map.
void MapAnalysis::FitSurfaces() {
    flowSurface = {};
    iseSurface = {};
    int rowsWithValidPoints = 0;
    for (int r = 0; r < RowsInUse(); ++r)
        rowsWithValidPoints
            += std::any_of(pointValid[r].begin(), pointValid[r].end(), [](bool v) { return v; });
    if (validCount >= SurfaceFit::kTerms && rowsWithValidPoints == 1) {
        surfaceRefusal
            = "all valid points lie on one condensing temperature, where pressure ratio and suction "
              "pressure move together and the six terms cannot be told apart";
        return;
    }
    const SurfaceFitResult flow
        = FitSurface(validPressureRatio.data(), validSuctionPressure.data(), validFlow.data(), validCount);
    const SurfaceFitResult ise
        = FitSurface(validPressureRatio.data(), validSuctionPressure.data(), validIse.data(), validCount);
    surfaceRefusal = !flow.refusal.empty() ? flow.refusal : ise.refusal;
    if (!surfaceRefusal.empty())
        return;
    flowSurface = flow.fit;
    iseSurface = ise.fit;
}

std::string MapAnalysis::SmoothingRefusal(int method) const {
    if (method != kSmoothingTwoVariable || surfaceRefusal.empty())
        return {};
    return "The two-variable fit cannot be used on this map: " + surfaceRefusal + ".";
}

// Per-row fits take every point of the row in use, valid or not, except those whose states
// could not be computed.
void MapAnalysis::FitRows(int rows, int columns) {
    for (int r = 0; r < rows; ++r) {
        std::array<double, kMaxEvap> ratios {};
        std::array<double, kMaxEvap> efficiencies {};
        int n = 0;
        for (int c = 0; c < columns; ++c) {
            if (pointFailed[r][c])
                continue;
            ratios[n] = pressureRatio[r][c];
            efficiencies[n] = isentropicEff[r][c];
            ++n;
        }
        const LineFit line = FitLine(ratios.data(), efficiencies.data(), n);
        iseLinInterceptByCond[r] = line.intercept;
        iseLinSlopeByCond[r] = line.slope;
        iseQuadByCond[r] = FitQuadratic(ratios.data(), efficiencies.data(), n);
        const Vector3& quad = iseQuadByCond[r];
        const bool defined = std::isfinite(line.intercept) && std::isfinite(line.slope)
            && std::isfinite(quad[0]) && std::isfinite(quad[1]) && std::isfinite(quad[2]);
        if (n < columns && !defined)
            AddFailure(AnalysisFailure::Stage::Fit, r, -1,
                "not every fit could be computed from the " + std::to_string(n) + " of "
                    + std::to_string(columns) + " points of the row that could be computed");
    }
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

    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    for (int r = 0; r < rows; ++r) {
        const double a0 = smoothAllTemps == 1 ? iseLinIntercept : iseLinInterceptByCond[r];
        const double a1 = smoothAllTemps == 1 ? iseLinSlope : iseLinSlopeByCond[r];
        const Vector3& quad = smoothAllTemps == 1 ? iseQuad : iseQuadByCond[r];
        for (int c = 0; c < columns; ++c) {
            const double p = pressureRatio[r][c];
            if (twoVariable) {
                suctionFlow[r][c] = flowSurface.Evaluate(p, suctionPressure[r][c]);
                isentropicEff[r][c] = iseSurface.Evaluate(p, suctionPressure[r][c]);
                continue;
            }
            // The suction flow is always the line over the valid points of the entered map.
            suctionFlow[r][c] = flowFitIntercept + flowFitSlope * p;
            isentropicEff[r][c]
                = smoothingMethod == 1 ? a0 + a1 * p : quad[0] + quad[1] * p + quad[2] * p * p;
        }
    }
    RebuildMapFromFits();
    ComputeQuality();
}

void MapAnalysis::ComputeQuality() {
    quality = {};
    for (int r = 0; r < kMaxCond; ++r) {
        quality.capacityDeviation[r].fill(kNaN);
        quality.powerDeviation[r].fill(kNaN);
    }
    double capacitySquares = 0;
    double powerSquares = 0;
    for (int r = 0; r < RowsInUse(); ++r) {
        for (int c = 0; c < ColumnsInUse(); ++c) {
            if (!pointValid[r][c])
                continue;
            double& dq = quality.capacityDeviation[r][c];
            double& dw = quality.powerDeviation[r][c];
            dq = (capacity[r][c] - enteredCapacity[r][c]) / enteredCapacity[r][c] * 100;
            dw = (power[r][c] - enteredPower[r][c]) / enteredPower[r][c] * 100;
            capacitySquares += dq * dq;
            powerSquares += dw * dw;
            // A NaN deviation must show in the largest one rather than vanish in std::max.
            quality.capacityMax = std::isnan(dq) ? dq : std::max(quality.capacityMax, std::fabs(dq));
            quality.powerMax = std::isnan(dw) ? dw : std::max(quality.powerMax, std::fabs(dw));
            ++quality.points;
        }
    }
    if (quality.points > 0) {
        quality.capacityRms = std::sqrt(capacitySquares / quality.points);
        quality.powerRms = std::sqrt(powerSquares / quality.points);
    }
}

void MapAnalysis::RebuildMapFromFits() {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    const double toCapacity = record.unitsEnglish != 0 ? kBtuPerKJ : kKcalPerKJ;
    const double M = engine.MolarMass();
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            if (pointFailed[r][c]) { // already listed; its states fail again
                capacity[r][c] = kNaN;
                power[r][c] = kNaN;
                continue;
            }
            const CycleStateResult s = engine.CycleStates(ToKelvin(evapTemp[c]), ToKelvin(condTemp[r]));
            if (!s.error.empty()) {
                capacity[r][c] = kNaN;
                power[r][c] = kNaN;
                AddFailure(AnalysisFailure::Stage::RebuiltPoint, r, c, s.error);
                continue;
            }
            const CompressorOutput out = ModelOutput(s, M, suctionFlow[r][c], isentropicEff[r][c]);
            power[r][c] = out.powerW;
            capacity[r][c] = out.capacityKJh * toCapacity;
        }
    }
    if (rows < 1)
        return;

    // The rating-point EER always uses the fits over all valid points, also with per-row smoothing.
    const CycleStateResult s = engine.CycleStates(kRatingEvapK, kRatingCondK);
    if (!s.error.empty()) {
        record.smoothedRatingEER = kNaN;
        AddFailure(AnalysisFailure::Stage::RatingPoint, -1, -1, s.error);
        return;
    }
    const double p = s.Pc / s.Pe;
    smoothedRatingExtrapolated = !enteredRange.Contains(p, s.Pe);
    const FittedFlow fitted = AllPointsFitsAt(p, s.Pe);
    const CompressorOutput out = ModelOutput(s, M, fitted.suctionFlow, fitted.isentropicEff);
    record.smoothedRatingEER = out.capacityKJh * kBtuPerKJ / out.powerW;
}

FittedFlow MapAnalysis::AllPointsFitsAt(double pressureRatio, double suctionPressureKPa) const {
    const double p = pressureRatio;
    FittedFlow fitted;
    if (smoothingMethod == kSmoothingTwoVariable && surfaceRefusal.empty()) {
        fitted.suctionFlow = flowSurface.Evaluate(p, suctionPressureKPa);
        fitted.isentropicEff = iseSurface.Evaluate(p, suctionPressureKPa);
        return fitted;
    }
    fitted.suctionFlow = flowFitIntercept + flowFitSlope * p;
    fitted.isentropicEff = smoothingMethod == kSmoothingQuadratic
        ? iseQuad[0] + iseQuad[1] * p + iseQuad[2] * p * p
        : iseLinIntercept + iseLinSlope * p;
    return fitted;
}

std::string MapAnalysis::FittedOutputAt(double evapTempK, double condTempK, CompressorOutput& out) {
    const CycleStateResult s = engine.CycleStates(evapTempK, condTempK);
    if (!s.error.empty()) {
        out = { kNaN, kNaN, kNaN };
        return s.error;
    }
    const FittedFlow fitted = AllPointsFitsAt(s.Pc / s.Pe, s.Pe);
    out = ModelOutput(s, engine.MolarMass(), fitted.suctionFlow, fitted.isentropicEff);
    return {};
}

void MapAnalysis::VolumetricEfficiencyPoints() {
    const int rows = RowsInUse();
    const int columns = ColumnsInUse();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            ComputePointQuantities(r, c);
    CollectValidPoints();

    // A fresh line on the current map; its value at ratio 0 over 0.98 is taken as the
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
        record.iseLinInterceptByCond[r] = iseLinInterceptByCond[r];
        record.iseLinSlopeByCond[r] = iseLinSlopeByCond[r];
        record.iseQuadByCond[r] = iseQuadByCond[r];
        for (int c = 0; c < columns; ++c) {
            record.evapTemp[c] = evapTemp[c];
            record.capacity[r][c] = capacity[r][c];
            record.power[r][c] = power[r][c];
            record.isentropicEff[r][c] = isentropicEff[r][c];
            record.suctionFlow[r][c] = suctionFlow[r][c];
            record.pressureRatio[r][c] = pressureRatio[r][c];
        }
    }
    record.flowFitIntercept = flowFitIntercept;
    record.flowFitSlope = flowFitSlope;
    record.iseLinIntercept = iseLinIntercept;
    record.iseLinSlope = iseLinSlope;
    record.iseQuad = iseQuad;
    record.flowSurface = flowSurface.c;
    record.enteredRange = enteredRange;
    record.iseSurface = iseSurface.c;
}

} // namespace velutra
