#include "interchange/ShownMapCsv.h"

#include "record/RatingSpec.h"
#include "record/TextRules.h"

#include <algorithm>

namespace velutra {

namespace {

// A text field as CSV: quoted when it holds a comma or a quote.
std::string Field(const std::string& text) {
    if (text.find_first_of(",\"") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

} // namespace

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
    out += "refrigerant," + Field(refrigerant) + "\n";
    out += std::string("units,") + (english ? "English" : "SI") + "\n";
    if (record.ratingConditions != RatingConditions {})
        out += "rating," + FormatRatingConditions(record.ratingConditions) + "\n";
    if (record.displacementCm3 > 0)
        out += "displacement," + FormatNumber(record.displacementCm3, -4) + "\n";
    out += "evaporating";
    for (int c = 0; c < columns; ++c)
        out += ','
            + IntToText(TruncateToInt(
                record.smoothingMethod != 0 ? SmoothedMap::FixedEvapTemp(c, english) : record.evapTemp[c]));
    out += '\n';
    for (const bool capacity : { true, false }) {
        for (int r = 0; r < rows; ++r) {
            out += std::string(capacity ? "capacity," : "power,")
                + IntToText(TruncateToInt(record.condTemp[r]));
            for (int c = 0; c < columns; ++c)
                out += ','
                    + FormatNumber(capacity ? map.capacity[r][c] * capacityMultiplier
                                            : map.power[r][c] * powerMultiplier,
                        -1);
            out += '\n';
        }
    }
    return out;
}

} // namespace velutra
