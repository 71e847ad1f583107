// The main frame's global commands in the running program: each reaches its handler at its menu
// place, the update states follow the settings and the side bar, the transfer settings come up
// when they should, the web commands say when no program opened them, imports refuse an empty
// file, and the two report panels build their reports.
#include "FakeReportOutput.h"
#include "ProgramTest.h"

#include "core/DataExchange.h"
#include "core/Report.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/DataFileSelOperator.h"
#include "model/Selection.h"
#include "platform/MessageBox.h"
#include "platform/ProcessLaunch.h"
#include "shell/CommandIds.h"
#include "shell/FrameWindowRegistry.h"
#include "shell/GlobalCommandIds.h"
#include "shell/RunUserPreferences.h"
#include "shell/ui/CoordinateReport.h"
#include "shell/ui/CutSheetReport.h"
#include "shell/ui/MainFrame.h"
#include "views/ui/SelectionChip.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/ReportFieldCheckList.h"
#include "shell/ui/PanelFactories.h"
#include "framework/ui/EasyRichEdit.h"
#include "views/MapCommands.h"
#include "views/ui/MorvelView.h"

#include <gmock/gmock.h>

#include <wx/menu.h>

#include <sstream>
#include <wx/richtext/richtextctrl.h>

using morvel::test::ProgramTest;
using testing::ElementsAre;

namespace {

class GlobalCommandsTest : public ProgramTest
{
protected:
    void StartWithPoints(const std::vector<const char*>& names)
    {
        ASSERT_TRUE(Start());
        Frame().SetSize(1100, 800);
        Pump();
        std::vector<CPointRecord*> points;
        double n = 1000;
        for (const char* name : names) {
            n += 12.5;
            points.push_back(new CPointRecord(name, "", CLocation(2000 + n / 10, n, 100.25), true));
        }
        ShowPointsOnMap(points);
    }
    void SelectAllPoints()
    {
        CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
        CRecordDatabase* store = job->GetRecordDatabase();
        CRecordCursor cursor = store->GetFirstRecord(0);
        while (CRecord* record = store->GetNextRecord(cursor))
            GetActiveSelectionOperator()->SelectObject(record);
        Pump();
    }
    // The update state of a command as its menu item or button would get it.
    wxUpdateUIEvent Update(int id)
    {
        wxUpdateUIEvent event(id);
        event.SetEventObject(&Frame());
        Frame().ProcessWindowEvent(event);
        return event;
    }
    bool Enabled(int id)
    {
        const wxUpdateUIEvent e = Update(id);
        return !e.GetSetEnabled() || e.GetEnabled();
    }
    bool Checked(int id) { return Update(id).GetChecked(); }
    void Command(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        Frame().ProcessWindowEvent(event);
        Pump();
    }
    template <class T> T* Current() { return dynamic_cast<T*>(Frame().GetStackingBar()->GetCurrent()); }
};

} // namespace

TEST_F(GlobalCommandsTest, MenuPlacesAndToolbarSnapButtons)
{
    StartWithPoints({"1"});
    wxMenuBar* bar = Frame().GetMenuBar();
    struct Place
    {
        int id;
        const char* label;
    } places[] = {
        {IdImportMorvelCoordinates, "Morvel Coordinates (.MVJ)"}, {IdImportLandXml, "LandXML (.XML)..."},
        {IdAddEditPoints, "Add Points / Edit Points...\tCtrl+J"},  {IdInverse, "Inverse Point to Point...\tCtrl+I"},
        {IdIdentifyObjects, "Identify Objects\tCtrl+O"},           {IdEraseScratchLines, "Erase Scratch Lines\tCtrl+E"},
        {IdScientificCalculator, "Scientific Calculator...\tCtrl+R"}, {IdCoordinateReport, "Coordinate Report..."},
        {IdCutSheetReport, "Cut Sheet Report..."},                 {IdEmailTechnicalSupport, "E-mail Technical Support"},
        {IdOpenJob, "&Open Job..."},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.label);
        wxMenuItem* item = bar->FindItem(p.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetItemLabel().utf8_string(), p.label);
    }
    // File: one Import and one Export, both above Exit, which comes last.
    std::vector<std::string> file;
    for (const wxMenuItem* item : bar->GetMenu(size_t(bar->FindMenu("&File")))->GetMenuItems())
        if (!item->IsSeparator() && (item->GetSubMenu() || item->GetId() == IdAppExit))
            file.push_back(item->GetItemLabel().utf8_string());
    EXPECT_EQ(file, (std::vector<std::string>{"&Import", "&Export", "E&xit"}));

    // The snap buttons: one checked, the mode stored; Lock Snap follows and is off in mode 0.
    CMorvelSettings& settings = GetMorvelSettings();
    struct Snap
    {
        int id;
        int32_t mode;
    } snaps[] = {{IdSnapFree, 2}, {IdSnapToPoint, 1}, {IdSnapToGrid, 3}};
    for (const Snap& s : snaps) {
        SCOPED_TRACE(s.id);
        Command(s.id);
        EXPECT_EQ(settings.GetSnapMode(), s.mode);
        for (const Snap& other : snaps)
            EXPECT_EQ(Checked(other.id), other.id == s.id);
    }
    EXPECT_TRUE(Enabled(IdLockSnap));
    Command(IdLockSnap);
    EXPECT_TRUE(settings.GetSnapLock());
    EXPECT_TRUE(Checked(IdLockSnap));
    settings.SetSnapMode(0);
    EXPECT_FALSE(Enabled(IdLockSnap));
    Command(IdLockSnap);
    EXPECT_FALSE(settings.GetSnapLock());
    Command(IdLegend);

    // Identify Objects toggles its preference.
    const bool identify = settings.GetIdentifyObjects();
    Command(IdIdentifyObjects);
    EXPECT_EQ(settings.GetIdentifyObjects(), !identify);
    EXPECT_EQ(Checked(IdIdentifyObjects), !identify);

    // Commands whose windows other parts bring are on once those are there.
    for (int id : {IdCoordinateReport, IdScientificCalculator, IdIntersection, IdSendJobToTotalStation,
                   IdCreateJobFromBackup, IdCreateJobFromVectrinFile, IdInverse, IdImportMorvelCoordinates,
                   IdImportDxf})
        EXPECT_TRUE(Enabled(id)) << id;
    Exit();
}

TEST_F(GlobalCommandsTest, StatusPaneCountsTheSelection)
{
    StartWithPoints({"1", "2", "3", "4", "5"});
    wxIdleEvent idle;
    Frame().ProcessWindowEvent(idle);
    EXPECT_EQ(Frame().GetPaneText(3), "0 objects selected");
    SelectAllPoints();
    Frame().ProcessWindowEvent(idle);
    EXPECT_EQ(Frame().GetPaneText(3), "5 objects selected");
    Exit();
}

TEST_F(GlobalCommandsTest, SendJobAsksForTheTransferSettingsOnce)
{
    StartWithPoints({"1"});
    std::vector<int> pages;
    std::deque<int> sheetAnswers = {IDCANCEL, IDOK};
    UserPreferencesRunner previous = SetRunUserPreferences([&](int32_t page) {
        pages.push_back(page);
        const int answer = sheetAnswers.empty() ? IDCANCEL : sheetAnswers.front();
        if (!sheetAnswers.empty())
            sheetAnswers.pop_front();
        return answer;
    });
    CStackingDialogBar* bar = Frame().GetStackingBar();
    EXPECT_EQ(ProfileValue("Transfer", "FirstSettings"), "<absent>");

    Command(IdSendJobToTotalStation); // Cancel: nothing pushed
    EXPECT_FALSE(bar->Model().IsDialogOpen(SendJobPanelTemplate));
    Command(IdSendJobToTotalStation); // OK: recorded, pushed
    EXPECT_TRUE(bar->Model().IsDialogOpen(SendJobPanelTemplate));
    EXPECT_EQ(ProfileValue("Transfer", "FirstSettings"), "0");
    Command(IdSendJobToTotalStation); // stacked: straight on
    Current<CStackableDialog>()->OnCancel();
    Pump();
    EXPECT_FALSE(bar->Model().IsDialogOpen(SendJobPanelTemplate));
    Command(IdSendJobToTotalStation); // settings seen: straight to the panel
    EXPECT_TRUE(bar->Model().IsDialogOpen(SendJobPanelTemplate));
    EXPECT_THAT(pages, ElementsAre(PreferencesTransferPage, PreferencesTransferPage));

    SetRunUserPreferences(previous);
    Exit();
}

TEST_F(GlobalCommandsTest, WebCommandsAndAnEmptyImportFile)
{
    StartWithPoints({"1"});
    std::vector<std::string> targets;
    bool launches = false;
    DesktopLauncher previous = SetDesktopLauncher([&](const std::string& target, const std::string&) {
        targets.push_back(target);
        return launches;
    });
    Command(IdWebHomePage);
    Command(IdEmailTechnicalSupport);
    launches = true;
    Command(IdWebTechnicalSupport);
    EXPECT_THAT(targets, ElementsAre("https://www.kvl.example/", "mailto:support@kvl.example",
                                     "https://support.kvl.example/"));
    EXPECT_THAT(messages, ElementsAre("Unable to launch your web browser.", "Unable to launch your E-mail program."));
    SetDesktopLauncher(previous);

    // A 0-byte file chosen in the import dialog: refused, the job as it was.
    const std::string empty = home->file("empty.Mvj");
    morvel::test::WriteAllText(empty, "");
    GetFrameWindows().importJobDialog = [&](ImportDialogChoice& choice) {
        choice.path = empty;
        return true;
    };
    messages.clear();
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    const int32_t before = job->GetRecordDatabase()->GetCount(0);
    const bool modified = job->IsModified();
    EXPECT_TRUE(Enabled(IdImportMorvelCoordinates));
    Command(IdImportMorvelCoordinates);
    EXPECT_THAT(messages, ElementsAre(empty + "\n\n does not appear to be a valid Morvel file."));
    EXPECT_EQ(job->GetRecordDatabase()->GetCount(0), before);
    EXPECT_EQ(job->IsModified(), modified);
    GetFrameWindows().importJobDialog = nullptr;
    Exit();
}

TEST_F(GlobalCommandsTest, CoordinateReportInTheMessageBar)
{
    StartWithPoints({"10", "9", "A2", "a1"});
    Command(IdCoordinateReport);
    auto* panel = Current<CCoordinateReport>();
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(Enabled(IdMessageBar)) << "nothing reported yet";

    // Nothing selected: the build stops with the pop-up beside the selection.
    std::vector<std::string> popUps;
    DdxErrorHandler previous = SetDdxErrorHandler([&popUps](const DdxErrorRequest& r) {
        popUps.push_back(r.message);
        return 1;
    });
    EXPECT_FALSE(panel->BuildReport(true));
    EXPECT_THAT(popUps, ElementsAre("Nothing Selected."));
    EXPECT_EQ(ProfileValue("CoordinateReports", "FieldType4"), "4") << "written before the check";

    // The chip is the panel's: registered through its exchange, and its menu selects the points.
    CGeneralSelectionChip* chip = panel->GetChip();
    ASSERT_NE(chip, nullptr);
    EXPECT_THAT(panel->GetChips(), testing::Contains(chip));
    ASSERT_TRUE(chip->OnChipCommand(CGeneralSelectionChip::CmdSelectAll));
    Pump();
    CReportFieldCheckList* fields = panel->GetFieldList();
    fields->Check(4, false);
    ASSERT_TRUE(panel->BuildReport(true));
    Pump();
    EXPECT_TRUE(Enabled(IdMessageBar));
    EXPECT_TRUE(Frame().IsBarShown(CMainFrame::MessageBarIndex));
    auto* messageBar = dynamic_cast<CMessageBar*>(Frame().GetBar(CMainFrame::MessageBarIndex));
    const std::string text = messageBar->GetTextWindow()->GetValue().utf8_string();
    std::vector<std::string> names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string first;
        if (words >> first && (first == "a1" || first == "A2" || first == "9" || first == "10"))
            names.push_back(first);
    }
    EXPECT_THAT(names, ElementsAre("a1", "A2", "9", "10")) << text;
    EXPECT_EQ(text.find("Description"), std::string::npos) << "the unchecked field has no column";
    EXPECT_EQ(ProfileValue("CoordinateReports", "FieldCheck4"), "0");
    Frame().SendSizeEvent();
    Pump();
    EXPECT_TRUE(SaveScreenshot(Frame(), "coordinate_report.png"));

    SetDdxErrorHandler(previous);
    panel->OnCancel();
    EXPECT_TRUE(WaitFor("the panel to close", [&] { return Current<CCoordinateReport>() == nullptr; }));
    Exit();
}

TEST_F(GlobalCommandsTest, CutSheetPanelHasItsPointStakePage)
{
    StartWithPoints({"1"});
    morvel::test::FakeReportOutput output;
    output.Install();
    Command(IdCutSheetReport);
    auto* panel = Current<CCutSheetReport>();
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->GetTab()->GetTabCount(), 1);
    EXPECT_EQ(panel->GetTab()->GetPageText(0), "Point Stake");
    CReportFieldCheckList* fields = panel->GetPointStakePage().GetFieldList();
    ASSERT_EQ(fields->GetCount(), 8u);
    EXPECT_EQ(fields->GetString(2), "Design Elevation");
    EXPECT_TRUE(fields->IsChecked(2));
    EXPECT_FALSE(fields->IsChecked(7));
    const size_t shown = output.barTexts.size();
    ASSERT_TRUE(panel->BuildReport(true));
    EXPECT_GT(output.barTexts.size(), shown);
    EXPECT_EQ(ProfileValue("CutSheetReports", "PointStakeFieldCheck3"), "1");
    EXPECT_EQ(panel->GetReport().GetSections().back()->columns.size(), 6u);
    panel->OnCancel();
    Pump();
    output.Restore();
    Exit();
}
