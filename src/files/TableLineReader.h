#pragma once

#include <istream>
#include <string>

namespace velutra {

// Reads a compressor table the way its DOS readers did: line by line in pieces of at most 199
// characters, the line end counting as one character (CR LF and LF alike). A longer line is read
// as several lines, and every piece counts as a line of its own. Lines are numbered from 1.
class TableLineReader {
public:
    explicit TableLineReader(std::istream& in)
        : in_(in) { }

    // The next piece, its line end included; false at the end of the stream.
    bool Next(std::string& line);

    int LineNumber() const { return lineNumber_; }

    // True when reading stopped at the end of the stream, not at a read error.
    bool ReachedEnd() const { return in_.eof() && !in_.bad(); }

    static constexpr size_t kPieceLength = 199;

private:
    std::istream& in_;
    int lineNumber_ = 0;
};

} // namespace velutra
