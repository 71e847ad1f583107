#include "core/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextEncoding, Utf8StaysAndEverythingElseIsWindows1252)
{
    struct Case
    {
        const char* name;
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"plain", "P1 fence", "P1 fence"},
        {"utf-8 degree", "90\xC2\xB0", "90\xC2\xB0"},
        {"1252 degree", "90\xB0", "90\xC2\xB0"},
        {"1252 euro and quote", "\x80\x93", "\xE2\x82\xAC\xE2\x80\x9C"},
        {"cut sequence", "a\xE2\x82", "a\xC3\xA2\xE2\x80\x9A"},
        {"overlong", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeExternalText(c.in), c.out);
        EXPECT_TRUE(IsValidUtf8(DecodeExternalText(c.in)));
    }
}

// The check takes ASCII eight bytes at a time: a sequence must be judged the same wherever it
// falls against those steps, cut at the end of the text included.
TEST(TextEncoding, Utf8CheckIsTheSameAtEveryOffset)
{
    const std::pair<std::string, bool> samples[] = {
        {"\xC2\xB0", true},  {"\xE2\x82\xAC", true}, {"\xF0\x9F\x98\x80", true}, {"\xB0", false},
        {"\xE2\x82", false}, {"\xC0\xAF", false},    {"\xED\xA0\x80", false},    {"\xF4\x90\x80\x80", false},
    };
    for (const auto& [sequence, valid] : samples)
        for (size_t before = 0; before < 10; ++before)
            for (size_t after : {size_t(0), size_t(1), size_t(9)}) {
                const std::string text = std::string(before, 'a') + sequence + std::string(after, 'b');
                EXPECT_EQ(IsValidUtf8(text), valid) << before << " " << after;
            }
}
