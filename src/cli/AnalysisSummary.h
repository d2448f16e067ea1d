#pragma once

#include "record/CompressorRecord.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace velutra::cli {

// Reads one file into a record with the command line's choices applied.
using MapReader = std::function<void(const std::string& path, CompressorRecord& record)>;

// One CSV row per file after a header: what the analysis of the file gives, or the reason it
// failed in the last column; a failed file does not stop the others. Returns 1 when a file
// failed, 3 when only some points of some files could not be computed, otherwise 0.
int PrintSummary(const std::vector<std::string>& paths, const MapReader& read, std::ostream& out);

} // namespace velutra::cli
