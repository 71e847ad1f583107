#include "ProgramTest.h"

#include "cogo/ui/Adjustments.h"
#include "cogo/FieldMenus.h"
#include "cogo/ui/CoordinateFields.h"
#include "cogo/ui/PointAdd.h"
#include "cogo/ui/PointBulkPanels.h"
#include "cogo/PointBulkEdits.h"
#include "core/DataExchange.h"
#include "core/DataFileFormat.h"
#include "core/JobValueSource.h"
#include "framework/GraphicDataExchange.h"
#include "core/Report.h"
#include "core/ReportOutput.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/MorvelSettingsHelpers.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "rawdata/RawDataFile.h"
#include "rawdata/records/RawDataRecord.h"
#include "shell/GlobalCommandIds.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "views/PickQuery.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include <algorithm>
#include <cmath>

using morvel::test::ProgramTest;

namespace {

// Keeps what the report editor was handed; everything else goes to the program's own output.
class EditorCapture : public CReportOutput
{
public:
    explicit EditorCapture(CReportOutput* inner) : m_inner(inner) {}
    std::string RenderRtf(const CReport& r, bool mode, const std::string& name) override
    {
        return m_inner->RenderRtf(r, mode, name);
    }
    bool HasMainWindow() override { return m_inner->HasMainWindow(); }
    void ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd) override
    {
        m_inner->ShowRtfInMessageBar(rtf, caretAtEnd);
    }
    bool IsMessageBarVisible() override { return m_inner->IsMessageBarVisible(); }
    bool GetUserClosedMessageBar() override { return m_inner->GetUserClosedMessageBar(); }
    void SetUserClosedMessageBar(bool closed) override { m_inner->SetUserClosedMessageBar(closed); }
    void ShowMessageBar(bool show) override { m_inner->ShowMessageBar(show); }
    bool GetAutoShowMessages() override { return m_inner->GetAutoShowMessages(); }
    bool SendTextToKVLEdit(const std::string& text) override
    {
        sent.push_back(text);
        return true;
    }
    bool StartKVLEdit(const std::vector<std::string>&) override { return true; }

    std::vector<std::string> sent;

private:
    CReportOutput* m_inner;
};

class PointEditingTest : public ProgramTest
{
protected:
    bool Open()
    {
        if (!Start())
            return false;
        Frame().SetSize(1100, 800);
        if (ShowPointsOnMap({new CPointRecord("10", "IP", CLocation(1000, 2000, 50), true),
                             new CPointRecord("11", "EP", CLocation(1030, 2040, 51), true),
                             new CPointRecord("12", "FLAT", CLocation(1000, 2040, NoValue), true)}) == nullptr)
            return false;
        doc = CDataFileDoc::GetActiveDoc();
        Frame().ShowDialogBar(true);
        Pump();
        return doc != nullptr;
    }

    template <typename Panel>
    Panel* Push(int command)
    {
        wxCommandEvent event(wxEVT_MENU, command);
        event.SetEventObject(&Frame());
        Frame().GetEventHandler()->ProcessEvent(event);
        Pump();
        return dynamic_cast<Panel*>(Frame().GetTopDialog());
    }

    void Select(std::initializer_list<const char*> names)
    {
        CDataFileSelOperator* op = doc->GetSelOperator();
        op->ClearSelection();
        for (const char* name : names)
            op->SelectObject(Point(name));
        doc->SendHint(nullptr, HintSelectionChanged, 0);
        Pump();
    }

    CPointRecord* Point(const char* name) { return doc->GetPointDatabase()->FindPoint(name, true); }
    int32_t Steps() { return doc->GetUndoManager()->GetStepCount(); }
    int32_t RawLines() { return RawDataFileOf(doc)->GetLineCount(); }
    std::string LastRaw()
    {
        CRawDataFile* raw = RawDataFileOf(doc);
        return raw->GetLineCount() > 0 ? raw->GetRecord(raw->GetLineCount() - 1)->GetText() : "";
    }

    CDataFileDoc* doc = nullptr;
};

} // namespace

TEST_F(PointEditingTest, AddPanelAddsEditsAndRunsQuickEnter)
{
    ASSERT_TRUE(Open());
    auto* panel = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(panel, nullptr);
    // A free name is proposed after the job's last one.
    EXPECT_EQ(panel->GetNameText(), "13");
    CPointLocation& page = panel->GetLocationPage();
    EXPECT_FALSE(page.GetChangeLocationBox()->IsShown());
    EXPECT_TRUE(panel->FindWindow(CPointAdd::IdAdd)->IsEnabled());
    EXPECT_FALSE(panel->FindWindow(CPointAdd::IdApply)->IsEnabled());

    // All empty on a new name: nothing stored, nothing said.
    const int32_t steps = Steps();
    const int32_t lines = RawLines();
    panel->OnAdd();
    EXPECT_EQ(Point("13"), nullptr);
    EXPECT_EQ(Steps(), steps);
    EXPECT_TRUE(messages.empty());

    page.GetPosition().northing = 100;
    page.GetPosition().easting = 200;
    page.description = "IP";
    page.UpdateDataEx(false);
    panel->OnAdd();
    Pump();
    ASSERT_NE(Point("13"), nullptr);
    EXPECT_NEAR(Point("13")->GetNorthing(), 100, 1e-4);
    EXPECT_EQ(doc->GetUndoManager()->GetUndoDescription(), "Add point 13");
    EXPECT_EQ(RawLines(), lines + 1);
    EXPECT_EQ(LastRaw().rfind("MP,13,", 0), 0u) << LastRaw();
    EXPECT_EQ(panel->GetNameText(), "14");

    // An existing name edits: Add goes grey, Apply waits for a box.
    panel->SetNameText("13");
    Pump();
    // The two change boxes now show, and the description field still fits whole on the page.
    const wxWindow* describe = page.FindWindow(CPointLocation::IdDescription);
    EXPECT_GE(describe->GetSize().y, describe->GetBestSize().y);
    EXPECT_LE(describe->GetRect().GetBottom(), page.GetClientSize().y);
    EXPECT_FALSE(panel->FindWindow(CPointAdd::IdAdd)->IsEnabled());
    EXPECT_FALSE(panel->FindWindow(CPointAdd::IdApply)->IsEnabled());
    EXPECT_TRUE(page.GetChangeLocationBox()->IsShown());
    page.ClickChangeDescription(true);
    EXPECT_TRUE(panel->FindWindow(CPointAdd::IdApply)->IsEnabled());
    page.description = "EP";
    page.UpdateDataEx(false);
    ASSERT_TRUE(panel->StorePoint(false));
    EXPECT_STREQ(Point("13")->GetDescription(), "EP");
    EXPECT_EQ(RawLines(), lines + 1); // a description change writes no line
    // A location change below the tolerance changes nothing.
    page.ClickChangeLocation(true);
    page.GetPosition().northing = 100.00004;
    page.UpdateDataEx(false);
    EXPECT_FALSE(panel->StorePoint(false));
    EXPECT_EQ(RawLines(), lines + 1);

    // Quick enter with the defaults: northing, easting, elevation, description, then Add.
    panel->NewPoint(false);
    EXPECT_EQ(panel->GetNameText(), "14");
    ASSERT_EQ(panel->GetQuickEnterRing().GetSlots().size(), 5u);
    CPointLocationPosition& nez = page.GetPosition();
    nez.GetNorthingField()->ChangeValue("300");
    nez.GetEastingField()->ChangeValue("400");
    EXPECT_TRUE(panel->OnQuickEnterKey(nez.GetNorthingField()));
    // Enter in the last chosen field adds the point.
    wxKeyEvent enter(wxEVT_CHAR_HOOK);
    enter.m_keyCode = WXK_RETURN;
    enter.SetEventObject(page.GetDescriptionField());
    page.GetDescriptionField()->ProcessWindowEvent(enter);
    Pump();
    ASSERT_NE(Point("14"), nullptr);
    EXPECT_EQ(panel->GetNameText(), "15");
    ASSERT_TRUE(SaveScreenshot(Frame(), "point_editing.png"));

    // Nothing ticked in the settings switches quick enter off, and the profile keeps it off.
    dialogAnswer = [](wxDialog& host) {
        CEasyDialog* dialog = CEasyDialog::FromHost(host);
        for (int id : {CQuickEnterModeDlg::IdName, CQuickEnterModeDlg::IdNorthing, CQuickEnterModeDlg::IdEasting,
                       CQuickEnterModeDlg::IdElevation, CQuickEnterModeDlg::IdDescription})
            static_cast<wxCheckBox*>(dialog->FindWindow(id))->SetValue(false);
        dialog->UpdateDataEx(true);
        return int(wxID_OK);
    };
    EXPECT_EQ(panel->OnQuickEnterSettings(), wxID_OK);
    dialogAnswer = nullptr;
    EXPECT_EQ(panel->GetQuickEnterFlags().enabled, 0);
    EXPECT_FALSE(panel->OnQuickEnterKey(nez.GetNorthingField()));
    Exit();
    EXPECT_EQ(ProfileValue("Quick Enter Mode", "Enabled"), "0");
}

TEST_F(PointEditingTest, FirstPointOfAnEmptyJobIsBroughtIntoView)
{
    ASSERT_TRUE(Start());
    Frame().SetSize(1100, 800);
    doc = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetRecordDatabase()->GetCount(0), 0);
    Frame().ShowDialogBar(true);
    Pump();
    auto* panel = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(panel, nullptr);
    CDataFileView* view = Frame().GetJobView();
    const wxSize client = view->GetMapPane()->GetClientSize();
    auto onMap = [&](const char* name) {
        CPickQuery q;
        q.location = CLocation(Point(name)->GetEasting(), Point(name)->GetNorthing(), NoValue);
        view->OnWorldToDevice8084(q);
        return wxRect(client).Contains(q.point.x, q.point.y);
    };
    CPickQuery middle;
    middle.point = DevicePoint{client.x / 2, client.y / 2};
    view->OnDeviceToWorld8083(middle);

    struct Case
    {
        const char* what;
        double northing, easting;
        bool bulkHint; // the map is told to show the job's extents
    };
    const Case cases[] = {
        {"first point, in view", middle.location.y, middle.location.x, false},
        {"first point, far off the map", 5e6, 3e6, true},
        {"second point, off the map", -5e6, -3e6, false},
    };
    struct Seen : CView
    {
        explicit Seen(CDataFileDoc* job) : job(job) { job->AddView(this); }
        ~Seen() override { job->RemoveView(this); }
        void OnUpdate(CView*, intptr_t hint, intptr_t) override { hints.push_back(int32_t(hint)); }
        CDataFileDoc* job;
        std::vector<int32_t> hints;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Seen seen(doc);
        const std::string name = panel->GetNameText();
        CPointLocation& page = panel->GetLocationPage();
        page.GetPosition().northing = c.northing;
        page.GetPosition().easting = c.easting;
        page.UpdateDataEx(false);
        panel->OnAdd();
        Pump();
        ASSERT_NE(Point(name.c_str()), nullptr);
        EXPECT_EQ(std::count(seen.hints.begin(), seen.hints.end(), HintPointsAddedInBulk), c.bulkHint ? 1 : 0);
        if (c.bulkHint) {
            EXPECT_TRUE(onMap(name.c_str()));
        }
        // The in-view case leaves an empty job again for the next one.
        if (c.northing == middle.location.y) {
            ASSERT_TRUE(doc->GetUndoManager()->Undo());
        }
        Pump();
    }
    Exit();
}

TEST_F(PointEditingTest, EditPanelTakesNoneOneOrSeveralPoints)
{
    ASSERT_TRUE(Open());
    Select({});
    auto* panel = Push<CPointEdit>(IdEditMultiplePoints);
    ASSERT_NE(panel, nullptr);
    CPointLocation& page = panel->GetLocationPage();
    // Nothing selected: the boxes show but cannot be ticked, Apply is grey.
    EXPECT_TRUE(page.GetChangeLocationBox()->IsShown());
    EXPECT_FALSE(page.GetChangeLocationBox()->IsEnabled());
    EXPECT_FALSE(panel->FindWindow(CPointAdd::IdApply)->IsEnabled());

    // One point: its location.
    Select({"10"});
    EXPECT_TRUE(page.GetChangeLocationBox()->IsEnabled());
    EXPECT_NEAR(page.GetPosition().northing, 2000, 1e-4);
    page.ClickChangeLocation(true);
    EXPECT_TRUE(page.GetPosition().GetNorthingField()->IsEnabled());
    page.GetPosition().northing = 2005;
    page.UpdateDataEx(false);
    const int32_t lines = RawLines();
    panel->OnApply();
    EXPECT_NEAR(Point("10")->GetNorthing(), 2005, 1e-4);
    EXPECT_EQ(RawLines(), lines + 1);
    EXPECT_EQ(doc->GetUndoManager()->GetUndoDescription(), "Modify 1 points");

    // Two points: only a common elevation; an empty one makes them 2D without raw lines.
    Select({"10", "11"});
    page.ClickChangeLocation(true);
    EXPECT_FALSE(page.GetPosition().GetNorthingField()->IsEnabled());
    EXPECT_TRUE(page.GetPosition().GetElevationField()->IsEnabled());
    page.GetPosition().elevation = 77;
    page.UpdateDataEx(false);
    panel->OnApply();
    EXPECT_NEAR(Point("10")->GetElevation(), 77, 1e-4);
    EXPECT_NEAR(Point("11")->GetElevation(), 77, 1e-4);
    EXPECT_NEAR(Point("10")->GetNorthing(), 2005, 1e-4);
    EXPECT_EQ(doc->GetUndoManager()->GetUndoDescription(), "Modify 2 points");
    EXPECT_EQ(RawLines(), lines + 3);
    page.ClickChangeLocation(true);
    page.GetPosition().GetElevationField()->ChangeValue("");
    panel->OnApply();
    EXPECT_FALSE(HasValue(Point("11")->GetElevation()));
    EXPECT_EQ(RawLines(), lines + 3);
    Exit();
}

TEST_F(PointEditingTest, AdjustmentPagesMoveTheSelectionOrRefuseWhole)
{
    ASSERT_TRUE(Open());
    Select({"10", "11"});
    auto* panel = Push<CAdjustments>(IdTranslateRotateScale);
    ASSERT_NE(panel, nullptr);
    CAdjustmentValues& v = panel->Values();
    // Before any adjustment the report is empty and says so. The panel's own button: a page
    // holds a field of the same id.
    wxWindow* reportButton = nullptr;
    for (wxWindow* child : panel->GetChildren())
        if (child->GetId() == CAdjustments::IdReport && dynamic_cast<wxButton*>(child))
            reportButton = child;
    ASSERT_NE(reportButton, nullptr);
    wxCommandEvent report(wxEVT_BUTTON, CAdjustments::IdReport);
    report.SetEventObject(reportButton);
    reportButton->ProcessWindowEvent(report);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Empty Report.");
    messages.clear();
    struct Case
    {
        const char* what;
        int page;
        std::function<void()> set;
        double north10, east10, elevation10;
    };
    const Case cases[] = {
        {"translate by", 0, [&] { v.direction = M_PI / 4, v.distance = 10, v.rise = 1; }, 2007.0711, 1007.0711, 51},
        {"translate to", 1,
         [&] {
             v.reference = {true, "10", {}};
             v.destination = {false, "", CLocation(1100, 2100, NoValue)};
         },
         2100, 1100, 51},
        {"rotate simple 90 about 11", 2,
         [&] {
             v.rotateReference = {true, "11", {}};
             v.angleMode = RotateSimple;
             v.simpleAngle = M_PI / 2;
         },
         // (E1100, N2100) about (E1130, N2140): a quarter turn clockwise.
         2170, 1090, 51},
        {"scale feet to metres", 3, [&] { v.predefined = true, v.factorIndex = 1; }, 2170 * 0.3048,
         1090 * 0.3048, 51 * 0.3048},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.set();
        panel->GetTab()->SelectPage(c.page);
        panel->UpdateDataEx(false);
        const int32_t steps = Steps();
        ASSERT_TRUE(panel->GetPage(c.page)->Apply()) << (messages.empty() ? "" : messages.back());
        EXPECT_EQ(Steps(), steps + 1);
        EXPECT_NEAR(Point("10")->GetNorthing(), c.north10, 1e-3);
        EXPECT_NEAR(Point("10")->GetEasting(), c.east10, 1e-3);
        EXPECT_NEAR(Point("10")->GetElevation(), c.elevation10, 1e-3);
    }
    EXPECT_FALSE(panel->GetCommand()->GetReport().IsEmpty());
    ASSERT_TRUE(SaveScreenshot(Frame(), "point_adjustments.png"));

    // A result out of range moves nothing and leaves no step; a factor at the limit is refused.
    const CLocation before = Point("10")->GetLocation();
    const int32_t steps = Steps();
    v.direction = 0, v.distance = 9999999, v.rise = 0;
    panel->GetTab()->SelectPage(0);
    panel->UpdateDataEx(false);
    EXPECT_FALSE(panel->GetPage(0)->Apply());
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Translate results out of range.");
    v.predefined = false, v.scaleReference = {false, "", CLocation(0, 0, 0)};
    v.northingFactor = v.eastingFactor = 1, v.elevationFactor = 100.0;
    panel->GetTab()->SelectPage(3);
    panel->UpdateDataEx(false);
    std::vector<std::string> refusals;
    DdxErrorHandler handler = SetDdxErrorHandler([&](const DdxErrorRequest& r) {
        refusals.push_back(r.message);
        return 1;
    });
    EXPECT_FALSE(panel->GetPage(3)->Apply());
    SetDdxErrorHandler(handler);
    EXPECT_EQ(refusals, std::vector<std::string>{ScaleFactorMessage});
    EXPECT_EQ(Steps(), steps);
    EXPECT_NEAR(Point("10")->GetNorthing(), before.y, 1e-4);

    // Factors typed with eight decimals scale as typed (about the origin each coordinate is
    // multiplied), and again as the boxes show them once the panel has been opened anew.
    constexpr double Factor = 0.99995671;
    for (const int id : {CScale::IdNorthingFactor, CScale::IdEastingFactor, CScale::IdElevationFactor}) {
        auto* box = dynamic_cast<wxTextCtrl*>(panel->GetPage(3)->FindWindow(id));
        ASSERT_NE(box, nullptr);
        box->ChangeValue("0.99995671");
    }
    ASSERT_TRUE(panel->GetPage(3)->Apply());
    const CLocation scaled = Point("10")->GetLocation();
    EXPECT_NEAR(scaled.y, before.y * Factor, 1e-7);

    // The pages' values come back with the next panel. The closed one is gone first, so the
    // next is new even where it gets the freed address.
    wxWeakRef<wxWindow> closed(panel);
    panel->OnCancel();
    ASSERT_TRUE(WaitFor("the closed panel to go", [&] { return !closed; }));
    auto* again = Push<CAdjustments>(IdTranslateRotateScale);
    ASSERT_NE(again, nullptr);
    const CAdjustmentValues& kept = again->Values();
    EXPECT_EQ(kept.direction, 0.0);
    EXPECT_EQ(kept.rotateReference.pointName, "11");
    EXPECT_EQ(kept.simpleAngle, M_PI / 2);
    EXPECT_FALSE(kept.predefined);
    EXPECT_EQ(kept.factorIndex, 1);
    again->GetTab()->SelectPage(3);
    ASSERT_TRUE(again->GetPage(3)->Apply());
    EXPECT_EQ(kept.elevationFactor, Factor);
    EXPECT_NEAR(Point("10")->GetNorthing(), scaled.y * Factor, 1e-7);
    EXPECT_NEAR(Point("10")->GetEasting(), scaled.x * Factor, 1e-7);
    EXPECT_NEAR(Point("10")->GetElevation(), scaled.z * Factor, 1e-7);
    Exit();
}

TEST_F(PointEditingTest, ElevationsRenamesAndDeletesThroughTheirPanels)
{
    ASSERT_TRUE(Open());
    // 2D to 3D, missing only: the 3D point keeps its elevation.
    Select({"10", "12"});
    auto* to3d = Push<C2dPointsTo3dPointsDlg>(Id2dPointsTo3dPoints);
    ASSERT_NE(to3d, nullptr);
    // The new elevation has its unit and a button that drops the calculator menu.
    wxWindow* unit = to3d->FindWindow(C2dPointsTo3dPointsDlg::IdElevationUnit);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->GetLabel(), "ft");
    auto* elevation = dynamic_cast<CInteractiveControl*>(to3d->FindWindow(C2dPointsTo3dPointsDlg::IdElevation));
    ASSERT_NE(elevation, nullptr);
    ASSERT_NE(elevation->GetMenuButton(), nullptr);
    const std::unique_ptr<wxMenu> menu = elevation->GetMenuButton()->BuildMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_NE(menu->FindItem(CmdCalculator), nullptr);
    to3d->newElevation = 33;
    to3d->missingOnly = 1;
    to3d->UpdateDataEx(false);
    EXPECT_EQ(to3d->OnApply(), 1);
    EXPECT_NEAR(Point("12")->GetElevation(), 33, 1e-4);
    EXPECT_NEAR(Point("10")->GetElevation(), 50, 1e-4);
    EXPECT_EQ(doc->GetUndoManager()->GetUndoDescription(), "Changed 1 point elevations");
    to3d->OnCancel();
    Pump();

    // Rename by rule 4: the preview changes nothing, the rename is one step.
    GetMorvelSettings().SetRenameRule(4);
    GetMorvelSettings().SetRenameNumericOffset(1000);
    Select({"10", "11"});
    auto* rename = Push<CRenumberPoints>(IdRenamePoints);
    ASSERT_NE(rename, nullptr);
    // Every button shows its whole caption in the side bar.
    for (const wxWindow* child : rename->GetChildren()) {
        if (auto* button = dynamic_cast<const wxButton*>(child)) {
            EXPECT_GE(button->GetSize().x, button->GetBestSize().x) << button->GetLabel();
        }
    }
    EditorCapture capture(GetReportOutput());
    CReportOutput* previous = SetReportOutput(&capture);
    EXPECT_TRUE(rename->OnPreview());
    SetReportOutput(previous);
    EXPECT_EQ(capture.sent.size(), 1u);
    EXPECT_NE(Point("10"), nullptr);
    rename->renameRawData = 0;
    rename->UpdateDataEx(false);
    const int32_t lines = RawLines();
    ASSERT_TRUE(rename->OnRename());
    EXPECT_EQ(doc->GetUndoManager()->GetUndoDescription(), "Rename 2 points");
    EXPECT_EQ(Point("10"), nullptr);
    ASSERT_NE(Point("1010"), nullptr);
    EXPECT_EQ(RawLines(), lines + 4); // a deletion and an input-point line per point
    EXPECT_EQ(doc->GetSelOperator()->GetCountUnfiltered(), 2);
    // Names taken: refused at the rules button, no step left.
    Select({"1010", "12"});
    GetMorvelSettings().SetRenameNumericOffset(-998); // 1010 -> 12, which exists
    const int32_t steps = Steps();
    std::vector<std::string> refusals;
    DdxErrorHandler handler = SetDdxErrorHandler([&](const DdxErrorRequest& r) {
        refusals.push_back(r.message);
        return 1;
    });
    EXPECT_FALSE(rename->OnRename());
    SetDdxErrorHandler(handler);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(refusals, std::vector<std::string>{RenameRefusedMessage});
    EXPECT_NE(Point("1010"), nullptr);
    rename->OnCancel();
    Pump();

    // Delete, then undo; the raw box is remembered.
    Select({"1011"});
    auto* del = Push<CDeleteObjects>(IdDeletePoints);
    ASSERT_NE(del, nullptr);
    del->writeDeleteRecords = 0;
    del->UpdateDataEx(false);
    ASSERT_TRUE(del->OnApply());
    EXPECT_EQ(Point("1011"), nullptr);
    EXPECT_EQ(doc->GetUndoManager()->GetUndoDescription(), "Delete 1 objects");
    ASSERT_TRUE(doc->GetUndoManager()->Undo());
    EXPECT_NE(Point("1011"), nullptr);
    del->OnCancel();
    Pump();
    Exit();
    EXPECT_EQ(ProfileValue("General", "WriteDelRaw"), "0");
}

// The message bar's Report with a panel on top runs that panel's own Report, once, and the bar
// does not hand its own text over as well.
TEST_F(PointEditingTest, TheMessageBarsReportRunsTheTopPanelsReportOnce)
{
    ASSERT_TRUE(Open());
    auto* bar = dynamic_cast<CMessageBar*>(Frame().GetBar(CMainFrame::MessageBarIndex));
    ASSERT_NE(bar, nullptr);
    // The bar shows the top panel's report as it comes and goes; then it holds a text of its own.
    const auto reportFromTheBar = [&] {
        bar->SetText("{\\rtf1\\ansi The bar's own text\\par}", false);
        bar->OnReport();
        Pump();
    };
    EditorCapture capture(GetReportOutput());
    CReportOutput* previous = SetReportOutput(&capture);
    const std::pair<const char*, int> panels[] = {
        {"Intersection", IdIntersection},   {"Inverse", IdInverse},       {"Point in Direction", IdPointInDirection},
        {"2D to 3D", Id2dPointsTo3dPoints}, {"Rename", IdRenamePoints},
    };
    Select({"10", "11"});
    for (const auto& [what, command] : panels) {
        SCOPED_TRACE(what);
        auto* panel = Push<CStackableDialog>(command);
        ASSERT_NE(panel, nullptr);
        ASSERT_NE(panel->FindReportButton(), nullptr);
        CReport& report = panel->GetReport();
        report.NewSection().AddColumn("Note", ReportHeadingLeft | ReportCellLeft);
        report.AddTextRow(std::string("The report of ") + what);
        capture.sent.clear();
        reportFromTheBar();
        ASSERT_EQ(capture.sent.size(), 1u);
        EXPECT_NE(capture.sent[0].find(std::string("The report of ") + what), std::string::npos);
        EXPECT_EQ(capture.sent[0].find("bar's own text"), std::string::npos);
        panel->OnCancel();
        Pump();
    }

    // Adjustments keeps its report with the page's operation; a field of one of its pages has the
    // Report button's id too.
    auto* adjust = Push<CAdjustments>(IdTranslateRotateScale);
    ASSERT_NE(adjust, nullptr);
    CAdjustmentValues& v = adjust->Values();
    v.direction = M_PI / 4, v.distance = 10, v.rise = 1;
    adjust->GetTab()->SelectPage(0);
    adjust->UpdateDataEx(false);
    ASSERT_TRUE(adjust->GetPage(0)->Apply());
    wxButton* button = adjust->FindReportButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetParent(), adjust);
    EXPECT_NE(adjust->FindWindow(CAdjustments::IdReport), button);
    capture.sent.clear();
    reportFromTheBar();
    ASSERT_EQ(capture.sent.size(), 1u);
    EXPECT_EQ(capture.sent[0].find("bar's own text"), std::string::npos);
    EXPECT_NE(capture.sent[0].find("Translate"), std::string::npos) << capture.sent[0].substr(0, 400);
    EXPECT_EQ(adjust->OnBarMessage(0x8079, 0), 1);
    EXPECT_EQ(capture.sent.size(), 2u);
    adjust->OnCancel();
    Pump();

    // With no panel on top the bar's own text goes out.
    capture.sent.clear();
    reportFromTheBar();
    SetReportOutput(previous);
    ASSERT_EQ(capture.sent.size(), 1u);
    EXPECT_NE(capture.sent[0].find("bar's own text"), std::string::npos);
    Exit();
}

TEST_F(PointEditingTest, EditPointOpensOrReusesTheAddPanelOnThePoint)
{
    ASSERT_TRUE(Open());
    const size_t panels = Frame().GetStackCount();
    doc->SetCurrentRecord(Point("11"), -1);
    auto* panel = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(Frame().GetStackCount(), panels + 1);
    EXPECT_EQ(panel->GetNameText(), "11");
    EXPECT_TRUE(panel->GetLocationPage().GetChangeLocationBox()->IsShown());
    // Pushed again on another point: the same panel shows it.
    doc->SetCurrentRecord(Point("12"), -1);
    EXPECT_EQ(Push<CPointAdd>(IdAddEditPoints), panel);
    EXPECT_EQ(Frame().GetStackCount(), panels + 1);
    EXPECT_EQ(panel->GetNameText(), "12");
    EXPECT_STREQ(panel->GetLocationPage().description.c_str(), "FLAT");
    Exit();
}

TEST_F(PointEditingTest, RefusalsAndEmptySelectionsLeaveTheJobAsItWas)
{
    ASSERT_TRUE(Open());
    std::vector<std::string> refusals;
    DdxErrorHandler handler = SetDdxErrorHandler([&](const DdxErrorRequest& r) {
        refusals.push_back(r.message);
        return 1;
    });
    // An empty distance with a rise shifts only the elevations.
    Select({"10", "12"});
    auto* adjust = Push<CAdjustments>(IdTranslateRotateScale);
    ASSERT_NE(adjust, nullptr);
    adjust->Values().distance = NoValue;
    adjust->Values().rise = 1;
    adjust->GetTab()->SelectPage(0);
    adjust->UpdateDataEx(false);
    ASSERT_TRUE(adjust->GetPage(0)->Apply());
    EXPECT_NEAR(Point("10")->GetElevation(), 51, 1e-4);
    EXPECT_NEAR(Point("10")->GetNorthing(), 2000, 1e-4);
    EXPECT_FALSE(HasValue(Point("12")->GetElevation()));
    adjust->OnCancel();
    Pump();

    const CLocation before = Point("10")->GetLocation();
    struct Case
    {
        const char* what;
        std::function<bool()> run;
        bool refusedByField;
    };
    const Case cases[] = {
        {"translate by nothing",
         [&] {
             auto* p = Push<CAdjustments>(IdTranslateRotateScale);
             p->Values().distance = 0, p->Values().rise = 0;
             p->GetTab()->SelectPage(0);
             p->UpdateDataEx(false);
             const bool done = p->GetPage(0)->Apply();
             p->OnCancel();
             return done;
         },
         true},
        {"2D to 3D without an elevation",
         [&] {
             auto* p = Push<C2dPointsTo3dPointsDlg>(Id2dPointsTo3dPoints);
             p->newElevation = NoValue;
             p->UpdateDataEx(false);
             static_cast<wxTextCtrl*>(p->FindWindow(C2dPointsTo3dPointsDlg::IdElevation))->ChangeValue("");
             const bool done = p->OnApply() >= 0;
             p->OnCancel();
             return done;
         },
         true},
        {"rename nothing selected",
         [&] {
             Select({});
             auto* p = Push<CRenumberPoints>(IdRenamePoints);
             const bool done = p->OnRename();
             p->OnCancel();
             return done;
         },
         false},
        {"delete nothing selected",
         [&] {
             Select({});
             auto* p = Push<CDeleteObjects>(IdDeletePoints);
             const bool done = p->OnApply();
             p->OnCancel();
             return done;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        refusals.clear();
        const int32_t steps = Steps();
        const int32_t lines = RawLines();
        EXPECT_FALSE(c.run());
        Pump();
        EXPECT_EQ(Steps(), steps);
        EXPECT_EQ(RawLines(), lines);
        EXPECT_EQ(refusals.empty(), !c.refusedByField);
        ASSERT_NE(Point("10"), nullptr);
        EXPECT_NEAR(Point("10")->GetLocation().z, before.z, 1e-9);
    }
    SetDdxErrorHandler(handler);
    Exit();
}

TEST_F(PointEditingTest, EastingFirstOrderSwapsTheRowsAndAPickStillFillsThemAll)
{
    ASSERT_TRUE(Open());
    GetMorvelSettings().SetCoordOrder(false);
    CInterested::Broadcast(nullptr, HintFormatSettingsChanged, 0);
    auto* add = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(add, nullptr);
    CPointLocationPosition& nez = add->GetLocationPage().GetPosition();
    auto* north = nez.GetNorthingField();
    auto* east = nez.GetEastingField();
    auto* elev = nez.GetElevationField();
    auto rowOf = [](wxWindow* w) { return w->GetScreenPosition().y + w->GetSize().y / 2; };
    auto label = [&](wxWindow* page, int id) { return page->FindWindow(id)->GetLabel().utf8_string(); };

    // Shown easting first: the first row's caption names the easting and the tab goes there first.
    EXPECT_LT(rowOf(east), rowOf(north));
    EXPECT_LT(rowOf(north), rowOf(elev));
    EXPECT_EQ(label(&nez, CPointLocationPosition::IdCaptionFirst), GetPlanXCaption());
    EXPECT_EQ(label(&nez, CPointLocationPosition::IdCaptionSecond), GetPlanYCaption());
    EXPECT_NEAR(rowOf(nez.FindWindow(CPointLocationPosition::IdCaptionFirst)), rowOf(east), 6);
    const wxWindowList& tabs = nez.GetChildren();
    EXPECT_LT(tabs.IndexOf(east), tabs.IndexOf(north));

    // A location picked into the first field fills the other coordinate and the elevation.
    east->SetFocus();
    Pump();
    if (!GetGraphicDataExchange().IsTarget(east))
        east->ActivateInteraction();
    ASSERT_TRUE(GetGraphicDataExchange().IsTarget(east));
    GetGraphicDataExchange().SetLocation(CLocation(1030, 2040, 51));
    GetGraphicDataExchange().Deliver(1, true);
    CDataFileFormat format(GetActiveJobValueSource());
    EXPECT_EQ(east->GetFieldText(), format.FormatCoordinate(1030, false, false));
    EXPECT_EQ(north->GetFieldText(), format.FormatCoordinate(2040, false, false));
    EXPECT_EQ(elev->GetFieldText(), format.FormatElevation(51, false, false));
    ASSERT_TRUE(SaveScreenshot(Frame(), "coordinate_order.png"));

    // A page whose captions are its own: each caption goes with its field.
    auto* adjust = Push<CAdjustments>(IdTranslateRotateScale);
    ASSERT_NE(adjust, nullptr);
    adjust->GetTab()->SelectPage(1);
    Pump();
    CAdjustPage* to = adjust->GetPage(1);
    for (auto [n, e] : {std::pair{CTranslateSetLocation::IdRefNorthing, CTranslateSetLocation::IdRefEasting},
                        std::pair{CTranslateSetLocation::IdDestNorthing, CTranslateSetLocation::IdDestEasting}}) {
        SCOPED_TRACE(n);
        wxWindow* nf = to->FindWindow(n);
        wxWindow* ef = to->FindWindow(e);
        EXPECT_LT(rowOf(ef), rowOf(nf));
        int besideEasting = 0;
        for (wxWindow* w : to->GetChildren()) {
            auto* caption = dynamic_cast<wxStaticText*>(w);
            if (caption != nullptr && std::abs(rowOf(caption) - rowOf(ef)) < 6) {
                EXPECT_EQ(caption->GetLabel(), "Easting:");
                ++besideEasting;
            }
        }
        // A row without its caption would pass the loop unchecked.
        EXPECT_EQ(besideEasting, 1);
    }

    // Back to northing first: the add panel's rows return.
    GetMorvelSettings().SetCoordOrder(true);
    CInterested::Broadcast(nullptr, HintFormatSettingsChanged, 0);
    Pump();
    EXPECT_LT(rowOf(north), rowOf(east));
    EXPECT_EQ(label(&nez, CPointLocationPosition::IdCaptionFirst), GetPlanYCaption());
}
