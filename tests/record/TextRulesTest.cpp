#include "record/TextRules.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace velutra {
namespace {

TEST(FormatNumber, StyleCodesGiveWidthAndDecimalsOfTheSinglePrecisionValue) {
    EXPECT_EQ(FormatNumber(5234.56, 1), "    5234.6");
    EXPECT_EQ(FormatNumber(1.5, 4), "    1.5000");
    EXPECT_EQ(FormatNumber(-2.25, -1), "-2.2") << "2.25 is exact in binary and rounds to even";
    EXPECT_EQ(FormatNumber(12.0, -3), "12.000");
    EXPECT_EQ(FormatNumber(12.0, 0), "");
    EXPECT_EQ(FormatNumber(12.0, 5), "");
    EXPECT_EQ(FormatNumber(12.0, -5), "");
    // The value passes through single precision: 2^24 + 1 has no float form and rounds to 2^24.
    EXPECT_EQ(FormatNumber(16777217.0, -1), "16777216.0");
}

TEST(FormatNumber, IgnoresTheUserLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale on this machine";
    const std::string text = FormatNumber(1.5, -1);
    const double value = TextToNumber("2.5");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, "1.5");
    EXPECT_EQ(value, 2.5);
}

TEST(TextToNumber, ReadsTheLeadingNumberOnly) {
    EXPECT_EQ(TextToNumber("  -10.5abc"), -10.5);
    EXPECT_EQ(TextToNumber("+3"), 3.0);
    EXPECT_EQ(TextToNumber("1e3"), 1000.0);
    EXPECT_EQ(TextToNumber("2e"), 2.0) << "an exponent without digits is not part of the number";
    EXPECT_EQ(TextToNumber("2e+"), 2.0);
    EXPECT_EQ(TextToNumber(".5"), 0.5);
    EXPECT_EQ(TextToNumber("5."), 5.0);
    EXPECT_EQ(TextToNumber("1,5"), 1.0) << "the decimal point is always '.'";
    // Empty or non-numeric texts are zero; out of range follows the C library.
    EXPECT_EQ(TextToNumber(""), 0.0);
    EXPECT_EQ(TextToNumber("   "), 0.0);
    EXPECT_EQ(TextToNumber("Capacity"), 0.0);
    EXPECT_EQ(TextToNumber("-"), 0.0);
    EXPECT_EQ(TextToNumber("."), 0.0);
    EXPECT_EQ(TextToNumber("0x1F"), 0.0) << "hexadecimal is not a map value";
    EXPECT_TRUE(std::isinf(TextToNumber("1e999")));
    EXPECT_EQ(TextToNumber("1e-999"), 0.0);
    EXPECT_EQ(TextToNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(LeadingInteger, SignedDigitsOrZero) {
    EXPECT_EQ(LeadingInteger("  33.9"), 33);
    EXPECT_EQ(LeadingInteger("-40"), -40);
    EXPECT_EQ(LeadingInteger("abc"), 0);
    EXPECT_EQ(LeadingInteger(""), 0);
    EXPECT_GT(LeadingInteger(std::string(60, '9')), 0) << "a long digit run must not overflow";
}

TEST(TruncateToInt, TowardZeroAndSafeOnNonFinite) {
    EXPECT_EQ(TruncateToInt(-10.7), -10);
    EXPECT_EQ(TruncateToInt(54.44), 54);
    EXPECT_EQ(TruncateToInt(NAN), 0);
    EXPECT_EQ(TruncateToInt(1e300), 0);
    EXPECT_EQ(IntToText(-5), "-5");
}

TEST(WholeTextNumber, TheWholeTextOrNothing) {
    EXPECT_EQ(WholeTextNumber(" 340.5 "), 340.5);
    EXPECT_EQ(WholeTextNumber("-2e3"), -2000.0);
    EXPECT_EQ(WholeTextNumber("+.5"), 0.5);
    for (const char* refused :
        { "340abc", "3.4.5", "1,5", "", "  ", "nan", "inf", "-Infinity", "0x1F", "2e", "." })
        EXPECT_FALSE(WholeTextNumber(refused).has_value()) << refused;
    // Out of range reads as the C library reads it; the caller decides what to refuse.
    EXPECT_TRUE(std::isinf(*WholeTextNumber("1e400")));
    EXPECT_EQ(*WholeTextNumber("1e-400"), 0.0);

    EXPECT_TRUE(StartsWithNumber(" 12abc"));
    EXPECT_FALSE(StartsWithNumber("abc"));
    EXPECT_FALSE(StartsWithNumber("-"));
}

TEST(QuoteForMessage, CutsLongTextsAtWholeCharacters) {
    EXPECT_EQ(QuoteForMessage("340abc"), "\"340abc\"");
    EXPECT_EQ(QuoteForMessage(std::string(80, 'x')), "\"" + std::string(80, 'x') + "\"");
    const std::string megabyte(1 << 20, '7');
    EXPECT_EQ(QuoteForMessage(megabyte), "\"" + std::string(80, '7') + "...\"");
    // 79 letters and then two-byte characters: the 80th is kept whole, the 81st is not begun.
    const std::string umlauts = std::string(79, 'a') + "\xC3\xA4\xC3\xB6";
    EXPECT_EQ(QuoteForMessage(umlauts), "\"" + std::string(79, 'a') + "\xC3\xA4...\"");
    EXPECT_EQ(ClipForMessage("a\nb\x01"), "a?b?") << "a line end must not break the message";
}

} // namespace
} // namespace velutra
