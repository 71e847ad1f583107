#include "core/Utf8.h"

#include <gtest/gtest.h>

TEST(Utf8, CountAndCutByCharacters)
{
    const std::string text = "N45°30'"; // the degree sign is two bytes
    EXPECT_EQ(Utf8CharCount(text), 7u);
    EXPECT_EQ(Utf8PrefixBytes(text, 3), 3u);
    EXPECT_EQ(Utf8PrefixBytes(text, 4), 5u); // never between the degree sign's bytes
    EXPECT_EQ(Utf8PrefixBytes(text, 99), text.size());
    EXPECT_EQ(Utf8PrefixBytes("", 1), 0u);
    EXPECT_EQ(Utf8LastCharStart("ab°"), 2u);
    EXPECT_EQ(Utf8LastCharStart("a"), 0u);
    EXPECT_EQ(Utf8LastCharStart(""), 0u);
}

TEST(Utf8, DecodeRefusesMalformedSequencesOneByteAtATime)
{
    struct Case { const char* name; std::string text; char32_t first; std::size_t advance; };
    const Case cases[] = {
        {"ascii", "A", U'A', 1},
        {"two bytes", "°", 0xB0, 2},
        {"four bytes", "\xF0\x9F\x98\x80", 0x1F600, 4},
        {"overlong", "\xC0\xAF", 0xFFFD, 1},
        {"surrogate", "\xED\xA0\x80", 0xFFFD, 1},
        {"truncated", "\xE2\x82", 0xFFFD, 1},
        {"stray continuation", "\x80", 0xFFFD, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t i = 0;
        EXPECT_EQ(DecodeUtf8(c.text, i), c.first);
        EXPECT_EQ(i, c.advance);
    }
    std::string out;
    for (char32_t cp : {U'A', char32_t(0xB0), char32_t(0x20AC), char32_t(0x1F600)})
        AppendUtf8(out, cp);
    EXPECT_EQ(out, "A°€\xF0\x9F\x98\x80");
}
