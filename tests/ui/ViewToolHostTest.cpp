#include "framework/GraphicDataExchange.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;
int g_liveTools = 0;

class RecordingTool : public CViewTool
{
public:
    using CViewTool::CViewTool;
    RecordingTool() { ++g_liveTools; }
    ~RecordingTool() override { --g_liveTools; }
    void Deactivate() override { g_calls.push_back("deactivate"); }
    void OnMouseMove(uint32_t, int32_t x, int32_t y) override { g_calls.push_back("move " + std::to_string(x) + "," + std::to_string(y)); }
    bool OnLButtonDown(uint32_t, int32_t, int32_t) override
    {
        g_calls.push_back("ldown");
        return true;
    }
    void OnLButtonUp(uint32_t, int32_t, int32_t) override { g_calls.push_back("lup"); }
    void OnMButtonDown(uint32_t, int32_t, int32_t) override { g_calls.push_back("mdown"); }
    void OnMButtonUp(uint32_t, int32_t, int32_t) override { g_calls.push_back("mup"); }
    void OnRButtonDown(uint32_t, int32_t, int32_t) override { g_calls.push_back("rdown"); }
    void OnRButtonUp(uint32_t, int32_t, int32_t) override { g_calls.push_back("rup"); }
};

// A field of a shown command panel that picks a point on the map.
class PickingField : public CGraphicDataTarget
{
public:
    CViewToolHost* host = nullptr;
    int resumed = 0;
    bool IsTargetEnabled() const override { return true; }
    bool IsInteractive() const override { return true; }
    bool TakeGraphicData(uint32_t) override { return true; }
    bool IsInVisibleStackedDialog() const override { return true; }
    void ResumeInteraction() override
    {
        ++resumed;
        host->StartPickTool();
        GetGraphicDataExchange().SetTarget(this);
    }
};

struct ToolHostFixture : ::testing::Test
{
    CViewToolHost host;
    void SetUp() override
    {
        g_calls.clear();
        GetGraphicDataExchange().Reset();
        GetGraphicDataExchange().ClearSavedTarget();
        host.activeViewKind = [] { return 0; };
    }
    void TearDown() override
    {
        GetGraphicDataExchange().Reset();
        GetGraphicDataExchange().ClearSavedTarget();
    }
};

} // namespace

TEST_F(ToolHostFixture, ForwardersReachTheCurrentToolOnly)
{
    host.ToolOnLButtonDown(0, 1, 2); // no tool: nothing
    RecordRef chosen;
    EXPECT_EQ(2, host.ChooseObjectAtPoint(chosen, {RecordRef{}}, 0, 0, "", ""));
    host.SetCurrentTool(new RecordingTool());
    host.ToolOnMouseMove(0, 5, 6);
    host.ToolOnLButtonDown(0, 5, 6);
    host.ToolOnLButtonUp(0, 5, 6);
    host.ToolOnMButtonDown(0, 5, 6);
    host.ToolOnMButtonUp(0, 5, 6);
    host.ToolOnRButtonDown(0, 5, 6);
    host.ToolOnRButtonUp(0, 5, 6);
    host.StopCurrentTool();
    EXPECT_EQ((std::vector<std::string>{"move 5,6", "ldown", "lup", "mdown", "mup", "rdown", "rup", "deactivate"}),
              g_calls);
    EXPECT_FALSE(host.IsDefaultToolCurrent());
}

TEST_F(ToolHostFixture, AReplacedToolLivesUntilIdle)
{
    auto* first = new RecordingTool();
    host.SetCurrentTool(first);
    host.StartZoomPlineTool(CLocation(1, 2, NoValue));
    EXPECT_TRUE(first->IsRetired());
    EXPECT_EQ(1, g_liveTools);
    first->OnLButtonDown(0, 0, 0); // still callable from its own handler
    DeleteViewToolClasses();
    EXPECT_EQ(0, g_liveTools);

    // Back to the default tool; asking again changes nothing.
    host.RestoreDefaultTool();
    CViewTool* def = host.GetCurrentTool();
    ASSERT_TRUE(def && def->IsDefaultTool());
    host.RestoreDefaultTool();
    EXPECT_EQ(def, host.GetCurrentTool());
    DeleteViewToolClasses();
}

TEST_F(ToolHostFixture, PanningWhileAFieldPicksHandsTheFieldBack)
{
    PickingField field;
    field.host = &host;
    host.EnsureDefaultTool(nullptr);
    host.StartPickTool();
    CGraphicDataExchange& exchange = GetGraphicDataExchange();
    ASSERT_TRUE(exchange.SetTarget(&field));
    exchange.SetMode(0);

    host.StartRealtimePanTool(); // the middle button goes down
    EXPECT_TRUE(host.IsPanToolCurrent());
    EXPECT_FALSE(exchange.IsTargetActive()); // the switch resets the exchange
    EXPECT_TRUE(exchange.HasSavedTarget());

    host.RestoreDefaultTool(); // the middle button comes up
    EXPECT_EQ(1, field.resumed);
    EXPECT_TRUE(exchange.IsTarget(&field));
    EXPECT_FALSE(host.IsPanToolCurrent());
    DeleteViewToolClasses();
}

TEST_F(ToolHostFixture, ANestedRestoreOnlyInstallsTheDefaultTool)
{
    struct Reentering : RecordingTool
    {
        CViewToolHost* host;
        explicit Reentering(CViewToolHost* h) : host(h) {}
        void Deactivate() override
        {
            if (!host->IsRestoring())
                return;
            host->RestoreDefaultTool(); // a focus change inside the restore
        }
    };
    host.SetCurrentTool(new Reentering(&host));
    host.RestoreDefaultTool();
    ASSERT_NE(nullptr, host.GetCurrentTool());
    EXPECT_TRUE(host.GetCurrentTool()->IsDefaultTool());
    EXPECT_FALSE(host.IsRestoring());
    DeleteViewToolClasses();
}
