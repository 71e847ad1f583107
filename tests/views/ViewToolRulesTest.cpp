#include "core/LocaleText.h"
#include "views/EasyRectTracker.h"
#include "views/UpdateRectTracker.h"
#include "views/ViewToolRules.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(ToolCursors, EachFamilyTakesTheCursorOfItsPickBoxBand)
{
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::Default, 10), 1886);
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::Pick, 10), 1681);
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::Location, 10), 1878);
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::SelectByRect, 10), 1870);
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::AnchorLine, 10), 1894);
    for (EToolCursorFamily f : {EToolCursorFamily::Default, EToolCursorFamily::Pick, EToolCursorFamily::Location,
                                EToolCursorFamily::SelectByRect, EToolCursorFamily::AnchorLine}) {
        EXPECT_EQ(ToolCursorId(f, 21), 0);
        EXPECT_EQ(ToolCursorId(f, 200), 0);
    }
    // The edges of the bands: below 7, then every two pixels up to below 21.
    struct Case {
        int32_t size;
        int32_t band;
    };
    for (const Case& c : {Case{0, 0}, Case{6, 0}, Case{7, 1}, Case{8, 1}, Case{9, 2}, Case{12, 3}, Case{13, 4},
                          Case{18, 6}, Case{19, 7}, Case{20, 7}, Case{21, -1}}) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(PickBoxCursorBand(c.size), c.band);
    }
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::Location, 6), 6722);
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::Pick, 20), 1676);
    EXPECT_EQ(ToolCursorId(EToolCursorFamily::SelectByRect, 5), 659);

    EToolCursorFamily family{};
    int32_t band = -1;
    ASSERT_TRUE(FindToolCursor(1899, family, band));
    EXPECT_EQ(family, EToolCursorFamily::AnchorLine);
    EXPECT_EQ(band, 7);
    EXPECT_FALSE(FindToolCursor(RealtimeZoomCursorId, family, band));
}

TEST(ToolMovement, HoverRestartsAfterMoreThanTwoPixelsAndADragStartsAtThree)
{
    const DevicePoint at{100, 100};
    EXPECT_FALSE(HasMovedForHover(at, DevicePoint{102, 98}));
    EXPECT_TRUE(HasMovedForHover(at, DevicePoint{103, 100}));
    EXPECT_TRUE(HasMovedForHover(at, DevicePoint{100, 97}));
    EXPECT_TRUE(HasMovedForHover(NoDevicePoint, at));

    EXPECT_FALSE(IsRectDragStart(at, DevicePoint{102, 102}));
    EXPECT_TRUE(IsRectDragStart(at, DevicePoint{103, 100}));
    EXPECT_TRUE(IsRectDragStart(at, DevicePoint{100, 97}));

    EXPECT_FALSE(IsDevicePointSet(DevicePoint{-5000, 7}));
    EXPECT_FALSE(IsDevicePointSet(DevicePoint{7, -5000}));
    EXPECT_TRUE(IsDevicePointSet(DevicePoint{-4999, 0}));
}

TEST(ToolMovement, CtrlKeepsTheLineLevelOrPlumb)
{
    const DevicePoint anchor{100, 100};
    EXPECT_EQ(ApplyCtrlConstraint(anchor, DevicePoint{110, 103}), (DevicePoint{110, 100}));
    EXPECT_EQ(ApplyCtrlConstraint(anchor, DevicePoint{103, 110}), (DevicePoint{100, 110}));
    EXPECT_EQ(ApplyCtrlConstraint(anchor, DevicePoint{90, 97}), (DevicePoint{90, 100}));
    // Equal offsets make it plumb.
    EXPECT_EQ(ApplyCtrlConstraint(anchor, DevicePoint{105, 95}), (DevicePoint{100, 95}));
}

TEST(ToolMovement, RectanglesAreNormalisedWhicheverWayTheyWereDragged)
{
    const DeviceRect expected{10, 20, 30, 40};
    EXPECT_EQ(NormaliseDeviceRect(DevicePoint{10, 20}, DevicePoint{30, 40}), expected);
    EXPECT_EQ(NormaliseDeviceRect(DevicePoint{30, 40}, DevicePoint{10, 20}), expected);
    EXPECT_EQ(NormaliseDeviceRect(DevicePoint{10, 40}, DevicePoint{30, 20}), expected);
}

TEST(ToolOverlay, AnEqualItemIsKeptOnce)
{
    CViewToolOverlay overlay;
    int window = 0;
    CViewToolDrawCode line{CViewToolDrawCode::Line, &window, {1, 2}, {3, 4}, 0xFF, 0};
    EXPECT_TRUE(overlay.Add(line));
    EXPECT_FALSE(overlay.Add(line));
    CViewToolDrawCode other = line;
    other.colour = 0xFE;
    EXPECT_TRUE(overlay.Add(other));
    int otherWindow = 0;
    other = line;
    other.window = &otherWindow;
    EXPECT_TRUE(overlay.Add(other));
    EXPECT_EQ(overlay.Items().size(), 3u);
    overlay.Clear();
    EXPECT_TRUE(overlay.IsEmpty());
}

TEST(ToolOverlay, CrosshairsLeaveAGapOnlyForToolsWithACursor)
{
    const DeviceRect client{0, 0, 200, 100};
    const auto full = CrosshairSegments(DevicePoint{50, 40}, 5, 5, client, false);
    ASSERT_EQ(full.size(), 2u);
    EXPECT_EQ(full[0].first, (DevicePoint{0, 40}));
    EXPECT_EQ(full[0].second, (DevicePoint{200, 40}));
    EXPECT_EQ(full[1].first, (DevicePoint{50, 0}));
    EXPECT_EQ(full[1].second, (DevicePoint{50, 100}));

    const auto gap = CrosshairSegments(DevicePoint{50, 40}, 5, 5, client, true);
    ASSERT_EQ(gap.size(), 4u);
    EXPECT_EQ(gap[0].second, (DevicePoint{45, 40}));
    EXPECT_EQ(gap[1].first, (DevicePoint{55, 40}));
    EXPECT_EQ(gap[2].second, (DevicePoint{50, 35}));
    EXPECT_EQ(gap[3].first, (DevicePoint{50, 45}));
    // At the edge the arm that would lie outside is left out.
    EXPECT_EQ(CrosshairSegments(DevicePoint{2, 40}, 5, 5, client, true).size(), 3u);
}

TEST(ToolOverlay, ACircleIsSeventyTwoChordsFromAngleZero)
{
    const auto v = CircleChordVertices(DevicePoint{100, 100}, DevicePoint{130, 140});
    ASSERT_EQ(v.size(), 73u);
    EXPECT_EQ(v.front(), (DevicePoint{150, 100}));
    EXPECT_EQ(v[18], (DevicePoint{100, 150})); // a quarter turn
    EXPECT_EQ(v[36], (DevicePoint{50, 100}));
    EXPECT_EQ(v.back(), (DevicePoint{150, 100}));
    EXPECT_TRUE(CircleChordVertices(DevicePoint{5, 5}, DevicePoint{5, 5}).empty());
}

TEST(ToolReadouts, TwoDecimalsWithTheUsersSeparatorsAndTheUnit)
{
    CLocaleTextOverride locale(".", ",");
    EXPECT_EQ(FormatLengthReadout(50, "m"), "Length 50.00 m");
    EXPECT_EQ(FormatWidthHeightReadout(30, 40, "m"), "Width 30.00 m, Height 40.00 m");
    EXPECT_EQ(FormatRadiusReadout(50, "m"), "Radius 50.00 m");
    EXPECT_EQ(FormatLengthReadout(50 / 0.3048, "ft"), "Length 164.04 ft");
    EXPECT_EQ(FormatLengthReadout(12345.678, "m"), "Length 12,345.68 m");
    EXPECT_EQ(FormatLengthReadout(0.004, "m"), "Length 0.00 m");
    {
        CLocaleTextOverride german(",", ".");
        EXPECT_EQ(FormatLengthReadout(12345.678, "m"), "Length 12.345,68 m");
    }
    EXPECT_EQ(FormatSnapStatus("2,000.000", "1,000.000", true), "Snapping to 2,000.000, 1,000.000");
    EXPECT_EQ(FormatSnapStatus("2,000.000", "1,000.000", false), "Snapping to 1,000.000, 2,000.000");
}

TEST(RectTracker, TheAspectRuleByHandle)
{
    CEasyRectTracker tracker;
    ASSERT_EQ(tracker.GetAspectRatio(), 1.0);
    // W 10, H 6 gives W' 6 and H' 10 (taller); W 6, H 10 gives W' 10 and H' 6.
    const DeviceRect wide{0, 0, 10, 6}, tall{0, 0, 6, 10};
    struct Case {
        const char* name;
        int32_t handle;
        DeviceRect in;
        DeviceRect out;
    };
    const Case cases[] = {
        {"top-left wide", CEasyRectTracker::TopLeft, wide, {4, 0, 10, 6}},
        {"top-left tall", CEasyRectTracker::TopLeft, tall, {0, 4, 6, 10}},
        {"top-right wide", CEasyRectTracker::TopRight, wide, {0, 0, 6, 6}},
        {"top-right tall", CEasyRectTracker::TopRight, tall, {0, 4, 6, 10}},
        {"bottom-right wide", CEasyRectTracker::BottomRight, wide, {0, 0, 6, 6}},
        {"bottom-right tall", CEasyRectTracker::BottomRight, tall, {0, 0, 6, 6}},
        {"bottom-left wide", CEasyRectTracker::BottomLeft, wide, {4, 0, 10, 6}},
        {"bottom-left tall", CEasyRectTracker::BottomLeft, tall, {0, 0, 6, 6}},
        {"top", CEasyRectTracker::Top, wide, {0, 0, 6, 6}},
        {"bottom", CEasyRectTracker::Bottom, tall, {0, 0, 10, 10}},
        {"right", CEasyRectTracker::Right, wide, {0, 0, 10, 10}},
        {"left", CEasyRectTracker::Left, tall, {0, 0, 6, 6}},
        {"move", CEasyRectTracker::Move, wide, wide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceRect r = c.in;
        tracker.AdjustRect(c.handle, r, true);
        EXPECT_EQ(r, c.out);
        // Without Shift, Ctrl or the keep flag nothing changes.
        r = c.in;
        tracker.AdjustRect(c.handle, r, false);
        EXPECT_EQ(r, c.in);
    }
    tracker.SetKeepAspect(true);
    DeviceRect r = wide;
    tracker.AdjustRect(CEasyRectTracker::BottomRight, r, false);
    EXPECT_EQ(r, (DeviceRect{0, 0, 6, 6}));
}

TEST(RectTracker, TheRatioOfARectangleRoundsHalvesUpAndFallsBackToOne)
{
    CEasyRectTracker half(DeviceRect{0, 0, 20, 10});
    EXPECT_EQ(half.GetAspectRatio(), 2.0);
    DeviceRect r{0, 0, 5, 5}; // W' = 10, H' = round(2.5) = 3, not taller: the bottom moves
    half.AdjustRect(CEasyRectTracker::BottomRight, r, true);
    EXPECT_EQ(r, (DeviceRect{0, 0, 5, 3}));
    r = DeviceRect{0, 0, 5, 1}; // H' = 3 > 1: W' = 2
    half.AdjustRect(CEasyRectTracker::BottomRight, r, true);
    EXPECT_EQ(r, (DeviceRect{0, 0, 2, 1}));
    EXPECT_EQ(CEasyRectTracker(DeviceRect{0, 0, 20, 0}).GetAspectRatio(), 1.0);
    EXPECT_EQ(CEasyRectTracker(DeviceRect{0, 0, 0, 20}).GetAspectRatio(), 1.0);
}

TEST(RectTracker, ADraggedBandIsSquareWithShiftAndNormalisedForDelivery)
{
    CEasyRectTracker tracker;
    tracker.Start(DevicePoint{100, 100});
    tracker.MoveCorner(DevicePoint{160, 130}, false);
    EXPECT_EQ(tracker.GetRect(), (DeviceRect{100, 100, 160, 130}));
    tracker.MoveCorner(DevicePoint{160, 130}, true);
    EXPECT_EQ(tracker.GetRect().Width(), tracker.GetRect().Height());
    tracker.MoveCorner(DevicePoint{40, 70}, false);
    EXPECT_EQ(tracker.GetNormalisedRect(), (DeviceRect{40, 70, 100, 100}));
}

} // namespace

// The band of a drag up and to the left outlines the same rectangle as one down and to the right,
// as a closed loop of four sides.
TEST(RectTracker, TheBandOutlinesTheRectangleWhicheverWayItIsDragged)
{
    using Side = std::array<int32_t, 4>;
    const std::vector<Side> expected = {{2, 3, 9, 3}, {9, 3, 9, 7}, {9, 7, 2, 7}, {2, 7, 2, 3}};
    for (const auto& [from, to] : {std::pair{DevicePoint{2, 3}, DevicePoint{9, 7}}, std::pair{DevicePoint{9, 7}, DevicePoint{2, 3}}}) {
        CUpdateRectTracker tracker;
        tracker.Start(from);
        tracker.MoveCorner(to, false);
        std::vector<Side> sides;
        tracker.DrawTrackerRect([&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) { sides.push_back({x1, y1, x2, y2}); });
        EXPECT_EQ(sides, expected);
    }
}
