#include "ProgramTest.h"

#include "cogo/FieldMenus.h"
#include "cogo/ui/AnchorFields.h"
#include "cogo/ui/CoordinateFields.h"
#include "core/DataFileFormat.h"
#include "core/JobValueSource.h"
#include "framework/GraphicDataExchange.h"
#include "framework/ui/CustomToolTipCtrl.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDocSettings.h"
#include "model/DataFileSelOperator.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "model/SelectionDescription.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "views/GridRangeDrag.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"
#include "views/ui/SelectionChip.h"
#include "views/ui/ToolPopups.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"
#include "views/ViewToolRules.h"

#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>
#include <numbers>

using morvel::test::ProgramTest;

namespace {

// An angle field whose dropped menu answers from the script instead of waiting for a person.
class ScriptedAngle : public CAngleRightControl
{
public:
    using CAngleRightControl::CAngleRightControl;
    int TrackFieldMenu(wxMenu& menu, const wxPoint&) override
    {
        ++drops;
        half = menu.FindItem(CmdAddHalfTurn) != nullptr;
        return choice;
    }
    int choice = wxID_NONE;
    int drops = 0;
    bool half = false;
};

// A command panel with every kind of field, as the COGO panels lay them out.
class FieldsPanel : public CStackableDialog
{
public:
    explicit FieldsPanel(uint32_t templateId = 9901, const char* title = "Fields") : CStackableDialog(templateId, title) {}

    CPointControl* point = nullptr;
    CNorthingControl* north = nullptr;
    CEastingControl* east = nullptr;
    CElevationControl* elev = nullptr;
    CHorizontalDistanceControl* distance = nullptr;
    ScriptedAngle* angle = nullptr;
    CHorizontalAngleControl* bearing = nullptr;
    CGeneralSelectionChip* chip = nullptr;
    CSelectionDescription points;

protected:
    void BuildControls() override
    {
        auto* grid = new wxFlexGridSizer(2, 4, 4);
        grid->AddGrowableCol(1);
        auto row = [&](const char* label, wxWindow* field) {
            grid->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
            grid->Add(field, 1, wxEXPAND);
        };
        row("Point", point = new CPointControl(this, 1001));
        row("Northing", north = new CNorthingControl(this, 1002));
        row("Easting", east = new CEastingControl(this, 1003));
        row("Elevation", elev = new CElevationControl(this, 1004));
        row("Distance", distance = new CHorizontalDistanceControl(this, 1005));
        row("Angle right", angle = new ScriptedAngle(this, 1006));
        row("Bearing", bearing = new CHorizontalAngleControl(this, 1007));
        grid->Add(new wxStaticText(this, wxID_ANY, "Points"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(chip = new CGeneralSelectionChip(this, 1008));
        CCoordinateControl::WireSiblings({north, east, elev});
        chip->SetDescription(&points);
        RegisterChip(chip);
        SetSizer(grid);
    }
};

class InteractiveFieldsTest : public ProgramTest
{
protected:
    bool Open()
    {
        if (!Start())
            return false;
        std::vector<CPointRecord*> pts = {
            new CPointRecord("10", "IP", CLocation(1000, 2000, 50), true),
            new CPointRecord("11", "EP", CLocation(1030, 2040, 51), true),
            new CPointRecord("12", "EP", CLocation(1000, 2040, 52.5), true),
            new CPointRecord("13", "FLAT", CLocation(1060, 2000, NoValue), true),
        };
        for (int i = 0; i < 40; ++i)
            pts.push_back(new CPointRecord(std::to_string(100 + i).c_str(), "", CLocation(1100 + i, 2100, 1), true));
        map = ShowPointsOnMap(pts);
        if (map == nullptr)
            return false;
        Frame().ShowDialogBar(true);
        panel = new FieldsPanel;
        if (!Frame().GetStackingBar()->PushDialog(panel))
            return false;
        Pump();
        return true;
    }

    // A pick at a world point as the tools leave it in the exchange.
    void PickAt(double x, double y, uint32_t code = 1)
    {
        CGraphicDataExchange& gdx = GetGraphicDataExchange();
        gdx.SetLocation(CLocation(x, y, NoValue));
        gdx.SetPickTolerances(2.0, 2.0);
        gdx.Deliver(code, true);
        Pump();
    }

    // Focus as a person gives it; where the server keeps the focus elsewhere, what focus does.
    void Focus(CInteractiveControl* field)
    {
        field->SetFocus();
        Pump();
        if (!GetGraphicDataExchange().IsTarget(field))
            field->ActivateInteraction();
        ASSERT_TRUE(GetGraphicDataExchange().IsTarget(field));
    }

    static std::string Coordinate(double metres)
    {
        return CDataFileFormat(GetActiveJobValueSource()).FormatCoordinate(metres, false, false);
    }
    static std::string Elevation(double metres)
    {
        return CDataFileFormat(GetActiveJobValueSource()).FormatElevation(metres, false, false);
    }

    CPreviewMapCtrl* map = nullptr;
    FieldsPanel* panel = nullptr;
};

} // namespace

TEST_F(InteractiveFieldsTest, CoordinateFieldsTakeLocationsAndFillTheFieldsAfterThem)
{
    ASSERT_TRUE(Open());
    CGraphicDataExchange& gdx = GetGraphicDataExchange();

    // Focus makes the northing field the target with the location tool; its siblings march too.
    Focus(panel->north);
    panel->north->OnFieldFocused();
    ASSERT_NE(App().GetToolHost().GetCurrentTool(), nullptr);
    EXPECT_EQ(panel->east->GetBuddy(), panel->north);
    EXPECT_EQ(panel->elev->GetBuddy(), panel->north);
    EXPECT_TRUE(panel->elev->GetPart().IsHighlightRunning());
    // Focusing it again does not restart anything.
    EXPECT_FALSE(panel->north->ActivateInteraction());

    gdx.SetLocation(CLocation(1000, 2040, 52.5));
    gdx.Deliver(1, true);
    EXPECT_EQ(panel->north->GetFieldText(), Coordinate(2040));
    EXPECT_EQ(panel->east->GetFieldText(), Coordinate(1000));
    EXPECT_EQ(panel->elev->GetFieldText(), Elevation(52.5));

    // From the easting only easting and elevation change.
    panel->north->SetFieldText("");
    Focus(panel->east);
    gdx.SetLocation(CLocation(1030, 2040, 51));
    gdx.Deliver(1, true);
    EXPECT_EQ(panel->north->GetFieldText(), "");
    EXPECT_EQ(panel->east->GetFieldText(), Coordinate(1030));
    EXPECT_EQ(panel->elev->GetFieldText(), Elevation(51));

    // A location without elevation: the formatter's no value and the tip.
    Focus(panel->north);
    gdx.SetLocation(CLocation(1060, 2000, NoValue));
    gdx.Deliver(1, true);
    EXPECT_EQ(panel->elev->GetFieldText(), "---");
    EXPECT_EQ(GetLastInvalidSelectionTip(), "Invalid selection:\n3D point required\n");

    // A right click empties the field and makes it wait for an object.
    gdx.Deliver(4, true);
    EXPECT_EQ(panel->north->GetFieldText(), "");
    EXPECT_EQ(panel->north->GetInteractionKind(), 0);

    // "=12" reads point 12's northing when the field is validated.
    panel->north->SetFieldText("=12");
    panel->north->Validate();
    EXPECT_EQ(panel->north->GetFieldText(), CDataFileFormat(GetActiveJobValueSource()).FormatCoordinate(2040, true, false));
    panel->north->SetFieldText("=99");
    panel->north->Validate();
    EXPECT_EQ(panel->north->GetFieldText(), "=99");

    // A field that goes leaves no link behind in the fields it filled, and no target.
    panel->north->OnFieldFocused();
    ASSERT_EQ(panel->east->GetBuddy(), panel->north);
    panel->north->Destroy();
    panel->north = nullptr;
    Pump();
    EXPECT_EQ(panel->east->GetBuddy(), nullptr);
    EXPECT_EQ(gdx.GetTarget(), nullptr);
    Focus(panel->east);
    gdx.SetLocation(CLocation(1000, 2000, 50));
    gdx.Deliver(1, true);
    EXPECT_EQ(panel->elev->GetFieldText(), Elevation(50));
    Exit();
}

TEST_F(InteractiveFieldsTest, PointFieldsTakePickedNamesAndTheirMenuAsksTheField)
{
    ASSERT_TRUE(Open());
    Focus(panel->point);
    PickAt(1000.5, 2039.5);
    EXPECT_EQ(panel->point->GetFieldText(), "12");
    // Its tip describes the point.
    panel->point->DrawMapFeedback(EnsureToolIdPopup(panel->point), Frame().GetJobView());
    EXPECT_TRUE(IsToolIdPopupVisible());
    // The pointer resting on the field asks for the tip, which the panel's own popup shows.
    CCustomToolTipCtrl* tip = panel->point->GetToolTip();
    ASSERT_NE(tip, nullptr);
    tip->SetDelayTime(0);
    wxMouseEvent rest(wxEVT_MOTION);
    rest.SetEventObject(panel->point);
    rest.SetPosition(wxPoint(4, 4));
    tip->RelayEvent(rest);
    tip->CheckDue();
    ASSERT_NE(panel->GetObjectIdPopup(), nullptr);
    EXPECT_TRUE(panel->GetObjectIdPopup()->IsPopupVisible());

    // "Zoom to point" greys while the text names no point.
    CInteractiveControlMenuButton* button = panel->point->GetMenuButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetId(), FieldMenuButtonId & 0xFFFF);
    std::unique_ptr<wxMenu> menu = button->BuildMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->FindItem(CmdZoomToPoint)->IsEnabled());
    EXPECT_EQ(menu->FindItem(CmdChooseFromList)->GetItemLabelText(), "Choose from list...");
    panel->point->SetFieldText("nowhere");
    menu = button->BuildMenu();
    EXPECT_FALSE(menu->FindItem(CmdZoomToPoint)->IsEnabled());
    EXPECT_TRUE(menu->FindItem(CmdCalculator)->IsEnabled());

    // Fields without a menu have no button and keep their width.
    EXPECT_EQ(panel->east->GetMenuButton(), nullptr);

    // The chooser lists the job's points sorted.
    const std::vector<RecordRef> sorted = CInteractivePointControl::CollectSortedPoints();
    ASSERT_EQ(sorted.size(), 44u);
    Exit();
}

TEST_F(InteractiveFieldsTest, DistanceAndAngleFieldsBuildChainsAndTurnTheValue)
{
    ASSERT_TRUE(Open());
    Focus(panel->distance);
    PickAt(1000, 2000);
    EXPECT_EQ(panel->distance->GetFieldText(), "10-");
    EXPECT_EQ(panel->distance->GetInteractionKind(), 2);
    PickAt(1000, 2000);
    EXPECT_EQ(GetLastInvalidSelectionTip(), "Invalid selection:\nPoint 10 is a duplicate point label.\n");
    PickAt(1000, 2040);
    double metres = 0;
    ASSERT_TRUE(panel->distance->Exchange(metres, true, true)) << panel->distance->GetFieldText();
    EXPECT_NEAR(metres, 40.0, 1e-3);
    EXPECT_EQ(panel->distance->GetInteractionKind(), 0);

    Focus(panel->angle);
    PickAt(1000, 2000);
    PickAt(1000, 2040);
    EXPECT_EQ(panel->angle->GetFieldText(), "10-12-");
    EXPECT_EQ(panel->angle->GetFixedLegs().size(), 2u);
    ASSERT_EQ(panel->angle->GetCurrentAnchor().size(), 1u);
    EXPECT_EQ(panel->angle->GetCurrentAnchor()[0].y, 2040);

    // The menu's quarter turns: an empty horizontal angle goes to -90°, an angle right to +90°.
    panel->bearing->SetFieldText("");
    EXPECT_TRUE(panel->bearing->OnFieldCommand(CmdAddQuarterTurn));
    double v = 0;
    ASSERT_TRUE(panel->bearing->Exchange(v, true, true));
    // Written as turned; a bearing reads back within one turn.
    EXPECT_NEAR(std::remainder(v + std::numbers::pi / 2, 2 * std::numbers::pi), 0.0, 1e-6);
    panel->angle->SetFieldText("");
    EXPECT_TRUE(panel->angle->OnFieldCommand(CmdAddQuarterTurn));
    double w = 0;
    ASSERT_TRUE(panel->angle->Exchange(w, true, true));
    EXPECT_NEAR(w, std::numbers::pi / 2, 1e-6);
    EXPECT_NE(panel->angle->GetFieldText(), panel->bearing->GetFieldText());

    // The scale factor leaves an empty field empty.
    panel->distance->SetFieldText("");
    EXPECT_TRUE(panel->distance->OnFieldCommand(CmdApplyScaleFactor));
    EXPECT_EQ(panel->distance->GetFieldText(), "");

    // The gons menu follows a change of the job's angle unit.
    EXPECT_EQ(panel->angle->GetMenuId(), MenuAngleDegrees);
    CDataFileDoc::GetActiveDoc()->GetJobSettings()->SetAngleUnit(1);
    CInterested::Broadcast(nullptr, 2, 0);
    EXPECT_EQ(panel->angle->GetMenuId(), MenuAngleGons);
    std::unique_ptr<wxMenu> menu = panel->angle->GetMenuButton()->BuildMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->FindItem(CmdAddHalfTurnGons)->GetItemLabelText(), "Add 200 Gons");

    ASSERT_TRUE(SaveScreenshot(*Frame().GetStackingBar(), "interactive_fields.png"));
    Exit();
}

TEST_F(InteractiveFieldsTest, TheChipSelectsByClickAndRectangleAndItsMenuActs)
{
    ASSERT_TRUE(Open());
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    ASSERT_NE(op, nullptr);
    CGeneralSelectionChip* chip = panel->chip;
    chip->SetInteractionKind(1);
    ASSERT_TRUE(chip->ActivateInteraction());
    Pump();
    // Described by any number of points, the chip shows its arrow.
    chip->RefreshChip();
    EXPECT_TRUE(chip->HasArrow());
    const int wide = chip->GetSize().x;

    // A click toggles the nearest point.
    CGraphicDataExchange& gdx = GetGraphicDataExchange();
    gdx.SetRectangle(0, 0, 0, 0);
    PickAt(1000.3, 2000.3);
    EXPECT_EQ(op->CountSelected(0), 1);
    EXPECT_TRUE(chip->HasSelection());

    // A rectangle adds what lies inside; Alt takes only that out again.
    gdx.SetRectangle(1099, 1120.5, 2101, 2099);
    gdx.SetWord(0, 0);
    gdx.Deliver(0, true);
    EXPECT_EQ(op->CountSelected(0), 22);
    gdx.SetRectangle(1099, 1110.5, 2101, 2099);
    gdx.SetWord(0, int32_t(ToolKeyAlt));
    gdx.Deliver(0, true);
    EXPECT_EQ(op->CountSelected(0), 11);

    // Rows picked in the grid reach the chip as an object hit: all of them join the selection.
    op->ClearSelection();
    GridRowNotify rows;
    rows.first = 0;
    rows.last = 4;
    ASSERT_NE(Frame().GetJobView()->GetPointRows().GetPointAtRow(0), nullptr);
    ASSERT_TRUE(GetGraphicDataExchange().IsTarget(chip));
    Frame().GetJobView()->OnRowsPicked(rows);
    EXPECT_EQ(op->CountSelected(0), 5);

    // The menu: Invert turns the five rows into the other 39, Clear empties, Select All takes 44.
    EXPECT_TRUE(chip->OnChipCommand(CGeneralSelectionChip::CmdInvertSelection));
    EXPECT_EQ(op->CountSelected(0), 39);
    EXPECT_FALSE(op->IsSelected(Frame().GetJobView()->GetPointRows().GetPointAtRow(0)));
    EXPECT_TRUE(chip->OnChipCommand(CGeneralSelectionChip::CmdClearSelection));
    EXPECT_EQ(op->CountSelected(0), 0);
    EXPECT_FALSE(chip->HasSelection());
    EXPECT_TRUE(chip->OnChipCommand(CGeneralSelectionChip::CmdSelectAll));
    EXPECT_EQ(op->CountSelected(0), 44);
    EXPECT_TRUE(chip->OnChipCommand(CGeneralSelectionChip::CmdInvertSelection));
    EXPECT_EQ(op->CountSelected(0), 0);

    // A single description loses the arrow and the chip narrows by its width.
    panel->points.SetSingle(true);
    chip->RefreshChip();
    EXPECT_FALSE(chip->HasArrow());
    EXPECT_EQ(chip->GetSize().x, wide - chip->GetArrowPartWidth());
    Exit();
}

TEST_F(InteractiveFieldsTest, DownDropsTheMenuAndFocusLossUpdatesTheEntry)
{
    ASSERT_TRUE(Open());
    // Down drops the field's menu; the command chosen there acts on the field.
    ScriptedAngle* angle = panel->angle;
    ASSERT_NE(angle->GetMenuButton(), nullptr);
    angle->SetFieldText("");
    angle->choice = CmdAddHalfTurn;
    auto press = [](wxWindow* field, int key) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = key;
        event.SetEventObject(field);
        field->ProcessWindowEvent(event);
    };
    press(angle, WXK_DOWN);
    EXPECT_EQ(angle->drops, 1);
    EXPECT_TRUE(angle->half);
    double value = 0;
    ASSERT_TRUE(angle->Exchange(value, true, true)) << angle->GetFieldText();
    EXPECT_NEAR(value, std::numbers::pi, 1e-6);
    press(angle, WXK_UP);
    EXPECT_EQ(angle->drops, 1);
    // A field without a menu lets Down through.
    EXPECT_EQ(panel->east->GetMenuButton(), nullptr);

    // Focus loss to another field of the panel drops the link; "Auto Update Entries" decides
    // whether the entry is read and written back.
    struct Case
    {
        const char* name;
        bool autoUpdate;
        std::string expected;
    };
    const std::string normalised = CDataFileFormat(GetActiveJobValueSource()).FormatCoordinate(2040, true, false);
    for (const Case& c : {Case{"auto update", true, normalised}, Case{"as typed", false, "=12"}}) {
        SCOPED_TRACE(c.name);
        GetMorvelSettings().SetAutoUpdateEntries(c.autoUpdate);
        Focus(panel->north);
        panel->north->SetFieldText("=12");
        wxFocusEvent lost(wxEVT_KILL_FOCUS, panel->north->GetId());
        lost.SetWindow(panel->east);
        lost.SetEventObject(panel->north);
        panel->north->ProcessWindowEvent(lost);
        EXPECT_FALSE(GetGraphicDataExchange().IsTarget(panel->north));
        EXPECT_EQ(panel->north->GetFieldText(), c.expected);
    }
    Exit();
}

TEST_F(InteractiveFieldsTest, TheBorderMarchesWhileTheFieldWaitsAndStopsWhenItCannot)
{
    ASSERT_TRUE(Open());
    Focus(panel->distance);
    CInteractionPart& part = panel->distance->GetPart();
    ASSERT_TRUE(part.IsHighlightRunning());
    part.OnHighlightTick();
    // The dashes run on a ring one pixel outside the entry.
    const wxRect ring = panel->distance->GetRect().Inflate(1);
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(part.GetStrip(i), nullptr);
        EXPECT_TRUE(part.GetStrip(i)->IsShown());
        EXPECT_TRUE(ring.Contains(part.GetStrip(i)->GetRect()));
    }
    EXPECT_EQ(part.GetStrip(0)->GetRect().x, ring.x);
    EXPECT_EQ(part.GetStrip(3)->GetRect().width, ring.width);
    // Each tick moves them on by two pixels.
    const int32_t phase = part.GetAntPhase();
    part.OnHighlightTick();
    EXPECT_EQ(part.GetAntPhase(), phase + 2);

    // A disabled field is no target: the next tick takes the dashes away.
    panel->distance->Enable(false);
    EXPECT_FALSE(GetGraphicDataExchange().IsTarget(panel->distance));
    part.OnHighlightTick();
    EXPECT_FALSE(part.IsHighlightRunning());
    EXPECT_FALSE(part.GetStrip(0)->IsShown());
    panel->distance->Enable(true);
    Exit();
}

TEST_F(InteractiveFieldsTest, EachChipPanelKeepsItsSelectionInTheSideBar)
{
    ASSERT_TRUE(Open());
    CDataFileSelOperator* op = GetActiveSelectionOperator();
    CStackingDialogBar* bar = Frame().GetStackingBar();
    ASSERT_TRUE(panel->chip->OnChipCommand(CGeneralSelectionChip::CmdSelectAll));
    EXPECT_EQ(op->CountSelected(0), 44);

    // A second chip panel covers the first: it starts from its own (empty) selection.
    auto* second = new FieldsPanel(9902, "More fields");
    ASSERT_TRUE(bar->PushDialog(second));
    Pump();
    EXPECT_EQ(op->CountSelected(0), 0);
    CGeneralSelectionChip* chip = second->chip;
    chip->SetInteractionKind(1);
    chip->ActivateInteraction();
    GetGraphicDataExchange().SetRectangle(0, 0, 0, 0);
    PickAt(1000.3, 2000.3);
    ASSERT_EQ(op->CountSelected(0), 1);

    auto showEntry = [&](const std::string& title) {
        const std::vector<std::string> titles = bar->GetStackTitles();
        const auto it = std::find(titles.begin(), titles.end(), title);
        ASSERT_NE(it, titles.end());
        // The navigator heads the titles; the stack's entries count from 1 after it.
        ASSERT_NE(it, titles.begin());
        bar->ActivateStackEntry(int(it - titles.begin()));
        Pump();
    };
    ASSERT_NO_FATAL_FAILURE(showEntry("Fields"));
    EXPECT_EQ(op->CountSelected(0), 44);
    ASSERT_NO_FATAL_FAILURE(showEntry("More fields"));
    EXPECT_EQ(op->CountSelected(0), 1);
    EXPECT_TRUE(chip->HasSelection());
    Exit();
}
