#pragma once

#include <stdexcept>
#include <string>

namespace velutra {

// A compressor table (".tab") that could not be read or written. The message names the file and,
// for a malformed table, the line.
class TableFileError : public std::runtime_error {
public:
    enum class Reason {
        CannotOpen, // the file could not be opened; nothing was read
        CannotRead, // the file opened but reading it failed
        Malformed, // the file was read but its contents were refused
        CannotWrite,
    };

    TableFileError(Reason reason, const std::string& message)
        : std::runtime_error(message)
        , reason_(reason) { }

    Reason reason() const { return reason_; }

private:
    Reason reason_;
};

} // namespace velutra
