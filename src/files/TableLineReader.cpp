#include "files/TableLineReader.h"

namespace velutra {

bool TableLineReader::Next(std::string& line) {
    line.clear();
    std::istream::int_type c = 0;
    while (line.size() < kPieceLength && (c = in_.get()) != std::istream::traits_type::eof()) {
        if (c == '\r' && in_.peek() == '\n')
            c = in_.get();
        line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (line.empty())
        return false;
    ++lineNumber_;
    return true;
}

} // namespace velutra
