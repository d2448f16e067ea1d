#include "record/MapEntry.h"

#include "record/TextRules.h"

#include <algorithm>

namespace velutra {

void MapEntry::LoadFrom(const CompressorRecord& record) {
    evapCount = record.evapCount;
    condCount = record.condCount;
    condTempText = record.condTempText;
    evapTempText = record.evapTempText;
    capacityText = record.capacityText;
    powerText = record.powerText;
}

void MapEntry::StoreInto(CompressorRecord& record) const {
    record.evapCount = evapCount;
    record.condCount = condCount;
    record.condTempText = condTempText;
    record.evapTempText = evapTempText;
    record.capacityText = capacityText;
    record.powerText = powerText;
    record.capacityTextCopy = record.capacityText;
    record.powerTextCopy = record.powerText;
}

void MapEntry::ClearValues() {
    for (auto& row : capacityText)
        row.fill("");
    for (auto& row : powerText)
        row.fill("");
    evapCount = 7;
    condCount = 3;
}

int StepCount(int count, int direction, int minimum, int maximum) {
    count = std::clamp(count, minimum, maximum);
    if (direction > 0 && count < maximum)
        ++count;
    else if (direction < 0 && count > minimum)
        --count;
    return count;
}

std::string CheckTemperatures(const MapEntry& entry, bool unitsSI) {
    const double first = TextToNumber(entry.condTempText[0][0]);
    if (unitsSI) {
        if (first < 32.2)
            return "   Minimum allowed condenser temperature is 32.2 C   ";
    } else if (first < 90.0) {
        return "   Minimum allowed condenser temperature is 90 F   ";
    }
    bool ascending = true;
    for (int r = 1; r < kMaxCond; ++r)
        if (entry.condCount > r
            && TextToNumber(entry.condTempText[r][0]) <= TextToNumber(entry.condTempText[r - 1][0]))
            ascending = false;
    for (int c = 1; c < kMaxEvap; ++c)
        if (entry.evapCount > c
            && TextToNumber(entry.evapTempText[c]) <= TextToNumber(entry.evapTempText[c - 1]))
            ascending = false;
    if (!ascending)
        return "   Condenser and evaporator temperatures must be in ascending order   ";
    return {};
}

namespace {

std::string Rule(int hyphens) {
    return std::string(static_cast<std::size_t>(hyphens), '-');
}

} // namespace

std::string EvapHeading(bool unitsSI) {
    return std::string(unitsSI ? "Evaporator tempertures (C)" : "Evaporator tempertures (F)") + "\n"
        + Rule(176);
}

std::string CondHeading(bool unitsSI) {
    return unitsSI ? "Condenser temp (C)" : "Condenser temp (F)";
}

std::string CapacityHeading(bool unitsSI) {
    return unitsSI ? Rule(74) + " Capacity (Kcalh) " + Rule(76) : Rule(75) + " Capacity (Btuh) " + Rule(76);
}

std::string PowerHeading() {
    return Rule(80) + " Power (W) " + Rule(79);
}

} // namespace velutra
