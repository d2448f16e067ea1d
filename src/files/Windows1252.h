#pragma once

#include <string>
#include <string_view>

namespace velutra {

// Texts live in memory as UTF-8 and on disk as Windows-1252 bytes.

// UTF-8 to Windows-1252. A character that Windows-1252 cannot hold becomes "?", and so does
// every byte of a malformed UTF-8 sequence, so any input gives a result.
std::string Utf8ToWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes that Windows-1252 leaves undefined map to the C1
// control characters of the same value, so that every byte sequence survives a round trip.
std::string Windows1252ToUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or values above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// UTF-16LE (an even number of bytes) to UTF-8; an unpaired surrogate becomes "?".
std::string Utf16LeToUtf8(std::string_view bytes);

} // namespace velutra
