#include "views/GridRangeDrag.h"
#include "views/GridScrolling.h"
#include "views/JobViewLayout.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase
{
    const char* name;
    int cx, cy, percent;
    PaneRect map, splitter, list;
};

void ExpectRect(const PaneRect& r, const PaneRect& expected, const char* what)
{
    SCOPED_TRACE(what);
    EXPECT_EQ(r.x, expected.x);
    EXPECT_EQ(r.y, expected.y);
    EXPECT_EQ(r.width, expected.width);
    EXPECT_EQ(r.height, expected.height);
}

} // namespace

TEST(JobViewLayout, PanesToThePixel)
{
    const LayoutCase cases[] = {
        {"default 75", 800, 600, 75, {6, 6, 788, 444}, {6, 450, 788, 4}, {1, 454, 798, 147}},
        // 0.57 * 600 is a hair below 342 in binary, and truncation keeps it there.
        {"57 truncates", 800, 600, 57, {6, 6, 788, 335}, {6, 341, 788, 4}, {1, 345, 798, 255}},
        {"stored 0 acts as 2", 800, 600, 0, {6, 6, 788, 6}, {6, 12, 788, 4}, {1, 16, 798, 585}},
        {"stored 120 acts as 98", 800, 600, 120, {6, 6, 788, 582}, {6, 588, 788, 4}, {1, 592, 798, 9}},
        // Too short for the panes: nothing gets a negative size.
        {"tiny window", 100, 8, 75, {6, 6, 88, 0}, {6, 4, 88, 4}, {1, 10, 98, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const JobViewPanes panes = LayoutPanes(c.cx, c.cy, c.percent);
        ExpectRect(panes.map, c.map, "map");
        ExpectRect(panes.splitter, c.splitter, "splitter");
        ExpectRect(panes.list, c.list, "list");
        EXPECT_GE(panes.roomAbove, 0);
        EXPECT_GE(panes.roomBelow, 0);
    }
}

TEST(JobViewLayout, DraggingTheSplitterMovesBothPanesAndStoresTheListTop)
{
    const JobViewPanes panes = LayoutPanes(800, 600, 75);
    const JobViewPanes moved = DragSplitterTo(panes, 600, 302);
    EXPECT_EQ(moved.splitter.y, 300);
    EXPECT_EQ(moved.map.height, 294);
    EXPECT_EQ(moved.list.y, 304);
    // The list keeps its bottom edge.
    EXPECT_EQ(moved.list.Bottom(), panes.list.Bottom());
    EXPECT_EQ(moved.roomAbove, 282);
    EXPECT_EQ(SplitterPercentFromListTop(moved.list.y, 600), 50);
    // Dragged beyond the top, the bar stops below the map's margin.
    EXPECT_EQ(DragSplitterTo(panes, 600, -40).splitter.y, 6);
    EXPECT_EQ(SplitterPercentFromListTop(10, 0), 1000);
}

TEST(JobViewLayout, StoredTabIsClampedAndRawDrawingWaitsForTheRawDataTab)
{
    EXPECT_EQ(ClampJobViewTab(5), RawDataTab);
    EXPECT_EQ(ClampJobViewTab(-3), PointsTab);
    EXPECT_EQ(ClampJobViewTab(1), RawDataTab);
    EXPECT_EQ(RawDrawModeForTab(PointsTab, 3), RawDrawModeDontDraw);
    EXPECT_EQ(RawDrawModeForTab(RawDataTab, 3), 3);
}

TEST(GridScrolling, KeysOnlyScrollAndDoNothingWhenAllRowsFit)
{
    // 100 rows, 20 whole rows per page, at the top.
    EXPECT_EQ(GridKeyTarget(GridKey::Up, 0, 20, 100), -1);
    const int32_t down = GridKeyTarget(GridKey::Down, 0, 20, 100);
    EXPECT_EQ(TopAfterEnsureVisible(0, 20, 100, down), 1);
    const int32_t pageDown = GridKeyTarget(GridKey::PageDown, 0, 20, 100);
    EXPECT_EQ(pageDown, 39);
    EXPECT_EQ(TopAfterEnsureVisible(0, 20, 100, pageDown), 20);
    EXPECT_EQ(GridKeyTarget(GridKey::PageUp, 30, 20, 100), 10);
    EXPECT_EQ(GridKeyTarget(GridKey::PageUp, 5, 20, 100), 0);
    // At the end nothing moves, and a page down never goes past the last row.
    EXPECT_EQ(GridKeyTarget(GridKey::Down, 80, 20, 100), -1);
    EXPECT_EQ(GridKeyTarget(GridKey::PageDown, 70, 20, 100), 99);
    EXPECT_EQ(TopAfterEnsureVisible(70, 20, 100, 99), 80);
    // Fewer rows than a page: no key does anything.
    for (GridKey key : {GridKey::Up, GridKey::Down, GridKey::PageUp, GridKey::PageDown})
        EXPECT_EQ(GridKeyTarget(key, 0, 20, 12), -1);
}

TEST(GridScrolling, ScrollRowToTop)
{
    ScrollToTopStep step = ScrollRowToTopStep(50, 0, 20, 100);
    EXPECT_TRUE(step.atTop);
    EXPECT_EQ(TopAfterEnsureVisible(0, 20, 100, step.ensureRow), 50);

    step = ScrollRowToTopStep(90, 0, 20, 100);
    EXPECT_FALSE(step.atTop);
    EXPECT_EQ(step.ensureRow, 99);
    EXPECT_EQ(TopAfterEnsureVisible(0, 20, 100, step.ensureRow), 80);

    step = ScrollRowToTopStep(10, 40, 20, 100);
    EXPECT_TRUE(step.atTop);
    EXPECT_EQ(TopAfterEnsureVisible(40, 20, 100, step.ensureRow), 10);

    EXPECT_EQ(ScrollRowToTopStep(40, 40, 20, 100).ensureRow, -1);
}

TEST(GridRangeDrag, DragUpReportsTheRangeInOrderOnce)
{
    CGridRangeDrag drag;
    drag.Begin(7);
    int32_t first = 0, last = 0;
    ASSERT_TRUE(drag.MoveEnd(5, first, last));
    EXPECT_EQ(first, 5);
    EXPECT_EQ(last, 7);
    EXPECT_FALSE(drag.MoveEnd(5, first, last));
    EXPECT_TRUE(drag.Contains(6));
    const GridRowNotify notify = drag.Finish(3, 0);
    EXPECT_EQ(notify.first, 3);
    EXPECT_EQ(notify.last, 7);
    EXPECT_FALSE(drag.IsDragging());
    ASSERT_TRUE(drag.GetReportedRange(first, last));
    EXPECT_EQ(first, 3);
    drag.ClearReported();
    EXPECT_FALSE(drag.GetReportedRange(first, last));
}

TEST(GridRangeDrag, RowsBeyond16BitsAreReportedWhole)
{
    CGridRangeDrag drag;
    drag.Begin(70000);
    const GridRowNotify notify = drag.Finish(70002, 0);
    EXPECT_EQ(notify.first, 70000);
    EXPECT_EQ(notify.last, 70002);
}

TEST(GridRangeDrag, AutoScrollFollowsThePageButNotPastTheLastRow)
{
    CGridRangeDrag drag;
    drag.Begin(90);
    int32_t first = 0, last = 0;
    ASSERT_TRUE(drag.AutoScrollEnd(5, 85, 20, 100, first, last));
    EXPECT_EQ(drag.GetRangeLast(), 99);
    EXPECT_FALSE(drag.AutoScrollEnd(5, 86, 20, 100, first, last));
    ASSERT_TRUE(drag.AutoScrollEnd(-5, 60, 20, 100, first, last));
    EXPECT_EQ(drag.GetRangeFirst(), 60);
    EXPECT_EQ(drag.GetRangeLast(), 90);
    drag.Cancel();
    EXPECT_FALSE(drag.IsDragging());
    EXPECT_EQ(drag.Finish(4, 0).first, -1);
}
