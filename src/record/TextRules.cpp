#include "record/TextRules.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace velutra {

std::string FormatFixed(double value, int precision, int width) {
    // to_chars never consults the locale, unlike printf, which the GUI toolkit's locale set-up would change.
    char buffer[400];
    const auto result
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    std::string text(buffer, result.ptr);
    if (!std::isfinite(value))
        text = std::isnan(value) ? (std::signbit(value) ? "-nan" : "nan") : (value < 0 ? "-inf" : "inf");
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
    return text;
}

std::string FormatNumber(double value, int style) {
    if (style < -4 || style > 4 || style == 0)
        return {};
    const double widened = static_cast<double>(static_cast<float>(value));
    return FormatFixed(widened, style < 0 ? -style : style, style < 0 ? 0 : 10);
}

std::string IntToText(long long value) {
    return std::to_string(value);
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

namespace {

// The extent of the number TextToNumber reads at the start of a text.
struct NumberSpan {
    size_t start = 0; // the sign or first digit
    size_t end = 0; // one past the last character of the number
    bool found = false;
};

NumberSpan ScanNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    NumberSpan span;
    span.start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return span;
    // An exponent counts only when at least one digit follows it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    span.end = i;
    span.found = true;
    return span;
}

double ReadSpan(std::string_view text, const NumberSpan& span) {
    if (!span.found)
        return 0.0;
    // strtod_l with the C locale: "." is the decimal point whatever the user's locale, and
    // overflow and underflow behave as the C library defines them.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string token(text.substr(span.start, span.end - span.start));
    return strtod_l(token.c_str(), nullptr, cLocale);
}

} // namespace

double TextToNumber(std::string_view text) {
    return ReadSpan(text, ScanNumber(text));
}

std::optional<double> WholeTextNumber(std::string_view text) {
    const NumberSpan span = ScanNumber(text);
    if (!span.found)
        return std::nullopt;
    for (size_t i = span.end; i < text.size(); ++i)
        if (!IsBlank(text[i]))
            return std::nullopt;
    return ReadSpan(text, span);
}

bool StartsWithNumber(std::string_view text) {
    return ScanNumber(text).found;
}

std::string ClipForMessage(std::string_view text) {
    std::string clipped;
    size_t characters = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // A UTF-8 continuation byte belongs to the character before it.
        if ((byte & 0xC0) != 0x80 && ++characters > kQuotedLength)
            return clipped + "...";
        clipped += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    return clipped;
}

std::string QuoteForMessage(std::string_view text) {
    // append, not "\"" + text: GCC 12 misreads that here (-Wrestrict)
    std::string quoted(1, '"');
    quoted.append(ClipForMessage(text)).append(1, '"');
    return quoted;
}

long long LeadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr long long kLimit = std::numeric_limits<long long>::max() / 10 - 1;
    long long value = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (value < kLimit)
            value = value * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

int TruncateToInt(double value) {
    if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0)
        return 0;
    return static_cast<int>(value);
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace velutra
