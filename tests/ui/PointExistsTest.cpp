#include "ProgramTest.h"

#include "cogo/ui/ChangeDescription.h"
#include "cogo/ui/PointExists.h"
#include "core/DataExchange.h"
#include "core/TextFieldExchange.h"
#include "framework/ui/EasyDialog.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "platform/MessageBox.h"
#include "platform/View.h"
#include "shell/ui/MainFrame.h"
#include "views/MapCommands.h"
#include "views/PickQuery.h"
#include "views/ui/MorvelView.h"
#include "views/ui/PreviewMapCtrl.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include <algorithm>

using morvel::test::ProgramTest;

namespace {

// A panel with one new-point name field, as the COGO panels have them.
class NameField : public CEasyDialog
{
public:
    static constexpr int IdName = 1001;
    std::string name;
    wxTextCtrl* edit = nullptr;

protected:
    void BuildControls() override { edit = new wxTextCtrl(this, IdName); }
    void DoDataExchange(CDataExchange& dx) override { DDX_PointNameMayExist(&dx, IdName, name); }
};

// What the prompt showed a person, and the button they pressed.
struct PromptSeen
{
    std::string title, message;
    bool overwrite = false, useNext = false, cancel = false;
};

class PointExistsPromptTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(Start());
        job = CDataFileDoc::GetActiveDoc();
        ASSERT_NE(job, nullptr);
        for (const char* n : {"1", "2", "7"}) {
            auto* p = new CPointRecord(n, "", CLocation(100, 200, 0), true);
            if (!job->AddRecord(p))
                delete p;
        }
        panel = new NameField;
        panel->Create(&Frame());
        // The balloon would wait for a key; record what it says instead.
        previousPopUp = SetDdxErrorHandler([this](const DdxErrorRequest& r) {
            popUps.push_back(r.message);
            return 1;
        });
    }
    void TearDown() override
    {
        if (panel) {
            SetDdxErrorHandler(previousPopUp);
            panel->Destroy();
        }
        ProgramTest::TearDown();
    }

    // Types the name and saves the field; press names the prompt's button (its id).
    bool SaveName(const std::string& typed, int press)
    {
        panel->edit->ChangeValue(wxString::FromUTF8(typed));
        dialogAnswer = [this, press](wxDialog& host) {
            auto* prompt = dynamic_cast<CPointExists*>(CEasyDialog::FromHost(host));
            if (!prompt)
                return int(wxID_CANCEL);
            seen.title = host.GetTitle().utf8_string();
            seen.message = prompt->FindWindow(CPointExists::IdMessage)->GetLabel().utf8_string();
            seen.overwrite = prompt->GetOverwriteButton()->IsEnabled();
            seen.useNext = prompt->GetUseNextButton()->IsEnabled();
            seen.cancel = prompt->FindWindow(wxID_CANCEL)->IsEnabled();
            if (!screenshotTaken) {
                host.Show();
                screenshotTaken = SaveScreenshot(host, "point_exists.png");
                host.Hide();
            }
            if (press == CPointExists::IdOverwrite)
                prompt->OnOverwrite();
            else if (press == CPointExists::IdUseNext)
                prompt->OnUseNextAvailable();
            else
                prompt->OnCancel();
            return prompt->GetResult();
        };
        return panel->UpdateDataEx(true);
    }

    CDataFileDoc* job = nullptr;
    NameField* panel = nullptr;
    PromptSeen seen;
    bool screenshotTaken = false;
    std::vector<std::string> popUps;
    DdxErrorHandler previousPopUp;
};

} // namespace

TEST_F(PointExistsPromptTest, ATakenNameOffersTheNextFreeOne)
{
    ASSERT_TRUE(SaveName("1", CPointExists::IdUseNext));
    EXPECT_EQ(seen.title, "Point exists");
    EXPECT_EQ(seen.message, "Point 1 exists.\nThe next available point is: 3.\nWhat do you want to do?");
    EXPECT_TRUE(seen.overwrite);
    EXPECT_TRUE(seen.useNext);
    EXPECT_TRUE(seen.cancel);
    EXPECT_EQ(panel->name, "3");
    EXPECT_EQ(panel->edit->GetValue(), "3");
    EXPECT_TRUE(screenshotTaken);

    ASSERT_TRUE(SaveName("7", CPointExists::IdOverwrite));
    EXPECT_EQ(panel->name, "7");
    EXPECT_TRUE(popUps.empty());

    // A free name never asks.
    seen = {};
    ASSERT_TRUE(SaveName("50", wxID_CANCEL));
    EXPECT_TRUE(seen.title.empty());
    EXPECT_EQ(panel->name, "50");
}

TEST_F(PointExistsPromptTest, CancelKeepsThePanelOpenWithoutAMessage)
{
    panel->name = "before";
    EXPECT_FALSE(SaveName("2", wxID_CANCEL));
    EXPECT_EQ(panel->name, "before");
    EXPECT_TRUE(popUps.empty());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(panel->edit->GetValue(), "2");
}

TEST_F(PointExistsPromptTest, UnusableNamesCannotBeChosen)
{
    struct Case
    {
        const char* name;
        std::string typed, proposed;
        bool overwrite, useNext;
    };
    const Case cases[] = {
        {"no free name", "ZZ", "", true, false},
        {"marked typed name", "$&%^@*12", "13", false, true},
        {"marked proposal", "12", "$&%^@*13", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CPointExists prompt;
        prompt.SetNames(c.typed, c.proposed);
        prompt.CreateModalHost(&Frame());
        EXPECT_EQ(prompt.GetOverwriteButton()->IsEnabled(), c.overwrite);
        EXPECT_EQ(prompt.GetUseNextButton()->IsEnabled(), c.useNext);
        EXPECT_TRUE(prompt.FindWindow(wxID_CANCEL)->IsEnabled());
    }

    // A job that can make no further name proposes the typed one: it is not offered.
    dialogAnswer = [this](wxDialog& host) {
        auto* prompt = dynamic_cast<CPointExists*>(CEasyDialog::FromHost(host));
        seen.useNext = prompt && prompt->GetUseNextButton()->IsEnabled();
        seen.message = prompt ? prompt->GetMessageText() : std::string();
        if (prompt)
            prompt->OnCancel();
        return prompt ? prompt->GetResult() : int(wxID_CANCEL);
    };
    std::string chosen = "untouched";
    EXPECT_EQ(CPointExists::Ask("ZZ", "ZZ", &chosen), PointExistsCancel);
    EXPECT_FALSE(seen.useNext);
    EXPECT_EQ(seen.message, "Point ZZ exists.\nThe next available point is: .\nWhat do you want to do?");
    EXPECT_EQ(chosen, "untouched");
}

namespace {

// Hints the job sends its views, for as long as the log lives.
struct HintLog : CView
{
    explicit HintLog(CDataFileDoc* job) : job(job) { job->AddView(this); }
    ~HintLog() override { job->RemoveView(this); }
    void OnUpdate(CView*, intptr_t hint, intptr_t) override { hints.push_back(int32_t(hint)); }
    CDataFileDoc* job;
    std::vector<int32_t> hints;
};

} // namespace

TEST_F(ProgramTest, ChangeDescriptionFromTheMapKeepsSixteenCharacters)
{
    ASSERT_TRUE(Start());
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    ASSERT_NE(job, nullptr);
    auto* point = new CPointRecord("12", "IP", CLocation(5000, 3000, 100), true);
    ASSERT_TRUE(job->AddRecord(point));
    auto* other = new CPointRecord("13", "EP", CLocation(5100, 3100, 100), true);
    ASSERT_TRUE(job->AddRecord(other));
    Pump();
    wxCommandEvent extents(wxEVT_MENU, IdZoomExtents);
    Frame().ProcessWindowEvent(extents);
    Pump();
    HintLog log(job);

    // The right button over the point: its menu offers the command and makes it the current record.
    CPreviewMapCtrl* map = Frame().GetJobView()->GetMapPane();
    CPickQuery q;
    q.location = CLocation(5000, 3000, 0);
    map->Core().OnWorldToDevice8084(q);
    bool beep = false;
    auto menu = map->BuildContextMenu(wxPoint(q.point.x, q.point.y), beep);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->GetLabelText(IdChangeDescription), "Change Description...");

    std::string title, shown;
    size_t typedLength = 0;
    bool shot = false;
    dialogAnswer = [&](wxDialog& host) {
        auto* dialog = dynamic_cast<CChangeDescription*>(CEasyDialog::FromHost(host));
        if (!dialog)
            return int(wxID_CANCEL);
        title = host.GetTitle().utf8_string();
        auto* edit = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(CChangeDescription::IdDescription));
        shown = edit->GetValue().utf8_string();
        // Twenty characters typed over the old text, one key at a time: the field takes sixteen.
        edit->SetSelection(-1, -1);
        for (char c : std::string("Old fence corner NE1"))
            edit->WriteText(wxString(c));
        typedLength = edit->GetValue().length();
        host.Show();
        shot = SaveScreenshot(host, "change_description.png");
        host.Hide();
        dialog->OnOK();
        return dialog->GetResult();
    };
    CDataFileUndoManager* undo = job->GetUndoManager();
    const int32_t steps = undo->GetStepCount();
    // The menu's choice reaches the main window as a command, as the map sends it.
    Frame().GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdChangeDescription));
    Pump();

    EXPECT_EQ(title, "Change Description");
    EXPECT_EQ(shown, "IP");
    EXPECT_EQ(typedLength, 16u);
    EXPECT_TRUE(shot);
    EXPECT_STREQ(point->GetDescription(), "Old fence corner");
    EXPECT_STREQ(other->GetDescription(), "EP");
    EXPECT_EQ(undo->GetStepCount(), steps + 1);
    EXPECT_EQ(undo->GetUndoDescription(), "change description");
    EXPECT_NE(std::find(log.hints.begin(), log.hints.end(), HintCoordinatesChanged), log.hints.end());
    RecordRef current;
    EXPECT_FALSE(job->GetCurrentRecord(current));

    // Cancel changes nothing; without a current record the command does nothing at all.
    job->SetCurrentRecord(point, -1);
    dialogAnswer = [](wxDialog& host) {
        CEasyDialog::FromHost(host)->OnCancel();
        return CEasyDialog::FromHost(host)->GetResult();
    };
    title.clear();
    Frame().GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdChangeDescription));
    Pump();
    EXPECT_EQ(undo->GetStepCount(), steps + 1);
    const size_t shownDialogs = dialogsShown.size();
    Frame().GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdChangeDescription));
    Pump();
    EXPECT_EQ(dialogsShown.size(), shownDialogs);

    // One undo step takes the old text back.
    ASSERT_TRUE(undo->Undo());
    Pump();
    CPointRecord* restored = job->GetPointDatabase()->FindPoint("12", true);
    ASSERT_NE(restored, nullptr);
    EXPECT_STREQ(restored->GetDescription(), "IP");
}
