#pragma once

#include "record/CompressorRecord.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace velutra {

// A compressor file that cannot be read or written; the message names the file and the reason.
class CompressorFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The persistent fields as the bytes of a compressor file (Windows-1252 texts, little-endian ints).
std::string EncodeCompressorFile(const CompressorRecord& record);

// Reads the bytes of a compressor file. On success the persistent fields of `record` are replaced
// and recordLoaded = 1, newRecordDefaultsPending = 0. An empty map text is a blank cell; a map
// cell in use that CheckMapCells refuses is refused. On failure throws CompressorFileError
// (message mentions `fileName`) and `record` is left exactly as it was.
void DecodeCompressorFile(std::string_view bytes, CompressorRecord& record, const std::string& fileName);

// Refuses, with CompressorFileError naming `path` and the cell, a map text in use that holds a
// value that could not be computed: "nan", "inf" (any case or sign) or a number beyond a double.
void CheckWritableMapTexts(const CompressorRecord& record, const std::string& path);

// File-level forms of the two above. Writing goes to a temporary file in the same folder that is
// renamed over the target, so a failed write never destroys an existing file; a record that
// CheckWritableMapTexts refuses writes nothing.
void ReadCompressorFile(const std::string& path, CompressorRecord& record);
void WriteCompressorFile(const std::string& path, const CompressorRecord& record);

// The path Save As writes to: a file name with two or more "." is cut just before its second one
// ("x.cmp.cmp" becomes "x.cmp"); dots in folder names are left alone.
std::string SaveAsPath(const std::string& chosenPath);

} // namespace velutra
