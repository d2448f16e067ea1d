#include "interchange/ShownMapCsv.h"

#include "record/MapEntry.h"
#include "record/RatingConditionsText.h"
#include "record/TextRules.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace velutra {

std::string EncodeShownMapCsv(const CompressorRecord& record, const SmoothedMap& map,
    double capacityMultiplier, double powerMultiplier) {
    const bool english = record.unitsEnglish == 1;
    const int rows = std::clamp(record.condCount, 0, kMaxCond);
    const int columns = std::clamp(SmoothedMap::ColumnsShown(record), 0, kMaxEvap);
    const std::string refrigerant
        = record.refrigerantIndex >= 0 && record.refrigerantIndex < static_cast<int>(kRefrigerantNames.size())
        ? kRefrigerantNames[static_cast<size_t>(record.refrigerantIndex)]
        : "unknown";

    std::string out = "# Velutra smoothed map\n";
    std::string compressor = record.manufacturer + " " + record.model;
    std::replace_if(
        compressor.begin(), compressor.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    out += "# compressor: " + compressor + "\n";
    out += "# capacity in " + std::string(english ? "Btu/h" : "kcal/h") + ", power in W, temperatures in "
        + (english ? "F" : "C") + "\n";
    out += "# method: " + MapCaption(record.smoothingMethod, record.smoothAllTemps) + "\n";
    out += "# multipliers: capacity " + FormatNumber(capacityMultiplier, -4) + ", power "
        + FormatNumber(powerMultiplier, -4) + "\n";
    out += "refrigerant," + CsvField(refrigerant) + "\n";
    out += std::string("units,") + (english ? "English" : "SI") + "\n";
    if (record.ratingConditions != RatingConditions {})
        out += "rating," + FormatRatingConditions(record.ratingConditions) + "\n";
    if (record.displacementCm3 > 0)
        out += "displacement," + FormatNumber(record.displacementCm3, -4) + "\n";
    const bool entered = record.smoothingMethod == 0;
    const char* unit = english ? " F" : " C";
    std::array<std::string, kMaxEvap> evap;
    for (int c = 0; c < columns; ++c) {
        const double t = entered ? record.evapTemp[c] : SmoothedMap::FixedEvapTemp(c, english);
        if (!std::isfinite(t))
            throw ShownMapCsvError("the evaporating temperature of column " + std::to_string(c + 1)
                + " could not be computed; nothing was written");
        evap[static_cast<size_t>(c)] = IntToText(TruncateToInt(t));
    }
    out += "evaporating";
    for (int c = 0; c < columns; ++c)
        out += ',' + evap[static_cast<size_t>(c)];
    out += '\n';
    for (const bool capacity : { true, false }) {
        for (int r = 0; r < rows; ++r) {
            if (!std::isfinite(record.condTemp[r]))
                throw ShownMapCsvError("the condensing temperature of row " + std::to_string(r + 1)
                    + " could not be computed; nothing was written");
            const std::string cond = IntToText(TruncateToInt(record.condTemp[r]));
            out += std::string(capacity ? "capacity," : "power,") + cond;
            for (int c = 0; c < columns; ++c) {
                // The entered map's blank cells stay blank: an empty field.
                out += ',';
                if (entered && IsBlankCell(record.capacityText[r][c], record.powerText[r][c]))
                    continue;
                const double value
                    = capacity ? map.capacity[r][c] * capacityMultiplier : map.power[r][c] * powerMultiplier;
                if (!std::isfinite(value))
                    throw ShownMapCsvError(std::string("the ") + (capacity ? "capacity" : "power") + " at "
                        + cond + unit + " condensing, " + evap[static_cast<size_t>(c)] + unit
                        + " evaporating could not be computed (" + FormatFixed(value, 1)
                        + "); nothing was written");
                out += FormatNumber(value, -1);
            }
            out += '\n';
        }
    }
    return out;
}

} // namespace velutra
