#include "core/WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A field read straight from its bytes gives what the general conversion gives for the same
// units: surrogates paired, unpaired or cut by the field's end, text after a zero unit, and a
// reused output with longer text in it before.
TEST(WideText, FieldLoadMatchesTheGeneralConversion)
{
    const std::vector<std::u16string> fields = {
        u"",
        u"PT1",
        u"Caf\u00e9 \u0394\u4e2d",
        u"A\U0001F600B",
        std::u16string(u"X") + char16_t(0xDC00) + u"Y" + char16_t(0xD800),
        std::u16string(u"AB") + char16_t(0xD83D),
        std::u16string(u"AB\0CD", 5),
        u"0123456789ABCDEFG",
    };
    std::string reused = "a longer text already in the output";
    for (const std::u16string& units : fields) {
        std::vector<uint8_t> bytes;
        for (char16_t u : units) {
            bytes.push_back(uint8_t(u & 0xFF));
            bytes.push_back(uint8_t(u >> 8));
        }
        const std::string expected = Utf16ToUtf8(units);
        EXPECT_EQ(LoadUtf16Field(bytes.data(), units.size()), expected);
        LoadUtf16Field(bytes.data(), units.size(), reused);
        EXPECT_EQ(reused, expected);
    }
}

} // namespace
