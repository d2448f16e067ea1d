#include "record/MapEntry.h"

#include "record/TextRules.h"

#include <algorithm>
#include <cmath>
#include <string_view>

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

// A temperature as typed, for naming a cell; long texts are cut.
std::string TemperatureName(const std::string& text, const char* unit, const std::string& otherwise) {
    const std::string_view blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return otherwise;
    return ClipForMessage(text.substr(first, text.find_last_not_of(blanks) - first + 1)) + " " + unit;
}

// What is wrong with one value of a cell that is not blank, or empty text when it is right.
std::string ValueProblem(const std::string& text, const char* quantity, const char* other) {
    if (text.empty())
        return std::string("has a ") + other + " but no " + quantity;
    if (!StartsWithNumber(text))
        return std::string("has a ") + quantity + " of " + QuoteForMessage(text) + ", which is not a number";
    const double value = TextToNumber(text);
    if (!std::isfinite(value))
        return std::string("has a ") + quantity + " of " + QuoteForMessage(text) + ", which is not finite";
    if (value == 0)
        return std::string("has a ") + quantity + " of zero";
    if (value < 0)
        return std::string("has a negative ") + quantity + " (" + QuoteForMessage(text) + ")";
    return {};
}

} // namespace

std::string MapCellName(const MapEntry& entry, bool unitsSI, int row, int column) {
    const char* unit = unitsSI ? "C" : "F";
    return TemperatureName(entry.condTempText[row][0], unit, "row " + std::to_string(row + 1))
        + " condensing, "
        + TemperatureName(entry.evapTempText[column], unit, "column " + std::to_string(column + 1))
        + " evaporating";
}

std::string CheckMapCells(const MapEntry& entry, bool unitsSI) {
    for (int r = 0; r < kMaxCond; ++r) {
        for (int c = 0; c < kMaxEvap; ++c) {
            if (!InUse(r, entry.condCount) || !InUse(c, entry.evapCount))
                continue;
            const std::string& capacity = entry.capacityText[r][c];
            const std::string& power = entry.powerText[r][c];
            if (IsBlankCell(capacity, power))
                continue;
            std::string problem = ValueProblem(capacity, "capacity", "power");
            if (problem.empty())
                problem = ValueProblem(power, "power", "capacity");
            if (problem.empty())
                continue;
            std::string message
                = "The map cell at " + MapCellName(entry, unitsSI, r, c) + " " + problem + ".";
            if (capacity.empty() || power.empty())
                message += " A cell outside the operating envelope leaves both empty.";
            else
                message += " Capacity and power must be positive numbers.";
            return message;
        }
    }
    return {};
}

std::string CheckMapCells(const CompressorRecord& record) {
    MapEntry entry;
    entry.LoadFrom(record);
    return CheckMapCells(entry, record.unitsSI == 1);
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
