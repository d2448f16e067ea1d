#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velutra {

// printf-style "%W.Pf" without the locale: "." is always the decimal point.
std::string FormatFixed(double value, int precision, int width = 0);

// Formats a value for a text field: style 1..4 is "%10.Nf", -1..-4 is "%.Nf" (N = |style|);
// any other style gives an empty text. The value passes through single precision first,
// as the stored map texts always have.
std::string FormatNumber(double value, int style);

// Decimal text of an integer.
std::string IntToText(long long value);

// Reads the number that begins a text: leading blanks, optional sign, digits with an optional
// "." and exponent; reading stops at the first character that does not fit. Empty or
// non-numeric text reads as 0. The decimal point is always ".", whatever the locale.
double TextToNumber(std::string_view text);

// The number a whole text holds, blanks around it allowed, read as TextToNumber reads it;
// nothing when any other character is left over ("340abc", "3.4.5") or there is no number
// ("", "nan", "inf"). A number beyond the range of a double reads as infinite.
std::optional<double> WholeTextNumber(std::string_view text);

// Whether a text begins (after blanks) with a number TextToNumber reads, rather than reading as
// 0 for want of one.
bool StartsWithNumber(std::string_view text);

// A piece of a file quoted for a message: in double quotes, at most kQuotedLength characters
// (UTF-8 sequences are kept whole) followed by "..." when cut, control characters shown as "?".
// A line of a megabyte is not copied into a message whole.
inline constexpr size_t kQuotedLength = 80;
std::string QuoteForMessage(std::string_view text);
// The same without the quotes, for a value named in running text.
std::string ClipForMessage(std::string_view text);

// The leading optionally signed decimal digits of a text after leading blanks, 0 if none.
// Saturates instead of overflowing on absurdly long digit runs.
long long LeadingInteger(std::string_view text);

// Temperatures shown as integers are truncated toward zero; non-finite or out-of-range
// values give 0 rather than undefined behaviour.
int TruncateToInt(double value);

// A text as one CSV field: as it is, or quoted (quotes doubled) when it holds a comma, a quote
// or a line break.
std::string CsvField(const std::string& text);

} // namespace velutra
