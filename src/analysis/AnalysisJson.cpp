#include "analysis/AnalysisJson.h"

#include "analysis/SmoothedMap.h"
#include "analysis/SmoothingMethods.h"
#include "record/RatingConditionsText.h"
#include "record/UnitRules.h"

#include <algorithm>
#include <cmath>

namespace velutra {

namespace {

using Json = nlohmann::ordered_json;

template <typename Table> Json InUse(const Table& table, int rows, int columns) {
    Json json = Json::array();
    for (int r = 0; r < rows; ++r)
        json.push_back(std::vector<double>(table[r].begin(), table[r].begin() + columns));
    return json;
}

template <typename Row> std::vector<double> Leading(const Row& row, int count) {
    return std::vector<double>(row.begin(), row.begin() + count);
}

Json FailuresJson(const std::vector<AnalysisFailure>& failures, const char* unit) {
    Json json = Json::array();
    for (const AnalysisFailure& failure : failures)
        json.push_back({ { "row", failure.row }, { "column", failure.column },
            { "condTemp", failure.row >= 0 ? Json(failure.condTemp) : Json(nullptr) },
            { "evapTemp", failure.column >= 0 ? Json(failure.evapTemp) : Json(nullptr) },
            { "reason", failure.reason }, { "message", failure.Describe(unit) } });
    return json;
}

Json FitsJson(const FittedCompressor& fitted, int rows) {
    Json json;
    json["flowFitIntercept"] = fitted.flow.intercept;
    json["flowFitSlope"] = fitted.flow.slope;
    json["iseLinIntercept"] = fitted.iseLine.intercept;
    json["iseLinSlope"] = fitted.iseLine.slope;
    std::vector<double> intercepts;
    std::vector<double> slopes;
    for (int r = 0; r < rows; ++r) {
        intercepts.push_back(fitted.iseLineByCond[r].intercept);
        slopes.push_back(fitted.iseLineByCond[r].slope);
    }
    json["iseLinInterceptByCond"] = intercepts;
    json["iseLinSlopeByCond"] = slopes;
    json["iseQuad"] = fitted.iseQuad;
    json["iseQuadByCond"]
        = std::vector<Vector3>(fitted.iseQuadByCond.begin(), fitted.iseQuadByCond.begin() + rows);
    return json;
}

Json MarkedCells(const MapTable<bool>& marked, int rows, int columns) {
    Json cells = Json::array();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (marked[r][c])
                cells.push_back({ r, c });
    return cells;
}

Json SmoothedMapJson(const AnalysisResult& result) {
    if (!result.smoothedMap)
        return nullptr;
    const SmoothedMap& map = result.smoothedMap->map;
    std::vector<double> evapTemp;
    for (int k = 0; k < SmoothedMap::kFixedColumns; ++k)
        evapTemp.push_back(SmoothedMap::FixedEvapTemp(k, result.english));
    const Json beyond = MarkedCells(map.beyondEnteredMap, result.rows, SmoothedMap::kFixedColumns);
    Json failures = Json::array();
    for (const AnalysisFailure& failure : map.failures)
        failures.push_back({ { "row", failure.row }, { "column", failure.column },
            { "condTemp", failure.condTemp }, { "evapTemp", failure.evapTemp }, { "reason", failure.reason },
            { "message", failure.Describe(result.TemperatureUnit()) } });
    return { { "refrigerant", kRefrigerantNames[static_cast<size_t>(result.smoothedMap->refrigerantIndex)] },
        { "evapTemp", evapTemp }, { "condTemp", Leading(result.condTemp, result.rows) },
        { "capacity", InUse(map.capacity, result.rows, SmoothedMap::kFixedColumns) },
        { "power", InUse(map.power, result.rows, SmoothedMap::kFixedColumns) }, { "failures", failures },
        { "extrapolated", beyond }, { "ratingEER", result.smoothedMap->ratingEER },
        { "ratingExtrapolated", result.smoothedMap->ratingBeyondEnteredMap } };
}

Json RefrigerantMapJson(const RefrigerantMap& map, int rows, int columns) {
    return { { "refrigerant", kRefrigerantNames[static_cast<size_t>(map.refrigerantIndex)] },
        { "capacity", InUse(map.capacity, rows, columns) }, { "power", InUse(map.power, rows, columns) },
        { "extrapolated", MarkedCells(map.beyondEnteredMap, rows, columns) },
        { "ratingCapacity", map.ratingCapacity }, { "ratingPower", map.ratingPower },
        { "ratingEER", map.ratingEER }, { "ratingExtrapolated", map.ratingBeyondEnteredMap } };
}

} // namespace

nlohmann::ordered_json AnalysisToJson(const AnalysisResult& result) {
    const int rows = result.rows;
    const int columns = result.columns;
    Json json;
    json["refrigerant"] = kRefrigerantNames[static_cast<size_t>(result.refrigerantIndex)];
    json["unitsEnglish"] = result.english ? 1 : 0;
    json["unitsSI"] = result.english ? 0 : 1;
    json["smoothingMethod"] = result.smoothingMethod;
    json["smoothAllTemps"] = result.smoothAllTemps;
    json["condCount"] = rows;
    json["evapCount"] = columns;
    json["condTemp"] = Leading(result.condTemp, rows);
    json["evapTemp"] = Leading(result.evapTemp, columns);
    json["capacity"] = InUse(result.capacity, rows, columns);
    json["power"] = InUse(result.power, rows, columns);
    json["pressureRatio"] = InUse(result.pressureRatio, rows, columns);
    json["suctionFlow"] = InUse(result.suctionFlow, rows, columns);
    json["isentropicEff"] = InUse(result.isentropicEff, rows, columns);
    json["ratingConditions"] = { { "rated", FormatRatingConditions(result.rated) },
        { "rerated", result.rerateTo ? Json(FormatRatingConditions(*result.rerateTo)) : Json(nullptr) } };
    json["massFlowUnit"] = result.english ? "lb/h" : "kg/h";
    json["massFlow"] = InUse(MassFlowInMapUnits(result.massFlowKgH, result.english), rows, columns);
    json["volumetricEfficiency"] = InUse(result.trueVolumetricEff, rows, columns);
    json.update(FitsJson(result.fitted, rows));
    if (result.smoothingMethod == kSmoothingTwoVariable)
        json["twoVariableFit"] = { { "flowSurface", result.fitted.flowSurface.c },
            { "iseSurface", result.fitted.iseSurface.c } };
    json["smoothedRatingEER"] = result.smoothedRatingEER;
    json["smoothedRatingExtrapolated"] = result.smoothedRatingExtrapolated;
    json["mapRatingEER"] = result.mapRatingEER;
    json["mapRatingExtrapolated"] = result.mapRatingExtrapolated;
    // The EERs are always at the ASHRAE conditions; rerated says they were re-rated there.
    json["ratingEERConditions"] = { { "conditions", "ashrae" }, { "rerated", result.ratingEERsRerated } };

    Json points;
    Json ratios = Json::array();
    Json volumetric = Json::array();
    Json isentropic = Json::array();
    for (const EfficiencyPoint& point : result.validPoints) {
        ratios.push_back(point.pressureRatio);
        volumetric.push_back(point.volumetricEff);
        isentropic.push_back(point.isentropicEff);
    }
    points["pressureRatio"] = ratios;
    points["volumetricEff"] = volumetric;
    points["isentropicEff"] = isentropic;
    json["validPoints"] = points;
    json["failures"] = FailuresJson(result.failures, result.TemperatureUnit());
    const FitQuality& quality = result.quality;
    json["fitQuality"] = { { "capacity",
                               { { "rms", quality.capacityRms }, { "max", quality.capacityMax },
                                   { "perPoint", InUse(quality.capacityDeviation, rows, columns) } } },
        { "power",
            { { "rms", quality.powerRms }, { "max", quality.powerMax },
                { "perPoint", InUse(quality.powerDeviation, rows, columns) } } } };
    json["largestDeviation"]
        = { { "capacity", result.largestCapacityDeviation }, { "power", result.largestPowerDeviation } };
    json["smoothedMap"] = SmoothedMapJson(result);
    if (result.rerated)
        json["rerated"] = { { "capacity", InUse(result.rerated->capacity, rows, columns) },
            { "power", InUse(result.rerated->power, rows, columns) },
            { "massFlow",
                InUse(MassFlowInMapUnits(result.rerated->massFlowKgH, result.english), rows, columns) } };
    if (result.conversion)
        json["conversion"] = { { "original", RefrigerantMapJson(result.conversion->original, rows, columns) },
            { "converted", RefrigerantMapJson(result.conversion->converted, rows, columns) },
            { "failures", result.conversion->failures } };
    return json;
}

} // namespace velutra
