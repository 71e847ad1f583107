#include "core/ByteBuffer.h"
#include "core/MultibyteSearch.h"

#include <gtest/gtest.h>

TEST(ByteBuffer, EmptyBufferHasNoDataAndReportsNotOk)
{
    bool ok = true;
    ByteBuffer b(0, false, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(b.GetData(), nullptr);
}

TEST(ByteBuffer, ResizeKeepsLeadingBytesAndZeroFillsGrowth)
{
    bool ok = false;
    ByteBuffer b(4, true, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(b.GetData()[3], 0);
    b.GetData()[0] = 'a';
    b.GetData()[1] = 'b';
    b.GetData()[2] = 'c';
    ASSERT_NE(b.Resize(2), nullptr);
    EXPECT_EQ(b.GetData()[1], 'b');
    uint8_t* p = b.Resize(6);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(p), 6), std::string("ab\0\0\0\0", 6));
    EXPECT_EQ(b.Resize(0), nullptr);
    EXPECT_EQ(b.GetData(), nullptr);
}

TEST(MultibyteSearch, StepsOverWholeCharacters)
{
    EXPECT_TRUE(IsDbcsSystem());
    // "İ" is C4 B0: its second byte equals the last byte of the degree sign's encoding.
    const char* text = "Aİx°y";
    EXPECT_EQ(FindCharDbcs(text, 0xB0), text + 4);
    EXPECT_EQ(FindCharDbcs(text, 0x130), text + 1);
    EXPECT_EQ(FindCharDbcs(text, 'z'), nullptr);
    const char* path = "a/b/c";
    EXPECT_EQ(FindLastCharDbcs(path, '/'), path + 3);
    EXPECT_EQ(FindLastCharDbcs("İİ", 0xB0), nullptr);
    const char* set = "°,";
    EXPECT_EQ(FindAnyCharDbcs(text, set), text + 4);
    EXPECT_EQ(FindAnyCharDbcs("İ", "\xB0"), nullptr);
    // A byte that is not UTF-8 (Windows-1252 degree sign) is a character of its own value.
    const char* latin = "12\xB0" "5";
    EXPECT_EQ(FindCharDbcs(latin, 0xB0), latin + 2);
}
