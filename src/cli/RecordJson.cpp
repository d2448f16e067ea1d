#include "cli/RecordJson.h"

#include "record/RatingConditionsText.h"

namespace velutra::cli {

nlohmann::ordered_json PersistentFieldsToJson(const CompressorRecord& record) {
    nlohmann::ordered_json json;
    json["manufacturer"] = record.manufacturer;
    json["model"] = record.model;
    json["ratingCapacityText"] = record.ratingCapacityText;
    json["ratingEERText"] = record.ratingEERText;
    json["speedText"] = record.speedText;
    json["voltageText"] = record.voltageText;
    json["unitsEnglish"] = record.unitsEnglish;
    json["unitsSI"] = record.unitsSI;
    json["refrigerantIndex"] = record.refrigerantIndex;
    json["condCount"] = record.condCount;
    json["evapCount"] = record.evapCount;
    json["condTempText"] = record.condTempText;
    json["evapTempText"] = record.evapTempText;
    json["capacityText"] = record.capacityText;
    json["powerText"] = record.powerText;
    // After the fields of the original layout, as the file keeps them: the rating conditions in
    // their written form, the displacement (null when not known).
    json["ratingConditions"] = FormatRatingConditions(record.ratingConditions);
    json["displacementCm3"] = record.displacementCm3 > 0 ? nlohmann::ordered_json(record.displacementCm3)
                                                         : nlohmann::ordered_json(nullptr);
    return json;
}

} // namespace velutra::cli
