#include "ProgramTest.h"

#include "core/DataExchange.h"
#include "core/ValueText.h"
#include "exchange/NewJobSettings.h"
#include "exchange/ui/CreateJobFromTRN.h"
#include "exchange/ui/NewDataFileDlg.h"
#include "framework/ui/EasyEdit.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/MessageBoxFS.h"
#include "framework/ui/ModalDialog.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocSettings.h"
#include "model/DataFileSelOperator.h"
#include "model/HintCodes.h"
#include "model/JobFileHeader.h"
#include "model/MorvelFileDoc.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/CommandIds.h"
#include "shell/FrameWindowRegistry.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "transfer/backup/BackupFile.h"
#include "transfer/backup/BackupTestUtil.h"
#include "transfer/ui/ExtractBackup.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <functional>
#include <memory>

using morvel::test::ProgramTest;

namespace {

class PopUps
{
public:
    PopUps()
    {
        m_previous = SetDdxErrorHandler([this](const DdxErrorRequest& r) {
            messages.push_back(r.message);
            fields.push_back(r.controlId);
            return 1;
        });
    }
    ~PopUps() { SetDdxErrorHandler(m_previous); }
    std::vector<std::string> messages;
    std::vector<int> fields;

private:
    DdxErrorHandler m_previous;
};

void Command(wxWindow& window, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

// Answers file dialogs with the path and keeps what they were asked to show.
struct FileChoice
{
    std::string path;
    std::string title, folder, name, wildcard;
    int shown = 0;

    std::function<int(wxDialog&)> Answer()
    {
        return [this](wxDialog& dialog) {
            auto* files = dynamic_cast<CFileDialog*>(&dialog);
            if (!files)
                return int(wxID_CANCEL);
            ++shown;
            title = files->GetMessage().utf8_string();
            folder = files->GetDirectory().utf8_string();
            name = files->GetFilename().utf8_string();
            wildcard = files->GetWildcard().utf8_string();
            if (path.empty())
                return int(wxID_CANCEL);
            files->SetChosenPath(path);
            return int(wxID_OK);
        };
    }
};

std::string Stored(const char* section, const char* key)
{
    return GetAppProfile().GetProfileString(section, key, "<absent>");
}

JobFileHeader ActiveJobHeader()
{
    JobFileHeader header;
    InitJobFileHeader(header);
    CDataFileDoc::GetActiveDoc()->GetJobSettings()->StoreInHeader(header);
    return header;
}

} // namespace

// --- File dialogs.

TEST_F(ProgramTest, FilePromptsRunThroughTheProgramsFileDialog)
{
    ASSERT_TRUE(Start());
    FileChoice choice;
    dialogAnswer = choice.Answer();
    std::string path;
    EXPECT_EQ(App().PromptOpenFileName(path, FileTypeOpenJob, nullptr), IDCANCEL);
    EXPECT_EQ(path, "");
    EXPECT_EQ(choice.title, "Open");
    // Job files in any letter case.
    EXPECT_NE(choice.wildcard.find("*.Mvj;*.[Mm][Vv][Jj]"), std::string::npos);

    // A save comes back with the job's extension (the other names are covered headless).
    choice.path = home->file("Plain");
    path = home->file("Start");
    EXPECT_EQ(App().PromptSaveFileName(path, FileTypeSaveJobAs, "New Job"), IDOK);
    EXPECT_EQ(path, home->file("Plain.Mvj"));
    EXPECT_EQ(choice.title, "New Job");
    EXPECT_EQ(choice.name, "Start");
    // The backup dialogs start in the default backup folder.
    choice.path.clear();
    std::string backups;
    CMorvelApp::GetDefaultBackupFolder(backups);
    path.clear();
    App().PromptOpenFileName(path, FileTypeBackup, "Choose a backup file to extract");
    EXPECT_EQ(choice.folder, backups);
}

// --- New Job.

class NewJobTest : public ProgramTest
{
protected:
    CNewDataFileDlg* Open(const std::vector<std::string>& arguments = {})
    {
        if (!Start(arguments))
            return nullptr;
        Frame().ShowDialogBar(true);
        Command(Frame(), IdNewJob);
        Pump();
        return dynamic_cast<CNewDataFileDlg*>(Frame().GetTopDialog());
    }
    static void Check(CNewDataFileDlg& d, int id, bool on)
    {
        d.GetCheck(id)->SetValue(on);
        wxCommandEvent click(wxEVT_CHECKBOX, id);
        click.SetInt(on);
        click.SetEventObject(d.GetCheck(id));
        d.GetCheck(id)->ProcessWindowEvent(click);
    }
    static void Choose(CNewDataFileDlg& d, int id, int index)
    {
        d.GetCombo(id)->SetSelection(index);
        wxCommandEvent pick(wxEVT_CHOICE, id);
        pick.SetInt(index);
        pick.SetEventObject(d.GetCombo(id));
        d.GetCombo(id)->ProcessWindowEvent(pick);
    }
    void CloseTop()
    {
        Frame().GetTopDialog()->OnCancel();
        Pump();
    }
};

TEST_F(NewJobTest, FirstRunShowsTheDefaultsAndCustomEditsAreRemembered)
{
    CNewDataFileDlg* d = Open();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetOption(), NewJobFromTransferDefaults);
    EXPECT_FALSE(d->GetCombo(CNewDataFileDlg::DistanceUnitId)->IsEnabled());
    EXPECT_FALSE(d->GetOffsetEdit()->IsEnabled());
    // The defaults follow the preferences when they change (hint 12).
    GetAppProfile().WriteProfileInt("Transfer", "Def Dist", 2);
    App().NotifyActiveDocument(nullptr, HintCode12, 0);
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::DistanceUnitId)->GetStringSelection(), "US Survey Feet");
    // The current settings are the open job's.
    d->SelectOption(NewJobFromCurrentJob);
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::DistanceUnitId)->GetSelection(), ActiveJobHeader().GetDistanceUnit());
    EXPECT_EQ(d->GetWorkingHeader().GetFlags(), ActiveJobHeader().GetFlags());

    d->SelectOption(NewJobFromCustomSettings);
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::DistanceUnitId)->GetStringSelection(), "Feet");
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::AngleUnitId)->GetStringSelection(), "Degrees");
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::AzimuthTypeId)->GetStringSelection(), "North Azimuth");
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::DirectionTypeId)->GetStringSelection(), "HA zero to BS");
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::CoefficientId)->GetStringSelection(), "0.1320");
    EXPECT_FALSE(d->GetCheck(CNewDataFileDlg::UseScaleFactorId)->GetValue());
    EXPECT_FALSE(d->GetScaleFactorEdit()->IsEnabled());
    double factor = 0;
    EXPECT_TRUE(ParseDouble(&factor, d->GetScaleFactorEdit()->GetValue().utf8_string(), false));
    EXPECT_DOUBLE_EQ(factor, 1.0);
    EXPECT_FALSE(d->GetCheck(CNewDataFileDlg::CurvatureId)->GetValue());
    EXPECT_FALSE(d->GetCombo(CNewDataFileDlg::CoefficientId)->IsEnabled());
    EXPECT_EQ(d->GetOffsetEdit()->GetValue(), "1000");
    EXPECT_TRUE(d->GetOffsetEdit()->IsEnabled());
    SaveScreenshot(Frame(), "new_job_panel.png");

    // Live edits: South, True Azimuth, curvature with 0.2000; closed without creating.
    Choose(*d, CNewDataFileDlg::AzimuthTypeId, 1);
    Choose(*d, CNewDataFileDlg::DirectionTypeId, 1);
    d->GetCombo(CNewDataFileDlg::CoefficientId)->SetSelection(1);
    Check(*d, CNewDataFileDlg::CurvatureId, true);
    EXPECT_TRUE(d->GetCombo(CNewDataFileDlg::CoefficientId)->IsEnabled());
    d->GetOffsetEdit()->SetValue("10000");
    EXPECT_EQ(d->GetCustomHeader().GetOffsetWord(), 1000u);
    d->GetOffsetEdit()->SetValue("250");
    CloseTop();
    EXPECT_EQ(Stored("General", "Def Settings"), "54");
    EXPECT_EQ(Stored("General", "Def Offset"), "250");
    EXPECT_EQ(Stored("General", "New Job"), "2");
    Exit();
}

TEST_F(NewJobTest, OffsetAndScaleFactorChecksKeepThePanelOpen)
{
    CNewDataFileDlg* d = Open();
    ASSERT_NE(d, nullptr);
    d->SelectOption(NewJobFromCustomSettings);
    PopUps popUps;
    FileChoice choice;
    dialogAnswer = choice.Answer();
    d->GetOffsetEdit()->SetValue("10000");
    EXPECT_FALSE(d->OnCreate());
    Check(*d, CNewDataFileDlg::UseScaleFactorId, true);
    d->GetOffsetEdit()->SetValue("9999");
    d->GetScaleFactorEdit()->SetValue("0");
    EXPECT_FALSE(d->OnCreate());
    ASSERT_EQ(popUps.messages.size(), 2u);
    EXPECT_NE(popUps.messages[0].find("9999"), std::string::npos);
    EXPECT_EQ(popUps.messages[1], "Invalid Value");
    // Nothing was asked and the panel stays.
    EXPECT_EQ(choice.shown, 0);
    EXPECT_EQ(Frame().GetTopDialog(), d);
}

TEST_F(NewJobTest, SelectedPointsAndSettingsReachTheNewJob)
{
    // Custom settings with the coefficient bit set while the correction is off.
    CNewDataFileDlg* d = nullptr;
    ASSERT_TRUE(Start());
    std::vector<CPointRecord*> points = {new CPointRecord("1", "IP", CLocation(1000, 2000, 10), true),
                                         new CPointRecord("2", "EP", CLocation(1100, 2100, 11), true),
                                         new CPointRecord("A7", "CP", CLocation(1200, 2200, 12), true)};
    ASSERT_NE(ShowPointsOnMap(points), nullptr);
    GetActiveSelectionOperator()->SelectObject(points[0]);
    GetActiveSelectionOperator()->SelectObject(points[2]);
    GetAppProfile().WriteProfileInt("General", "New Job", 2);
    GetAppProfile().WriteProfileInt("General", "Def Settings", 16);
    GetAppProfile().WriteProfileInt("General", "Def Dist", 2);
    Frame().ShowDialogBar(true);
    Command(Frame(), IdNewJob);
    Pump();
    d = dynamic_cast<CNewDataFileDlg*>(Frame().GetTopDialog());
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->GetOption(), NewJobFromCustomSettings);
    EXPECT_EQ(d->GetCombo(CNewDataFileDlg::DistanceUnitId)->GetStringSelection(), "US Survey Feet");
    Choose(*d, CNewDataFileDlg::AngleUnitId, 1);

    FileChoice choice;
    choice.path = home->file("Lot 7");
    dialogAnswer = choice.Answer();
    // Pressed as a person would: making the job closes the open one under the panel.
    wxCommandEvent press(wxEVT_BUTTON, CNewDataFileDlg::CreateId);
    press.SetEventObject(d->FindWindow(CNewDataFileDlg::CreateId));
    d->FindWindow(CNewDataFileDlg::CreateId)->ProcessWindowEvent(press);
    Pump();
    EXPECT_EQ(choice.title, "New Job");
    CDataFileDoc* made = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(made, nullptr);
    // The path, not the address, tells the new job: it may get the closed one's freed memory.
    EXPECT_EQ(made->GetPathName(), home->file("Lot 7.Mvj"));
    CLocation at;
    EXPECT_TRUE(made->FindPointLocation("1", &at));
    EXPECT_DOUBLE_EQ(at.x, 1000);
    EXPECT_DOUBLE_EQ(at.y, 2000);
    EXPECT_TRUE(made->FindPointLocation("A7", &at));
    EXPECT_DOUBLE_EQ(at.z, 12);
    EXPECT_FALSE(made->FindPointLocation("2", &at));
    const JobFileHeader header = ActiveJobHeader();
    EXPECT_EQ(header.GetDistanceUnit(), 2);
    EXPECT_EQ(header.GetAngleUnit(), 1);
    EXPECT_EQ(header.GetFlags(), 16u);
}

// --- The two dialogs that name a field-data file and the job to make.

class CreateJobDialogTest : public ProgramTest
{
protected:
    // Runs the registered dialog; answer fills it and presses its buttons. The file dialogs it
    // opens are answered by files.
    bool Run(bool backup, std::function<void(CCreateJobPathsDlg&)> answer, std::string& source, std::string& job)
    {
        dialogAnswer = [this, answer](wxDialog& host) {
            if (dynamic_cast<CFileDialog*>(&host))
                return files.Answer()(host);
            auto* d = dynamic_cast<CCreateJobPathsDlg*>(CEasyDialog::FromHost(host));
            if (!d)
                return int(wxID_CANCEL);
            answer(*d);
            return d->HasEnded() ? d->GetResult() : int(wxID_CANCEL);
        };
        const CFrameWindowRegistry& windows = GetFrameWindows();
        const auto& dialog = backup ? windows.extractBackup : windows.createJobFromTrn;
        return dialog && dialog(source, job);
    }

    // A backup and a transfer file in the home folder, both holding the same raw data.
    void WriteSources(std::string& backup, std::string& transfer)
    {
        const std::string raw = morvel::test::ReadAllText(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"));
        backup = home->file("week.Mvb");
        ASSERT_TRUE(morvel::test::WriteOneRecordBackup(backup, "week", "week.txt", raw, BackupTypeDownloadedRaw));
        transfer = home->file("FATE.raw");
        morvel::test::WriteAllText(transfer, raw);
    }

    // What a person met in the job dialog and its questions.
    struct Met
    {
        std::vector<std::string> questions;
        bool stayed = false; // the dialog still open after the questions
        std::string sourceShown, jobShown;
    };
    // Meets the job dialog as a person does, once the test shows it as it is: `source` in its
    // field, `typed` typed into the job field, OK clicked; each question answered with `key`
    // (a picture of the first saved as `picture`, when given); once the dialog has the keyboard
    // back, Cancel. A dialog that ends at OK is left to end.
    std::function<void(wxDialog&)> AsAPerson(const std::string& source, const std::string& typed, int key, Met& met,
                                             const char* picture = nullptr)
    {
        return [this, source, typed, key, &met, picture](wxDialog& shown) {
            if (auto* box = dynamic_cast<CMessageBoxFS*>(CEasyDialog::FromHost(shown))) {
                met.questions.push_back(box->GetRequest().text);
                EXPECT_TRUE(morvel::test::YieldUntil("the question to take the keyboard", [&] { return shown.IsActive(); }));
                if (picture && met.questions.size() == 1) {
                    EXPECT_TRUE(SaveScreenshot(shown, picture));
                }
                wxUIActionSimulator().Char(key);
                return;
            }
            auto* d = dynamic_cast<CCreateJobPathsDlg*>(CEasyDialog::FromHost(shown));
            if (!d)
                return;
            d->GetSourceEdit()->ChangeValue(wxString::FromUTF8(source));
            d->GetJobEdit()->ChangeValue("");
            EXPECT_TRUE(morvel::test::ClickInto(*d->GetJobEdit()));
            EXPECT_TRUE(morvel::test::TypeUntil(typed.c_str(), [&] { return d->GetJobEdit()->GetValue() == typed; }));
            morvel::test::Click(*shown.FindWindow(wxID_OK));
            EXPECT_TRUE(morvel::test::YieldUntil("the question to come and go, or the dialog to end", [&] {
                return (!met.questions.empty() && shown.IsActive()) || !shown.IsShown();
            }));
            met.stayed = shown.IsShown() && !d->HasEnded();
            if (!met.stayed)
                return;
            EXPECT_TRUE(morvel::test::YieldUntil("the job field to have the keyboard back",
                                                 [&] { return wxWindow::FindFocus() == d->GetJobEdit(); }));
            met.sourceShown = d->GetSourceEdit()->GetValue().utf8_string();
            met.jobShown = d->GetJobEdit()->GetValue().utf8_string();
            morvel::test::Click(*shown.FindWindow(wxID_CANCEL));
            EXPECT_TRUE(morvel::test::YieldUntil("the dialog to end", [&] { return !shown.IsShown(); }));
        };
    }

    FileChoice files;
};

TEST_F(CreateJobDialogTest, JobNamesGetTheJobExtensionAndBadPathsAreRefused)
{
    ASSERT_TRUE(Start());
    const std::string backup = home->file("week.Mvb");
    const std::string transfer = home->file("FATE.raw");
    morvel::test::WriteAllText(backup, "x");
    morvel::test::WriteAllText(transfer, "x");
    struct Case
    {
        const char* name;
        bool backup;
        std::string source;
        std::string job;
        bool ok;
        std::string result;  // the job path, or the refusal
    };
    const Case cases[] = {
        {"no extension", true, backup, home->file("a"), true, home->file("a.Mvj")},
        {"other extension", false, transfer, home->file("a.txt"), true, home->file("a.Mvj")},
        {"capitals in the pair's spelling", true, backup, home->file("a.MVJ"), true, home->file("a.Mvj")},
        {"wildcard", false, transfer, home->file("*"), false, "Filename contains invalid characters"},
        {"missing folder", true, backup, home->file("gone/a.Mvj"), false, "Invalid Path"},
        {"folder only", false, transfer, home->path().string() + "/", false, "Choose a file name."},
        {"missing source", true, home->file("none.Mvb"), home->file("a"), false, "File not found"},
        {"source is a folder", false, home->path().string(), home->file("a"), false, "File not found"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PopUps popUps;
        std::string shown;
        std::string source, job;
        const bool ok = Run(c.backup, [&](CCreateJobPathsDlg& d) {
            d.GetSourceEdit()->SetValue(wxString::FromUTF8(c.source));
            d.GetJobEdit()->SetValue(wxString::FromUTF8(c.job));
            d.OnOK();
            shown = d.GetJobEdit()->GetValue().utf8_string();
            if (!d.HasEnded())
                d.OnCancel();
        }, source, job);
        EXPECT_EQ(ok, c.ok);
        if (c.ok) {
            EXPECT_EQ(job, c.result);
            EXPECT_EQ(shown, c.result);
            EXPECT_EQ(source, c.source);
            EXPECT_TRUE(popUps.messages.empty());
        } else {
            EXPECT_EQ(popUps.messages, std::vector<std::string>{c.result});
            if (c.result != "File not found") // the job field's own refusals
                EXPECT_EQ(popUps.fields, std::vector<int>{CCreateJobPathsDlg::JobEditId});
        }
    }
}

TEST_F(CreateJobDialogTest, BrowseAndCancelRememberThePaths)
{
    ASSERT_TRUE(Start());
    const std::string backup = home->file("week.Mvb");
    morvel::test::WriteAllText(backup, "x");
    std::string source, job;
    std::string backupTitle, jobTitle;
    EXPECT_FALSE(Run(true, [&](CCreateJobPathsDlg& d) {
        files.path = backup;
        d.OnBrowseSource();
        backupTitle = files.title;
        files.path = home->file("Restored");
        d.OnBrowseJob();
        jobTitle = files.title;
        d.GetModalHost()->Show();
        SaveScreenshot(*d.GetModalHost(), "create_job_from_backup.png");
        d.GetModalHost()->Hide();
        d.OnCancel();
    }, source, job));
    EXPECT_EQ(backupTitle, "Choose a backup file to extract");
    EXPECT_EQ(jobTitle, "Save Job file as");
    // Cancel still remembers an existing file and an existing folder.
    EXPECT_EQ(Stored("File", "BckBck"), backup);
    EXPECT_EQ(Stored("File", "BckJob") + "Restored.Mvj", home->file("Restored.Mvj"));

    // The next run starts from them; a backup deleted since leaves its folder.
    std::remove(backup.c_str());
    std::string shownSource, shownJob;
    Run(true, [&](CCreateJobPathsDlg& d) {
        shownSource = d.GetSourceEdit()->GetValue().utf8_string();
        shownJob = d.GetJobEdit()->GetValue().utf8_string();
        d.OnCancel();
    }, source, job);
    EXPECT_EQ(shownSource, Stored("File", "BckJob"));
    EXPECT_EQ(shownJob, Stored("File", "BckJob"));

    // The transfer file dialog asks for its own kind of file.
    Run(false, [&](CCreateJobPathsDlg& d) {
        files.path.clear();
        d.OnBrowseSource();
        d.OnCancel();
    }, source, job);
    EXPECT_EQ(files.title, "Choose a TRN file");
    EXPECT_NE(files.wildcard.find("*.[Tt][Rr][Nn]"), std::string::npos);
}

TEST_F(CreateJobDialogTest, EachToolsCommandMakesItsJobFromItsKindOfFile)
{
    ASSERT_TRUE(Start());
    std::string backup, transfer;
    ASSERT_NO_FATAL_FAILURE(WriteSources(backup, transfer));
    struct Case
    {
        const char* name;
        bool backup;
        std::string source;
        std::string job;
    } cases[] = {{"backup", true, backup, home->file("FromBackup")},
                 {"transfer file", false, transfer, home->file("FromTransfer")}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogAnswer = [&](wxDialog& host) {
            auto* d = dynamic_cast<CCreateJobPathsDlg*>(CEasyDialog::FromHost(host));
            if (!d)
                return int(wxID_CANCEL);
            d->GetSourceEdit()->SetValue(wxString::FromUTF8(c.source));
            d->GetJobEdit()->SetValue(wxString::FromUTF8(c.job));
            d->OnOK();
            return d->HasEnded() ? d->GetResult() : int(wxID_CANCEL);
        };
        if (c.backup)
            Frame().OnCreateJobFromBackup();
        else
            Frame().OnCreateJobFromVectrinFile();
        Pump();
        CDataFileDoc* made = CDataFileDoc::GetActiveDoc();
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->GetPathName(), c.job + ".Mvj");
        CLocation at;
        EXPECT_TRUE(made->FindPointLocation("1", &at));
    }
}

// Both commands write the job and its raw data file beside it: a lone raw file of the name typed
// is not replaced without a question, and Enter there (No, the default) keeps its bytes, and the
// dialog with both fields.
TEST_F(CreateJobDialogTest, ALoneRawFileOfTheJobIsNotReplacedWithoutAQuestion)
{
    ASSERT_TRUE(Start());
    std::string backup, transfer;
    ASSERT_NO_FATAL_FAILURE(WriteSources(backup, transfer));
    const std::string lone = home->file("X.Mvr");
    const std::string kept = "the raw data of an earlier job";
    morvel::test::WriteAllText(lone, kept);
    const std::string typed = home->file("X");
    const ModalAnswerer scripted = SetModalAnswerer({});
    for (const auto& [name, source] : {std::pair{"backup", backup}, std::pair{"transfer file", transfer}}) {
        SCOPED_TRACE(name);
        Met met;
        whenShown = AsAPerson(source, typed, WXK_RETURN, met,
                              source == backup ? "create_job_lone_raw_file_question.png" : nullptr);
        if (source == backup)
            Frame().OnCreateJobFromBackup();
        else
            Frame().OnCreateJobFromVectrinFile();
        whenShown = {};
        EXPECT_EQ(met.questions, std::vector<std::string>{"X.Mvr already exists.\nDo you want to replace it?"});
        EXPECT_TRUE(met.stayed);
        EXPECT_EQ(met.sourceShown, source);
        EXPECT_EQ(met.jobShown, typed + ".Mvj");
        EXPECT_TRUE(morvel::test::ReadAllText(lone) == kept) << "X.Mvr was replaced";
        EXPECT_FALSE(std::filesystem::exists(typed + ".Mvj"));
    }
    SetModalAnswerer(scripted);
}

// "X.mvj" or "X.MVJ" typed where X.Mvj is: every command that writes a job under a typed name asks
// about X.Mvj, and Escape (No) leaves the folder as it was. Written beside it, the new job would
// share X.Mvr with the old one.
TEST_F(CreateJobDialogTest, AJobNameInAnotherLetterCaseNamesTheJobThere)
{
    ASSERT_TRUE(Start());
    std::string backup, transfer;
    ASSERT_NO_FATAL_FAILURE(WriteSources(backup, transfer));
    const std::string job = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "X.Mvj");
    const auto before = morvel::test::ReadAllBytes(job);
    const auto jobFiles = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(home->path()))
            if (entry.path().stem() == "X")
                names.push_back(entry.path().filename().string());
        return names;
    };
    const std::string byFileDialog = "X.Mvj already exists.\nDo you want to replace it?";
    const std::string byJobDialog = "The file \"X.Mvj\" already exists.  Do you want to replace it?";
    JobFileHeader header;
    InitJobFileHeader(header);
    struct Command
    {
        const char* name;
        std::function<void()> run;
        std::string source; // the job dialog's; none for the file dialog's commands
        std::string question;
    };
    const Command commands[] = {
        {"New Job", [&] { App().CreateNewJob(header); }, "", byFileDialog},
        {"Save Job As", [&] { Frame().SaveJobAs(nullptr); }, "", byFileDialog},
        {"Create Job from Backup", [&] { Frame().OnCreateJobFromBackup(); }, backup, byJobDialog},
        {"Create Job from Vectrin File", [&] { Frame().OnCreateJobFromVectrinFile(); }, transfer, byJobDialog},
    };
    std::string typed;
    int fileDialogs = 0;
    // The file dialog gets the name; shown again after No, it is cancelled. The job dialog and the
    // questions show as they are.
    const ModalAnswerer scripted = SetModalAnswerer([&](wxDialog& dialog) {
        if (auto* files = dynamic_cast<CFileDialog*>(&dialog)) {
            if (fileDialogs++ > 0)
                return int(wxID_CANCEL);
            files->SetChosenPath(typed);
            return int(wxID_OK);
        }
        return morvel::test::ShowAsItIs(dialog);
    });
    for (const Command& command : commands) {
        for (const char* spelling : {"X.mvj", "X.MVJ"}) {
            SCOPED_TRACE(std::string(command.name) + ", " + spelling);
            typed = home->file(spelling);
            fileDialogs = 0;
            Met met;
            whenShown = AsAPerson(command.source, typed, WXK_ESCAPE, met);
            command.run();
            whenShown = {};
            EXPECT_EQ(met.questions, std::vector<std::string>{command.question});
            EXPECT_TRUE(morvel::test::ReadAllBytes(job) == before) << "X.Mvj was replaced";
            EXPECT_EQ(jobFiles(), std::vector<std::string>{"X.Mvj"});
        }
    }
    SetModalAnswerer(scripted);
}

// The open job is the file on disk, letter for letter where the disk tells letters apart: with
// Site/X.Mvj open, Site/X is refused and the dialog stays with both names, while site/X (another
// folder here) is made and opened.
TEST_F(CreateJobDialogTest, TheOpenJobIsTheFileOnDiskNotItsLetters)
{
    std::filesystem::create_directories(home->file("Site"));
    std::filesystem::create_directories(home->file("site"));
    const std::string open = CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Site/X.Mvj");
    ASSERT_TRUE(Start({open}));
    // Saved, so that opening another job asks nothing.
    auto* job = dynamic_cast<CMorvelFileDoc*>(CDataFileDoc::GetActiveDoc());
    ASSERT_NE(job, nullptr);
    ASSERT_TRUE(job->DoFileSave());
    const auto before = morvel::test::ReadAllBytes(open);
    std::string backup, transfer;
    ASSERT_NO_FATAL_FAILURE(WriteSources(backup, transfer));
    const ModalAnswerer scripted = SetModalAnswerer({});

    Met met;
    whenShown = AsAPerson(transfer, home->file("Site/X"), WXK_RETURN, met);
    Frame().OnCreateJobFromVectrinFile();
    whenShown = {};
    EXPECT_EQ(met.questions, std::vector<std::string>{"'X.Mvj' is the open job. Choose another name for the new job."});
    EXPECT_TRUE(met.stayed);
    EXPECT_EQ(met.sourceShown, transfer);
    EXPECT_EQ(met.jobShown, open);
    EXPECT_TRUE(morvel::test::ReadAllBytes(open) == before) << "the open job was written over";

    Met made;
    whenShown = AsAPerson(transfer, home->file("site/X"), WXK_ESCAPE, made);
    Frame().OnCreateJobFromVectrinFile();
    whenShown = {};
    SetModalAnswerer(scripted);
    EXPECT_TRUE(made.questions.empty()) << made.questions.front();
    EXPECT_FALSE(made.stayed);
    EXPECT_TRUE(std::filesystem::exists(home->file("site/X.Mvj")));
    EXPECT_TRUE(std::filesystem::exists(home->file("site/X.Mvr")));
    ASSERT_NE(CDataFileDoc::GetActiveDoc(), nullptr);
    EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPathName(), home->file("site/X.Mvj"));
    EXPECT_TRUE(morvel::test::ReadAllBytes(open) == before) << "the job in Site was written over";
}
