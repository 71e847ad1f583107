#include "framework/ColorTable.h"

#include <gtest/gtest.h>

namespace {

// Every case starts from the default table with the translations built.
class ColorTable : public ::testing::Test
{
protected:
    void SetUp() override { InitColorPalettes(); }
    void TearDown() override { InitColorPalettes(); }
};

} // namespace

TEST_F(ColorTable, IndexesOutsideTheTableGiveOne)
{
    EXPECT_EQ(GetPaletteColor(256), 1u);
    EXPECT_EQ(GetPaletteColor(-1), 1u);
    EXPECT_EQ(GetPaletteColor(-100000), 1u);
}

TEST_F(ColorTable, EntryZeroIsBlackInEveryTable)
{
    EXPECT_EQ(GetPaletteColor(0), PaletteRgb(0, 0, 0));
    SelectVgaColorPalette();
    EXPECT_EQ(GetPaletteColor(0), PaletteRgb(0, 0, 0));
    SelectCadColorPalette();
    EXPECT_EQ(GetPaletteColor(0), PaletteRgb(0, 0, 0));
}

TEST_F(ColorTable, DefaultTableRepeatsEverySixtyFourEntries)
{
    EXPECT_EQ(GetPaletteColor(64), GetPaletteColor(0));
    EXPECT_EQ(GetPaletteColor(1), PaletteRgb(0, 0, 110));
    EXPECT_EQ(GetPaletteColor(4), PaletteRgb(0, 85, 0));
    EXPECT_EQ(GetPaletteColor(16), PaletteRgb(85, 0, 0));
    EXPECT_EQ(GetPaletteColor(63), PaletteRgb(255, 255, 255));
    EXPECT_EQ(GetPaletteColor(127), PaletteRgb(255, 255, 255));
}

TEST_F(ColorTable, VgaAndCadEntries)
{
    SelectVgaColorPalette();
    EXPECT_EQ(GetPaletteColor(4), PaletteRgb(170, 0, 0));
    EXPECT_EQ(GetPaletteColor(6), PaletteRgb(170, 85, 0));
    EXPECT_EQ(GetPaletteColor(14 + 16), PaletteRgb(255, 255, 85));

    SelectCadColorPalette();
    EXPECT_EQ(GetPaletteColor(1), PaletteRgb(255, 0, 0));
    EXPECT_EQ(GetPaletteColor(7), PaletteRgb(255, 255, 255));
    EXPECT_EQ(GetPaletteColor(10), PaletteRgb(255, 0, 0));
    EXPECT_EQ(GetPaletteColor(11), PaletteRgb(255, 128, 128));
    EXPECT_EQ(GetPaletteColor(13), PaletteRgb(166, 83, 83));
    // Hue 4 (60 degrees) is yellow.
    EXPECT_EQ(GetPaletteColor(50), PaletteRgb(255, 255, 0));
    EXPECT_EQ(GetPaletteColor(250), PaletteRgb(84, 84, 84));
    EXPECT_EQ(GetPaletteColor(255), PaletteRgb(255, 255, 255));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(GetPaletteColor(i) & 0xFF000000u, PaletteRelativeFlag) << i;
}

TEST_F(ColorTable, CadIndexTranslation)
{
    EXPECT_EQ(ColorIndexToCadIndex(0), 256);
    EXPECT_EQ(ColorIndexToCadIndex(300), 256);
    // Default white (63) is nearest to CAD white (7), the lowest index among the whites.
    EXPECT_EQ(ColorIndexToCadIndex(63), 7);
    EXPECT_EQ(ColorIndexFromCadIndex(0), 0);
    EXPECT_EQ(ColorIndexFromCadIndex(256), 0);
    EXPECT_EQ(ColorIndexFromCadIndex(7), 63);
    EXPECT_EQ(ColorIndexFromCadIndex(1), 48);

    // The other tables translate one to one.
    SelectCadColorPalette();
    EXPECT_EQ(ColorIndexToCadIndex(63), 63);
    EXPECT_EQ(ColorIndexFromCadIndex(63), 63);
}

TEST_F(ColorTable, ContrastingText)
{
    EXPECT_EQ(GetContrastingTextColor(MakeRgb(255, 255, 255)), 0u);
    EXPECT_EQ(GetColorLuminance(MakeRgb(0, 0, 255)), PaletteRgb(28, 28, 28));
    EXPECT_EQ(GetContrastingTextColor(MakeRgb(0, 0, 255)), 0xFFFFFFu);
    EXPECT_EQ(GetColorLuminance(MakeRgb(0, 170, 0)), PaletteRgb(100, 100, 100));
    EXPECT_EQ(GetContrastingTextColor(MakeRgb(0, 170, 0)), 0xFFFFFFu);
}
