#include "core/SettingsHelpers.h"
#include "platform/Profile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

// A private profile for one test.
struct ScopedProfile
{
    morvel::test::TempDir dir;
    CProfile profile{dir.path() / "Morvel.ini"};
    ScopedProfile() { SetAppProfile(&profile); }
    ~ScopedProfile() { SetAppProfile(nullptr); }
};

} // namespace

TEST(SplitTextFields, UsesTheTokenizerAndReplacesTheArray)
{
    std::vector<std::string> fields = {"stale"};
    EXPECT_EQ(SplitTextFields(fields, "P1,100.5, 200.25,,Fence", ","), 5);
    EXPECT_EQ(fields, (std::vector<std::string>{"P1", "100.5", " 200.25", "", "Fence"}));
    EXPECT_EQ(SplitTextFields(fields, "a b\tc", " \t"), 3);
    EXPECT_EQ(SplitTextFields(fields, "", ","), 0);
    EXPECT_TRUE(fields.empty());
}

TEST(FontSettings, DefaultsThenRoundTrip)
{
    ScopedProfile s;
    LogFont font;
    font.underline = true;
    EXPECT_TRUE(ReadFontSettings("Report Font", font, 96));
    EXPECT_EQ(font.pitchAndFamily, 34);
    EXPECT_EQ(font.height, -16);
    EXPECT_EQ(font.weight, 400);
    EXPECT_FALSE(font.italic);
    EXPECT_FALSE(font.underline);
    EXPECT_EQ(font.faceName, "MS Sans Serif");

    font.height = -21;
    font.weight = 700;
    font.italic = true;
    font.pitchAndFamily = 18;
    font.faceName = "DejaVu Sans";
    EXPECT_TRUE(WriteFontSettings("Report Font", font));
    LogFont back;
    ReadFontSettings("Report Font", back);
    EXPECT_EQ(back.height, -21);
    EXPECT_EQ(back.weight, 700);
    EXPECT_TRUE(back.italic);
    EXPECT_EQ(back.pitchAndFamily, 18);
    EXPECT_EQ(back.faceName, "DejaVu Sans");

    // The face name holds 31 characters, counted as characters.
    font.faceName = std::string(30, 'x') + "°°";
    WriteFontSettings("Report Font", font);
    ReadFontSettings("Report Font", back);
    EXPECT_EQ(back.faceName, std::string(30, 'x') + "°");
}

TEST(MenuPointNames, OnlyItemsWithExactlyOnePlaceholder)
{
    std::vector<std::string> items = {"Edit %s...", "Inverse %s to %s", "Delete", "Zoom to %s"};
    FillMenuPointNames(items, nullptr);
    EXPECT_EQ(items[0], "Edit %s...");
    std::string name = "P100";
    FillMenuPointNames(items, &name);
    EXPECT_EQ(items, (std::vector<std::string>{"Edit P100...", "Inverse %s to %s", "Delete", "Zoom to P100"}));
}
