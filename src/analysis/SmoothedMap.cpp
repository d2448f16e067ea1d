#include "analysis/SmoothedMap.h"

#include "analysis/SmoothingMethods.h"
#include "record/MapEntry.h"
#include "record/TextRules.h"
#include "record/UnitRules.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace velutra {

double SmoothedMap::FixedEvapTemp(int k, bool english) {
    return english ? -40.0 + 10.0 * k : -40.0 + 5.0 * k;
}

int SmoothedMap::ColumnsShown(const CompressorRecord& record) {
    return record.smoothingMethod != 0 ? kFixedColumns : record.evapCount;
}

void SmoothedMap::TakeEnteredMap(const CompressorRecord& record) {
    for (int r = 0; r < std::min(record.condCount, kMaxCond); ++r)
        for (int c = 0; c < std::min(record.evapCount, kMaxEvap); ++c) {
            capacity[r][c] = record.capacity[r][c];
            power[r][c] = record.power[r][c];
        }
}

void SmoothedMap::Compute(
    CycleStateSource& engine, const CompressorRecord& record, const FittedCompressor& fitted) {
    const bool english = record.unitsEnglish == 1;
    failures.clear();
    beyondEnteredMap = {};
    for (int r = 0; r < std::min(record.condCount, kMaxCond); ++r) {
        const double condK = MapTempToKelvin(english, record.condTemp[r]);
        for (int k = 0; k < kFixedColumns; ++k) {
            const double evapTemp = FixedEvapTemp(k, english);
            const CycleStateResult s
                = engine.CycleStates(MapTempToKelvin(english, evapTemp), condK, record.ratingConditions);
            if (!s.error.empty()) {
                capacity[r][k] = power[r][k] = std::numeric_limits<double>::quiet_NaN();
                AnalysisFailure failure;
                failure.stage = AnalysisFailure::Stage::RebuiltPoint;
                failure.row = r;
                failure.column = k;
                failure.condTemp = record.condTemp[r];
                failure.evapTemp = evapTemp;
                failure.reason = s.error;
                failures.push_back(std::move(failure));
                continue;
            }
            const FittedFlow value = fitted.At(s.Pc / s.Pe, s.Pe, r);
            const CompressorOutput out = ModelOutput(s, s.M, value.suctionFlow, value.isentropicEff);
            capacity[r][k] = KJhToMapCapacity(english, out.capacityKJh);
            power[r][k] = out.powerW;
            beyondEnteredMap[r][k] = BeyondEnteredMap(record.enteredRange, s, fitted, value, out);
        }
    }
}

double SmoothedMap::RatingEER(CycleStateSource& engine, const CompressorRecord& record,
    const FittedCompressor& fitted, double superheatFactor) {
    return FittedAtRatingPoint(engine, fitted, record.ratingConditions, superheatFactor).eer;
}

bool SmoothedMap::RatingBeyondEnteredMap(CycleStateSource& engine, const CompressorRecord& record) {
    const CycleStateResult s
        = engine.CycleStates(kRatingPointK.evapTemp, kRatingPointK.condTemp, record.ratingConditions);
    return s.error.empty() && !record.enteredRange.Contains(s.Pc / s.Pe, s.Pe);
}

int SmoothedMap::BeyondCount(int rows) const {
    int count = 0;
    for (int r = 0; r < std::min(rows, kMaxCond); ++r)
        count += static_cast<int>(std::count(beyondEnteredMap[r].begin(), beyondEnteredMap[r].end(), true));
    return count;
}

std::string ExtrapolationText(int beyond, int total, bool ratingBeyond) {
    std::string text;
    if (beyond > 0)
        text = std::to_string(beyond) + " of " + std::to_string(total)
            + " values extrapolated beyond the entered map";
    if (ratingBeyond)
        text
            += text.empty() ? "The rating-point EER is extrapolated beyond the entered map" : ", and the EER";
    return text;
}

std::string TemperatureLabel(double temperature, bool english) {
    return IntToText(TruncateToInt(temperature)) + (english ? " F" : " C");
}

std::string MapCaption(int smoothingMethod, int smoothAllTemps) {
    const char* scope
        = smoothAllTemps == 1 ? "smoothing for all temperatures" : "smoothing for each condenser temperature";
    switch (smoothingMethod) {
    case kSmoothingOriginal:
        return "Original map data";
    case kSmoothingLinear:
        return std::string("Linear isentropic efficiency, ") + scope;
    case kSmoothingQuadratic:
        return std::string("Quadratic isentropic efficiency, ") + scope;
    case kSmoothingTwoVariable:
        // The surfaces span every condensing temperature: there is no per-row choice.
        return "Two-variable fit of suction flow and isentropic efficiency";
    default:
        return {};
    }
}

std::optional<std::string> RefrigerantLabel(const CompressorRecord& record) {
    const int index = record.convertRefrigerant == 1 ? record.newRefrigerantIndex : record.refrigerantIndex;
    if (index < 0 || index >= static_cast<int>(kRefrigerantNames.size()))
        return std::nullopt;
    return std::string("Refrigerant: ") + kRefrigerantNames[static_cast<std::size_t>(index)];
}

bool BeginConversion(CompressorRecord& record) {
    if (record.convertRefrigerant != 1 || record.newRefrigerantIndex == record.refrigerantIndex)
        return false;
    record.refrigerantIndex = record.newRefrigerantIndex;
    return true;
}

std::string CalculatedEERText(double baseEER, double capacityMultiplier, double powerMultiplier) {
    const double eer = baseEER * (capacityMultiplier / powerMultiplier);
    if (powerMultiplier == 0 || !std::isfinite(baseEER) || !std::isfinite(eer))
        return "n/a";
    return FormatNumber(eer, -2);
}

double BaseEER(const CompressorRecord& record) {
    return record.smoothingMethod == 0 ? record.mapRatingEER : record.smoothedRatingEER;
}

void WriteAdjustedMap(
    CompressorRecord& record, const SmoothedMap& map, double capacityMultiplier, double powerMultiplier) {
    for (int r = 0; r < kMaxCond; ++r)
        for (int c = 0; c < kMaxEvap; ++c) {
            if (record.smoothingMethod == 0 && IsBlankCell(record.capacityText[r][c], record.powerText[r][c]))
                continue; // a blank cell of the entered map stays blank: a reader refuses "0.0"
            record.capacityText[r][c] = FormatNumber(map.capacity[r][c] * capacityMultiplier, -1);
            record.powerText[r][c] = FormatNumber(map.power[r][c] * powerMultiplier, -1);
        }
    for (int r = 0; r < kMaxCond; ++r)
        record.condTempText[r][0] = record.condTempText[r][1] = IntToText(TruncateToInt(record.condTemp[r]));
    if (record.smoothingMethod != 0) {
        const bool english = record.unitsEnglish == 1;
        record.evapCount = SmoothedMap::kFixedColumns;
        for (int k = 0; k < SmoothedMap::kFixedColumns; ++k)
            record.evapTempText[k] = IntToText(TruncateToInt(SmoothedMap::FixedEvapTemp(k, english)));
        record.evapTempText[kMaxEvap - 1].clear();
    }
}

} // namespace velutra
