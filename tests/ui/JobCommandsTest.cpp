#include "ProgramTest.h"

#include "framework/ui/CustomToolTipCtrl.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "framework/ui/WindowEvents.h"
#include "model/DataFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/TestJobDoc.h"
#include "platform/MessageBox.h"
#include "shell/CommandIds.h"
#include "shell/KVLEditHandoff.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/ProjectNavigator.h"
#include "shell/ui/Prompts.h"
#include "shell/ui/PromptSaveModified.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "shell/ui/TextFileViewer.h"
#include "transfer/serial/TransferLog.h"
#include "views/ui/MorvelView.h"

#include "framework/ui/EasyEdit.h"

#include <wx/generic/prntdlgg.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <gmock/gmock.h>

using morvel::test::ProgramTest;
namespace fs = std::filesystem;

namespace {

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

// The enabled state and text the frame's update handler gives a command.
struct UpdateState
{
    bool enabled;
    std::string text;
};
UpdateState Update(wxWindow& window, int id)
{
    wxUpdateUIEvent event(id);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
    return {event.GetEnabled(), event.GetText().utf8_string()};
}

void Command(wxWindow& window, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

CProjectNavigator& Navigator(CMainFrame& frame)
{
    auto* navigator = dynamic_cast<CProjectNavigator*>(frame.GetStackingBar()->GetHome());
    EXPECT_NE(navigator, nullptr);
    return *navigator;
}

wxPoint ItemPoint(CProjectNavigator& navigator, uint32_t kind)
{
    const wxTreeItemId item = navigator.FindItemOfKind(kind);
    wxRect rect;
    navigator.GetTree()->GetBoundingRect(item, rect, true);
    return rect.GetPosition() + wxPoint(4, rect.height / 2);
}

// A panel that notes whether the job and its view were still there when it went.
class WitnessPanel : public CStackableDialog
{
public:
    explicit WitnessPanel(CMainFrame* frame, bool* jobAlive) : CStackableDialog(5396, "Witness"), m_frame(frame), m_alive(jobAlive) {}
    ~WitnessPanel() override { *m_alive = CDataFileDoc::GetActiveDoc() != nullptr && m_frame->GetJobView() != nullptr; }

private:
    CMainFrame* m_frame;
    bool* m_alive;
};

} // namespace

TEST_F(ProgramTest, SaveJobAsToTheSameAndToAnotherName)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    morvel::test::FakeRawDataFactoryScope rawFiles;
    CMainFrame& frame = Frame();
    CDataFileDoc::GetActiveDoc()->SetModifiedWithText("Moved Point '1'", true, true);

    dialogAnswer = ChooseFile(job);
    messages.clear();
    answers = {IDYES};
    int result = 0;
    EXPECT_TRUE(frame.SaveJobAs(&result));
    Pump();
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(messages, std::vector<std::string>{"Parcel.Mvj already exists.\nDo you want to replace it?"});
    ASSERT_NE(CDataFileDoc::GetActiveDoc(), nullptr);
    EXPECT_FALSE(CDataFileDoc::GetActiveDoc()->IsModified());
    EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPathName(), job);
    EXPECT_TRUE(fs::exists(home->file("Parcel.Mvr")));

    const std::string copy = home->file("Copy.Mvj");
    dialogAnswer = ChooseFile(copy);
    answers = {IDNO};
    EXPECT_TRUE(frame.SaveJobAs(nullptr));
    EXPECT_EQ(messages.back(), "Load 'Copy.Mvj' now?");
    EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPathName(), job);
    EXPECT_TRUE(fs::exists(copy));
    EXPECT_TRUE(fs::exists(home->file("Copy.Mvr")));
}

TEST_F(ProgramTest, ScratchJobSavedWithATypedNameGetsTheJobEnding)
{
    ASSERT_TRUE(Start());
    morvel::test::FakeRawDataFactoryScope rawFiles;
    dialogAnswer = ChooseFile(home->file("empty_test"));
    Command(Frame(), IdSaveJob);
    Pump();
    EXPECT_TRUE(fs::exists(home->file("empty_test.Mvj")));
    EXPECT_FALSE(App().HasTemporaryJob());
    EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPathName(), home->file("empty_test.Mvj"));
}

TEST_F(ProgramTest, TransferLogIsClearedUnlessTheAnswerIsNo)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    const std::string log = GetTransferLogPath();
    fs::remove(log);
    // The update makes the missing log, which has nothing to clear yet.
    EXPECT_FALSE(Update(frame, IdClearTransferLog).enabled);
    EXPECT_TRUE(fs::exists(log));
    EXPECT_TRUE(Update(frame, IdViewTransferLog).enabled);

    morvel::test::WriteAllText(log, "03-14-2007 09:05:31 uploaded 25 pts from SITE1.Mvj\r\n");
    EXPECT_TRUE(Update(frame, IdClearTransferLog).enabled);
    for (const int answer : {IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        answers = {answer};
        Command(frame, IdClearTransferLog);
        EXPECT_EQ(messages.back(), "Clear Transfer Log?");
        EXPECT_EQ(fs::file_size(log), answer == IDNO ? 52u : 0u);
    }
}

// Without a desktop program for a file, the transfer log and the navigator's files show in the
// program's own viewer; a file that is no text says why it cannot be shown.
TEST_F(ProgramTest, FilesTheDesktopCannotOpenShowInTheProgram)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    // The desktop's opener knows no program for any type.
    morvel::test::WriteAllText(home->file("bin/xdg-mime"), "#!/bin/sh\nexit 0\n");
    CMainFrame& frame = Frame();
    CProjectNavigator& navigator = Navigator(frame);
    const std::string log = GetTransferLogPath();
    morvel::test::WriteAllText(log, "03-14-2007 09:05:31 uploaded 25 pts from SITE1.Mvj\r\n");
    const std::string raw = home->file("Parcel.Mvr");
    morvel::test::WriteAllText(raw, "CO,Morvel RAW data format V2.00\r\nCO,Instrument: Total station \xb0\r\n");

    messages.clear();
    std::vector<std::pair<std::string, std::string>> shown;
    std::string screenshot = "transfer_log_viewer.png";
    bool saved = false;
    int lines = 0;
    long longestLine = 0;
    dialogAnswer = [&](wxDialog& dialog) {
        if (auto* viewer = dynamic_cast<CTextFileViewer*>(&dialog)) {
            wxTextCtrl& box = *viewer->GetViewer();
            shown.emplace_back(viewer->GetTitle().utf8_string(), box.GetValue().utf8_string());
            lines = box.GetNumberOfLines();
            longestLine = 0;
            for (int line = 0; line < lines; ++line)
                longestLine = std::max(longestLine, long(box.GetLineLength(line)));
            if (!screenshot.empty()) {
                viewer->Show();
                saved = SaveScreenshot(*viewer, screenshot);
                viewer->Hide();
                screenshot.clear();
            }
        }
        return int(wxID_OK);
    };
    Command(frame, IdViewTransferLog);
    navigator.GetTree()->SelectItem(navigator.FindItemOfKind(nav::KindRawFile));
    Command(navigator, IdNavOpenInEditor);
    EXPECT_TRUE(saved);
    EXPECT_THAT(messages, testing::IsEmpty());
    // Text from an instrument keeps its degree sign.
    EXPECT_THAT(shown, testing::ElementsAre(
                           std::pair<std::string, std::string>{"TransferLog.txt", "03-14-2007 09:05:31 uploaded 25 pts from SITE1.Mvj\n"},
                           std::pair<std::string, std::string>{"Parcel.Mvr", "CO,Morvel RAW data format V2.00\nCO,Instrument: Total station \u00b0\n"}));

    // A file written on one line shows as lines the box can draw, none of its text left out.
    std::string oneLine;
    while (oneLine.size() < 100000)
        oneLine += "<CgPoint name=\"" + std::to_string(oneLine.size()) + "\">4512.345 2210.987 101.250</CgPoint>";
    morvel::test::WriteAllText(raw, oneLine);
    shown.clear();
    screenshot = "one_line_file_viewer.png";
    saved = false;
    Command(navigator, IdNavOpenInEditor);
    EXPECT_TRUE(saved);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_GE(lines, int(oneLine.size() / ViewableLineLength));
    EXPECT_LE(longestLine, long(ViewableLineLength));
    std::erase(shown[0].second, '\n');
    EXPECT_EQ(shown[0].second, oneLine);

    shown.clear();
    morvel::test::WriteAllBytes(raw, std::vector<unsigned char>{'M', 'V', 0, 1});
    Command(navigator, IdNavOpenInEditor);
    EXPECT_TRUE(shown.empty());
    EXPECT_THAT(messages, testing::ElementsAre("No program on this computer is set up to open 'Parcel.Mvr', and it "
                                               "cannot be shown here: it is not a text file."));
}

// A desktop program for the file that cannot open it is named, rather than nothing happening.
TEST_F(ProgramTest, ADesktopProgramThatCannotOpenAFileIsTold)
{
    ASSERT_TRUE(Start());
    // The opener names a program for every type, and that program fails.
    const std::string opener = home->file("bin/xdg-open");
    morvel::test::WriteAllText(opener, "#!/bin/sh\nexit 4\n");
    morvel::test::WriteAllText(GetTransferLogPath(), "03-14-2007 09:05:31 uploaded 25 pts from SITE1.Mvj\r\n");
    messages.clear();
    Command(Frame(), IdViewTransferLog);
    // The editor and the opener run on their own; a loaded machine may take its time.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (messages.empty() && std::chrono::steady_clock::now() < deadline) {
        Pump();
        wxMilliSleep(20);
    }
    EXPECT_THAT(messages, testing::ElementsAre("The program this computer has for 'TransferLog.txt' could not open it."));
}

TEST_F(ProgramTest, UndoTextAndLastModifiedLog)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    CMainFrame& frame = Frame();
    const UpdateState undo = Update(frame, IdUndo);
    EXPECT_FALSE(undo.enabled);
    EXPECT_EQ(undo.text, "&Undo\tCtrl+Z");

    CDataFileDoc* open = CDataFileDoc::GetActiveDoc();
    open->SetModifiedWithText("Moved Point '1'", true, true);
    EXPECT_TRUE(Update(frame, IdViewLastModifiedLog).enabled);
    std::string title;
    dialogAnswer = [&](wxDialog& dialog) {
        title = dialog.GetTitle().utf8_string();
        return int(IDOK);
    };
    Command(frame, IdViewLastModifiedLog);
    EXPECT_EQ(title, "Recent changes to Parcel");
    Command(frame, IdClearLastModifiedLog);
    EXPECT_TRUE(open->GetHistoryList().empty());
    EXPECT_TRUE(open->IsModified());
    EXPECT_FALSE(Update(frame, IdClearLastModifiedLog).enabled);
}

TEST_F(ProgramTest, PanelCommandsPushTheirPanelsOrStayDisabled)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    EXPECT_TRUE(Update(frame, IdNewJob).enabled);
    EXPECT_TRUE(Update(frame, IdDeletePoints).enabled);
    EXPECT_TRUE(Update(frame, IdFindRawDataRecords).enabled);
    Command(frame, IdFindRawDataRecords);
    Pump();
    EXPECT_EQ(frame.GetStackCount(), 1u);
    EXPECT_TRUE(Update(frame, IdClearDialogBar).enabled);
    Command(frame, IdClearDialogBar);
    EXPECT_EQ(frame.GetStackCount(), 0u);
    EXPECT_FALSE(Update(frame, IdClearDialogBar).enabled);
    EXPECT_EQ(frame.GetStackingBar()->GetCurrent(), frame.GetStackingBar()->GetHome());
}

TEST_F(ProgramTest, RegenerateMessageShowsTheTabOrStopsAtCancel)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    CMainFrame& frame = Frame();
    EXPECT_EQ(frame.OnRegenerateJob(1), 1);
    EXPECT_EQ(ProfileValue("Settings", "TabSel1"), "1");
    EXPECT_EQ(frame.GetJobView()->GetCurrentTab(), CMorvelView::RawDataTab);

    dialogAnswer = [](wxDialog&) { return int(wxID_CANCEL); };
    EXPECT_EQ(frame.OnRegenerateJob(2), 0);
    EXPECT_TRUE(fs::exists(job));
    EXPECT_EQ(frame.GetJobView()->GetCurrentTab(), CMorvelView::RawDataTab);
}

TEST_F(ProgramTest, ReloadAsksAndRefusesMissingFiles)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    CMainFrame& frame = Frame();
    EXPECT_TRUE(Update(frame, IdReloadFromFile).enabled);

    // Open Job on the open job, which holds changes, asks before dropping them.
    CDataFileDoc::GetActiveDoc()->SetModifiedWithText("Moved Point '1'", true, true);
    dialogAnswer = ChooseFile(job);
    answers = {IDNO};
    App().OnOpenJob();
    Pump();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().rfind("Reload 'Parcel.Mvj'?", 0), 0u);
    EXPECT_TRUE(CDataFileDoc::GetActiveDoc()->IsModified());

    fs::remove(job);
    fs::remove(home->file("Parcel.Mvr"));
    messages.clear();
    EXPECT_FALSE(frame.ReloadActiveJob(false));
    EXPECT_EQ(messages, std::vector<std::string>{"The data file does not exist!"});
    EXPECT_FALSE(frame.ReloadActiveJob(true));
    EXPECT_EQ(messages.size(), 1u);

    App().OnCloseJob();
    Pump();
    EXPECT_FALSE(Update(frame, IdReloadFromFile).enabled);
}

TEST_F(ProgramTest, ClosingTakesThePanelsDownBeforeTheJob)
{
    ASSERT_TRUE(Start());
    bool jobAlive = false;
    Frame().PushStackableDialog(new WitnessPanel(&Frame(), &jobAlive), 5396);
    Pump();
    Exit();
    EXPECT_TRUE(jobAlive);
}

TEST_F(ProgramTest, NavigatorShowsTheJobAndItsFiles)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    CMainFrame& frame = Frame();
    CProjectNavigator& navigator = Navigator(frame);
    // Xvfb's screen is 1280 x 1024.
    EXPECT_EQ(navigator.GetIconSize(), 32);
    EXPECT_EQ(CProjectNavigator::DefaultIconSize(1024, 768), 16);
    EXPECT_EQ(navigator.GetTitleLabel()->GetLabel(), "Parcel");
    CNavigatorTree* tree = navigator.GetTree();
    const wxTreeItemId jobItem = navigator.FindItemOfKind(nav::KindJob);
    ASSERT_TRUE(jobItem.IsOk());
    EXPECT_EQ(tree->GetItemText(jobItem), "Parcel");
    const wxTreeItemId raw = navigator.FindItemOfKind(nav::KindRawFile);
    EXPECT_EQ(tree->GetItemText(raw), "Parcel.Mvr");

    // Right-click menus.
    const struct
    {
        uint32_t kind;
        std::vector<std::string> items;
    } menus[] = {{nav::KindOpenJob, {"Toggle icon size"}},
                 {nav::KindJob, {"Toggle icon size", "", "Reload From File"}},
                 {nav::KindCoordinateFile, {"Toggle icon size", "", "Reload From File"}},
                 {nav::KindGetJob, {"Toggle icon size", "", "&Transfer Settings..."}}};
    for (const auto& m : menus) {
        SCOPED_TRACE(m.kind);
        std::unique_ptr<wxMenu> menu = navigator.BuildContextMenu(ItemPoint(navigator, m.kind));
        std::vector<std::string> labels;
        for (wxMenuItem* item : menu->GetMenuItems())
            labels.push_back(item->IsSeparator() ? std::string() : item->GetItemLabel().utf8_string());
        EXPECT_EQ(labels, m.items);
    }

    // A click on the raw item of a job whose file is gone asks to rebuild it.
    std::vector<std::pair<long, int>> requests;
    frame.Bind(EVT_REGENERATE_JOB_80F2, [&](wxCommandEvent& e) { requests.emplace_back(e.GetExtraLong(), e.GetInt()); });
    navigator.OnTreeClick(ItemPoint(navigator, nav::KindCoordinateFile));
    fs::rename(job, home->file("Parcel.bak"));
    navigator.OnTreeClick(ItemPoint(navigator, nav::KindRawFile));
    Pump();
    EXPECT_EQ(requests, (std::vector<std::pair<long, int>>{{0, 0}, {0, 3}}));
    fs::rename(home->file("Parcel.bak"), job);

    // Deleting the raw file asks first; only Yes deletes, and the marks follow.
    const std::string rawPath = home->file("Parcel.Mvr");
    morvel::test::WriteAllText(rawPath, "CO,Morvel RAW data format V2.00\r\n");
    tree->SelectItem(navigator.FindItemOfKind(nav::KindRawFile));
    for (const int answer : {CSingleConfirm::IdNo, CSingleConfirm::IdYes}) {
        SCOPED_TRACE(answer);
        std::string caption;
        dialogAnswer = [&](wxDialog& dialog) {
            caption = dialog.GetTitle().utf8_string();
            return answer;
        };
        Command(navigator, IdNavDeleteFile);
        EXPECT_EQ(caption, "Confirm File Delete");
        EXPECT_EQ(fs::exists(rawPath), answer == CSingleConfirm::IdNo);
    }
    EXPECT_TRUE(navigator.IsItemMarked(navigator.FindItemOfKind(nav::KindJob)));
    EXPECT_TRUE(navigator.IsItemMarked(navigator.FindItemOfKind(nav::KindRawFile)));
    EXPECT_FALSE(navigator.IsItemMarked(navigator.FindItemOfKind(nav::KindCoordinateFile)));

    navigator.ToggleIconSize();
    EXPECT_EQ(navigator.GetIconSize(), 16);
}

TEST_F(ProgramTest, NavigatorTipOverAShortcut)
{
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    ASSERT_TRUE(Start({job}));
    CMainFrame& frame = Frame();
    frame.SetSize(1280, 900);
    Pump();
    CProjectNavigator& navigator = Navigator(frame);
    const wxPoint at = navigator.GetTree()->ClientToScreen(ItemPoint(navigator, nav::KindOpenJob));
    navigator.OnToolTipNeedText(navigator.GetTree(), at);
    ASSERT_TRUE(WaitFor("the tip to show", [&] { return navigator.GetTipWindow() && navigator.GetTipWindow()->IsPopupVisible(); }));
    EXPECT_EQ(navigator.GetTipLines().Lines().front().text,
              "Name:\tOpen Job\nUse this to:\tOpen an existing Morvel job.\nHow to use:\tClick to open Open Job.\n");
    EXPECT_TRUE(SaveScreenshot(frame, "project_navigator.png"));
    navigator.GetTipWindow()->Dismiss();
}

TEST_F(ProgramTest, ConfirmationsAnswerWithTheirButtons)
{
    ASSERT_TRUE(Start());
    CMultipleConfirm confirm(&Frame());
    std::string caption;
    dialogAnswer = [&](wxDialog& dialog) {
        caption = dialog.GetTitle().utf8_string();
        return CMultipleConfirm::IdNoToAll;
    };
    EXPECT_EQ(confirm.DoModal(), CMultipleConfirm::IdNoToAll);
    EXPECT_EQ(caption, "Caption Text");
    dialogAnswer = [](wxDialog&) { return int(wxID_CANCEL); };
    EXPECT_EQ(confirm.DoModal(), IDCANCEL);

    CPrompter prompter(5);
    prompter.m_label = "Job name";
    prompter.CreateModalHost(&Frame());
    prompter.GetEdit()->ChangeValue("empty_test");
    EXPECT_TRUE(prompter.UpdateDataEx(true));
    EXPECT_EQ(prompter.GetEdit()->GetValue(), "empty_test.Mvj");
    prompter.GetEdit()->ChangeValue("site.MVJ");
    EXPECT_TRUE(prompter.UpdateDataEx(true));
    EXPECT_EQ(prompter.GetEdit()->GetValue(), "site.MVJ");
}

TEST_F(ProgramTest, PageSetupKeepsTheMarginsOnHundredthsOfAnInch)
{
    ASSERT_TRUE(Start());
    CMorvelSettings& settings = GetMorvelSettings();
    settings.SetPrintMargins({1400, 1440, 1134, 567});
    std::string title, paper;
    dialogAnswer = [&](wxDialog& dialog) {
        title = dialog.GetTitle().utf8_string();
        if (auto* setup = dynamic_cast<wxGenericPageSetupDialog*>(&dialog))
            paper = setup->m_paperTypeChoice->GetValue().utf8_string();
        return int(wxID_OK);
    };
    Command(Frame(), IdPageSetup);
    EXPECT_EQ(title, "Print Setup");
    // The paper it will print on, named (not the box's placeholder).
    EXPECT_FALSE(paper.empty());
    EXPECT_NE(paper, "Paper size");
    // Confirmed unchanged: each side only goes to its nearest hundredth of an inch and back.
    EXPECT_EQ(settings.GetPrintMargins(), (ProfileRect{1397, 1440, 1138, 562}));
}

TEST_F(ProgramTest, FilesDroppedOnTheMainWindowOpenTheFirstJob)
{
    const std::string parcel = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj");
    const std::string other = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Other.Mvj");
    ASSERT_TRUE(Start());
    morvel::test::FakeRawDataFactoryScope rawFiles;
    const auto drop = [this](const std::vector<std::string>& paths) {
        // The event owns the array it is given.
        auto* files = new wxString[paths.size()];
        for (size_t i = 0; i < paths.size(); ++i)
            files[i] = wxString::FromUTF8(paths[i]);
        wxDropFilesEvent event(wxEVT_DROP_FILES, int(paths.size()), files);
        Frame().ProcessWindowEvent(event);
        Pump();
        return CDataFileDoc::GetActiveDoc() ? CDataFileDoc::GetActiveDoc()->GetPathName() : std::string();
    };
    EXPECT_EQ(drop({parcel, other}), parcel);
    // The raw data file of a job opens that job.
    EXPECT_EQ(drop({home->file("Other.Mvr")}), other);
    EXPECT_FALSE(App().HasTemporaryJob());
}
