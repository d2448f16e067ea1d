#include "files/Windows1252.h"

#include <gtest/gtest.h>

namespace velutra {
namespace {

TEST(Windows1252, GermanAndEuroTextsTakeOneByteEach) {
    EXPECT_EQ(Utf8ToWindows1252("K\xC3\xA4ltemittel"), "K\xE4ltemittel");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC"), "\x80");
    EXPECT_EQ(Utf8ToWindows1252("\xC5\x93\xE2\x84\xA2"), "\x9C\x99"); // oe ligature, trade mark
    EXPECT_EQ(Windows1252ToUtf8("K\xE4ltemittel \x80"), "K\xC3\xA4ltemittel \xE2\x82\xAC");
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToWindows1252("\xCE\xB1=1"), "?=1"); // Greek alpha
    EXPECT_EQ(Utf8ToWindows1252("\xF0\x9F\x98\x80!"), "?!"); // a four-byte character
    EXPECT_EQ(Utf8ToWindows1252("\xC2\x80"), "?") << "U+0080 is not the euro sign";
}

TEST(Windows1252, MalformedUtf8IsReplacedByteByByte) {
    EXPECT_EQ(Utf8ToWindows1252("a\xC3"), "a?"); // truncated at the end
    EXPECT_EQ(Utf8ToWindows1252("\xC3(b"), "?(b"); // continuation byte missing
    EXPECT_EQ(Utf8ToWindows1252("\xC0\xAF"), "??"); // overlong "/"
    EXPECT_EQ(Utf8ToWindows1252("\xED\xA0\x80x"), "???x"); // encoded surrogate
    EXPECT_EQ(Utf8ToWindows1252("\xFF\xBF"), "??");
}

TEST(Windows1252, EveryByteSurvivesARoundTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToWindows1252(Windows1252ToUtf8(all)), all);
}

TEST(Windows1252, Utf16PairsAndLoneSurrogates) {
    using namespace std::string_literals;
    EXPECT_EQ(Utf16LeToUtf8("K\0\xE4\0\xAC\x20"s), "K\xC3\xA4\xE2\x82\xAC");
    EXPECT_EQ(Utf16LeToUtf8("\x3D\xD8\x00\xDE"s), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16LeToUtf8("\x3D\xD8x\0"s), "?x");
    EXPECT_EQ(Utf16LeToUtf8("\x00\xDE"s), "?");
}

} // namespace
} // namespace velutra
