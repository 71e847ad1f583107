#include "framework/DibFile.h"

#include "core/LittleEndian.h"

#include <gtest/gtest.h>

namespace {

// A bottom-up BMP of the size and depth; a colour table of `colours` entries (entry i is grey i),
// pixel bytes all `fill`.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint16_t bits, uint32_t colours, uint32_t colorsUsed,
                             uint8_t fill = 1)
{
    const uint32_t stride = ((uint32_t(width) * bits + 31) / 32) * 4;
    const uint32_t offset = 14 + 40 + 4 * colours;
    std::vector<uint8_t> b(offset + stride * uint32_t(height < 0 ? -height : height), fill);
    b[0] = 'B';
    b[1] = 'M';
    PutU32LE(&b[2], uint32_t(b.size()));
    PutU32LE(&b[6], 0);
    PutU32LE(&b[10], offset);
    PutU32LE(&b[14], 40);
    PutU32LE(&b[18], uint32_t(width));
    PutU32LE(&b[22], uint32_t(height));
    PutU16LE(&b[26], 1);
    PutU16LE(&b[28], bits);
    for (int i = 30; i < 54; ++i)
        b[size_t(i)] = 0;
    PutU32LE(&b[46], colorsUsed);
    for (uint32_t i = 0; i < colours; ++i)
        for (int k = 0; k < 4; ++k)
            b[54 + 4 * i + uint32_t(k)] = k < 3 ? uint8_t(i) : 0;
    return b;
}

} // namespace

TEST(DibFileTest, ColourCountsAndPixels)
{
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
        uint32_t colours;
        uint8_t firstRed;
    };
    const Case cases[] = {
        {"24 bits: no table", MakeBmp(3, 2, 24, 0, 0, 200), 0, 200},
        {"8 bits: 256", MakeBmp(3, 2, 8, 256, 0, 7), 256, 7},
        {"8 bits with colours used", MakeBmp(3, 2, 8, 16, 16, 9), 16, 9},
        {"4 bits: 16", MakeBmp(3, 2, 4, 16, 0, 0x5A), 16, 5},
        {"1 bit: 2", MakeBmp(9, 1, 1, 2, 0, 0x80), 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DibFile dib;
        std::string reason;
        ASSERT_TRUE(ReadDibFile(c.bytes, dib, &reason)) << reason;
        EXPECT_EQ(dib.GetColourCount(), c.colours);
        EXPECT_EQ(dib.rgb.size(), size_t(dib.GetWidth()) * size_t(dib.GetHeight()) * 3);
        EXPECT_EQ(dib.rgb[0], c.firstRed);
    }
}

TEST(DibFileTest, RefusesWhatTheFileCannotHold)
{
    auto truncated = MakeBmp(4, 4, 24, 0, 0);
    truncated.resize(truncated.size() - 1);
    auto hugeTable = MakeBmp(2, 2, 8, 256, 0);
    PutU32LE(&hugeTable[46], 0x40000000);
    auto shortTable = MakeBmp(2, 2, 8, 4, 4);
    PutU32LE(&shortTable[46], 200);
    auto farPixels = MakeBmp(2, 2, 24, 0, 0);
    PutU32LE(&farPixels[10], 0xFFFFFF00);
    auto compressed = MakeBmp(2, 2, 8, 256, 0);
    PutU32LE(&compressed[30], 1);
    auto wide = MakeBmp(2, 2, 24, 0, 0);
    PutU32LE(&wide[18], 0x7FFFFFFF);
    const std::pair<const char*, std::vector<uint8_t>> cases[] = {
        {"pixels cut short", truncated},     {"colour count past the file", hugeTable},
        {"table past the file", shortTable}, {"pixel offset past the file", farPixels},
        {"run-length coded", compressed},    {"width past any screen", wide},
        {"not a bitmap", {'P', 'K', 3, 4}},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        DibFile dib;
        std::string reason;
        EXPECT_FALSE(ReadDibFile(bytes, dib, &reason));
        EXPECT_FALSE(reason.empty());
        EXPECT_EQ(dib.GetWidth(), 0);
        EXPECT_EQ(dib.GetHeight(), 0);
        EXPECT_TRUE(dib.rgb.empty());
    }
    DibFile missing;
    EXPECT_FALSE(LoadDibFile("/nonexistent/102.bmp", missing));
    EXPECT_EQ(missing.GetWidth(), 0);
    EXPECT_EQ(missing.GetColourCount(), 0u);
}
