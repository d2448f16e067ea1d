#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velutra {

// A file that could not be written; the message names the file and the reason.
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes `bytes` to a new temporary file in the folder of `path` and renames it over `path`, so
// that a failed write leaves an existing file as it was. An existing file's permissions are kept.
// Throws FileWriteError.
void ReplaceFileContents(const std::string& path, std::string_view bytes);

} // namespace velutra
