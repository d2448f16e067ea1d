#pragma once

#include "record/CompressorRecord.h"

#include <string>

namespace velutra {

// The map entry form's own copy of the map: every temperature and map value as the text the
// user typed, and the two counts. The form moves it into and out of the record as a whole.
struct MapEntry {
    MapTable<std::string> capacityText;
    MapTable<std::string> powerText;
    // [r][0] belongs to the capacity block, [r][1] to the power block; typing keeps them equal.
    std::array<std::array<std::string, 2>, kMaxCond> condTempText;
    EvapRow<std::string> evapTempText;
    int evapCount = 7;
    int condCount = 3;

    // Counts, then axes and both maps, every cell whether in use or not.
    void LoadFrom(const CompressorRecord& record);
    // The reverse of LoadFrom, then the record's text-map copies (which the smoothed-map form
    // shows) are made equal to the stored maps.
    void StoreInto(CompressorRecord& record) const;
    // "Clear Data": empties every capacity and power text and sets 3 rows by 7 columns; the
    // temperatures stay.
    void ClearValues();
};

inline constexpr int kMinCondCount = 1;
inline constexpr int kMinEvapCount = 2;

// One step of a count between its limits; direction > 0 is a step up, < 0 a step down. A count
// outside the limits is brought inside first, so 0 rows step up to 2 and down to 1.
int StepCount(int count, int direction, int minimum, int maximum);
inline int StepCondCount(int count, int direction) {
    return StepCount(count, direction, kMinCondCount, kMaxCond);
}
inline int StepEvapCount(int count, int direction) {
    return StepCount(count, direction, kMinEvapCount, kMaxEvap);
}

// A row or column is in use below its count; counts outside the range need no clamping.
inline bool InUse(int index, int count) {
    return index <= count - 1;
}

// Checks the condensing temperatures (capacity block) and the evaporating temperatures before
// the analysis: the first condensing temperature must be at least 90 F (32.2 C), and the
// temperatures in use must rise strictly. Returns the message to show, or an empty text when
// the temperatures pass. Texts are read by the usual leading-number rule (empty reads as 0).
std::string CheckTemperatures(const MapEntry& entry, bool unitsSI);

// A cell outside the compressor's operating envelope: neither a capacity nor a power was given.
// It is a cell of the map all the same, kept as two empty texts wherever the map goes.
inline bool IsBlankCell(const std::string& capacityText, const std::string& powerText) {
    return capacityText.empty() && powerText.empty();
}

// Checks every cell in use (inside both counts): a cell is blank, or its capacity and power
// texts both read, by the usual leading-number rule, as positive finite numbers. Returns a
// message naming the first cell that is neither (row by row) by its temperatures and saying
// what is wrong, or an empty text when every cell passes. The message has no file name and no
// framing: each reader and the form add their own.
std::string CheckMapCells(const MapEntry& entry, bool unitsSI);
std::string CheckMapCells(const CompressorRecord& record);

// Names a cell of the map by its temperatures as typed, "45 C condensing, -20 C evaporating";
// a temperature with no text is named by its row or column instead.
std::string MapCellName(const MapEntry& entry, bool unitsSI, int row, int column);

// The headings of the map form: the lines of hyphens are part of the texts.
std::string EvapHeading(bool unitsSI);
std::string CondHeading(bool unitsSI);
std::string CapacityHeading(bool unitsSI);
std::string PowerHeading();

} // namespace velutra
