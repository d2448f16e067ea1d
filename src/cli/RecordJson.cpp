#include "cli/RecordJson.h"

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
    return json;
}

} // namespace velutra::cli
