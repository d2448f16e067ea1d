#pragma once

#include "app/CompressorRecord.h"

namespace velutra::cli {

// Fills the numeric map that the table export writes (condTemp, evapTemp, capacity, power).
// Until the analysis of the entered map is available here, the numbers are the record's texts
// read with the text-to-number rule; once it is, this is the one place that runs it first.
void PrepareMapForExport(CompressorRecord& record);

} // namespace velutra::cli
