#include "views/MapPrintLayout.h"
#include "views/PreviewMapCore.h"

#include "MapFakes.h"
#include "core/MathConversions.h"
#include "model/TestJobDoc.h"

#include <gtest/gtest.h>

using namespace morvel::test;
using namespace map_print;

TEST(PrintLayout, MarginsBecomePixelsRoundedAsMulDiv)
{
    struct Case { const char* name; int32_t w, h, ppi; std::array<int32_t, 4> margins; DeviceRect expected; };
    const Case cases[] = {
        {"600 dpi defaults", 5100, 6600, 600, {1400, 1440, 1440, 1440}, {583, 600, 4500, 6000}},
        {"no margins", 850, 1100, 100, {0, 0, 0, 0}, {0, 0, 850, 1100}},
        {"half pixel rounds up", 100, 100, 1, {720, 720, 720, 720}, {1, 1, 99, 99}},
        {"wider than the page", 100, 80, 96, {14400, 14400, 14400, 14400}, {99, 79, 100, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PrintableRect(c.w, c.h, c.ppi, c.ppi, c.margins), c.expected);
    }
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(PrintLayout, TheWorldWindowGrowsOutwardsToWholeUnits)
{
    EXPECT_EQ(PrintWorldWindow(1000.7, 1100.2, 500.1, 600.9), (WorldWindow{1000, 1101, 500, 601}));
    // What truncation would have made 0..0 or moved inwards.
    EXPECT_EQ(PrintWorldWindow(0.2, 0.8, -5.5, -0.5), (WorldWindow{0, 1, -6, 0}));
    const CWorldDeviceMap m = PrintMapping(DeviceRect{583, 600, 4500, 6000}, WorldWindow{1000, 1101, 500, 601});
    ASSERT_TRUE(m.IsValid());
    // North up: the larger northing is nearer the top of the page.
    EXPECT_LT(m.WorldToDevice(1050, 600).y, m.WorldToDevice(1050, 501).y);
}

TEST(PrintLayout, ScaleAndPensFollowThePrinterResolution)
{
    EXPECT_EQ(PrintScale(600, 96), 6);
    EXPECT_EQ(PrintScale(72, 96), 1); // coarser than the screen: never 0
    EXPECT_EQ(PrintPenWidth(600), 6);
    EXPECT_EQ(PrintPenWidth(72), 1);
    const DeviceRect bar = ScaleBarRect(DeviceRect{0, 0, 4800, 6000}, 300, 6);
    EXPECT_EQ(bar, (DeviceRect{24, 6000 - 24 - 48, 324, 6000 - 24}));
    EXPECT_EQ(bar.Height(), 48);
    EXPECT_EQ(NorthArrow(DeviceRect{0, 0, 10, 10}, 6)[2], (DevicePoint{48, 180}));
}

TEST(PrintLayout, TheScaleBarIsAQuarterRoundedDown)
{
    struct Case { double quarter; double value; int decimals; int unit; const char* label; };
    const Case cases[] = {
        {500, 500, 0, 0, "500 m"},      {1999.9, 1000, 0, 0, "1000 m"}, {250, 200, 0, 0, "200 m"},
        {15, 10, 0, 0, "10 m"},         {9.99, 9, 0, 1, "9 feet"},      {1, 1, 0, 2, "1 usft"},
        {0.8, 0.8, 2, 0, "0.80 m"},     {0.975, 0.975, 2, 0, "0.97 m"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const ScaleBarLength l = RoundScaleBarLength(c.quarter);
        EXPECT_DOUBLE_EQ(l.value, c.value);
        EXPECT_EQ(l.decimals, c.decimals);
        EXPECT_EQ(ScaleBarLabel(l, c.unit), c.label);
    }
}

namespace {
struct DecorationFixture : ::testing::Test
{
    ScopedSettings scoped;
    TestJobDoc doc;
    FakeHost host;
    CPreviewMapCore map{&host};
    RecordingSurface surface;

    DecorationFixture()
    {
        doc.settings.SetDistanceUnit(JobUnitMetres);
        map.SetDocument(&doc);
        map.SetViewKind(0);
        map.OnLayout(DeviceRect{0, 0, 800, 600});
    }
};
} // namespace

TEST_F(DecorationFixture, AnEmptyJobShowsTheArrowButNoBar)
{
    map.SetWorldWindow(0, 2000, 1500, 0);
    map.DrawDecorations(surface);
    EXPECT_EQ(surface.Count("line"), 5u);
    ASSERT_EQ(surface.Count("rect"), 1u); // the backdrop behind the arrow
    EXPECT_EQ(surface.Of("rect")[0].b, (DevicePoint{12, 32}));
    EXPECT_EQ(surface.Count("text"), 0u);
}

TEST_F(DecorationFixture, TheBarFollowsTheVisibleWidthAndTheJobUnit)
{
    doc.AddPoint("1", 10, 10);
    struct Case { double width; int unit; const char* label; int32_t pixels; };
    const Case cases[] = {
        {2000, JobUnitMetres, "500 m", 200},
        {60, JobUnitMetres, "10 m", 133},
        {3.2, JobUnitMetres, "0.80 m", 200},
        {2000 / 3.280839895013123, JobUnitInternationalFeet, "500 feet", 200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        doc.settings.SetDistanceUnit(c.unit);
        map.SetWorldWindow(0, c.width, c.width * 0.75, 0);
        surface.calls.clear();
        map.DrawDecorations(surface);
        const auto rects = surface.Of("rect");
        ASSERT_EQ(rects.size(), 2u);
        EXPECT_EQ(rects[1].colour, 0x004080FFu);
        EXPECT_NEAR(rects[1].b.x - rects[1].a.x, c.pixels, 1);
        EXPECT_EQ(rects[1].a.y, 600 - 4 - 8);
        ASSERT_EQ(surface.Count("text"), 1u);
        EXPECT_EQ(surface.Of("text")[0].text, c.label);
    }
}

TEST_F(DecorationFixture, PrintingScalesDrawsEveryPointAndPutsTheScreenBack)
{
    for (int i = 0; i < 300; ++i)
        doc.AddPoint(std::to_string(i + 1).c_str(), 1000 + i, 2000 + i);
    map.ZoomExtents(true);
    const CWorldDeviceMap before = map.GetMapping();
    const CLocation topLeft = map.GetVisibleTopLeft();
    surface.printing = true;
    surface.printScale = 6;
    const DeviceRect page = PrintableRect(5100, 6600, 600, 600, {1400, 1440, 1440, 1440});
    map.PrintMap(surface, page, PrintMapping(page, PrintWorldWindow(999.5, 1300.5, 1999.5, 2300.5)),
                 DevicePoint{5100, 6600});
    // Every point (no time limit), the arrow and the bar, no backdrop on paper.
    EXPECT_EQ(surface.Count("text"), 300u + 1u);
    ASSERT_EQ(surface.Count("rect"), 1u);
    EXPECT_EQ(surface.Of("rect")[0].a.x, page.left + 24);
    EXPECT_EQ(surface.Of("rect")[0].b.y, page.bottom - 24);
    EXPECT_TRUE(map.GetMapping().IsSame(before));
    EXPECT_DOUBLE_EQ(map.GetVisibleTopLeft().x, topLeft.x);
    EXPECT_EQ(map.GetClientRect(), (DeviceRect{0, 0, 800, 600}));
    EXPECT_FALSE(map.IsPrinting());
}
