#include "ProgramTest.h"

#include "framework/GraphicDataExchange.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/PointRecord.h"
#include "platform/MessagePump.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "views/MapCommands.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/image.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <cmath>

using morvel::test::ProgramTest;

namespace {

int g_liveTools = 0;

// A tool whose identification popup lists overlapping objects, recording what input asks of it.
class PopupTool : public CDefaultTool
{
public:
    explicit PopupTool(CMapCtrl* map) : CDefaultTool(map) { ++g_liveTools; }
    ~PopupTool() override { --g_liveTools; }
    bool IsDefaultTool() const override { return false; }

    bool popupShown = false; // the popup that goes at the next input
    bool listsObjects = true; // the stepping popup has objects to step through
    int next = 0, previous = 0, dismissed = 0;

    bool SelectNextIdObject() override { return listsObjects && ++next > 0; }
    bool SelectPreviousIdObject() override { return listsObjects && ++previous > 0; }
    bool IsIdPopupShown() const override { return popupShown; }
    // Counts the popups that went; the tool also asks whenever it is taken off the map.
    void DismissIdPopup() override
    {
        if (popupShown)
            ++dismissed;
        popupShown = false;
    }
};

// A panel field that waits for a point picked on the map.
class PickingField : public wxTextCtrl, public CGraphicDataTarget
{
public:
    PickingField(wxWindow* parent, CViewToolHost& tools) : wxTextCtrl(parent, wxID_ANY), m_tools(tools) {}
    int resumed = 0, focusedAgain = 0;
    bool IsTargetEnabled() const override { return IsEnabled(); }
    bool IsInteractive() const override { return true; }
    bool TakeGraphicData(uint32_t) override { return true; }
    bool IsInVisibleStackedDialog() const override { return IsShownOnScreen(); }
    void ResumeInteraction() override
    {
        ++resumed;
        m_tools.StartPickTool();
        GetGraphicDataExchange().SetTarget(this);
    }
    // As the real fields do: taking the focus again starts the picking afresh.
    void TakeFocusAgain() override
    {
        ++focusedAgain;
        m_tools.StartPickTool();
        GetGraphicDataExchange().SetTarget(this);
    }

private:
    CViewToolHost& m_tools;
};

class PickPanel : public CStackableDialog
{
public:
    explicit PickPanel(CViewToolHost& tools, uint32_t id = 1745, const wxString& title = "Add Point")
        : CStackableDialog(id, title), m_tools(tools)
    {
    }
    PickingField* field = nullptr;

protected:
    void BuildControls() override
    {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        field = new PickingField(this, m_tools);
        sizer->Add(field, 0, wxEXPAND);
        SetSizer(sizer);
    }

private:
    CViewToolHost& m_tools;
};

// A picking panel on the side bar whose field waits for a pick while the person works on the
// map; null when any step fails.
PickPanel* PickWhileOnTheMap(CMainFrame& frame, CViewToolHost& tools, const std::function<void()>& pump)
{
    CStackingDialogBar* bar = frame.GetStackingBar();
    auto* adding = bar ? new PickPanel(tools) : nullptr;
    if (adding == nullptr || !bar->PushDialog(adding))
        return nullptr;
    frame.ShowDialogBar(true);
    frame.Raise();
    pump();
    if (!GetGraphicDataExchange().SetTarget(adding->field))
        return nullptr;
    frame.GetJobView()->GetMapPane()->SetFocus();
    pump();
    return adding;
}

wxMouseEvent MouseAt(wxEventType type, wxWindow* window, wxPoint at)
{
    wxMouseEvent event(type);
    event.SetEventObject(window);
    event.SetId(window->GetId());
    event.SetPosition(at);
    event.m_middleDown = type == wxEVT_MIDDLE_DOWN;
    return event;
}

wxKeyEvent Key(wxWindow* window, int code, bool shift)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.SetEventObject(window);
    event.m_keyCode = code;
    event.SetShiftDown(shift);
    return event;
}

wxMouseEvent Wheel(wxWindow* window, wxPoint at, int rotation)
{
    wxMouseEvent event = MouseAt(wxEVT_MOUSEWHEEL, window, at);
    event.m_wheelRotation = rotation;
    event.m_wheelDelta = 120;
    event.m_linesPerAction = 3;
    return event;
}

} // namespace

TEST_F(ProgramTest, InputFilterPansWithTheMiddleButtonAndStepsThePopupWithSpaceAndWheel)
{
    ASSERT_TRUE(Start());
    CMorvelApp& app = App();
    CViewToolHost& tools = app.GetToolHost();
    std::vector<CPointRecord*> points;
    for (int i = 0; i < 6; ++i)
        points.push_back(new CPointRecord(std::to_string(200 + i).c_str(), "EP",
                                          CLocation(1000 + 25 * std::cos(i), 2000 + 25 * std::sin(i), 50), true));
    CPreviewMapCtrl* map = ShowPointsOnMap(points);
    ASSERT_NE(map, nullptr);

    // A point field of a side-bar panel picks; the person works on the map.
    auto* panel = new PickPanel(tools);
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(panel));
    Frame().ShowDialogBar(true);
    Frame().Raise();
    // The panel gave its field the keyboard; the person then works on the map.
    EXPECT_TRUE(WaitFor("the panel's field to take the focus",
                        [&] { return wxWindow::FindFocus() == static_cast<wxWindow*>(panel->field); }));
    map->SetFocus();
    Pump();
    // Other tests' windows on the shared X server may take the activation while this one runs.
    tools.isForeground = [](bool) { return true; };
    // The field installs its tool, then links itself (installing a tool resets the exchange).
    auto* picking = new PopupTool(map);
    tools.SetCurrentTool(picking);
    ASSERT_TRUE(GetGraphicDataExchange().SetTarget(panel->field));

    // The middle button pans; the picking tool stays a valid object until the next idle pass.
    const wxPoint centre(map->GetClientSize().x / 2, map->GetClientSize().y / 2);
    wxMouseEvent down = MouseAt(wxEVT_MIDDLE_DOWN, map, centre);
    map->ProcessWindowEvent(down);
    EXPECT_TRUE(tools.IsPanToolCurrent());
    EXPECT_TRUE(picking->IsRetired());
    EXPECT_EQ(g_liveTools, 1);

    // Its release brings the field back to picking instead of the plain default tool.
    wxMouseEvent up = MouseAt(wxEVT_MIDDLE_UP, map, centre);
    map->ProcessWindowEvent(up);
    EXPECT_FALSE(tools.IsPanToolCurrent());
    EXPECT_EQ(panel->field->resumed, 1);
    EXPECT_TRUE(GetGraphicDataExchange().IsTarget(panel->field));
    Pump();
    EXPECT_EQ(g_liveTools, 0);

    // A release without panning changes nothing.
    CViewTool* before = tools.GetCurrentTool();
    wxMouseEvent stray = MouseAt(wxEVT_MIDDLE_UP, map, centre);
    map->ProcessWindowEvent(stray);
    EXPECT_EQ(tools.GetCurrentTool(), before);

    // Panning while the field itself has the keyboard: it takes the focus again and picks anew.
    panel->field->SetFocus();
    Pump();
    wxMouseEvent downAgain = MouseAt(wxEVT_MIDDLE_DOWN, map, centre);
    map->ProcessWindowEvent(downAgain);
    EXPECT_TRUE(tools.IsPanToolCurrent());
    wxMouseEvent upAgain = MouseAt(wxEVT_MIDDLE_UP, map, centre);
    map->ProcessWindowEvent(upAgain);
    EXPECT_EQ(panel->field->focusedAgain, 1);
    EXPECT_FALSE(tools.IsPanToolCurrent());
    EXPECT_TRUE(GetGraphicDataExchange().IsTarget(panel->field));
    Pump();

    // Space steps the popup's objects, Shift+space back; the tools' popup stays up for it.
    auto* tool = new PopupTool(map);
    tools.SetCurrentTool(tool);
    tool->popupShown = true;
    const int dismissedBefore = tool->dismissed;
    wxKeyEvent space = Key(map, WXK_SPACE, false);
    EXPECT_TRUE(map->ProcessWindowEvent(space));
    wxKeyEvent back = Key(map, WXK_SPACE, true);
    EXPECT_TRUE(map->ProcessWindowEvent(back));
    EXPECT_EQ(tool->next, 1);
    EXPECT_EQ(tool->previous, 1);
    EXPECT_EQ(tool->dismissed, dismissedBefore);
    EXPECT_TRUE(tool->popupShown);

    // The wheel: a turn back steps to the previous object, forward to the next, 0 does nothing.
    wxMouseEvent wheelBack = Wheel(map, centre, 120);
    EXPECT_TRUE(map->ProcessWindowEvent(wheelBack));
    wxMouseEvent wheelForward = Wheel(map, centre, -120);
    EXPECT_TRUE(map->ProcessWindowEvent(wheelForward));
    EXPECT_EQ(tool->previous, 2);
    EXPECT_EQ(tool->next, 2);

    // A turn that steps nothing zooms the map.
    tool->listsObjects = false;
    const CLocation tl = map->Core().GetVisibleTopLeft(), br = map->Core().GetVisibleBottomRight();
    wxMouseEvent zoomIn = Wheel(map, centre, 120);
    map->ProcessWindowEvent(zoomIn);
    const CLocation tl2 = map->Core().GetVisibleTopLeft(), br2 = map->Core().GetVisibleBottomRight();
    EXPECT_LT(std::abs(br2.x - tl2.x), std::abs(br.x - tl.x));

    // Another window shown dismisses the popup; a button press leaves it to the map, which takes
    // the object it shows.
    tool->popupShown = true;
    const int dismissedBeforeShow = tool->dismissed;
    wxShowEvent shown(Frame().GetId(), true);
    shown.SetEventObject(&Frame());
    app.FilterEvent(shown);
    EXPECT_EQ(tool->dismissed, dismissedBeforeShow + 1);
    tool->popupShown = true;
    wxMouseEvent left = MouseAt(wxEVT_LEFT_DOWN, map, centre);
    app.FilterEvent(left);
    EXPECT_EQ(tool->dismissed, dismissedBeforeShow + 1);
    EXPECT_TRUE(tool->popupShown);

    tools.RestoreDefaultTool();
    Pump();
    tools.isForeground = nullptr;
    Exit();
}

TEST_F(ProgramTest, ACoveredPanelGivesTheFocusBackToItsPickingField)
{
    ASSERT_TRUE(Start());
    CViewToolHost& tools = App().GetToolHost();
    CStackingDialogBar* bar = Frame().GetStackingBar();
    ASSERT_NE(bar, nullptr);
    PickPanel* adding = PickWhileOnTheMap(Frame(), tools, [this] { Pump(); });
    ASSERT_NE(adding, nullptr);

    auto* editing = new PickPanel(tools, 303, "Edit Point");
    ASSERT_TRUE(bar->PushDialog(editing));
    Pump();
    editing->OnCancel();
    Pump();
    ASSERT_EQ(bar->GetCurrent(), adding);
    EXPECT_TRUE(WaitFor("the covered panel's field to take the focus back",
                        [&] { return wxWindow::FindFocus() == static_cast<wxWindow*>(adding->field); }));
    Exit();
}

TEST_F(ProgramTest, PumpingLetsPostedWorkRunAndKeepsInputForTheLoop)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(GetMessageQueue(), nullptr);
    bool ran = false;
    int keys = 0;
    wxTheApp->CallAfter([&] { ran = true; });
    Frame().Bind(wxEVT_KEY_DOWN, [&](wxKeyEvent&) { ++keys; });
    Frame().GetEventHandler()->QueueEvent(new wxKeyEvent(wxEVT_KEY_DOWN));

    // A long operation pumps: the posted work runs, the key waits for the loop.
    EXPECT_EQ(PumpWaitingMessages(), 1);
    EXPECT_TRUE(ran);
    EXPECT_EQ(keys, 0);
    EXPECT_TRUE(PumpUntilIdle());
    EXPECT_EQ(keys, 0);
    Pump();
    EXPECT_EQ(keys, 1);
    Exit();
    EXPECT_EQ(GetMessageQueue(), nullptr);
}

TEST_F(ProgramTest, TheMainWindowsActivationKeepsTheSideBarFocusTitlesAndTools)
{
    ASSERT_TRUE(Start());
    CViewToolHost& tools = App().GetToolHost();
    PickPanel* adding = PickWhileOnTheMap(Frame(), tools, [this] { Pump(); });
    ASSERT_NE(adding, nullptr);

    // The title strip's colour, as the screen shows it.
    wxWindow* pane = Frame().GetBar(CMainFrame::DialogBarIndex);
    const auto titleColour = [&](const char* picture) {
        EXPECT_TRUE(SaveScreenshot(*pane, picture));
        wxImage image(wxString::FromUTF8(std::string(MORVEL_TEST_OUTPUT_DIR) + "/" + picture));
        const wxPoint at = adding->GetTitleStrip()->GetScreenPosition() - pane->GetScreenPosition() + wxPoint(3, 3);
        return image.IsOk() ? wxColour(image.GetRed(at.x, at.y), image.GetGreen(at.x, at.y), image.GetBlue(at.x, at.y))
                            : wxColour();
    };
    wxActivateEvent leave(wxEVT_ACTIVATE, false);
    Frame().ProcessWindowEvent(leave);
    const wxColour inactive = titleColour("side_bar_inactive.png");
    EXPECT_EQ(inactive, wxSystemSettings::GetColour(wxSYS_COLOUR_INACTIVECAPTION));
    // Meanwhile the keyboard went elsewhere; coming back, the waiting field has it again.
    Frame().GetJobView()->GetGridList()->SetFocus();
    wxActivateEvent back(wxEVT_ACTIVATE, true);
    Frame().ProcessWindowEvent(back);
    EXPECT_TRUE(WaitFor("the waiting field to take the focus again",
                        [&] { return wxWindow::FindFocus() == static_cast<wxWindow*>(adding->field); }));
    const wxColour active = titleColour("side_bar_activation.png");
    EXPECT_EQ(active, wxSystemSettings::GetColour(wxSYS_COLOUR_ACTIVECAPTION));
    EXPECT_NE(active, inactive);

    // A menu opening stops the tool's feedback; a job closing puts the default tool back.
    GetGraphicDataExchange().SetTarget(nullptr);
    auto* tool = new PopupTool(Frame().GetJobView()->GetMapPane());
    tools.SetCurrentTool(tool);
    tool->popupShown = true;
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, Frame().GetMenuBar()->GetMenu(0));
    Frame().ProcessWindowEvent(open);
    EXPECT_EQ(tool->dismissed, 1);
    App().OnCloseJob();
    Pump();
    ASSERT_NE(tools.GetCurrentTool(), nullptr);
    EXPECT_TRUE(tools.GetCurrentTool()->IsDefaultTool());
    Exit();
}
