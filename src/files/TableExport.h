#pragma once

#include "files/TableFileError.h"
#include "record/CompressorRecord.h"

#include <string>

namespace velutra {

// The compressor table (".tab") of the record's numeric map: condTemp, evapTemp, capacity and
// power, in the units of the record (unitsEnglish 1: Btu/h and F, else kcal/h and C; watts),
// lines ending in "\n". Temperatures are truncated toward zero; counts outside 0..6 and 0..8 are
// clamped into the tables' range (and written so). Of the record's texts only the map texts are
// used, to find the blank cells (IsBlankCell), which are left out of their rows. Throws
// TableFileError (reason CannotWrite) saying which value could not be computed when a value or
// temperature to write is not finite, or which cell follows a blank cell in its row (a table
// cannot hold that).
std::string FormatTable(const CompressorRecord& record);

// Writes FormatTable with CR LF line ends through a temporary file renamed over `path`, so a
// failed write leaves an existing file as it was. Throws TableFileError (reason CannotWrite) naming
// the file; when FormatTable refuses the record nothing is written. The record, currentFileName and the
// status bar are not changed.
void ExportTable(const std::string& path, const CompressorRecord& record);

} // namespace velutra
