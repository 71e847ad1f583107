// The transfer wizards driven through their buttons with a simulated instrument on a
// pseudo-terminal, and the small transfer windows.
#include "ProgramTest.h"
#include "TestUtil.h"
#include "transfer/serial/PtyInstrument.h"

#include "core/DataExchange.h"
#include "core/ProgramHelpers.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/StackingDialogBar.h"
#include "framework/ui/StaticLink.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/Interested.h"
#include "model/JobFileDocSettings.h"
#include "model/MorvelSettings.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/Selection.h"
#include "model/TransferLock.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "shell/CommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "transfer/serial/SerialPort.h"
#include "transfer/serial/TransferControls.h"
#include "transfer/ui/CustomTransferButton.h"
#include "transfer/ui/NikonReceiveDlg.h"
#include "transfer/ui/NikonSendDlg.h"
#include "transfer/ui/TransferCreateJobForDC.h"
#include "transfer/ui/TransferGetJobFromDC.h"
#include "transfer/ui/TransferLoopDialogs.h"
#include "transfer/ui/TransferReplaceFile.h"
#include "transfer/ui/TransferReplaceOrRenameJobDlg.h"
#include "views/ObjectIdPages.h"
#include "views/ui/ToolPopups.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <filesystem>

using morvel::test::ProgramTest;
using morvel::test::PtyPair;
using morvel::test::Signal;
using morvel::test::SimulatedInstrument;
namespace fs = std::filesystem;

namespace {

constexpr int32_t TestPort = 7;

class TransferWizardsTest : public ProgramTest
{
protected:
    // The job lives in the home folder, where the upload file is made.
    void StartWithInstrument(int32_t model)
    {
        ASSERT_TRUE(pty.IsValid());
        SetComPortDevice(TestPort, pty.SlavePath());
        ASSERT_TRUE(Start({CopySample(morvel::test::TestDataPath("small_job.Mvj"), "Parcel.Mvj")}));
        Frame().SetSize(1100, 800);
        // The settings were seen once: the commands go straight to their panels.
        GetAppProfile().WriteProfileInt("Transfer", "FirstSettings", 0);
        TransferSettings transfer;
        GetMorvelSettings().GetTransferSettings(transfer);
        transfer.modelIndex = model;
        transfer.comPort = TestPort;
        transfer.baudRate = 9600;
        GetMorvelSettings().SetTransferSettings(transfer);
        temp = home->file("tmp");
        fs::create_directories(temp);
        const char* old = std::getenv("TMPDIR");
        oldTemp = old ? old : "";
        hadTemp = old != nullptr;
        ::setenv("TMPDIR", temp.c_str(), 1);
        Pump();
    }
    void TearDown() override
    {
        CTransferDialogSession::SetDialogShownHook({});
        if (hadTemp)
            ::setenv("TMPDIR", oldTemp.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        SetComPortDevice(TestPort, "");
        ProgramTest::TearDown();
    }
    void SetModel(int32_t model)
    {
        GetMorvelSettings().SetModelIndex(model);
        CInterested::Broadcast(nullptr, HintCode9, 0);
        Pump();
    }
    template <class T> T* Push(int command)
    {
        wxCommandEvent event(wxEVT_MENU, command);
        Frame().ProcessWindowEvent(event);
        Pump();
        return dynamic_cast<T*>(Frame().GetStackingBar()->GetCurrent());
    }
    CDataFileDoc& Job() { return *CDataFileDoc::GetActiveDoc(); }
    // The instrument sends its raw file, ended, once the receive dialog shows.
    std::unique_ptr<SimulatedInstrument> SendRawOnceShown()
    {
        auto shown = std::make_shared<Signal>();
        CTransferDialogSession::SetDialogShownHook([shown](wxWindow&) { shown->Raise(); });
        std::string raw = morvel::test::ReadAllText(morvel::test::SharedTestDataPath("tops_nikon_raw_v200.raw"));
        return std::make_unique<SimulatedInstrument>([this, shown, raw = std::move(raw)] {
            if (shown->Wait(3000))
                pty.Send(raw + "\x1A");
        });
    }

    PtyPair pty;
    std::string temp;
    std::string oldTemp;
    bool hadTemp = false;
};

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

TEST_F(TransferWizardsTest, SendJobAsksAboutRefusedNamesAndSendsRecordsLineByLine)
{
    ASSERT_NO_FATAL_FAILURE(StartWithInstrument(1));
    Job().GetDocSettings()->SetDistanceUnit(0);
    auto* panel = Push<CTransferCreateJobForDC>(IdSendJobToTotalStation);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetTitle(), "Send Job to Total Station");
    EXPECT_EQ(panel->GetModelName()->GetLabel().utf8_string(), GetMorvelSettings().GetModelName());
    EXPECT_EQ(panel->GetTransferButton()->GetIconId(), CCustomTransferButton::NikonIconId);

    // The transfer button's tip: the transfer settings, one line each, in the identification box.
    panel->OnToolTipNotify();
    ASSERT_NE(GetToolIdPopup(), nullptr);
    const CObjectIdPage* tip = GetToolIdPopup()->GetPages().GetCurrentPage();
    ASSERT_NE(tip, nullptr);
    std::vector<std::string> tipLines;
    tip->text.GetText(tipLines);
    ASSERT_EQ(tipLines.size(), 6u);
    EXPECT_EQ(tipLines[0], "TS Type:\t" + GetMorvelSettings().GetModelName());
    EXPECT_EQ(tipLines[3], "Com Port:\t7");
    EXPECT_EQ(tipLines[4], "Baud Rate:\t9600");
    GetToolIdPopup()->Dismiss();

    // Nothing selected: the panel says so at its chip and nothing goes out.
    std::vector<std::string> refused;
    DdxErrorHandler previous = SetDdxErrorHandler([&](const DdxErrorRequest& request) {
        refused.push_back(request.message);
        return 1;
    });
    EXPECT_FALSE(panel->SendJob());
    EXPECT_EQ(refused, std::vector<std::string>{"Nothing Selected"});
    SetDdxErrorHandler(previous);

    for (auto [name, n, e, z] : {std::tuple{"1", 1000.0, 2000.0, 10.0}, {"2", 1100.0, 2100.0, 11.0}, {"A7", 1.0, 2.0, 3.0}}) {
        // The sample job's own point of that name makes way for the one the expected records hold.
        if (CPointRecord* old = Job().GetPointDatabase()->FindPoint(name, true))
            ASSERT_TRUE(Job().DeleteRecord(old, false));
        auto* point = new CPointRecord(name, "", CLocation(e, n, z), true);
        ASSERT_TRUE(Job().AddRecord(point));
        Job().GetCurrentSelection()->SetSelected(point, true);
    }
    const std::string expected =
        "A,01,Z,\r\nG,1,1000.000,2000.000,10.000,,>,\r\nG,2,1100.000,2100.000,11.000,,B,\r\nZ,&,\r\n";
    std::string arrived;
    SimulatedInstrument instrument([&] {
        while (arrived.size() < expected.size()) {
            const std::string got = pty.Receive(1, 3000);
            if (got.empty())
                return;
            arrived += got;
            if (got == "\n")
                pty.Send("\x06");
        }
    });
    bool dialogSeen = false;
    bool ownerDisabled = false;
    CTransferDialogSession::SetDialogShownHook([&](wxWindow& dialog) {
        dialogSeen = dynamic_cast<CNikonSendDlg*>(&dialog) != nullptr;
        ownerDisabled = !Frame().IsEnabled();
    });
    answers = {IDOK};
    EXPECT_TRUE(panel->SendJob());
    instrument.Join();
    EXPECT_EQ(arrived, expected);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Some points in the selection will not be sent to the total station because they use "
                               "alphanumeric point names.\nDo you want to continue?");
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(Frame().IsEnabled());

    // Another instrument in the settings: the panel follows.
    SetModel(10);
    EXPECT_EQ(panel->GetTransferButton()->GetIconId(), CCustomTransferButton::OtherIconId);
    EXPECT_EQ(panel->GetModelName()->GetLabel().utf8_string(), GetMorvelSettings().GetModelName());
    // The upload file does not outlive the command.
    ASSERT_EQ(fs::path(GetActiveJobFolder()), fs::path(home->path()) / "");
    for (const auto& entry : fs::directory_iterator(home->path()))
        EXPECT_NE(entry.path().extension(), ".tmp") << entry.path();
}

TEST_F(TransferWizardsTest, GetJobShowsCoordinatesByModelDownloadsRawAndCancels)
{
    ASSERT_NO_FATAL_FAILURE(StartWithInstrument(1));
    auto* panel = Push<CTransferGetJobFromDC>(IdGetJobFromTotalStation);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetTitle(), "Get Job from Total Station");
    for (wxWindow* control : panel->GetCoordinateControls())
        EXPECT_FALSE(control->IsShown());
    SetModel(5);
    for (wxWindow* control : panel->GetCoordinateControls())
        EXPECT_TRUE(control->IsShown());
    EXPECT_EQ(panel->GetModelName()->GetLabel().utf8_string(), GetMorvelSettings().GetModelName());
    EXPECT_TRUE(SaveScreenshot(Frame(), "transfer_get_job.png"));

    // The receive dialog opens with the keyboard, and Escape while nothing arrives cancels as its
    // Cancel does: the key gets through the loop's pump, and no file, no job and no lock are left.
    CTransferDialogSession::SetDialogShownHook([](wxWindow& dialog) {
        ASSERT_NE(dynamic_cast<CNikonReceiveDlg*>(&dialog), nullptr);
        EXPECT_TRUE(morvel::test::YieldUntil("the receive dialog to have the keyboard",
                                             [&] { return dialog.IsDescendant(wxWindow::FindFocus()); }));
        wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    const std::string before = Job().GetPathName();
    std::string name;
    {
        // Should the key never get through, the instrument ends the download so the test cannot hang.
        Signal done;
        std::atomic<bool> ended{false};
        SimulatedInstrument guard([&] {
            if (!done.Wait(8000)) {
                ended = true;
                pty.Send("\x1A");
            }
        });
        EXPECT_FALSE(panel->GetJob(name, true));
        done.Raise();
        guard.Join();
        EXPECT_FALSE(ended) << "Escape did not cancel the download";
    }
    EXPECT_TRUE(fs::is_empty(temp));
    EXPECT_EQ(Job().GetPathName(), before);
    EXPECT_TRUE(Frame().IsEnabled());
    {
        CTransferLock lock;
        EXPECT_TRUE(lock.Acquire());
    }

    // The instrument's raw file becomes the job FATE2010, saved where the person says and opened.
    const std::unique_ptr<SimulatedInstrument> instrument = SendRawOnceShown();
    std::vector<std::string> prompts;
    dialogAnswer = [&](wxDialog& dialog) {
        if (auto* files = dynamic_cast<wxFileDialog*>(&dialog))
            prompts.push_back(files->GetMessage().utf8_string());
        return ChooseFile(home->file("FATE2010.Mvr"))(dialog);
    };
    EXPECT_TRUE(panel->GetJob(name, true));
    instrument->Join();
    EXPECT_EQ(name, "FATE2010");
    EXPECT_EQ(prompts, std::vector<std::string>{"Save Download As"});
    EXPECT_EQ(Job().GetPathName(), home->file("FATE2010.Mvj"));
    EXPECT_EQ(Job().GetPointDatabase()->GetCount(), 83);
    EXPECT_TRUE(fs::is_empty(temp));

    // Coordinates through the button, on the panel of the job just opened: the later line of
    // point 12 wins in the job that opens afterwards.
    panel = Push<CTransferGetJobFromDC>(IdGetJobFromTotalStation);
    ASSERT_NE(panel, nullptr);
    Signal listening;
    CTransferDialogSession::SetDialogShownHook([&](wxWindow&) { listening.Raise(); });
    SimulatedInstrument sender([&] {
        if (listening.Wait(3000))
            pty.Send("12,100,200,5,A\r\n12,110,210,6,B\r\n\x1A");
    });
    dialogAnswer = ChooseFile(home->file("Coords.Mvj"));
    wxCommandEvent click(wxEVT_BUTTON, CTransferGetJobFromDC::DownloadCoordinatesId);
    click.SetEventObject(panel->GetDownloadCoordinatesButton());
    panel->GetDownloadCoordinatesButton()->ProcessWindowEvent(click);
    Pump();
    sender.Join();
    EXPECT_EQ(Job().GetPathName(), home->file("Coords.Mvj"));
    const CPointRecord* p12 = Job().GetPointDatabase()->FindPoint("12", true);
    ASSERT_NE(p12, nullptr);
    EXPECT_STREQ(p12->GetDescription(), "B");
    EXPECT_TRUE(fs::is_empty(temp));

}

// A raw download writes FATE2010.Mvr and FATE2010.Mvj: a lone job of that name is not replaced
// without a question, and No (the default) keeps it and shows the save dialog again.
TEST_F(TransferWizardsTest, RawDownloadAsksAboutTheJobFileBesideTheRawFile)
{
    ASSERT_NO_FATAL_FAILURE(StartWithInstrument(1));
    auto* panel = Push<CTransferGetJobFromDC>(IdGetJobFromTotalStation);
    ASSERT_NE(panel, nullptr);
    const std::string rawPath = home->file("FATE2010.Mvr");
    const std::string jobPath = home->file("FATE2010.Mvj");
    morvel::test::WriteAllText(jobPath, "kept");
    const std::unique_ptr<SimulatedInstrument> instrument = SendRawOnceShown();
    int saveDialogs = 0;
    dialogAnswer = [&](wxDialog& dialog) {
        auto* files = dynamic_cast<CFileDialog*>(&dialog);
        if (!files)
            return int(wxID_CANCEL);
        if (++saveDialogs > 1) {
            // Shown again with the refused name after the No; nothing was written.
            EXPECT_EQ(files->GetFilename(), "FATE2010.Mvr");
            EXPECT_EQ(messages, std::vector<std::string>{"FATE2010.Mvj already exists.\nDo you want to replace it?"});
            EXPECT_EQ(morvel::test::ReadAllText(jobPath), "kept");
            EXPECT_FALSE(fs::exists(rawPath));
            return int(wxID_CANCEL);
        }
        EXPECT_EQ(files->GetMessage(), "Save Download As");
        EXPECT_TRUE(messages.empty());
        files->SetChosenPath(rawPath);
        return int(wxID_OK);
    };
    // The question is answered with its default button, as Enter would.
    answers.clear();
    messages.clear();
    morvel::test::Click(*panel->FindWindow(CTransferGetJobFromDC::DownloadRawId));
    EXPECT_TRUE(morvel::test::YieldUntil("the save dialog twice", [&] { return saveDialogs == 2; }));
    instrument->Join();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(morvel::test::ReadAllText(jobPath), "kept");
    EXPECT_FALSE(fs::exists(rawPath));
    EXPECT_EQ(Job().GetPathName(), home->file("Parcel.Mvj"));
    EXPECT_TRUE(fs::is_empty(temp));
}

TEST_F(TransferWizardsTest, SmallTransferWindows)
{
    ASSERT_NO_FATAL_FAILURE(StartWithInstrument(10));
    {
        CCustomTransferButton button(&Frame(), 6734);
        EXPECT_EQ(button.GetIconId(), CCustomTransferButton::OtherIconId);
        EXPECT_NE(button.GetIcon(), nullptr);
        GetMorvelSettings().SetModelIndex(1);
        button.UpdateIcon();
        EXPECT_EQ(button.GetIconId(), CCustomTransferButton::NikonIconId);
    }
    {
        auto* send = new CNikonSendDlg(&Frame());
        send->SetTotal(300);
        send->SetProgress(150);
        EXPECT_EQ(send->GetBar()->GetValue(), 50);
        EXPECT_EQ(send->GetText()->GetLabel(), "%50");
        EXPECT_EQ(send->GetTitle(), "Sending To Total Station");
        send->Destroy();
    }
    {
        // The shown text stops at what the control holds; what arrives later is still taken.
        auto* receive = new CNikonReceiveDlg(&Frame());
        receive->SetNewText(std::string(65000, 'a'));
        receive->AppendReceivedText();
        receive->SetNewText(std::string(1000, 'b'));
        receive->AppendReceivedText();
        receive->SetNewText("c");
        receive->AppendReceivedText();
        EXPECT_EQ(receive->GetEndPosition(), CReceivedText::Limit);
        EXPECT_EQ(size_t(receive->GetEdit()->GetLastPosition()), CReceivedText::Limit);
        EXPECT_EQ(receive->GetEdit()->GetValue().Last(), 'b');
        receive->Destroy();
    }
    {
        CTransferReplaceFile onCollector("JOB1", false, &Frame());
        EXPECT_EQ(onCollector.GetQuestion(),
                  "The file JOB1 already exists on the Data Collector. Do you want to delete JOB1 from the Data "
                  "Collector and send a new copy of the file?");
        EXPECT_EQ(onCollector.GetTitle(), "Confirm File Replace");
        for (int id : {ReplaceFileYes, ReplaceFileYesToAll, ReplaceFileNo, ReplaceFileNoToAll})
            EXPECT_NE(onCollector.FindWindow(id), nullptr) << id;
    }
    {
        CTransferReplaceOrRenameJobDlg job(&Frame());
        EXPECT_EQ(job.GetTitle(), "Replace or Rename Job");
        job.GetNameEdit()->SetValue("JOB2");
        job.EndWith(ReplaceJobOverwrite);
        EXPECT_TRUE(job.m_newName.empty());
        job.EndWith(ReplaceJobRename);
        EXPECT_EQ(job.m_newName, "JOB2");
    }
}
