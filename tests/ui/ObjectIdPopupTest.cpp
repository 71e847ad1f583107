#include "ProgramTest.h"

#include "core/DataExchange.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/ObjectIdWnd.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/ZoomToPoint.h"
#include "views/MapCommands.h"
#include "views/ui/MapLayer.h"
#include "views/ui/MorvelView.h"
#include "views/ui/ObjectSelectWnd.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ToolPopups.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cmath>

using morvel::test::ProgramTest;

namespace {

// The program with a job of points: three that lie within one pick box, 3.5 pixels apart, and
// some others around them.
class PopupTest : public ProgramTest
{
protected:
    void StartWithPoints()
    {
        ASSERT_TRUE(Start());
        view = Frame().GetJobView();
        ASSERT_NE(view, nullptr);
        map = view->GetMapPane();
        ASSERT_NE(map, nullptr);
        job = CDataFileDoc::GetActiveDoc();
        ASSERT_NE(job, nullptr);
        App().GetSettings().SetShowPointIdLabels(false);
        App().GetSettings().SetShowPointDesc(true);
        Add("100", "IP", 5000, 3000, 100);
        Add("200", "CP", 5100, 3080, NoValue);
        Add("300", "EP", 4900, 2950, 98.5);
        Pump();
        map->Preview().SetWorldWindow(4980, 5020, 3015, 2985);
        Pump();
        const double pixelsPerUnit = Client(5001, 3000).x - Client(5000, 3000).x;
        ASSERT_GT(pixelsPerUnit, 5);
        const double d = 3.5 / pixelsPerUnit;
        Add("101", "FENCE", 5000 + d, 3000, NoValue);
        Add("102", "", 5000 - d, 3000, 99.25);
        Pump();
        map->Preview().SetWorldWindow(4980, 5020, 3015, 2985);
        Pump();
    }

    CPointRecord* Add(const char* name, const char* description, double e, double n, double z)
    {
        auto* p = new CPointRecord(name, description, CLocation(e, n, z), true);
        if (!job->AddRecord(p)) {
            delete p;
            return nullptr;
        }
        return p;
    }

    wxPoint Client(double x, double y)
    {
        CPickQuery q;
        q.location = CLocation(x, y, NoValue);
        map->Core().OnWorldToDevice8084(q);
        return wxPoint(q.point.x, q.point.y);
    }

    // The popup after a pause of the mouse over the world point, once the map has drawn.
    CObjectIdWnd* HoverAt(double x, double y)
    {
        if (!IdentifyAtMapPoint(map, Client(x, y)))
            return nullptr;
        CObjectIdWnd* popup = GetToolIdPopup();
        if (popup)
            popup->ShowWhenReady();
        return popup;
    }

    uint32_t PixelAt(const CRecord* record)
    {
        const CLocation at = static_cast<const CPointRecord*>(record)->GetLocation();
        const wxPoint p = Client(at.x, at.y);
        const wxImage image = map->GetMapLayer()->GetImage();
        return uint32_t(image.GetRed(p.x, p.y)) | (uint32_t(image.GetGreen(p.x, p.y)) << 8) |
               (uint32_t(image.GetBlue(p.x, p.y)) << 16);
    }
    uint32_t Selection() { return map->PaletteColour(App().GetSettings().GetSelectionColor()); }
    uint32_t Normal() { return map->PaletteColour(App().GetSettings().GetDefaultObjectColor()); }

    CRecord* Shown(CObjectIdWnd* popup)
    {
        const CObjectIdPage* page = popup->GetPages().GetCurrentPage();
        return page ? page->object.record : nullptr;
    }

    CMorvelView* view = nullptr;
    CPreviewMapCtrl* map = nullptr;
    CDataFileDoc* job = nullptr;
};

// A chooser whose point menu answers with a chosen command instead of waiting for a person.
class ScriptedChooser : public CObjectSelectWnd
{
public:
    int command = wxID_NONE;
    int menuItems = 0;

protected:
    int TrackMenu(wxMenu& menu, const wxPoint&) override
    {
        menuItems = int(menu.GetMenuItemCount());
        return command;
    }
};

} // namespace

TEST_F(PopupTest, APauseOverOnePointShowsItsDescriptionBesideTheCursor)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    map->Preview().ZoomExtents(true);
    Pump();
    EXPECT_EQ(HoverAt(5050, 3040), nullptr) << "nothing there";
    CObjectIdWnd* popup = HoverAt(5100, 3080);
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->IsPopupVisible());
    const std::vector<std::string> lines = popup->GetShownLines();
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[0], "Object type\tPoint");
    EXPECT_EQ(lines[2], "Name\t200");
    EXPECT_EQ(lines[3], "Description\tCP");
    EXPECT_EQ(lines.back().rfind("Easting\t", 0), 0u) << "no elevation line for a 2D point";
    // The point lies in the upper right: the box flips to the left of and above the cursor.
    const wxPoint cursor = map->ClientToScreen(Client(5100, 3080));
    const wxRect box = popup->GetScreenRect();
    EXPECT_LT(box.GetRight(), cursor.x);
    EXPECT_GE(box.GetTop(), Frame().GetScreenRect().GetTop());
    EXPECT_FALSE(popup->HasFocus());
    popup->Dismiss();
    EXPECT_FALSE(popup->IsPopupVisible());
    Exit();
}

TEST_F(PopupTest, OverlappingPointsArePagedWithTheShownOneHighlighted)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    App().GetToolHost().EnsureDefaultTool(map);
    CViewTool* tool = App().GetToolHost().GetCurrentTool();
    ASSERT_NE(tool, nullptr);
    CObjectIdWnd* popup = HoverAt(5000, 3000);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->IsPopupVisible());
    ASSERT_EQ(popup->GetPages().GetCount(), 3);
    // Beside the cursor, 8 pixels right and below.
    EXPECT_EQ(popup->GetScreenPosition(), map->ClientToScreen(Client(5000, 3000)) + wxPoint(8, 8));
    ASSERT_TRUE(SaveScreenshot(*view, "map_object_popup.png"));

    EXPECT_EQ(popup->GetShownLines()[0], "Selection\t1 of 3");
    EXPECT_EQ(popup->GetShownLines()[3], "Name\t100"); // the nearest first
    CRecord* first = Shown(popup);
    EXPECT_EQ(PixelAt(first), Selection());
    EXPECT_TRUE(tool->IsIdPopupShown());

    // Space (through the tool) moves on; the highlight follows the page.
    ASSERT_TRUE(tool->SelectNextIdObject());
    popup->ShowWhenReady();
    EXPECT_EQ(popup->GetShownLines()[0], "Selection\t2 of 3");
    CRecord* second = Shown(popup);
    EXPECT_NE(second, first);
    EXPECT_EQ(PixelAt(second), Selection());
    EXPECT_EQ(PixelAt(first), Normal());
    ASSERT_TRUE(tool->SelectNextIdObject());
    popup->ShowWhenReady();
    EXPECT_EQ(popup->GetShownLines()[0], "Selection\t3 of 3");
    ASSERT_TRUE(tool->SelectNextIdObject());
    popup->ShowWhenReady();
    EXPECT_EQ(popup->GetShownLines()[0], "Selection\t1 of 3");
    EXPECT_EQ(Shown(popup), first);
    // Shift+Space goes back round to the last.
    ASSERT_TRUE(tool->SelectPreviousIdObject());
    popup->ShowWhenReady();
    EXPECT_EQ(popup->GetShownLines()[0], "Selection\t3 of 3");
    EXPECT_EQ(PixelAt(first), Normal());

    // A right press offers the menu of the point the popup shows, not of the nearest one, nor of
    // a raw line drawn under the cursor.
    CRecord* shown = Shown(popup);
    map->Preview().AddPreviewLocation(CLocation(5000, 3000, NoValue), 0, 4);
    bool beep = false;
    std::unique_ptr<wxMenu> menu = map->BuildContextMenu(Client(5000, 3000), beep);
    map->Preview().ClearPreviews();
    ASSERT_NE(menu, nullptr);
    const std::string name = static_cast<CPointRecord*>(shown)->GetName();
    EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabelText().ToStdString(), "Edit Point " + name + "...");
    RecordRef current;
    ASSERT_TRUE(job->GetCurrentRecord(current));
    EXPECT_EQ(current.record, shown);
    job->ClearCurrentRecord();

    // A press on the map takes the object the popup shows and takes the highlight away.
    map->OnLeftDown(Client(5000, 3000));
    EXPECT_FALSE(popup->IsPopupVisible());
    EXPECT_EQ(PixelAt(shown), Normal());
    EXPECT_FALSE(tool->SelectNextIdObject());

    // A single point: no paging.
    map->Preview().ZoomExtents(true);
    Pump();
    popup = HoverAt(5100, 3080);
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(tool->SelectNextIdObject());
    EXPECT_FALSE(tool->SelectPreviousIdObject());
    Exit();
}

TEST_F(PopupTest, UndoWhileThreeObjectsShowThenAClickTouchesNoFreedRecord)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    CDataFileUndoManager& undo = *job->GetUndoManager();
    ASSERT_TRUE(undo.RecordUndoWithText("Move point 200"));
    job->GetPointDatabase()->FindPoint("200", true)->SetLocation(CLocation(5101, 3081, NoValue), true);
    CObjectIdWnd* popup = HoverAt(5000, 3000);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->GetPages().GetCount(), 3);

    // Ctrl+Z replaces every record of the job. Before the hints arrive, paging and a press find
    // the old records gone and neither draw nor hand them out.
    ASSERT_TRUE(undo.Undo());
    EXPECT_TRUE(popup->NextObject() || !popup->IsPopupVisible());
    popup->ShowWhenReady();
    RecordRef current;
    EXPECT_FALSE(popup->GetCurrentObject(current));
    map->OnLeftDown(Client(5000, 3000));
    RecordRef hit;
    EXPECT_FALSE(map->GetCurrentHit(hit));

    // Once the hints are delivered a popup that still holds a pick lets it go without a word.
    popup = HoverAt(5000, 3000);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->IsPopupVisible());
    ASSERT_TRUE(undo.Redo());
    job->SendHint(nullptr, HintFlush, 0);
    EXPECT_TRUE(WaitFor("the popup to close", [&] { return !popup->IsPopupVisible(); }));
    EXPECT_TRUE(popup->IsEmpty());
    map->OnLeftDown(Client(5000, 3000));
    EXPECT_FALSE(StepToolIdPopup(true));
    Exit();
}

TEST_F(PopupTest, ADeletedPointOrAClosedMapTakesThePickAway)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    CObjectIdWnd* popup = HoverAt(5000, 3000);
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->IsPopupVisible());
    CRecord* shown = Shown(popup);
    ASSERT_TRUE(job->DeleteRecord(shown, false));
    job->SendHint(nullptr, HintFlush, 0);
    EXPECT_TRUE(WaitFor("the popup to close", [&] { return !popup->IsPopupVisible(); }));
    EXPECT_TRUE(popup->IsEmpty());

    // The owner goes while the pick shows: the popup forgets it and asks it nothing more.
    popup = HoverAt(5000, 3000);
    ASSERT_NE(popup, nullptr);
    ASSERT_NE(popup->GetOwner(), nullptr);
    {
        CMapCtrlCore core;
        popup->ShowForPick({RecordRef{Shown(popup), -1}}, wxPoint(10, 10), 0, 0, &core, 9);
        EXPECT_EQ(popup->GetOwner(), &core);
    }
    EXPECT_EQ(popup->GetOwner(), nullptr);
    EXPECT_TRUE(popup->IsEmpty());
    popup->Dismiss();
    Exit();
}

TEST_F(PopupTest, TipsOfListsAndFieldsAndTheSwatch)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    auto* tip = new CObjectIdWnd(true);
    ASSERT_TRUE(tip->Create(&Frame()));
    const wxPoint at = Frame().GetScreenPosition() + wxPoint(100, 100);
    tip->ShowText("Colour\t\r-5\nLayer\tWALLS\n", at.x, at.y, {}, WindowTextColor);
    ASSERT_TRUE(tip->IsPopupVisible());
    EXPECT_EQ(tip->GetScreenPosition(), at + wxPoint(10, 8));
    EXPECT_EQ(tip->GetShownLines(), (std::vector<std::string>{"Colour\t(5)", "Layer\tWALLS"}));
    EXPECT_EQ(CObjectIdWnd::GetCurrentTip(), tip);
    // A second request while the tip shows is ignored; an empty text dismisses.
    tip->ShowText("Other", at.x, at.y, {}, WindowTextColor);
    EXPECT_EQ(tip->GetShownLines()[0], "Colour\t(5)");
    tip->Dismiss();
    EXPECT_EQ(CObjectIdWnd::GetCurrentTip(), nullptr);
    tip->ShowText("", at.x, at.y, {}, WindowTextColor);
    EXPECT_FALSE(tip->IsPopupVisible());
    tip->ShowForObject("Invalid selection:\nno point\n", at.x, at.y, 672, MakeRgb(128, 0, 0));
    EXPECT_TRUE(tip->IsPopupVisible());
    tip->Destroy();
    Pump();
    Exit();
}

TEST_F(PopupTest, TheChooserListsTheObjectsAndHighlightsTheRowMovedTo)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    CPickQuery q;
    q.location = CLocation(5000, 3000, NoValue);
    q.tolerance = CLocation(0.5, 0.5, NoValue);
    ASSERT_TRUE(map->Core().OnPick808B(true, q));
    ASSERT_EQ(q.hits.size(), 3u);
    std::vector<RecordRef> objects = q.hits;

    auto* chooser = new ScriptedChooser();
    RecordRef chosen;
    const wxPoint screen = map->ClientToScreen(Client(5000, 3000));
    ASSERT_TRUE(chooser->Prepare(&chosen, objects, screen.x, screen.y, &map->Core(), &Frame(), "Edit...", "Cancel"));
    EXPECT_EQ(chooser->GetTitleText(), "Select an Object");
    EXPECT_EQ(chooser->GetOkButton()->GetLabel(), "Edit...");
    EXPECT_EQ(chooser->GetCancelButton()->GetLabel(), "Cancel");
    ASSERT_EQ(chooser->GetList()->GetItemCount(), 3);
    EXPECT_EQ(chooser->GetList()->GetItemText(0), "Point: 100");
    EXPECT_EQ(chooser->GetSelectedRow(), 0);
    EXPECT_TRUE(chooser->IsHighlightSent());
    EXPECT_EQ(PixelAt(objects[0].record), Selection());
    EXPECT_EQ(chooser->GetPosition(), screen + wxPoint(8, 8));

    // OK without a row asks for one and stays.
    chooser->GetList()->SetItemState(0, 0, wxLIST_STATE_SELECTED);
    chooser->OnRowDeselected(0);
    EXPECT_EQ(PixelAt(objects[0].record), Normal());
    chooser->OnOk();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Select an object.");
    EXPECT_EQ(chooser->GetEndCode(), 0);

    // Moving to the second row highlights it; OK hands it over and takes the highlight away.
    chooser->GetList()->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    chooser->OnRowSelected(1);
    EXPECT_EQ(PixelAt(objects[1].record), Selection());
    chooser->OnOk();
    EXPECT_EQ(chooser->GetEndCode(), wxID_OK);
    EXPECT_EQ(chosen.record, objects[1].record);
    EXPECT_EQ(PixelAt(objects[1].record), Normal());

    // Cancel with a highlighted row removes the highlight first.
    chosen = RecordRef{};
    ASSERT_TRUE(chooser->Prepare(&chosen, objects, screen.x, screen.y, &map->Core(), &Frame(), "", ""));
    EXPECT_EQ(chooser->GetOkButton()->GetLabel(), "Ok");
    chooser->Show();
    EXPECT_EQ(PixelAt(objects[0].record), Selection());
    EXPECT_TRUE(SaveScreenshot(*chooser, "object_chooser.png"));
    chooser->OnCancel();
    EXPECT_EQ(chooser->GetEndCode(), wxID_CANCEL);
    EXPECT_EQ(PixelAt(objects[0].record), Normal());
    EXPECT_EQ(chosen.record, nullptr);

    // Another program taking the activation closes it as cancelled.
    ASSERT_TRUE(chooser->Prepare(&chosen, objects, screen.x, screen.y, &map->Core(), &Frame(), "", ""));
    chooser->Show();
    chooser->OnAppActivate(false);
    Pump();
    EXPECT_EQ(chooser->GetEndCode(), wxID_CANCEL);

    // A right click offers the point's menu; a chosen command closes the chooser and goes to
    // the main window with the point as the job's current record.
    ASSERT_TRUE(chooser->Prepare(&chosen, objects, screen.x, screen.y, &map->Core(), &Frame(), "", ""));
    chooser->Show();
    chooser->command = IdZoomToPointName;
    chooser->OnListContextMenu(screen);
    EXPECT_EQ(chooser->menuItems, 5);
    RecordRef current;
    ASSERT_TRUE(job->GetCurrentRecord(current));
    EXPECT_EQ(current.record, objects[0].record);
    Pump();
    EXPECT_EQ(chooser->GetEndCode(), wxID_CANCEL);
    chooser->Destroy();
    Pump();
    Exit();
}

TEST_F(PopupTest, ZoomToPointOpensZoomsAndClosesAgain)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    wxCommandEvent command(wxEVT_MENU, IdZoomToPoint);
    Frame().ProcessWindowEvent(command);
    CZoomToPoint* dialog = CZoomToPoint::GetInstance();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(dialog->GetFrame(), nullptr);
    EXPECT_EQ(dialog->GetFrame()->GetTitle(), "Zoom to point");
    EXPECT_TRUE(dialog->GetFrame()->IsShown());
    EXPECT_NE(dialog->FindWindow(wxID_OK), nullptr);
    EXPECT_EQ(dialog->FindWindow(wxID_OK)->GetLabel(), "Zoom");
    EXPECT_EQ(dialog->FindWindow(wxID_CANCEL)->GetLabel(), "Close");

    // A point that is not in the job is refused beside the field and nothing moves.
    std::vector<std::string> refusals;
    DdxErrorHandler previous = SetDdxErrorHandler([&refusals](const DdxErrorRequest& r) {
        refusals.push_back(std::to_string(r.controlId) + " " + r.message);
        return 1;
    });
    const CLocation before = map->Core().GetVisibleTopLeft();
    dialog->GetPointField()->SetValue("999");
    dialog->OnOK();
    SetDdxErrorHandler(previous);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].rfind("1167 ", 0), 0u) << refusals[0];
    EXPECT_EQ(map->Core().GetVisibleTopLeft().x, before.x);
    EXPECT_EQ(CZoomToPoint::GetInstance(), dialog);

    // Point 300 lies outside the window: Zoom brings it to the middle and shows its description.
    dialog->GetPointField()->SetValue("300");
    dialog->OnOK();
    const CLocation tl = map->Core().GetVisibleTopLeft(), br = map->Core().GetVisibleBottomRight();
    EXPECT_NEAR((tl.x + br.x) / 2, 4900, 0.5);
    EXPECT_NEAR((tl.y + br.y) / 2, 2950, 0.5);
    EXPECT_EQ(dialog->GetDescriptionText()->GetLabel(), "EP");
    EXPECT_TRUE(dialog->GetFrame()->IsShown());
    // Without a window manager the window's own rectangle is not where it shows: take the frame.
    EXPECT_TRUE(SaveScreenshot(Frame(), "zoom_to_point.png"));
    EXPECT_TRUE(SaveScreenshot(*dialog->GetFrame(), "zoom_to_point_window.png"));

    // The command again closes it.
    Frame().ProcessWindowEvent(command);
    EXPECT_TRUE(WaitFor("the window to close", [] { return CZoomToPoint::GetInstance() == nullptr; }));
    Exit();
}

// With the balloon up over a refused name, the window's Close and its closing still close it
// (Escape is the balloon's own).
TEST_F(PopupTest, ZoomToPointClosesWhileItsBalloonShows)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    auto key = [](wxWindow& to, int code) {
        wxKeyEvent press(wxEVT_CHAR_HOOK);
        press.m_keyCode = code;
        press.SetEventObject(&to);
        to.ProcessWindowEvent(press);
    };
    struct Case
    {
        const char* name;
        std::function<void(CZoomToPoint&, CDdxErrorDlg&)> leave;
    };
    const Case cases[] = {
        {"Close", [](CZoomToPoint& d, CDdxErrorDlg&) {
             wxWindow* close = d.FindWindow(wxID_CANCEL);
             wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
             click.SetEventObject(close);
             close->ProcessWindowEvent(click);
         }},
        {"Alt+F4", [](CZoomToPoint& d, CDdxErrorDlg&) { d.GetFrame()->Close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        wxCommandEvent command(wxEVT_MENU, IdZoomToPoint);
        Frame().ProcessWindowEvent(command);
        CZoomToPoint* dialog = CZoomToPoint::GetInstance();
        ASSERT_NE(dialog, nullptr);
        dialog->GetPointField()->SetValue("999");
        std::string said;
        bool balloonStayed = false;
        whenShown = [&](wxDialog& shown) {
            auto* balloon = dynamic_cast<CDdxErrorDlg*>(&shown);
            if (!balloon)
                return;
            said = balloon->GetMessage();
            c.leave(*dialog, *balloon);
            // A way out the balloon kept for itself would leave the test waiting on it.
            if (!balloon->IsClosed()) {
                balloonStayed = true;
                balloon->Close(wxID_CANCEL);
            }
        };
        dialog->OnOK();
        Pump();
        EXPECT_FALSE(said.empty());
        EXPECT_FALSE(balloonStayed);
        EXPECT_EQ(CZoomToPoint::GetInstance(), nullptr);
        EXPECT_EQ(CDdxErrorDlg::GetShown(), nullptr);
    }
    // Enter on the balloon closes the balloon alone; the window stays for the next name.
    wxCommandEvent command(wxEVT_MENU, IdZoomToPoint);
    Frame().ProcessWindowEvent(command);
    CZoomToPoint* dialog = CZoomToPoint::GetInstance();
    ASSERT_NE(dialog, nullptr);
    dialog->GetPointField()->SetValue("999");
    int balloons = 0;
    bool enterClosed = false;
    whenShown = [&](wxDialog& shown) {
        if (auto* balloon = dynamic_cast<CDdxErrorDlg*>(&shown)) {
            ++balloons;
            key(*balloon, WXK_RETURN);
            enterClosed = balloon->IsClosed();
            if (!enterClosed)
                balloon->Close(wxID_CANCEL);
        }
    };
    dialog->OnOK();
    Pump();
    EXPECT_EQ(balloons, 1);
    EXPECT_TRUE(enterClosed);
    EXPECT_EQ(CDdxErrorDlg::GetShown(), nullptr);
    EXPECT_EQ(CZoomToPoint::GetInstance(), dialog);
    Frame().ProcessWindowEvent(command);
    Pump();
    Exit();
}

namespace {

// A map that is still drawing until told otherwise, and counts its highlights.
class DrawingOwner : public CObjectIdOwner
{
public:
    bool GetObjectUnitLabel(std::string& label) override
    {
        label = "m";
        return true;
    }
    bool HighlightObject(CRecord*, bool on) override
    {
        highlighted += on ? 1 : -1;
        return true;
    }
    bool IsDrawingPending() override { return pending; }
    bool pending = true;
    int highlighted = 0;
};

} // namespace

TEST_F(PopupTest, APickWaitsUntilTheMapHasDrawn)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    CObjectIdWnd* popup = EnsureToolIdPopup(map);
    ASSERT_NE(popup, nullptr);
    CPointRecord* point = job->GetPointDatabase()->FindPoint("200", true);
    DrawingOwner owner;
    popup->ShowForPick({RecordRef{point, -1}}, Frame().GetScreenPosition() + wxPoint(50, 50), 0, 0, &owner, 9);
    EXPECT_EQ(owner.highlighted, 1);
    EXPECT_TRUE(popup->IsWaitingToShow());
    Pump();
    popup->ShowWhenReady();
    EXPECT_FALSE(popup->IsPopupVisible()) << "the map is still drawing";
    owner.pending = false;
    EXPECT_TRUE(WaitFor("the idle pass after the drawing to show it", [&] { return popup->IsPopupVisible(); }));
    EXPECT_FALSE(popup->IsWaitingToShow());
    // Dismissing draws the object normally again.
    popup->Dismiss();
    EXPECT_EQ(owner.highlighted, 0);
    EXPECT_FALSE(popup->IsPopupVisible());
    Exit();
}

TEST_F(PopupTest, TheDefaultToolsPauseShowsThePopupOrARawLinesTip)
{
    ASSERT_NO_FATAL_FAILURE(StartWithPoints());
    CViewToolHost& tools = App().GetToolHost();
    tools.EnsureDefaultTool(map);
    tools.isForeground = [](bool) { return true; };
    CViewTool* tool = tools.GetCurrentTool();
    ASSERT_NE(tool, nullptr);

    // The pause over the three points: their pages, once the map has drawn.
    tool->RunHoverProcedure(Client(5000, 3000));
    CObjectIdWnd* popup = GetToolIdPopup();
    ASSERT_NE(popup, nullptr);
    popup->ShowWhenReady();
    ASSERT_TRUE(popup->IsPopupVisible());
    EXPECT_EQ(popup->GetShownLines()[0], "Selection\t1 of 3");
    EXPECT_TRUE(tool->IsIdPopupShown());
    tool->DismissIdPopup();
    EXPECT_FALSE(popup->IsPopupVisible());

    // A raw observation drawn across the spot is named first; the job's raw data has no such line.
    map->Preview().AddPreviewLine(CLocation(4990, 3000.1, NoValue), CLocation(5010, 3000.1, NoValue), 3, 1, 4711);
    tool->RunHoverProcedure(Client(5000, 3000));
    popup->ShowWhenReady();
    ASSERT_TRUE(popup->IsPopupVisible());
    EXPECT_EQ(popup->GetShownLines()[0], "UNRECOGNIZED LINE!");
    RecordRef none;
    EXPECT_FALSE(popup->GetCurrentObject(none)) << "a line's tip names no job object";
    tools.isForeground = nullptr;
    Exit();
}
