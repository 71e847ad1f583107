#include "core/SettingsHelpers.h"
#include "model/MorvelSettings.h"
#include "platform/Profile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

namespace {

// A private profile and settings object for one test.
struct ScopedSettings
{
    morvel::test::TempDir dir;
    CProfile profile{dir.path() / "Morvel.ini"};
    CMorvelSettings settings{&profile};
    ScopedSettings()
    {
        SetAppProfile(&profile);
        SetMorvelSettings(&settings);
    }
    ~ScopedSettings()
    {
        SetMorvelSettings(nullptr);
        SetAppProfile(nullptr);
    }
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

TEST(AxisCaptions, ComeFromTheFormatSettings)
{
    ScopedSettings s;
    s.profile.WriteProfileString("format", "PlanX", "East");
    s.profile.WriteProfileString("format", "PlanY", "");
    s.settings.LoadFormatSettings();
    EXPECT_EQ(GetPlanXCaption(), "East");
    EXPECT_EQ(GetPlanYCaption(), "Northing");
    EXPECT_EQ(GetPlanZCaption(), "Elevation");
}

TEST(ColorIndices, MatchModuloThePalette)
{
    ScopedSettings s;
    s.settings.LoadColorSettings(); // colour mode 2: a 64-entry palette
    EXPECT_TRUE(ColorIndicesMatch(3, 67));
    EXPECT_TRUE(ColorIndicesMatch(-1, 63));
    EXPECT_FALSE(ColorIndicesMatch(3, 19));
    EXPECT_TRUE(ColorIndicesMatch(INT32_MIN, INT32_MIN));
    EXPECT_FALSE(ColorIndicesMatch(INT32_MIN, INT32_MAX));
}

TEST(FontSettings, DefaultsThenRoundTrip)
{
    ScopedSettings s;
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
