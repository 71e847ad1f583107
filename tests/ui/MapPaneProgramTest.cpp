#include "ProgramTest.h"

#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "views/MapCommands.h"
#include "views/ui/MapLayer.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"
#include "platform/MessageBox.h"
#include "shell/CommandIds.h"
#include "shell/ui/PromptSaveModified.h"
#include "model/PointDatabase.h"

#include <cmath>

#include <wx/uiaction.h>

using morvel::test::ProgramTest;
using morvel::test::YieldUntil;

TEST_F(ProgramTest, TheJobViewShowsTheMapPaneAndItTakesTheZoomCommands)
{
    ASSERT_TRUE(Start());
    App().GetSettings().SetShowPointIdLabels(true);
    App().GetSettings().SetShowPointDesc(true);

    // A small traverse with side shots, as a field crew brings it back.
    const char* names[] = {"100", "101", "102", "103", "104", "105", "106", "107", "108", "109"};
    std::vector<CPointRecord*> points;
    for (int i = 0; i < 10; ++i) {
        const double a = i * 0.6;
        points.push_back(new CPointRecord(names[i], i % 3 == 0 ? "IP" : "EP",
                                          CLocation(5000 + 40 * std::cos(a) + 3 * i, 3000 + 30 * std::sin(a), 100 + i),
                                          true));
    }
    std::vector<CLocation> places;
    for (const CPointRecord* point : points)
        places.push_back(point->GetLocation());
    CPreviewMapCtrl* map = ShowPointsOnMap(points);
    ASSERT_NE(map, nullptr);
    // Every point of the job lies in view, whatever the shape the window manager gave the map.
    const CLocation tl = map->Core().GetVisibleTopLeft(), br = map->Core().GetVisibleBottomRight();
    for (const CLocation& at : places) {
        EXPECT_LT(tl.x, at.x);
        EXPECT_GT(br.x, at.x);
        EXPECT_GT(tl.y, at.y);
        EXPECT_LT(br.y, at.y);
    }
    // And the view is fitted to them, not merely large: along one axis it spans them closely.
    const double spanX = br.x - tl.x, spanY = tl.y - br.y;
    EXPECT_TRUE(spanX < 2 * 80 || spanY < 2 * 60) << spanX << " by " << spanY;

    // The cursor's world position shows in the status bar's first pane.
    map->OnMove(wxPoint(map->GetClientSize().x / 2, map->GetClientSize().y / 2));
    EXPECT_FALSE(Frame().GetPaneText(1).empty());

    // Zoom Previous is offered only once there is a step to go back to.
    wxUpdateUIEvent previous(IdZoomPrevious);
    Frame().ProcessWindowEvent(previous);
    EXPECT_TRUE(previous.GetEnabled());

    ASSERT_TRUE(SaveScreenshot(*Frame().GetJobView(), "map_pane.png"));
    Exit();
}

// The map lets input run in the middle of a drawing step; a command that closes the job there
// waits until the step has returned, so the drawing never goes on over a freed map or job.
TEST_F(ProgramTest, ClosingTheJobWhileTheMapDrawsWaitsForTheDrawingStep)
{
    ASSERT_TRUE(Start());
    dialogAnswer = [](wxDialog& dialog) { return dynamic_cast<CPromptSaveModified*>(&dialog) ? IDNO : int(wxID_CANCEL); };
    std::vector<CPointRecord*> points;
    for (int i = 0; i < 2 * CMapCtrlMemoryView::StepRecords; ++i)
        points.push_back(new CPointRecord(std::to_string(i + 1).c_str(), "", CLocation(i % 96, i / 96, 0), true));
    CPreviewMapCtrl* map = ShowPointsOnMap(points);
    ASSERT_NE(map, nullptr);
    CMapLayer* layer = map->GetMapLayer();
    ASSERT_NE(layer, nullptr);
    int polls = 0;
    bool closedMidStep = false;
    layer->SetEscapePoll([&] {
        if (++polls == 2) {
            wxCommandEvent close(wxEVT_MENU, IdCloseJob);
            Frame().ProcessWindowEvent(close);
            closedMidStep = Frame().GetJobView() == nullptr || CDataFileDoc::GetActiveDoc() == nullptr;
        }
        return false;
    });
    map->Core().Refresh();
    EXPECT_GE(polls, 2);
    EXPECT_FALSE(closedMidStep);
    // Once the step is over the command runs: the job is closed and an empty one takes its place.
    Pump();
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(job, nullptr);
    ASSERT_NE(job->GetPointDatabase(), nullptr);
    EXPECT_EQ(job->GetPointDatabase()->GetFirstPosition(), nullptr);
    Exit();
}

// Escape in the map ends what the map is doing: the zoom window's band goes and the default tool
// is back, so the next click does not zoom; Realtime Pan and Realtime Zoom end the same way.
TEST_F(ProgramTest, EscapeInTheMapEndsTheZoomWindowAndTheRealtimeTools)
{
    ASSERT_TRUE(Start());
    CPreviewMapCtrl* map = ShowPointsOnMap({new CPointRecord("1", "", CLocation(1000, 2000, 0), true),
                                            new CPointRecord("2", "", CLocation(1200, 2150, 0), true)});
    ASSERT_NE(map, nullptr);
    CViewToolHost* tools = CViewToolHost::GetActive();
    ASSERT_NE(tools, nullptr);
    auto send = [&](int id) {
        wxCommandEvent command(wxEVT_MENU, id);
        Frame().ProcessWindowEvent(command);
    };
    auto ticked = [&](int id) {
        wxUpdateUIEvent update(id);
        Frame().ProcessWindowEvent(update);
        return update.GetSetChecked() && update.GetChecked();
    };
    const wxRect r = map->GetScreenRect();
    const wxPoint centre(r.x + r.width / 2, r.y + r.height / 2);
    wxUIActionSimulator input;

    send(IdZoomWindow);
    ASSERT_TRUE(tools->IsZoomWindowOn());
    input.MouseMove(centre);
    input.MouseClick();
    ASSERT_TRUE(YieldUntil("the first corner", [&] { return wxWindow::FindFocus() == map && map->HasOverlay(); }));
    input.MouseMove(centre + wxPoint(60, 40));
    ASSERT_TRUE(WaitFor("the band", [&] { return map->HasOverlay(); }));
    input.Char(WXK_ESCAPE);
    EXPECT_TRUE(YieldUntil("the default tool", [&] { return tools->GetCurrentTool()->IsDefaultTool(); }));
    EXPECT_FALSE(ticked(IdZoomWindow));
    // The next click is an ordinary one: the map keeps its window.
    const CWorldRect before = map->Core().GetWindow();
    input.MouseMove(centre - wxPoint(50, 30));
    morvel::test::InputWatch release(wxEVT_LEFT_UP);
    input.MouseClick();
    ASSERT_TRUE(YieldUntil("the click to reach the map", [&] { return release.heard; }));
    EXPECT_EQ(map->Core().GetWindow().x1, before.x1);
    EXPECT_EQ(map->Core().GetWindow().x2, before.x2);

    for (const int id : {IdRealtimePan, IdRealtimeZoom}) {
        SCOPED_TRACE(id);
        send(id);
        ASSERT_TRUE(ticked(id));
        input.Char(WXK_ESCAPE);
        EXPECT_TRUE(YieldUntil("the default tool", [&] { return tools->GetCurrentTool()->IsDefaultTool(); }));
        EXPECT_FALSE(ticked(id));
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_TRUE(SaveScreenshot(*Frame().GetJobView(), "map_after_escape.png"));
    Exit();
}
