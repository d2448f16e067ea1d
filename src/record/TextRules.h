#pragma once

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

// The leading optionally signed decimal digits of a text after leading blanks, 0 if none.
// Saturates instead of overflowing on absurdly long digit runs.
long long LeadingInteger(std::string_view text);

// Temperatures shown as integers are truncated toward zero; non-finite or out-of-range
// values give 0 rather than undefined behaviour.
int TruncateToInt(double value);

} // namespace velutra
