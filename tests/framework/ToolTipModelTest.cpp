#include "framework/ToolTipModel.h"

#include <gtest/gtest.h>

namespace {
struct Clock
{
    int64_t now = 0;
    CToolTipModel::Clock Fn()
    {
        return [this] { return now; };
    }
};
int toolA = 0;
int toolB = 0;
} // namespace

TEST(ToolTipModel, TextIsAskedOnceAfterTheMouseRests)
{
    Clock clock;
    CToolTipModel tip(false, clock.Fn());
    tip.AddTool(&toolA);
    tip.SetDelay(1000);
    tip.Activate(true);
    tip.OnMouse(&toolA, 10, 10, false);
    clock.now = 999;
    EXPECT_EQ(tip.TakeDueTool(), nullptr);
    EXPECT_EQ(tip.NextDueIn(), 1);
    clock.now = 1000;
    EXPECT_EQ(tip.TakeDueTool(), &toolA);
    EXPECT_EQ(tip.TakeDueTool(), nullptr);
    // Moving within the same window outside tracking mode does not ask again.
    tip.OnMouse(&toolA, 12, 10, false);
    clock.now = 3000;
    EXPECT_EQ(tip.TakeDueTool(), nullptr);
    // A press ends the rest; a window that is not a tool is nobody's.
    tip.OnMouse(&toolB, 1, 1, false);
    clock.now = 5000;
    EXPECT_EQ(tip.TakeDueTool(), nullptr);
}

TEST(ToolTipModel, RestartTakesTheOneToolAwayFor200Milliseconds)
{
    Clock clock;
    CToolTipModel tracking(true, clock.Fn());
    tracking.AddTool(&toolA);
    tracking.Activate(true);
    tracking.RestartTracking();
    EXPECT_EQ(tracking.GetToolCount(), 0u);
    EXPECT_EQ(tracking.NextDueIn(), 200);
    clock.now = 199;
    tracking.Tick();
    EXPECT_EQ(tracking.GetToolCount(), 0u);
    clock.now = 200;
    tracking.Tick();
    EXPECT_EQ(tracking.GetToolCount(), 1u);
    // In tracking mode the same tool is asked at every rest.
    tracking.OnMouse(&toolA, 5, 5, false);
    clock.now = 1200;
    EXPECT_EQ(tracking.TakeDueTool(), &toolA);
    tracking.OnMouse(&toolA, 6, 5, false);
    clock.now = 2200;
    EXPECT_EQ(tracking.TakeDueTool(), &toolA);

    const struct
    {
        const char* name;
        bool tracking;
        int tools;
    } nothing[] = {{"two tools", true, 2}, {"not tracking", false, 1}};
    for (const auto& c : nothing) {
        SCOPED_TRACE(c.name);
        CToolTipModel tip(c.tracking, clock.Fn());
        tip.AddTool(&toolA);
        if (c.tools == 2)
            tip.AddTool(&toolB);
        tip.RestartTracking();
        EXPECT_EQ(tip.GetToolCount(), size_t(c.tools));
        EXPECT_FALSE(tip.IsRestartPending());
    }
}
