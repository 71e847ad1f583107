#include "MapPaneFixture.h"

#include "core/MathConversions.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/TestJobDoc.h"
#include "platform/Profile.h"
#include "shell/CommandIds.h"
#include "views/MapCommands.h"
#include "views/ScratchGeometry.h"
#include "views/ui/MapLayer.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/sizer.h>
#include <wx/uiaction.h>

#include <dlfcn.h>

#include <cmath>
#include <functional>

using namespace morvel::test;

namespace {

class MapPaneTest : public MapPaneFixture
{
protected:
    uint32_t PaletteColour(int32_t index) { return map->PaletteColour(index); }
};

} // namespace

TEST_F(MapPaneTest, PointsAreDrawnAsPlusSignsInTheLayer)
{
    ASSERT_EQ(map->GetClientSize(), wxSize(800, 600));
    doc->AddPoint("1", 1000, 2000);
    doc->AddPoint("2", 1400, 2300);
    map->Preview().ZoomExtents(true);
    const wxPoint a = ToClient(1000, 2000);
    EXPECT_EQ(a, wxPoint(80, 540));
    CMapLayer* layer = map->GetMapLayer();
    ASSERT_NE(layer, nullptr);
    const wxImage image = layer->GetImage();
    const uint32_t points = PaletteColour(settings->GetDefaultObjectColor());
    const uint32_t background = PaletteColour(settings->GetGraphicsBackgroundColor());
    EXPECT_EQ(Pixel(image, a), points);
    EXPECT_EQ(Pixel(image, a + wxPoint(2, 0)), points);
    EXPECT_EQ(Pixel(image, a + wxPoint(0, 2)), points);
    EXPECT_EQ(Pixel(image, a + wxPoint(-2, 0)), points);
    EXPECT_EQ(Pixel(image, a + wxPoint(0, -2)), points);
    EXPECT_EQ(Pixel(image, a + wxPoint(3, 0)), background); // the stroke's last pixel stays out
    EXPECT_EQ(Pixel(image, a + wxPoint(2, 2)), background);
    EXPECT_EQ(Pixel(image, wxPoint(400, 300)), background);
}

TEST_F(MapPaneTest, AWheelNotchZoomsTenPercentASide)
{
    const double width = map->Core().GetVisibleBottomRight().x - map->Core().GetVisibleTopLeft().x;
    map->OnWheel(120);
    EXPECT_NEAR(map->Core().GetVisibleBottomRight().x - map->Core().GetVisibleTopLeft().x, width * 0.8, 1e-6);
    map->OnWheel(-120);
    EXPECT_NEAR(map->Core().GetVisibleBottomRight().x - map->Core().GetVisibleTopLeft().x, width * 0.8 * 1.2, 1e-6);
}

TEST_F(MapPaneTest, EscEndsALongRedrawKeepingWhatIsDrawn)
{
    settings->SetShowPointIdLabels(false);
    settings->SetShowPointDesc(true); // symbols only
    // 96 by 64 points 8 pixels apart; name order runs row by row from the bottom.
    const int n = 3 * CMapCtrlMemoryView::StepRecords;
    for (int i = 0; i < n; ++i)
        doc->AddPoint(std::to_string(i + 1).c_str(), double(i % 96), double(i / 96));
    map->Preview().SetWorldWindow(-2, 97, 66, -2);
    CMapLayer* layer = map->GetMapLayer();
    ASSERT_NE(layer, nullptr);
    // Escape arrives while the first step of points is being drawn: the key reaches the map.
    int polls = 0;
    layer->SetEscapePoll([&] {
        if (++polls == 2)
            map->OnEscapeKey();
        return map->TakeEscape();
    });
    map->Core().Refresh();
    EXPECT_FALSE(map->Core().HasPendingDrawing());
    const wxImage image = layer->GetImage();
    const uint32_t points = PaletteColour(settings->GetDefaultObjectColor());
    const wxPoint first = ToClient(0, 0), last = ToClient(95, 63);
    EXPECT_EQ(Pixel(image, wxPoint(first.x, first.y - 2)), points); // drawn before Esc
    EXPECT_NE(Pixel(image, wxPoint(last.x, last.y - 2)), points);   // never reached

    // The next request starts normally and runs to its end.
    layer->SetEscapePoll(nullptr);
    map->Core().Refresh();
    EXPECT_EQ(Pixel(layer->GetImage(), wxPoint(last.x, last.y - 2)), points);
}

TEST_F(MapPaneTest, AnOverlayDrawnAndErasedLeavesThePixelsUnchanged)
{
    doc->AddPoint("1", 50, 50);
    map->Core().Refresh();
    const wxImage before = map->GetShownImage();
    map->ShowOverlay([](wxDC& dc) {
        dc.SetPen(*wxRED_PEN);
        dc.DrawCircle(400, 300, 40);
    });
    const wxImage with = map->GetShownImage();
    EXPECT_NE(Pixel(with, wxPoint(440, 300)), Pixel(before, wxPoint(440, 300)));
    map->EraseOverlay();
    const wxImage after = map->GetShownImage();
    ASSERT_EQ(after.GetSize(), before.GetSize());
    EXPECT_EQ(0, memcmp(after.GetData(), before.GetData(), size_t(before.GetWidth()) * before.GetHeight() * 3));
}

TEST_F(MapPaneTest, AScratchLineIsDrawnOnTheActiveJobMap)
{
    OpenDocumentScope open(doc.get());
    map->InstallAsActiveJobMap();
    settings->SetShowScratchLines(true);
    const bool modified = doc->IsModified();
    AddScratchLine(CLocation(10, 10, NoValue), CLocation(90, 90, NoValue));
    const wxImage image = map->GetMapLayer()->GetImage();
    const wxPoint mid = ToClient(50, 50);
    EXPECT_EQ(Pixel(image, mid), PaletteColour(settings->GetScratchColor()));
    EXPECT_EQ(doc->IsModified(), modified);
    EraseScratchLines();
    EXPECT_EQ(Pixel(map->GetMapLayer()->GetImage(), mid), PaletteColour(settings->GetGraphicsBackgroundColor()));
}

TEST_F(MapPaneTest, ADoubleClickOnOnePointMakesItCurrentAndAsksToEditIt)
{
    CPointRecord* p = doc->AddPoint("7", 40, 60);
    doc->AddPoint("8", 60, 40);
    map->Core().Refresh();
    int edits = 0;
    frame->Bind(wxEVT_MENU, [&edits](wxCommandEvent&) { ++edits; }, IdEditPoints);
    map->OnLeftDoubleClick(ToClient(40, 60));
    Pump();
    RecordRef current;
    ASSERT_TRUE(doc->GetCurrentRecord(current));
    EXPECT_EQ(current.record, p);
    EXPECT_EQ(edits, 1);
    // Empty map: nothing.
    doc->ClearCurrentRecord();
    map->OnLeftDoubleClick(ToClient(10, 10));
    Pump();
    EXPECT_FALSE(doc->GetCurrentRecord(current));
    EXPECT_EQ(edits, 1);
}

TEST_F(MapPaneTest, ContextMenusForAPointAnEmptySpotAndARawLine)
{
    doc->AddPoint("12", 40, 60);
    map->Core().Refresh();
    bool beep = false;
    auto menu = map->BuildContextMenu(ToClient(40, 60), beep);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetLabel(IdEditPoints), "Edit Point 12...");
    EXPECT_EQ(menu->GetLabel(IdZoomToPointName), "Zoom to Point 12");

    settings->SetShowZoomContextMenu(false);
    EXPECT_FALSE(map->BuildContextMenu(ToClient(10, 10), beep));
    EXPECT_TRUE(beep);
    settings->SetShowZoomContextMenu(true);
    menu = map->BuildContextMenu(ToClient(10, 10), beep);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetMenuItemCount(), 9u);
    EXPECT_EQ(menu->GetLabel(IdZoomExtents), "Zoom Extents");

    // A raw line under the cursor whose point the job does not hold: only the line's item.
    map->Preview().AddPreviewLocation(CLocation(20, 20, NoValue), 0, 4);
    menu = map->BuildContextMenu(ToClient(20, 20), beep);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetMenuItemCount(), 1u);
    EXPECT_EQ(menu->GetLabel(IdEditRawDataRecords), "Edit Raw Data Line #5...");
}

TEST_F(MapPaneTest, ARightClickOrTheMenuKeyOpensOneMenu)
{
    settings->SetShowZoomContextMenu(true);
    // Each menu is counted as it opens and then closed, as Esc would close it.
    static const auto popdown = reinterpret_cast<void (*)(void*)>(::dlsym(RTLD_DEFAULT, "gtk_menu_popdown"));
    ASSERT_TRUE(popdown);
    int opened = 0;
    int closed = 0;
    map->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        ++opened;
        wxMenu* menu = e.GetMenu();
        map->CallAfter([menu] { popdown(menu->m_menu); });
        e.Skip();
    });
    map->Bind(wxEVT_MENU_CLOSE, [&](wxMenuEvent& e) {
        ++closed;
        e.Skip();
    });
    // Press and menu come back from the X server: waited for, however busy the machine is.
    frame->Raise();
    wxUIActionSimulator mouse;
    mouse.MouseMove(map->ClientToScreen(ToClient(10, 10)));
    mouse.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(YieldUntil("the menu of the click to open and close", [&] { return opened > 0 && closed == opened; }));
    EXPECT_EQ(opened, 1);

    map->SetFocus();
    ASSERT_TRUE(YieldUntil("the map to take the focus", [this] { return wxWindow::FindFocus() == map; }));
    wxUIActionSimulator().Char(WXK_MENU);
    ASSERT_TRUE(YieldUntil("the menu of the key to open and close", [&] { return opened > 1 && closed == opened; }));
    EXPECT_EQ(opened, 2);
}

TEST_F(MapPaneTest, TheZoomCommandsOfTheMainWindowReachTheActiveMap)
{
    doc->AddPoint("1", 1000, 2000);
    doc->AddPoint("2", 1400, 2300);
    map->InstallAsActiveJobMap();
    auto send = [this](int id) {
        wxCommandEvent e(wxEVT_MENU, id);
        frame->ProcessWindowEvent(e);
    };
    send(IdZoomExtents);
    EXPECT_DOUBLE_EQ(map->Core().GetWindow().x1, 950);
    wxUpdateUIEvent next(IdZoomNext);
    frame->ProcessWindowEvent(next);
    EXPECT_FALSE(next.GetEnabled());
    send(IdZoomIn);
    send(IdZoomPrevious);
    EXPECT_DOUBLE_EQ(map->Core().GetWindow().x1, 950);
    wxUpdateUIEvent next2(IdZoomNext);
    frame->ProcessWindowEvent(next2);
    EXPECT_TRUE(next2.GetEnabled());
}

TEST_F(MapPaneTest, Screenshot)
{
    OpenDocumentScope open(doc.get());
    map->InstallAsActiveJobMap();
    settings->SetShowScratchLines(true);
    settings->SetShowConstructionLines(true);
    // A small traverse with side shots and an intersection's scratch geometry.
    const char* names[] = {"100", "101", "102", "103", "104", "105", "106", "107", "108", "109", "110", "111"};
    for (int i = 0; i < 12; ++i) {
        const double a = i * 0.55;
        CPointRecord* p = doc->AddPoint(names[i], 5000 + 40 * std::cos(a) + 4 * i, 3000 + 28 * std::sin(a), 100 + i);
        p->SetDescription(i % 3 == 0 ? "IP" : "EP");
    }
    map->Preview().ZoomExtents(true);
    AddScratchLineBetweenPoints("100", "106");
    AddScratchCircleAtPoint("103", 12);
    AddConstructionLineFromPoint("101", "109");
    map->Preview().AddPreviewLocation(CLocation(5030, 2990, NoValue), 0, 2);
    map->Core().Refresh();
    const wxImage shown = map->GetShownImage();
    ASSERT_TRUE(shown.IsOk());
    EXPECT_TRUE(shown.SaveFile(wxString::FromUTF8(std::string(MORVEL_TEST_OUTPUT_DIR) + "/map_pane_layer.png"),
                               wxBITMAP_TYPE_PNG));
}

TEST_F(MapPaneTest, EscapeReachesTheDrawingWhereverTheFocusIs)
{
    auto press = [this] {
        wxKeyEvent escape(wxEVT_KEY_DOWN);
        escape.m_keyCode = WXK_ESCAPE;
        frame->ProcessWindowEvent(escape);
    };
    // Outside drawing the key is the focused window's.
    press();
    EXPECT_FALSE(map->TakeEscape());
    map->SetDrawingYield(true);
    press();
    map->SetDrawingYield(false);
    EXPECT_TRUE(map->TakeEscape());
    EXPECT_FALSE(map->TakeEscape());
}
