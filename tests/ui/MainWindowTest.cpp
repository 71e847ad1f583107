#include "ProgramTest.h"

#include "core/StatusProgress.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSmartHintManager.h"
#include "model/HintCodes.h"
#include "model/JobFileHeader.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/TestJobDoc.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/Version.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/MorvelToolbar.h"
#include "shell/ui/PromptSaveModified.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "shell/ui/ToolbarDlg.h"
#include "shell/ui/ViewTabBar.h"
#include "views/ui/MorvelView.h"

#include <wx/aui/framemanager.h>
#include <wx/checkbox.h>
#include <wx/gauge.h>
#include <wx/menu.h>

#include <algorithm>
#include <filesystem>

using morvel::test::ProgramTest;

namespace {

const std::string TitlePrefix = std::string("Morvel ") + MORVEL_VERSION_TEXT + " - ";

bool Contains(const std::vector<std::string>& texts, const std::string& part)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; });
}

// Answers file dialogs with the path; other dialogs are cancelled.
std::function<int(wxDialog&)> ChooseFile(const std::string& path)
{
    return [path](wxDialog& dialog) {
        auto* files = dynamic_cast<CFileDialog*>(&dialog);
        if (!files)
            return int(wxID_CANCEL);
        files->SetChosenPath(path);
        return int(wxID_OK);
    };
}

} // namespace

TEST_F(ProgramTest, StartsWithTheScratchJobAndKeepsTheLayoutAtExit)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    EXPECT_EQ(frame.GetTitle().utf8_string(), TitlePrefix + "Untitled");
    EXPECT_TRUE(App().HasTemporaryJob());
    const std::string scratch = App().GetTemporaryJobPath();
    ASSERT_NE(frame.GetJobView(), nullptr);

    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabelText(0), "File");
    // Ctrl+O belongs to Identify Objects in the window's key list.
    EXPECT_EQ(frame.GetMenuBar()->GetLabel(IdOpenJob), "&Open Job...");
    EXPECT_EQ(frame.GetMenuBar()->GetLabel(IdCloseJob), "&Close Job");
    EXPECT_EQ(frame.GetMorvelToolbar()->GetToolShortHelp(IdZoomIn), "Zoom In by 10%");

    CViewTabBar* tabs = frame.GetViewTabBar();
    ASSERT_EQ(tabs->GetTabCount(), 2);
    EXPECT_EQ(tabs->GetTabText(0), "Coordinates");
    EXPECT_EQ(tabs->GetTabText(1), "Raw Data");
    EXPECT_EQ(tabs->GetSelectedTab(), 0);
    // The tab switches the job view's pane.
    tabs->OnTabChosen(1);
    EXPECT_EQ(frame.GetJobView()->GetCurrentTab(), CMorvelView::RawDataTab);

    EXPECT_TRUE(frame.IsBarShown(CMainFrame::ToolBarIndex));
    EXPECT_TRUE(frame.IsBarShown(CMainFrame::ViewTabBarIndex));
    EXPECT_TRUE(frame.IsBarShown(CMainFrame::DialogBarIndex));
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    EXPECT_EQ(frame.GetPaneText(0), "For Help, press F1");
    EXPECT_EQ(frame.GetPaneText(3), "0 objects selected");
    EXPECT_TRUE(messages.empty());

    tabs->OnTabChosen(0);
    EXPECT_TRUE(SaveScreenshot(frame, "main-window.png"));

    // The message bar is remembered as the user left it.
    frame.ShowMessageBar(true);
    Exit();
    EXPECT_FALSE(std::filesystem::exists(scratch));
    const std::string layout = ProfileValue("Toolbars", "Normal");
    EXPECT_NE(layout.find("name=MessageBar;"), std::string::npos);
    EXPECT_EQ(ProfileValue("General", "AutoLoadMru"), "0");

    // The message bar shows the report of the side bar's panel in front; at the next start that
    // is the home panel, which has none, so the bar stays out of the way until a report comes.
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Frame().IsBarShown(CMainFrame::MessageBarIndex));
}

TEST_F(ProgramTest, RawFileOnTheCommandLineBecomesAJobAfterTheOptions)
{
    const std::string raw = CopySample(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"), "Survey.MVR");
    dialogAnswer = [](wxDialog& dialog) {
        auto* options = dynamic_cast<CRegenerationOptionsDlg*>(CEasyDialog::FromHost(dialog));
        if (!options)
            return int(wxID_CANCEL);
        options->GetStorePointCheck()->SetValue(true);
        return int(wxID_OK);
    };
    ASSERT_TRUE(Start({raw}));
    EXPECT_TRUE(Contains(dialogsShown, "Raw Data Regeneration Options"));
    EXPECT_EQ(Frame().GetTitle().utf8_string().rfind(TitlePrefix + "Survey", 0), 0u);
    EXPECT_EQ(ProfileValue("RegenerationOptions", "IgnoreStorePoint"), "1");
    // The new job lives in memory until it is saved: closing it with No leaves no job file.
    EXPECT_FALSE(std::filesystem::exists(home->file("Survey.Mvj")));
    dialogAnswer = [](wxDialog& dialog) {
        return dynamic_cast<CPromptSaveModified*>(CEasyDialog::FromHost(dialog)) ? int(IDNO) : int(wxID_CANCEL);
    };
    Exit();
    EXPECT_FALSE(std::filesystem::exists(home->file("Survey.Mvj")));
    EXPECT_EQ(ProfileValue("Recent File List", "File1"), "");
}

// An instrument file given by name is refused with the reason, and left as it was.
TEST_F(ProgramTest, AnInstrumentRawFileIsRefusedWithTheReasonAndLeftAlone)
{
    const std::string raw = CopySample(morvel::test::SharedTestDataPath("tops_nikon_dtm330.raw"), "Site.raw");
    const auto before = morvel::test::ReadAllBytes(raw);
    dialogAnswer = [](wxDialog&) { return int(wxID_CANCEL); };
    Start({raw});
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages[0].rfind(raw + " does not appear to be a valid file.\n\n", 0), 0u);
    EXPECT_NE(messages[0].find("this is a .raw file."), std::string::npos);
    EXPECT_EQ(morvel::test::ReadAllBytes(raw), before);
    EXPECT_FALSE(std::filesystem::exists(home->file("Site.Mvj")));
    EXPECT_FALSE(std::filesystem::exists(home->file("Site.Mvr")));
}

// An existing job opens as it is on disk whichever way it comes, also one without points beside
// raw data that holds observations: no options asked, nothing reduced, nothing to save.
TEST_F(ProgramTest, AnExistingJobOpensUnchangedWhicheverWayItComes)
{
    CopySample(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"), "Survey.Mvr");
    const std::string job = home->file("Survey.Mvj");
    {
        CMorvelFileDoc empty;
        ASSERT_TRUE(empty.CreateEmptyJobFile(job));
    }
    const auto before = morvel::test::ReadAllBytes(job);
    const auto drop = [this](const std::string& path) {
        // The event owns the array it is given.
        auto* files = new wxString[1]{wxString::FromUTF8(path)};
        wxDropFilesEvent event(wxEVT_DROP_FILES, 1, files);
        Frame().ProcessWindowEvent(event);
    };
    const struct
    {
        const char* name;
        std::vector<std::string> arguments;
        std::function<void()> open;
    } ways[] = {
        {"start-up argument", {job}, [] {}},
        {"Open Job", {}, [&] {
             dialogAnswer = ChooseFile(job);
             App().OnOpenJob();
         }},
        {"recent file", {}, [&] {
             App().GetRecentFileList().Add(job);
             App().OnOpenRecentFile(IdRecentFile1);
         }},
        {"dropped file", {}, [&] { drop(job); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        dialogsShown.clear();
        dialogAnswer = [](wxDialog&) { return int(wxID_CANCEL); };
        ASSERT_TRUE(Start(way.arguments));
        way.open();
        Pump();
        CDataFileDoc* open = CDataFileDoc::GetActiveDoc();
        ASSERT_NE(open, nullptr);
        EXPECT_EQ(open->GetPathName(), job);
        EXPECT_FALSE(Contains(dialogsShown, "Raw Data Regeneration Options"));
        EXPECT_EQ(open->GetPointDatabase()->GetCount(), 0);
        EXPECT_FALSE(open->IsModified());
        const std::string title = Frame().GetTitle().utf8_string();
        EXPECT_EQ(title.rfind(TitlePrefix + "Survey", 0), 0u) << title;
        EXPECT_EQ(title.find("(Modified)"), std::string::npos) << title;
        Exit();
        EXPECT_EQ(morvel::test::ReadAllBytes(job), before);
    }
}

TEST_F(ProgramTest, CancelledRawDataOptionsLeaveNoEmptyJobBehind)
{
    const std::string raw = CopySample(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"), "Survey.Mvr");
    dialogAnswer = [](wxDialog&) { return int(wxID_CANCEL); };
    EXPECT_FALSE(Start({raw}));
    EXPECT_TRUE(Contains(dialogsShown, "Raw Data Regeneration Options"));
    EXPECT_FALSE(std::filesystem::exists(home->file("Survey.Mvj")));
}

TEST_F(ProgramTest, MostRecentJobOpensWhenAskedAndMissingEntriesGo)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    {
        CProfile profile(home->path() / "config" / "Morvel.ini");
        profile.WriteProfileInt("General", "AutoLoadMru", 1);
        profile.WriteProfileString("Recent File List", "File1", home->file("Gone.Mvj"));
        profile.WriteProfileString("Recent File List", "File2", job);
    }
    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame().GetTitle().utf8_string().rfind(TitlePrefix + "Parcel", 0), 0u);
    EXPECT_FALSE(App().HasTemporaryJob());
    Exit();
    EXPECT_EQ(ProfileValue("Recent File List", "File1"), job);
    EXPECT_EQ(ProfileValue("Recent File List", "File2"), "");
}

TEST_F(ProgramTest, OpenAndCloseJobFromTheMenu)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start());
    dialogAnswer = ChooseFile(job);
    App().OnOpenJob();
    Pump();
    EXPECT_EQ(Frame().GetTitle().utf8_string().rfind(TitlePrefix + "Parcel", 0), 0u);
    EXPECT_EQ(App().GetRecentFile(0), job);
    EXPECT_FALSE(App().HasTemporaryJob());

    App().OnCloseJob();
    Pump();
    EXPECT_EQ(Frame().GetTitle().utf8_string(), TitlePrefix + "Untitled");
    EXPECT_TRUE(App().HasTemporaryJob());
}

TEST_F(ProgramTest, BadNamesLeaveTheOpenJobOpen)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    morvel::test::WriteAllText(home->file("notes.txt"), "not a job");
    ASSERT_TRUE(Start({job}));
    CDataFileDoc* open = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(open, nullptr);

    EXPECT_FALSE(App().OpenJobByPath(home->file("notes.txt")));
    EXPECT_FALSE(App().OpenJobByPath(home->file("Missing.Mvj")));
    EXPECT_EQ(App().OpenDocumentFile(home->file("Missing.Mvj")), nullptr);
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), open);
    // A file that is there but is no job says why.
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [&](const std::string& m) {
        return m.rfind(home->file("notes.txt") + " does not appear to be a valid file.", 0) == 0 &&
               m.find("Line 1 is not raw data: not a job") != std::string::npos;
    }));
    EXPECT_TRUE(Contains(messages, "Failed to open '" + home->file("Missing.Mvj") + "'"));
    EXPECT_TRUE(Contains(messages, "Unable to open \"Missing.Mvj\"."));

    // Damaged job files are refused before the open job is closed, each with one message.
    const auto bytes = morvel::test::ReadAllBytes(job);
    ASSERT_GT(bytes.size(), 240u + 8u + 100u);
    auto badHeader = bytes;
    badHeader[6] = 13; // month 13
    morvel::test::WriteAllBytes(home->file("BadHeader.Mvj"), badHeader);
    morvel::test::WriteAllBytes(home->file("Cut.Mvj"), std::vector<unsigned char>(bytes.begin(), bytes.begin() + 240 + 8 + 50));
    const struct
    {
        const char* name;
        const char* reason;
    } damaged[] = {
        {"BadHeader.Mvj", "The job file's header is damaged: its creation time or its units are not valid."},
        {"Cut.Mvj", "A point record is cut short: the file is damaged."},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.name);
        const std::string expected = "Unable to open \"" + std::string(d.name) + "\".\n\n" + d.reason;
        messages.clear();
        EXPECT_FALSE(App().OpenJobByPath(home->file(d.name)));
        EXPECT_EQ(messages, std::vector<std::string>{expected});
        messages.clear();
        EXPECT_EQ(App().OpenDocumentFile(home->file(d.name)), nullptr);
        EXPECT_EQ(messages, std::vector<std::string>{expected});
        EXPECT_EQ(CDataFileDoc::GetActiveDoc(), open);
        EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPathName(), job);
    }

    // A recent entry whose file went away.
    App().GetRecentFileList().Add(home->file("Gone.Mvj"));
    messages.clear();
    App().OnOpenRecentFile(IdRecentFile1);
    EXPECT_EQ(messages, std::vector<std::string>{"File not found."});
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), open);
}

TEST_F(ProgramTest, NewJobOverTheOpenJobIsRefused)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    const auto before = morvel::test::ReadAllBytes(job);
    ASSERT_TRUE(Start({job}));
    dialogAnswer = ChooseFile(job);
    answers = {IDYES}; // replace it: the job is the one that refuses
    JobFileHeader header;
    InitJobFileHeader(header);
    EXPECT_FALSE(App().CreateNewJob(header));
    EXPECT_TRUE(Contains(messages, "is the open job"));
    EXPECT_EQ(morvel::test::ReadAllBytes(job), before);
}

TEST_F(ProgramTest, NewJobThatCannotBeWrittenKeepsTheOldJob)
{
    // The raw data name is taken by a folder, so the new pair cannot be completed.
    const std::string old = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Old.Mvj");
    const auto before = morvel::test::ReadAllBytes(old);
    std::filesystem::path rawFolder = old;
    rawFolder.replace_extension("Mvr");
    std::filesystem::create_directory(rawFolder);
    morvel::test::WriteAllText((rawFolder / "notes.txt").string(), "kept");
    ASSERT_TRUE(Start({}));
    dialogAnswer = ChooseFile(old);
    answers = {IDYES};
    JobFileHeader header;
    InitJobFileHeader(header);
    EXPECT_FALSE(App().CreateNewJob(header));
    EXPECT_TRUE(Contains(messages, "\"Old.Mvr\" is in the way"));
    EXPECT_EQ(morvel::test::ReadAllBytes(old), before);
    EXPECT_EQ(morvel::test::ReadAllText((rawFolder / "notes.txt").string()), "kept");
}

TEST_F(ProgramTest, SaveQuestionAtExitCanKeepTheProgramOpen)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    CDataFileDoc::GetActiveDoc()->SetModifiedWithText("Moved Point '1'", true, true);
    int asked = 0;
    dialogAnswer = [&](wxDialog& dialog) {
        if (!dynamic_cast<CPromptSaveModified*>(CEasyDialog::FromHost(dialog)))
            return int(wxID_CANCEL);
        ++asked;
        return asked == 1 ? IDCANCEL : IDNO;
    };
    Frame().Close();
    Pump();
    EXPECT_EQ(asked, 1);
    ASSERT_NE(App().GetMainFrame(), nullptr);
    EXPECT_NE(CDataFileDoc::GetActiveDoc(), nullptr);
    Exit();
    EXPECT_EQ(asked, 2);
}

TEST_F(ProgramTest, StatusBarShowsProgressAndTheCursor)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    {
        CStatusProgress progress;
        progress.Begin("Loading Parcel");
        ASSERT_NE(frame.GetProgressControl(), nullptr);
        EXPECT_EQ(frame.GetPaneText(0), "Loading Parcel");
        progress.SetPercent(40);
        EXPECT_EQ(frame.GetProgressControl()->GetValue(), 40);
    }
    EXPECT_EQ(frame.GetProgressControl(), nullptr);
    EXPECT_EQ(frame.GetPaneText(0), "For Help, press F1");

    frame.ShowCursorPosition(5000.0, 1200.0);
    const std::string cursor = frame.GetPaneText(1);
    EXPECT_EQ(cursor.rfind("N:", 0), 0u);
    EXPECT_NE(cursor.find(" E:"), std::string::npos);
    frame.SetStatusPane2Text(nullptr);
    EXPECT_EQ(frame.GetPaneText(2), "");
}

TEST_F(ProgramTest, ZoomStepFromTheDropDownSetsTheTip)
{
    ASSERT_TRUE(Start());
    CMorvelToolbar* toolbar = Frame().GetMorvelToolbar();
    toolbar->OnZoomInStep(IdZoomInStepFirst + 2);
    EXPECT_EQ(toolbar->GetZoomInStep(), 25);
    EXPECT_TRUE(toolbar->IsZoomInStep(IdZoomInStepFirst + 2));
    EXPECT_FALSE(toolbar->IsZoomInStep(IdZoomInStepFirst + 1));
    EXPECT_EQ(toolbar->GetToolShortHelp(IdZoomIn), "Zoom In by 25%");
    std::unique_ptr<wxMenu> menu(toolbar->MakeZoomMenu(IdZoomOut));
    EXPECT_EQ(menu->GetLabelText(IdZoomOutStepFirst + 4), "Zoom out by 75%");
    EXPECT_TRUE(menu->IsChecked(IdZoomOutStepFirst + 1));
}

TEST_F(ProgramTest, EachScreenModeKeepsItsOwnBars)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    frame.SetFullScreen(true);
    Pump();
    EXPECT_TRUE(frame.IsFullScreen());
    EXPECT_NE(ProfileValue("Toolbars", "Normal"), "<absent>");
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    frame.ShowMessageBar(true);
    frame.ShowDialogBar(false);

    frame.SetFullScreen(false);
    Pump();
    EXPECT_FALSE(frame.IsFullScreen());
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    EXPECT_TRUE(frame.IsBarShown(CMainFrame::DialogBarIndex));
    const std::string fullScreen = ProfileValue("Toolbars", "FullScreen");
    EXPECT_NE(fullScreen.find("name=MessageBar;"), std::string::npos);

    // Asking for the mode the frame is in changes nothing, not even the saved layout.
    frame.SetFullScreen(false);
    EXPECT_EQ(ProfileValue("Toolbars", "FullScreen"), fullScreen);

    frame.SetFullScreen(true);
    Pump();
    EXPECT_TRUE(frame.IsBarShown(CMainFrame::MessageBarIndex));
    EXPECT_FALSE(frame.IsBarShown(CMainFrame::DialogBarIndex));
}

namespace {

// A frame of a set size with the message bar shown, docked, holding a one-line report.
void ShowTheMessageBarWithAReport(CMainFrame& frame)
{
    frame.SetSize(1000, 760);
    frame.ShowMessageBar(true);
    frame.GetMessageBar()->SetText("{\\rtf1\\ansi Inverse 1 to 2: 25.000 m\\par}", false);
    frame.SendSizeEvent();
}

} // namespace

TEST_F(ProgramTest, TheTabStripLiesOnTheJobViewAndTheMessageBarBelowItFloatsButStartsDocked)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    ShowTheMessageBarWithAReport(frame);
    Pump();
    const wxRect tabs = frame.GetViewTabBar()->GetScreenRect();
    const wxRect bar = frame.GetMessageBar()->GetScreenRect();
    const wxRect view = frame.GetJobView()->GetScreenRect();
    EXPECT_LT(tabs.y, bar.y);
    EXPECT_LE(tabs.GetBottom(), bar.y);
    EXPECT_LE(view.GetBottom(), tabs.y);
    EXPECT_TRUE(SaveScreenshot(frame, "job_view_tabs.png"));

    // Torn off, the bar floats with the size it remembers; a layout saved floating comes back
    // docked below the strip.
    wxAuiPaneInfo& pane = frame.GetAuiManager().GetPane(frame.GetMessageBar());
    ASSERT_TRUE(pane.IsFloatable());
    const wxSize remembered = frame.GetMessageBar()->GetSizeBar();
    pane.Float();
    frame.GetAuiManager().Update();
    Pump();
    EXPECT_EQ(pane.floating_size, remembered);
    frame.SetFullScreen(true);
    frame.SetFullScreen(false);
    Pump();
    wxAuiPaneInfo& back = frame.GetAuiManager().GetPane(frame.GetMessageBar());
    EXPECT_FALSE(back.IsFloating());
    EXPECT_TRUE(back.IsFloatable());
    EXPECT_EQ(back.dock_direction, wxAUI_DOCK_BOTTOM);
    EXPECT_LT(back.dock_row, frame.GetAuiManager().GetPane(frame.GetViewTabBar()).dock_row);
}

namespace {

// A press on the frame's own surface at y (client coordinates), released far below: a drag of
// the splitter above the message bar when y lies on it.
void DragDown(wxFrame& frame, int x, int y)
{
    const int bottom = frame.GetClientSize().y - 2;
    for (const auto& [type, at] : {std::pair{wxEVT_LEFT_DOWN, y}, std::pair{wxEVT_MOTION, bottom},
                                   std::pair{wxEVT_LEFT_UP, bottom}}) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(x, at));
        event.SetLeftDown(type != wxEVT_LEFT_UP);
        event.SetEventObject(&frame);
        frame.GetEventHandler()->ProcessEvent(event);
    }
}

} // namespace

// Docked, the message bar goes down to the tab strip's height (or 16 pixels); only floating is
// it kept to 50 by 50.
TEST_F(ProgramTest, TheDockedMessageBarGoesDownToTheTabStripAndFloatsAtLeast50By50)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    ShowTheMessageBarWithAReport(frame);
    Pump();
    CMessageBar& bar = *frame.GetMessageBar();
    const int tabs = frame.GetViewTabBar()->GetSize().y;
    const int least = std::max(16, tabs);
    ASSERT_GT(bar.GetSize().y, least + 20);

    // The splitter above the bar, dragged down past the frame's bottom.
    const int top = frame.ScreenToClient(bar.GetScreenPosition()).y;
    const int x = frame.GetClientSize().x / 2;
    const int before = bar.GetSize().y;
    for (int y = top - 1; y > top - 12 && bar.GetSize().y == before; --y) {
        DragDown(frame, x, y);
        Pump();
    }
    EXPECT_EQ(bar.GetSize().y, least) << "the tab strip is " << tabs << " high";
    EXPECT_EQ(bar.GetSizeBar().y, least);
    EXPECT_TRUE(SaveScreenshot(frame, "message_bar_docked_least.png"));

    // Floating, it is never smaller than 50 by 50.
    wxAuiManager& aui = frame.GetAuiManager();
    wxAuiPaneInfo& pane = aui.GetPane(&bar);
    pane.Float();
    aui.Update();
    Pump();
    ASSERT_NE(pane.frame, nullptr);
    pane.frame->SetClientSize(20, 20);
    Pump();
    EXPECT_GE(bar.GetSize().x, 50);
    EXPECT_GE(bar.GetSize().y, 50);

    // Docked again (a layout saved floating comes back docked): down to the strip again.
    frame.SetFullScreen(true);
    frame.SetFullScreen(false);
    Pump();
    wxAuiPaneInfo& back = aui.GetPane(&bar);
    ASSERT_FALSE(back.IsFloating());
    EXPECT_EQ(back.min_size.y, least);
}

TEST_F(ProgramTest, ToolbarsDialogHidesABarAtOnce)
{
    ASSERT_TRUE(Start());
    std::vector<std::string> listed;
    dialogAnswer = [&](wxDialog& dialog) {
        auto* bars = dynamic_cast<CToolbarDlg*>(&dialog);
        if (!bars)
            return int(wxID_CANCEL);
        CEasyCheckListBox* list = bars->GetList();
        for (unsigned i = 0; i < list->GetCount(); ++i)
            listed.push_back(list->GetString(i).utf8_string());
        list->Check(0, false);
        list->SetSelection(0);
        bars->ApplySelection();
        EXPECT_FALSE(Frame().IsBarShown(CMainFrame::ToolBarIndex));
        return int(wxID_OK);
    };
    Frame().OnViewToolbars();
    EXPECT_EQ(listed, (std::vector<std::string>{"Morvel Toolbar", "Message Bar", "View Tab Bar", "Dialog Bar"}));
    EXPECT_FALSE(Frame().IsBarShown(CMainFrame::ToolBarIndex));
    EXPECT_FALSE(Frame().GetModeBarVisible(CMainFrame::ToolBarIndex));
}

TEST_F(ProgramTest, HeldBackHintsGoOutWhenIdle)
{
    ASSERT_TRUE(Start());
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(job, nullptr);
    job->SendHint(nullptr, HintRefreshAll, 0);
    ASSERT_FALSE(CanActiveDocDispatchHints());
    Pump();
    EXPECT_TRUE(CanActiveDocDispatchHints());

    // The main frame's 0x80D7 delivers them at once.
    job->SendHint(nullptr, HintRefreshAll, 0);
    wxCommandEvent deliver(EVT_DELIVER_HINTS_80D7);
    Frame().ProcessWindowEvent(deliver);
    EXPECT_TRUE(CanActiveDocDispatchHints());
}

TEST_F(ProgramTest, UntitledJobIsSavedUnderTheChosenNameAtExit)
{
    ASSERT_TRUE(Start());
    // The raw data layer does not write its files yet; a stand-in that does lets the save finish.
    morvel::test::FakeRawDataFactoryScope rawFiles;
    App().OnCloseJob();
    Pump();
    CDataFileDoc::GetActiveDoc()->SetModifiedWithText("Added Point '1'", true, true);
    const std::string target = home->file("Kept.Mvj");
    bool asked = false;
    dialogAnswer = [&](wxDialog& dialog) {
        if (dynamic_cast<CPromptSaveModified*>(CEasyDialog::FromHost(dialog))) {
            asked = true;
            return IDYES;
        }
        return ChooseFile(target)(dialog);
    };
    Exit();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(std::filesystem::exists(target));
    EXPECT_TRUE(std::filesystem::exists(home->file("Kept.Mvr")));
}

TEST_F(ProgramTest, RawFileWhoseJobExistsOpensTheJobUnchanged)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Survey.Mvj");
    const auto before = morvel::test::ReadAllBytes(job);
    const std::string raw = CopySample(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"), "Survey.Mvr");
    ASSERT_TRUE(Start({raw}));
    EXPECT_TRUE(dialogsShown.empty());
    EXPECT_EQ(Frame().GetTitle().utf8_string().rfind(TitlePrefix + "Survey", 0), 0u);
    EXPECT_EQ(morvel::test::ReadAllBytes(job), before);
}

TEST_F(ProgramTest, OpeningARawFileFromTheMenuKeepsTheNewJobInMemory)
{
    const std::string raw = CopySample(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"), "Traverse.Mvr");
    ASSERT_TRUE(Start());
    dialogAnswer = [raw](wxDialog& dialog) {
        if (dynamic_cast<CRegenerationOptionsDlg*>(CEasyDialog::FromHost(dialog)))
            return int(wxID_OK);
        return ChooseFile(raw)(dialog);
    };
    App().OnOpenJob();
    Pump();
    EXPECT_TRUE(Contains(dialogsShown, "Raw Data Regeneration Options"));
    EXPECT_EQ(Frame().GetTitle().utf8_string().rfind(TitlePrefix + "Traverse", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(home->file("Traverse.Mvj")));
    EXPECT_EQ(App().GetRecentFileCount(), 0);
}

TEST_F(ProgramTest, OpeningTheOpenJobReloadsIt)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    CDataFileDoc* open = CDataFileDoc::GetActiveDoc();
    dialogAnswer = ChooseFile(job);
    App().OnOpenJob();
    Pump();
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), open);
}

TEST_F(ProgramTest, CancellingTheSaveQuestionKeepsTheJob)
{
    const std::string first = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "First.Mvj");
    const std::string second = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Second.Mvj");
    ASSERT_TRUE(Start({first}));
    CDataFileDoc* open = CDataFileDoc::GetActiveDoc();
    open->SetModifiedWithText("Moved Point '1'", true, true);
    dialogAnswer = [](wxDialog& dialog) {
        return dynamic_cast<CPromptSaveModified*>(CEasyDialog::FromHost(dialog)) ? IDCANCEL : int(wxID_CANCEL);
    };
    EXPECT_TRUE(App().OpenJobByPath(second));
    EXPECT_EQ(CDataFileDoc::GetActiveDoc(), open);
    EXPECT_EQ(open->GetPathName(), first);
}

TEST_F(ProgramTest, SaveAsNamesKeepTheJobExtension)
{
    ASSERT_TRUE(Start());
    // The job file dialog gives every name the job's extension, so a text-file name is kept whole.
    std::deque<std::string> names = {home->file("notes.txt"), home->file("Plain")};
    dialogAnswer = [&](wxDialog& dialog) {
        const std::string next = names.front();
        names.pop_front();
        return ChooseFile(next)(dialog);
    };
    std::string path;
    EXPECT_EQ(App().DoPromptFileName(path), IDOK);
    EXPECT_EQ(path, home->file("notes.txt.Mvj"));
    EXPECT_EQ(App().DoPromptFileName(path), IDOK);
    EXPECT_EQ(path, home->file("Plain.Mvj"));
    EXPECT_TRUE(messages.empty());
}
