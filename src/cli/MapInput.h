#pragma once

#include "record/CompressorRecord.h"

#include <string>

namespace velutra::cli {

// Reads a map into a New record by the file's extension: a published map (.csv), a compressor
// table (.tab, which names no refrigerant) or otherwise a compressor file. Throws on failure.
void ReadMapFile(const std::string& path, CompressorRecord& record);

// Index of a refrigerant name, or UsageError naming the known ones.
int RefrigerantIndexOf(const std::string& name);

// "original", "linear", "quadratic" as smoothing methods 0, 1, 2, or UsageError.
int SmoothingMethodOf(const std::string& name);

} // namespace velutra::cli
