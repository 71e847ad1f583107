#include "MapPaneFixture.h"

#include "core/DataFileFormat.h"
#include "core/LocaleText.h"
#include "core/MathConversions.h"
#include "framework/GraphicDataExchange.h"
#include "model/DataFileDocShell.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "platform/Profile.h"
#include "views/MapCommands.h"
#include "views/MapToolHost.h"
#include "views/ui/MapLayer.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>

#include <cmath>
#include <cstring>
#include <map>

using namespace morvel::test;

namespace {

// A field waiting on the exchange; it keeps what each delivery brought.
class FakeField : public CGraphicDataTarget
{
public:
    struct Delivery {
        uint32_t code;
        CLocation location;
        double x1, x2, y1, y2;
    };
    bool pointControl = false;
    bool linePick = false;
    std::vector<Delivery> deliveries;

    bool IsTargetEnabled() const override { return true; }
    bool IsInteractive() const override { return true; }
    bool AcceptsLinePick() const override { return linePick; }
    bool IsPointControl() const override { return pointControl; }
    bool TakeGraphicData(uint32_t code) override
    {
        const CGraphicDataExchange& x = GetGraphicDataExchange();
        deliveries.push_back(Delivery{code, x.GetLocation(), x.GetValue(0), x.GetValue(1), x.GetValue(2), x.GetValue(3)});
        return true;
    }
    std::vector<uint32_t> Codes() const
    {
        std::vector<uint32_t> codes;
        for (const Delivery& d : deliveries)
            codes.push_back(d.code);
        return codes;
    }
};

class BeepShell : public CDataFileDocShell
{
public:
    BeepShell() { SetDataFileDocShell(this); }
    ~BeepShell() override { SetDataFileDocShell(nullptr); }
    void Beep() override { ++beeps; }
    int beeps = 0;
};

constexpr uint32_t LButton = ToolKeyLButton, MButton = ToolKeyMButton, Shift = ToolKeyShift, Control = ToolKeyControl;

// The map pane at one world unit a pixel, with a tool host that reports its status texts and hints
// here and takes the program as being in front.
class ViewToolsTest : public MapPaneFixture
{
protected:
    void SetUp() override
    {
        MapPaneFixture::SetUp();
        if (IsSkipped())
            return;
        map->Preview().SetWorldWindow(0, 800, 600, 0);
        Pump();

        host = std::make_unique<CViewToolHost>();
        host->isForeground = [](bool) { return true; };
        // The shared X server's pointer rests wherever it likes: no timer or idle pass may act on
        // it. The tests call the procedures with the points the timers would pass.
        host->windowUnderCursor = [] { return static_cast<wxWindow*>(nullptr); };
        host->statusText = [this](int pane, const std::string& text) { panes[pane] = text; };
        host->notifyActiveDocument = [this](void*, int32_t hint, intptr_t parameter) {
            hints.push_back(std::to_string(hint) + "/" + std::to_string(parameter));
        };
        SetMapToolHost(host.get());
        host->EnsureDefaultTool(map);
        GetGraphicDataExchange().Reset();
        CViewTool::LastSnapPoint() = NoDevicePoint;
    }

    void TearDown() override
    {
        if (host) {
            SetMapToolHost(nullptr);
            host.reset();
        }
        GetGraphicDataExchange().Reset();
        CViewTool::Overlay().Clear();
        CViewTool::Overlay().SetShown(false);
        MapPaneFixture::TearDown();
    }

    CLocation ToWorld(wxPoint p)
    {
        CPickQuery q;
        q.point = DevicePoint{p.x, p.y};
        map->Core().OnDeviceToWorld8083(q);
        return q.location;
    }

    void Target(FakeField& field) { ASSERT_TRUE(GetGraphicDataExchange().SetTarget(&field)); }

    // The rectangle tool, delivering to the field.
    CSelectByRectTool* StartRectTool(FakeField& field)
    {
        host->StartSelectByRectTool();
        auto* tool = dynamic_cast<CSelectByRectTool*>(host->GetCurrentTool());
        Target(field);
        return tool;
    }

    void Move(wxPoint p, uint32_t flags = 0) { host->ToolOnMouseMove(flags, p.x, p.y); }
    void LeftDown(wxPoint p, uint32_t flags = 0) { host->ToolOnLButtonDown(flags | LButton, p.x, p.y); }
    void LeftUp(wxPoint p, uint32_t flags = 0) { host->ToolOnLButtonUp(flags, p.x, p.y); }

    // Lets the toolkit deliver the map's paint, as the loop would.
    void PaintNow()
    {
        map->Refresh(false);
        for (int i = 0; i < 5; ++i) {
            map->Update();
            wxYield();
        }
    }

    bool SameImage(const wxImage& a, const wxImage& b)
    {
        return a.GetSize() == b.GetSize() &&
               std::memcmp(a.GetData(), b.GetData(), size_t(a.GetWidth()) * a.GetHeight() * 3) == 0;
    }
    size_t OverlayCount(int32_t kind)
    {
        size_t n = 0;
        for (const CViewToolDrawCode& item : CViewTool::Overlay().Items())
            n += item.kind == kind;
        return n;
    }

    std::unique_ptr<CViewToolHost> host;
    std::map<int, std::string> panes;
    std::vector<std::string> hints;
};

} // namespace

TEST_F(ViewToolsTest, APointFieldTakesOnlySnappedClicksOfThePickTool)
{
    ASSERT_EQ(ToClient(400, 300), wxPoint(400, 300));
    doc->AddPoint("7", 400, 300, 12.5);
    host->StartPickTool();
    EXPECT_EQ(host->GetCurrentTool()->GetLoadedCursorId(), 1681); // pick box 10
    FakeField field;
    field.pointControl = true;
    Target(field);

    LeftDown(ToClient(200, 100)); // nothing there
    EXPECT_TRUE(field.deliveries.empty());
    LeftDown(ToClient(401, 302));
    ASSERT_EQ(field.Codes(), (std::vector<uint32_t>{1}));
    EXPECT_DOUBLE_EQ(field.deliveries[0].location.x, 400);
    EXPECT_DOUBLE_EQ(field.deliveries[0].location.y, 300);
    EXPECT_DOUBLE_EQ(field.deliveries[0].location.z, 12.5);

    // A field that is not a point field takes the plain click as well.
    FakeField other;
    Target(other);
    LeftDown(ToClient(200, 100));
    ASSERT_EQ(other.Codes(), (std::vector<uint32_t>{1}));
    EXPECT_NEAR(other.deliveries[0].location.x, 200, 1);
    EXPECT_TRUE(IsNoValue(other.deliveries[0].location.z));
}

TEST_F(ViewToolsTest, TheLocationToolDeliversEveryClickWithACrosshairOnTheSnapMarker)
{
    doc->AddPoint("7", 400, 300, 5);
    host->StartLocationTool();
    CViewTool* tool = host->GetCurrentTool();
    EXPECT_EQ(tool->GetLoadedCursorId(), 1878);
    FakeField field;
    Target(field);

    LeftDown(ToClient(100, 500));
    ASSERT_EQ(field.Codes(), (std::vector<uint32_t>{1}));
    EXPECT_NEAR(field.deliveries[0].location.x, 100, 1);
    EXPECT_NEAR(field.deliveries[0].location.y, 500, 1);
    EXPECT_TRUE(IsNoValue(field.deliveries[0].location.z));

    // The snap timer finds the point: marker, status text and a crosshair that jumps to it.
    const wxPoint near = ToClient(403, 298);
    tool->RunSnapProcedure(near);
    EXPECT_EQ(tool->GetSnapMarkerPoint(), (DevicePoint{400, 300}));
    CDataFileFormat* format = doc->GetDataFileFormat();
    EXPECT_EQ(panes[0], "Snapping to " + format->FormatCoordinate(300, false, false) + ", " +
                            format->FormatCoordinate(400, false, false));
    Move(near);
    ASSERT_EQ(OverlayCount(CViewToolDrawCode::Crosshair), 1u);
    EXPECT_EQ(CViewTool::Overlay().Items()[0].p1, (DevicePoint{400, 300}));

    // Moving off the point takes the marker away and the crosshair follows the cursor again.
    tool->RunSnapProcedure(ToClient(100, 100));
    EXPECT_FALSE(IsDevicePointSet(tool->GetSnapMarkerPoint()));
    EXPECT_EQ(panes[0], "");
    EXPECT_EQ(CViewTool::Overlay().Items().at(0).p1, (DevicePoint{100, 500}));

    // With the order flag off the easting comes first.
    settings->SetCoordOrder(false);
    tool->RunSnapProcedure(ToClient(402, 301));
    EXPECT_EQ(panes[0], "Snapping to " + format->FormatCoordinate(400, false, false) + ", " +
                            format->FormatCoordinate(300, false, false));
}

TEST_F(ViewToolsTest, SnapModeTwoShowsNoMarker)
{
    doc->AddPoint("7", 400, 300);
    host->StartLocationTool();
    FakeField field;
    Target(field);
    settings->SetSnapMode(2);
    CViewTool* tool = host->GetCurrentTool();
    tool->RunSnapProcedure(ToClient(401, 301));
    EXPECT_FALSE(IsDevicePointSet(tool->GetSnapMarkerPoint()));
    EXPECT_EQ(panes[0], "");
    // Without a waiting field nothing snaps either.
    settings->SetSnapMode(0);
    GetGraphicDataExchange().Reset();
    tool->RunSnapProcedure(ToClient(400, 299));
    EXPECT_FALSE(IsDevicePointSet(tool->GetSnapMarkerPoint()));
}

TEST_F(ViewToolsTest, TheHoverTimerRestartsOnlyAfterMoreThanTwoPixels)
{
    CViewTool* tool = host->GetCurrentTool();
    Move(wxPoint(100, 100));
    EXPECT_EQ(tool->GetLastHoverPoint(), (DevicePoint{100, 100}));
    EXPECT_TRUE(host->IsHoverTimerRunning());
    EXPECT_TRUE(host->IsSnapTimerRunning());
    Move(wxPoint(102, 98));
    EXPECT_EQ(tool->GetLastHoverPoint(), (DevicePoint{100, 100}));
    Move(wxPoint(103, 98));
    EXPECT_EQ(tool->GetLastHoverPoint(), (DevicePoint{103, 98}));
    // Leaving the map stops both timers.
    tool->OnHoverMove(0, 900, 100);
    EXPECT_FALSE(host->IsHoverTimerRunning());
    EXPECT_FALSE(host->IsSnapTimerRunning());
}

TEST_F(ViewToolsTest, ARectangleDragDeliversTheUpperLeftCornerFirstEitherWay)
{
    host->StartSelectByRectTool();
    auto* tool = dynamic_cast<CSelectByRectTool*>(host->GetCurrentTool());
    ASSERT_NE(tool, nullptr);
    EXPECT_EQ(tool->GetLoadedCursorId(), 1870);
    FakeField field;
    Target(field);

    struct Case {
        const char* name;
        CLocation from, to;
    };
    for (const Case& c : {Case{"down-right", CLocation(100, 500, NoValue), CLocation(300, 200, NoValue)},
                          Case{"up-left", CLocation(300, 200, NoValue), CLocation(100, 500, NoValue)}}) {
        SCOPED_TRACE(c.name);
        field.deliveries.clear();
        LeftDown(ToClient(c.from.x, c.from.y));
        Move(ToClient(c.from.x, c.from.y) + wxPoint(1, 1), LButton); // not yet a drag
        EXPECT_FALSE(tool->IsDragging());
        Move(ToClient((c.from.x + c.to.x) / 2, (c.from.y + c.to.y) / 2), LButton);
        EXPECT_TRUE(tool->IsDragging());
        EXPECT_EQ(OverlayCount(CViewToolDrawCode::Line), 4u);
        Move(ToClient(c.to.x, c.to.y), LButton);
        LeftUp(ToClient(c.to.x, c.to.y));
        EXPECT_FALSE(tool->IsDragging());
        ASSERT_EQ(field.Codes(), (std::vector<uint32_t>{1, 0}));
        const FakeField::Delivery& d = field.deliveries[1];
        EXPECT_NEAR(d.x1, 100, 1e-6);
        EXPECT_NEAR(d.y1, 500, 1e-6);
        EXPECT_NEAR(d.x2, 300, 1e-6);
        EXPECT_NEAR(d.y2, 200, 1e-6);
        EXPECT_EQ(GetGraphicDataExchange().GetValue(0), 0.0); // reset after delivery
    }
    // The tool stays: the field decides what follows.
    EXPECT_EQ(host->GetCurrentTool(), tool);
}

TEST_F(ViewToolsTest, AClickOfTheRectangleToolIsEventsOneAndTwo)
{
    BeepShell shell;
    FakeField field;
    CSelectByRectTool* tool = StartRectTool(field);
    const wxPoint at = ToClient(200, 200);
    LeftDown(at);
    Move(at + wxPoint(2, -2), LButton);
    LeftUp(at + wxPoint(2, -2));
    ASSERT_EQ(field.Codes(), (std::vector<uint32_t>{1, 2}));
    EXPECT_NEAR(field.deliveries[1].location.x, 202, 1);
    EXPECT_EQ(field.deliveries[1].x1, 0.0);

    // A band of no height beeps and delivers no rectangle.
    field.deliveries.clear();
    LeftDown(at);
    Move(at + wxPoint(50, 0), LButton);
    ASSERT_TRUE(tool->IsDragging());
    LeftUp(at + wxPoint(50, 0));
    EXPECT_EQ(field.Codes(), (std::vector<uint32_t>{1}));
    EXPECT_EQ(shell.beeps, 1);

    // Shift keeps the band square.
    LeftDown(at);
    Move(at + wxPoint(80, 30), LButton | Shift);
    ASSERT_TRUE(tool->IsDragging());
    const DeviceRect band = tool->GetTracker()->GetRect();
    EXPECT_EQ(band.Width(), band.Height());
    LeftUp(at + wxPoint(80, 30), Shift);
}

TEST_F(ViewToolsTest, EscapeCancelsTheDragAndTheNextReleaseDoesNothing)
{
    FakeField field;
    CSelectByRectTool* tool = StartRectTool(field);
    const wxPoint at = ToClient(200, 200);
    LeftDown(at);
    Move(at + wxPoint(40, 40), LButton);
    ASSERT_TRUE(tool->IsDragging());
    EXPECT_TRUE(CViewTool::s_dragging);
    wxKeyEvent escape(wxEVT_KEY_DOWN);
    escape.m_keyCode = WXK_ESCAPE;
    escape.SetEventObject(map);
    map->ProcessWindowEvent(escape);
    EXPECT_FALSE(tool->IsDragging());
    EXPECT_FALSE(CViewTool::s_dragging);
    EXPECT_FALSE(map->HasCapture());
    LeftUp(at + wxPoint(40, 40));
    EXPECT_EQ(field.Codes(), (std::vector<uint32_t>{1}));
    EXPECT_FALSE(tool->IsPressPending());
}

TEST_F(ViewToolsTest, ThePolylineToolReportsTheLengthAndKeepsItLevelWithCtrl)
{
    CLocaleTextOverride locale(".", ",");
    host->StartVisualPlineTool(CLocation(300, 300, NoValue));
    CViewTool* tool = host->GetCurrentTool();
    EXPECT_EQ(tool->GetLoadedCursorId(), 1681);
    FakeField field;
    Target(field);
    Move(ToClient(330, 340));
    EXPECT_EQ(panes[2], "Length 50.00 m");
    EXPECT_EQ(OverlayCount(CViewToolDrawCode::Line), 1u);

    // Ctrl, 10 pixels right and 3 below the anchor: the point is level with it.
    const wxPoint anchor = ToClient(300, 300);
    LeftDown(anchor + wxPoint(10, 3), Control);
    ASSERT_EQ(field.Codes(), (std::vector<uint32_t>{1}));
    EXPECT_NEAR(field.deliveries[0].location.x, 310, 1e-6);
    EXPECT_NEAR(field.deliveries[0].location.y, 300, 1e-6);

    // A right click cancels and leaves the location at the click.
    host->ToolOnRButtonDown(0, 100, 100);
    ASSERT_EQ(field.Codes(), (std::vector<uint32_t>{1, 4}));
    EXPECT_NEAR(field.deliveries[1].location.x, ToWorld(wxPoint(100, 100)).x, 1e-6);
    EXPECT_NEAR(field.deliveries[1].location.y, ToWorld(wxPoint(100, 100)).y, 1e-6);

    // Its end empties the read-out.
    host->RestoreDefaultTool();
    EXPECT_EQ(panes[2], "");
}

TEST_F(ViewToolsTest, ReadoutsAreInTheJobsUnit)
{
    CLocaleTextOverride locale(".", ",");
    doc->settings.SetDistanceUnit(JobUnitInternationalFeet);
    host->StartVisualPlineTool(CLocation(300, 300, NoValue));
    Move(ToClient(330, 340));
    EXPECT_EQ(panes[2], "Length 164.04 ft");
}

TEST_F(ViewToolsTest, AnAnchorLineToolDrawsALinePerAnchorAndPairedSegments)
{
    const std::vector<CLocation> anchors{CLocation(100, 100, NoValue), CLocation(500, 100, NoValue)};
    const std::vector<CLocation> segments{CLocation(100, 500, NoValue), CLocation(200, 500, NoValue),
                                          CLocation(300, 500, NoValue)}; // the third has no partner
    host->StartAnchorLineTool(anchors, segments, {});
    CViewTool* tool = host->GetCurrentTool();
    EXPECT_EQ(tool->GetLoadedCursorId(), 1894);
    Move(ToClient(300, 300));
    EXPECT_EQ(OverlayCount(CViewToolDrawCode::Line), 3u);

    // A plain click reaches only a field that takes line picks.
    FakeField field;
    Target(field);
    LeftDown(ToClient(250, 250));
    EXPECT_TRUE(field.deliveries.empty());
    field.linePick = true;
    LeftDown(ToClient(250, 250));
    EXPECT_EQ(field.Codes(), (std::vector<uint32_t>{1}));
}

TEST_F(ViewToolsTest, AZoomWindowWithTheSecondCornerAboveLeftZoomsToTheRectangle)
{
    CLocaleTextOverride locale(".", ",");
    host->OnZoomWindowCommand(map);
    EXPECT_TRUE(host->IsZoomWindowOn());
    EXPECT_FALSE(host->GetCurrentTool()->HasCursor());
    Move(wxPoint(500, 400));
    EXPECT_EQ(OverlayCount(CViewToolDrawCode::Crosshair), 1u);
    LeftDown(wxPoint(500, 400));
    ASSERT_NE(dynamic_cast<CZoomPlineTool*>(host->GetCurrentTool()), nullptr);
    EXPECT_TRUE(host->IsZoomWindowOn());
    const CLocation first = ToWorld(wxPoint(500, 400)), second = ToWorld(wxPoint(300, 250));
    Move(wxPoint(300, 250));
    EXPECT_EQ(panes[2], "Width 200.00 m, Height 150.00 m");
    LeftDown(wxPoint(300, 250));
    EXPECT_TRUE(host->GetCurrentTool()->IsDefaultTool());
    EXPECT_EQ(panes[2], "");
    // The new window holds the rectangle and is centred on it.
    const CLocation tl = map->Core().GetVisibleTopLeft(), br = map->Core().GetVisibleBottomRight();
    EXPECT_NEAR((tl.x + br.x) / 2, (first.x + second.x) / 2, 1);
    EXPECT_NEAR((tl.y + br.y) / 2, (first.y + second.y) / 2, 1);
    EXPECT_LE(tl.x, second.x + 1e-6);
    EXPECT_GE(br.x, first.x - 1e-6);
    EXPECT_NEAR(br.x - tl.x, 200, 1);
}

TEST_F(ViewToolsTest, ARightClickCancelsTheZoomWindow)
{
    const CWorldRect before = map->Core().GetWindow();
    host->OnZoomWindowCommand(map);
    LeftDown(wxPoint(500, 400));
    Move(wxPoint(300, 250));
    host->ToolOnRButtonDown(0, 300, 250);
    EXPECT_TRUE(host->GetCurrentTool()->IsDefaultTool());
    EXPECT_EQ(map->Core().GetWindow().x1, before.x1);
    EXPECT_EQ(map->Core().GetWindow().x2, before.x2);
    // The command turns it on and, while on, off again.
    host->OnZoomWindowCommand(map);
    EXPECT_TRUE(host->IsZoomWindowOn());
    host->OnZoomWindowCommand(map);
    EXPECT_TRUE(host->GetCurrentTool()->IsDefaultTool());
}

TEST_F(ViewToolsTest, RealtimeZoomStepsFlagOnlyTheFirstStepOfADrag)
{
    host->OnRealtimeZoomCommand(map);
    ASSERT_TRUE(host->IsRealtimeZoomCurrent());
    auto* tool = dynamic_cast<CRealtimeZoomTool*>(host->GetCurrentTool());
    EXPECT_EQ(tool->GetLoadedCursorId(), RealtimeZoomCursorId);
    const int32_t steps = map->Core().GetZoomHistory().GetCount();
    const double width = map->Core().GetWindow().x2 - map->Core().GetWindow().x1;
    LeftDown(wxPoint(400, 300));
    EXPECT_TRUE(tool->IsFirstStep());
    Move(wxPoint(400, 250), LButton); // up zooms in
    EXPECT_FALSE(tool->IsFirstStep());
    EXPECT_EQ(map->Core().GetZoomHistory().GetCount(), steps + 1);
    const double narrower = map->Core().GetWindow().x2 - map->Core().GetWindow().x1;
    EXPECT_LT(narrower, width);
    Move(wxPoint(400, 200), LButton);
    EXPECT_EQ(map->Core().GetZoomHistory().GetCount(), steps + 1);
    EXPECT_LT(map->Core().GetWindow().x2 - map->Core().GetWindow().x1, narrower);
    LeftUp(wxPoint(400, 200));
    EXPECT_EQ(hints, (std::vector<std::string>{"13/0", "3/1"}));
    // A move without the button changes nothing.
    const CWorldRect held = map->Core().GetWindow();
    Move(wxPoint(400, 100));
    EXPECT_EQ(map->Core().GetWindow().x1, held.x1);
    host->ToolOnRButtonDown(0, 400, 100);
    EXPECT_TRUE(host->GetCurrentTool()->IsDefaultTool());
    // A drag cut short by the right button still ends with the picture drawn anew.
    host->OnRealtimeZoomCommand(map);
    LeftDown(wxPoint(400, 300));
    Move(wxPoint(400, 280), LButton);
    ASSERT_TRUE(map->Core().IsRealtimeDrag());
    host->ToolOnRButtonDown(LButton, 400, 280);
    EXPECT_FALSE(map->Core().IsRealtimeDrag());
}

TEST_F(ViewToolsTest, APanDragMovesTheWindowByTheDraggedWorldDistance)
{
    host->OnRealtimePanCommand(map);
    ASSERT_TRUE(host->IsPanToolCurrent());
    CViewTool* tool = host->GetCurrentTool();
    EXPECT_EQ(tool->GetLoadedCursorId(), RealtimePanIdleCursorId);
    const CLocation before = map->Core().GetVisibleTopLeft();
    const CLocation a = ToWorld(wxPoint(400, 300)), b = ToWorld(wxPoint(470, 340));
    CMapLayer* layer = map->GetMapLayer();
    ASSERT_NE(layer, nullptr);
    const double layerX1 = layer->GetWorldX1();
    LeftDown(wxPoint(400, 300));
    EXPECT_EQ(tool->GetLoadedCursorId(), RealtimePanDragCursorId);
    Move(wxPoint(470, 340), LButton);
    const CLocation after = map->Core().GetVisibleTopLeft();
    EXPECT_NEAR(after.x - before.x, -(b.x - a.x), 1e-6);
    EXPECT_NEAR(after.y - before.y, -(b.y - a.y), 1e-6);
    // The point under the cursor is the one grabbed.
    EXPECT_NEAR(ToWorld(wxPoint(470, 340)).x, a.x, 1e-6);
    // During the drag the picture is the old one moved; it is drawn anew at the release.
    EXPECT_TRUE(map->Core().IsRealtimeDrag());
    EXPECT_EQ(layer->GetWorldX1(), layerX1);
    LeftUp(wxPoint(470, 340));
    EXPECT_FALSE(map->Core().IsRealtimeDrag());
    EXPECT_NEAR(layer->GetWorldX1(), after.x, 1e-6);
    EXPECT_EQ(tool->GetLoadedCursorId(), RealtimePanIdleCursorId);
    EXPECT_EQ(hints, (std::vector<std::string>{"13/0", "3/1"}));
}

TEST_F(ViewToolsTest, AMiddleDragBegunBeforeThePanToolMakesNoStepOnItsFirstMove)
{
    host->StartRealtimePanTool();
    auto* tool = dynamic_cast<CRealtimePanTool*>(host->GetCurrentTool());
    ASSERT_NE(tool, nullptr);
    const CWorldRect before = map->Core().GetWindow();
    Move(wxPoint(400, 300), MButton);
    EXPECT_TRUE(tool->IsStarted());
    EXPECT_EQ(map->Core().GetWindow().x1, before.x1);
    EXPECT_EQ(tool->GetLoadedCursorId(), RealtimePanDragCursorId);
    const int32_t steps = map->Core().GetZoomHistory().GetCount();
    Move(wxPoint(420, 300), MButton);
    EXPECT_NE(map->Core().GetWindow().x1, before.x1);
    EXPECT_NEAR(map->Core().GetWindow().x1 - before.x1, -20, 1e-6);
    EXPECT_EQ(map->Core().GetZoomHistory().GetCount(), steps + 1); // the first step is recorded
    host->ToolOnMButtonUp(0, 420, 300);
    EXPECT_EQ(hints, (std::vector<std::string>{"13/0"}));
}

TEST_F(ViewToolsTest, AnOverlayDrawnThenErasedLeavesThePixelsUnchanged)
{
    doc->AddPoint("1", 400, 300);
    map->Core().Refresh();
    Pump();
    CViewTool* tool = host->GetCurrentTool();
    const wxImage before = map->GetShownImage();
    tool->AddOverlayLine(100, 100, 700, 500, settings->GetCursorColor());
    tool->AddOverlayCircle(400, 300, 450, 300, settings->GetCursorColor());
    tool->AddCrosshair(200, 400, -1);
    tool->DrawOverlay();
    const wxImage with = map->GetShownImage();
    EXPECT_NE(Pixel(with, wxPoint(400, 300)), Pixel(before, wxPoint(400, 300)));
    EXPECT_NE(Pixel(with, wxPoint(450, 300)), Pixel(before, wxPoint(450, 300)));
    EXPECT_NE(Pixel(with, wxPoint(10, 400)), Pixel(before, wxPoint(10, 400)));
    EXPECT_EQ(Pixel(with, wxPoint(200, 400)), Pixel(before, wxPoint(200, 400))); // the crosshair's gap

    // Taken off for a change of the picture, the overlay comes back with the next paint.
    tool->EraseCrosshair();
    EXPECT_FALSE(map->HasOverlay());
    PaintNow();
    EXPECT_TRUE(SameImage(map->GetShownImage(), with));

    tool->EraseOverlay();
    EXPECT_TRUE(SameImage(map->GetShownImage(), before));
}

TEST_F(ViewToolsTest, TheSnapMarkerIsErasedWithoutATrace)
{
    doc->AddPoint("1", 400, 300);
    map->Core().Refresh();
    Pump();
    host->StartPickTool();
    FakeField field;
    Target(field);
    CViewTool* tool = host->GetCurrentTool();
    const wxImage before = map->GetShownImage();
    tool->RunSnapProcedure(wxPoint(402, 302));
    ASSERT_EQ(tool->GetSnapMarkerPoint(), (DevicePoint{400, 300}));
    const wxImage with = map->GetShownImage();
    EXPECT_EQ(Pixel(with, wxPoint(396, 300)), map->PaletteColour(settings->GetSelectionColor()));
    tool->EraseSnapMarker();
    EXPECT_TRUE(SameImage(map->GetShownImage(), before));
}

TEST_F(ViewToolsTest, TheMapCommandsTurnTheToolsOnAndOffWithTheirChecks)
{
    map->InstallAsActiveJobMap();
    auto send = [&](int id) {
        wxCommandEvent command(wxEVT_MENU, id);
        frame->ProcessWindowEvent(command);
    };
    auto checked = [&](int id) {
        wxUpdateUIEvent update(id);
        frame->ProcessWindowEvent(update);
        return update.GetSetChecked() && update.GetChecked();
    };
    EXPECT_FALSE(checked(IdZoomWindow));
    send(IdZoomWindow);
    EXPECT_TRUE(host->IsZoomWindowOn());
    EXPECT_TRUE(checked(IdZoomWindow));
    send(IdRealtimeZoom);
    EXPECT_TRUE(host->IsRealtimeZoomCurrent());
    EXPECT_TRUE(checked(IdRealtimeZoom));
    EXPECT_FALSE(checked(IdZoomWindow));
    send(IdRealtimePan);
    EXPECT_TRUE(host->IsPanToolCurrent());
    send(IdRealtimePan);
    EXPECT_TRUE(host->GetCurrentTool()->IsDefaultTool());
    EXPECT_FALSE(checked(IdRealtimePan));
}

TEST_F(ViewToolsTest, ScreenshotOfARubberBand)
{
    settings->SetShowPointIdLabels(true);
    settings->SetShowPointDesc(true);
    doc->AddPoint("100", 200, 150);
    doc->AddPoint("101", 420, 380);
    doc->AddPoint("102", 640, 220);
    map->Core().Refresh();
    Pump();
    CLocaleTextOverride locale(".", ",");
    host->StartAnchorLineTool({CLocation(200, 150, NoValue), CLocation(640, 220, NoValue)}, {}, {});
    Move(ToClient(470, 420));
    FakeField field;
    Target(field);
    host->GetCurrentTool()->RunSnapProcedure(ToClient(423, 378));
    const wxImage shown = map->GetShownImage();
    EXPECT_NE(Pixel(shown, ToClient(310, 265)), map->PaletteColour(settings->GetGraphicsBackgroundColor()));
    EXPECT_TRUE(shown.SaveFile(wxString::FromUTF8(std::string(MORVEL_TEST_OUTPUT_DIR) + "/view_tools_rubber_band.png"),
                               wxBITMAP_TYPE_PNG));
}

TEST_F(ViewToolsTest, APickBoxOf21LeavesTheToolsWithoutACursor)
{
    host->StartPickTool();
    EXPECT_TRUE(map->GetCursor().IsOk());
    settings->SetPickBoxSize(21);
    host->StartPickTool();
    EXPECT_FALSE(host->GetCurrentTool()->HasCursor());
    EXPECT_FALSE(map->GetCursor().IsOk()); // the ordinary arrow
    host->StartLocationTool();
    EXPECT_FALSE(host->GetCurrentTool()->HasCursor());
    host->StartSelectByRectTool();
    EXPECT_FALSE(host->GetCurrentTool()->HasCursor());
    host->StartAnchorLineTool({CLocation(1, 1, NoValue)});
    EXPECT_FALSE(host->GetCurrentTool()->HasCursor());
    host->RestoreDefaultTool();
    EXPECT_FALSE(host->GetCurrentTool()->HasCursor());
    // The location tool's crosshair then has no gap.
    host->StartLocationTool();
    Move(wxPoint(300, 300));
    const wxImage shown = map->GetShownImage();
    EXPECT_EQ(Pixel(shown, wxPoint(300, 300)), map->PaletteColour(settings->GetCursorColor()));
}

TEST_F(ViewToolsTest, ZoomToPointFromTheContextMenuCentresThePoint)
{
    map->InstallAsActiveJobMap();
    CPointRecord* point = doc->AddPoint("12", 100, 120);
    doc->SetCurrentRecord(point, -1);
    wxCommandEvent command(wxEVT_MENU, IdZoomToPointName);
    frame->ProcessWindowEvent(command);
    const CLocation tl = map->Core().GetVisibleTopLeft(), br = map->Core().GetVisibleBottomRight();
    EXPECT_NEAR((tl.x + br.x) / 2, 100, 1);
    EXPECT_NEAR((tl.y + br.y) / 2, 120, 1);
}

TEST_F(ViewToolsTest, AfterAZoomTheSnapMarkerComesBackOnItsPoint)
{
    doc->AddPoint("1", 300, 200);
    map->Core().Refresh();
    Pump();
    host->StartLocationTool();
    FakeField field;
    Target(field);
    CViewTool* tool = host->GetCurrentTool();
    tool->RunSnapProcedure(ToClient(302, 201));
    ASSERT_EQ(tool->GetSnapMarkerPoint(), (DevicePoint{300, 400}));
    map->Core().ZoomIn(25);
    PaintNow();
    const wxPoint moved = ToClient(300, 200);
    EXPECT_NE(moved, wxPoint(300, 400));
    EXPECT_EQ(tool->GetSnapMarkerPoint(), (DevicePoint{moved.x, moved.y}));
    EXPECT_EQ(Pixel(map->GetShownImage(), moved - wxPoint(4, 0)), map->PaletteColour(settings->GetSelectionColor()));
}
