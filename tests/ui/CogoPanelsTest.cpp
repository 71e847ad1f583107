#include "ProgramTest.h"

#include "cogo/ui/CogoPanels.h"
#include "cogo/ui/Intersection.h"
#include "cogo/ui/PointInDirection.h"
#include "core/JobValueSource.h"
#include "core/MathConversions.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "shell/ui/MainFrame.h"

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

using morvel::test::ProgramTest;

TEST_F(ProgramTest, IntersectionPanelStoresBothCrossingsInOneStep)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(ShowPointsOnMap({new CPointRecord("1", "", CLocation(1000, 1000, NoValue), true),
                               new CPointRecord("2", "", CLocation(1100, 1000, NoValue), true),
                               new CPointRecord("12", "", CLocation(1050, 1100, NoValue), true)}),
              nullptr);
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(doc, nullptr);

    auto* panel = new CIntersection;
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(panel));
    Frame().ShowDialogBar(true);
    Pump();
    CIntersectionCommand& c = panel->Command();
    EXPECT_EQ(c.storeNameC, "13");
    EXPECT_EQ(c.storeNameD, "14");
    c.baseA = "1";
    c.baseB = "2";
    c.modeA = c.modeB = 1;
    c.distanceA = 60;
    c.distanceB = 80;
    panel->UpdateDataEx(false);
    EXPECT_TRUE(panel->FindWindow(CIntersection::IdDistanceA)->IsEnabled());
    EXPECT_FALSE(panel->FindWindow(CIntersection::IdDirectionB)->IsEnabled());
    EXPECT_TRUE(panel->FindWindow(CIntersection::IdNameD)->IsEnabled());
    const int steps = doc->GetUndoManager()->GetStepCount();
    panel->OnOK();
    Pump();

    EXPECT_TRUE(messages.empty()) << messages.front();
    EXPECT_EQ(doc->GetUndoManager()->GetStepCount(), steps + 1);
    CPointRecord* stored = doc->GetPointDatabase()->FindPoint("13", true);
    ASSERT_NE(stored, nullptr);
    EXPECT_NEAR(stored->GetLocation().y, 952, 1e-3);
    EXPECT_NEAR(stored->GetLocation().x, 1036, 1e-3);
    EXPECT_STREQ(stored->GetDescription(), "I-sect Pt C");
    ASSERT_NE(doc->GetPointDatabase()->FindPoint("14", true), nullptr);
    EXPECT_EQ(static_cast<wxTextCtrl*>(panel->FindWindow(CIntersection::IdNameC))->GetValue(), "15");
    EXPECT_EQ(static_cast<wxTextCtrl*>(panel->FindWindow(CIntersection::IdNameD))->GetValue(), "16");
    EXPECT_FALSE(panel->FindWindow(CIntersection::IdNorthC)->GetLabel().empty());
    ASSERT_TRUE(SaveScreenshot(Frame(), "cogo_intersection.png"));

    // Parallel lines: the box says so and nothing is stored.
    c.modeA = c.modeB = 0;
    panel->UpdateDataEx(false);
    panel->OnOK();
    Pump();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "No intersection exists.");
    EXPECT_EQ(doc->GetPointDatabase()->FindPoint("15", true), nullptr);
    Exit();
}

TEST_F(ProgramTest, PointInDirectionTraverseBuildsConsecutiveLegs)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(ShowPointsOnMap({new CPointRecord("1", "", CLocation(5000, 5000, 100), true),
                               new CPointRecord("2", "", CLocation(5100, 5000, NoValue), true)}),
              nullptr);
    CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
    auto* panel = dynamic_cast<CPointInDirection*>(MakeCogoPanel(7152));
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(panel));
    Frame().ShowDialogBar(true);
    Pump();
    CPointInDirectionCommand& c = panel->Command();
    c.fromPoint = "1";
    c.direction = 0.7853981633974483;
    c.distance = 100;
    c.rise = 2;
    panel->UpdateDataEx(false);
    panel->OnOK();
    panel->OnOK();
    Pump();
    EXPECT_TRUE(messages.empty()) << messages.front();
    CPointRecord* first = doc->GetPointDatabase()->FindPoint("3", true);
    CPointRecord* second = doc->GetPointDatabase()->FindPoint("4", true);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(second->GetLocation().x - first->GetLocation().x, 70.7107, 1e-3);
    EXPECT_NEAR(second->GetLocation().z, 104, 1e-3);
    EXPECT_EQ(static_cast<wxTextCtrl*>(panel->FindWindow(CPointInDirection::IdFrom))->GetValue(), "4");

    // The traverse box's long text shows whole inside the side bar's panel.
    auto* traverse = static_cast<wxCheckBox*>(panel->FindWindow(CPointInDirection::IdTraverse));
    wxString joined = traverse->GetLabel();
    joined.Replace("\n", " ");
    EXPECT_EQ(joined, "Automatically advance From Point to Store Point after solving. (Traverse Mode)");
    EXPECT_GE(traverse->GetSize().x, traverse->GetBestSize().x);
    EXPECT_LE(traverse->GetRect().GetRight(), panel->GetClientSize().x);
    EXPECT_TRUE(SaveScreenshot(*Frame().GetBar(CMainFrame::DialogBarIndex), "point_in_direction.png"));

    Exit();
}

// Unit labels, the focus after a mode or a store box changes, and values kept however the panel
// goes: here the side bar takes it, as when the job closes.
TEST_F(ProgramTest, CogoPanelsLabelUnitsMoveTheFocusAndKeepTheirValues)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(ShowPointsOnMap({new CPointRecord("1", "", CLocation(1000, 1000, NoValue), true)}), nullptr);
    Frame().ShowDialogBar(true);
    auto* panel = new CIntersection;
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(panel));
    Pump();
    const CMathConversions& units = GetActiveJobValueSource()->GetMathConversions();
    for (int id : {CIntersection::IdDistUnitA, CIntersection::IdDistUnitB})
        EXPECT_EQ(panel->FindWindow(id)->GetLabel().utf8_string(), units.GetDistanceUnitLabel());
    for (int id : {CIntersection::IdAngleUnitA, CIntersection::IdAngleUnitB})
        EXPECT_EQ(panel->FindWindow(id)->GetLabel().utf8_string(), units.GetAngleUnitLabel());
    bool results = false;
    for (wxWindow* w : panel->GetChildren())
        results = results || (dynamic_cast<wxStaticBox*>(w) && w->GetLabel() == "Results");
    EXPECT_TRUE(results);

    auto click = [&](wxWindow& parent, int id, bool on) {
        wxWindow* control = parent.FindWindow(id);
        wxCommandEvent event(dynamic_cast<wxRadioButton*>(control) ? wxEVT_RADIOBUTTON : wxEVT_CHECKBOX, id);
        if (auto* radio = dynamic_cast<wxRadioButton*>(control))
            radio->SetValue(on);
        else
            static_cast<wxCheckBox*>(control)->SetValue(on);
        event.SetInt(on ? 1 : 0);
        event.SetEventObject(control);
        control->ProcessWindowEvent(event);
        Pump();
    };
    struct Case
    {
        int control;
        bool on;
        int focused;
    };
    for (const Case& c : {Case{CIntersection::IdDistModeA, true, CIntersection::IdDistanceA},
                          Case{CIntersection::IdDirModeB, true, CIntersection::IdDirectionB},
                          Case{CIntersection::IdStoreC, true, CIntersection::IdNameC}}) {
        SCOPED_TRACE(c.control);
        click(*panel, c.control, c.on);
        wxWindow* field = panel->FindWindow(c.focused);
        EXPECT_TRUE(WaitFor("the field to take the keyboard", [&] { return wxWindow::FindFocus() == field; }));
    }
    // The store labels grey with their box.
    click(*panel, CIntersection::IdStoreC, false);
    EXPECT_FALSE(panel->FindWindow(CIntersection::IdNameLabelC)->IsEnabled());
    EXPECT_FALSE(panel->FindWindow(CIntersection::IdDescriptionLabelC)->IsEnabled());

    panel->Command().baseA = "1";
    panel->Command().distanceA = 42;
    panel->CloseFromBar();
    Pump();
    auto* again = new CIntersection;
    EXPECT_EQ(again->Command().baseA, "1");
    EXPECT_DOUBLE_EQ(again->Command().distanceA, 42);
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(again));
    Pump();
    again->CloseFromBar();
    Pump();

    auto* direction = dynamic_cast<CPointInDirection*>(MakeCogoPanel(7152));
    ASSERT_NE(direction, nullptr);
    ASSERT_TRUE(Frame().GetStackingBar()->PushDialog(direction));
    Pump();
    click(*direction, CPointInDirection::IdStore, false);
    EXPECT_FALSE(direction->FindWindow(CPointInDirection::IdNameLabel)->IsEnabled());
    click(*direction, CPointInDirection::IdStore, true);
    EXPECT_TRUE(direction->FindWindow(CPointInDirection::IdDescriptionLabel)->IsEnabled());
    wxWindow* name = direction->FindWindow(CPointInDirection::IdName);
    EXPECT_TRUE(WaitFor("the name field to take the keyboard", [&] { return wxWindow::FindFocus() == name; }));
    direction->Command().fromPoint = "1";
    direction->CloseFromBar();
    Pump();
    auto* later = dynamic_cast<CPointInDirection*>(MakeCogoPanel(7152));
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->Command().fromPoint, "1");
    delete later;
    Exit();
}
