#pragma once

#include "files/TableFileError.h"
#include "record/CompressorRecord.h"

#include <istream>
#include <string>

namespace velutra {

// Import of a compressor table (".tab", the layout the DOS program KVS reads and the table export
// writes). Only rows whose condensing temperature's integer part is above 89 (above 33 when the
// units line reads 2) are taken, at most 6 for capacity and 6 for power.
//
// On success the record gets: condCount (accepted power rows), evapCount, unitsEnglish/unitsSI,
// condTempText (both cells of a row), evapTempText, capacityText, powerText, the New description
// texts, reloadFormsFromRecord = 1 and newRecordDefaultsPending = 0. refrigerantIndex, the
// working choices and the numeric tables are left alone.
//
// On failure it throws TableFileError and leaves the record exactly as it was: a table whose
// line 4, 5 or 7 is missing or does not begin with an integer, whose evaporating count is outside
// 1..8 or whose condensing count is outside 1..kMaxTableCondCount, or which holds a used token
// longer than 19 characters, is refused with a message naming the file and the line; a map cell
// in use that CheckMapCells refuses (a capacity without a power, a zero, negative or non-numeric
// value) is refused naming the file and the cell. A row whose tokens end early leaves its last
// cells empty: blank cells when the capacity and the power row both end there.
//
// The import command itself (reloadFormsFromRecord = 0 before the dialog, SetCurrentFile once the
// file has opened, i.e. unless the reason is CannotOpen, the working directory) is the caller's.
void ImportTable(const std::string& path, CompressorRecord& record);

// The same on a stream holding a table; `fileName` is used in messages only.
void ImportTable(std::istream& in, CompressorRecord& record, const std::string& fileName);

// The longest table the import accepts, in condensing temperatures.
inline constexpr int kMaxTableCondCount = 100;

// The longest token the DOS layout allows.
inline constexpr size_t kMaxTableToken = 19;

} // namespace velutra
