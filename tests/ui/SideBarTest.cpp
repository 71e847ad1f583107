#include "ProgramTest.h"

#include "core/Report.h"
#include "framework/ui/CustomButtons.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/EasyRichEdit.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "framework/ui/WindowEvents.h"
#include "model/HintCodes.h"
#include "framework/GraphicDataExchange.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "transfer/backup/BackupFile.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

using morvel::test::ProgramTest;

namespace {

// A command panel with one labelled field, as the point commands have.
class FieldPanel : public CStackableDialog
{
public:
    FieldPanel(uint32_t id, const wxString& title, const wxString& label) : CStackableDialog(id, title), m_label(label) {}
    wxTextCtrl* field = nullptr;

protected:
    void BuildControls() override
    {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(new wxStaticText(this, wxID_ANY, m_label), 0, wxBOTTOM, 4);
        field = new wxTextCtrl(this, wxID_ANY);
        sizer->Add(field, 0, wxEXPAND);
        SetSizer(sizer);
        AddPreferredControl(field);
    }

private:
    wxString m_label;
};

// Two fields and a button; the second field is where the panel wants the keyboard.
class TwoFieldPanel : public CStackableDialog
{
public:
    TwoFieldPanel() : CStackableDialog(5396, "Inverse Points") {}
    wxTextCtrl* first = nullptr;
    wxTextCtrl* second = nullptr;
    wxButton* button = nullptr;

protected:
    void BuildControls() override
    {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        first = new wxTextCtrl(this, wxID_ANY);
        second = new wxTextCtrl(this, wxID_ANY);
        button = new wxButton(this, wxID_OK, "OK");
        sizer->Add(first, 0, wxEXPAND);
        sizer->Add(second, 0, wxEXPAND);
        sizer->Add(button);
        SetSizer(sizer);
        AddPreferredControl(second);
    }
};

struct HintRecorder
{
    std::vector<int32_t> codes;
};

void DeliverHints()
{
    wxCommandEvent deliver(EVT_DELIVER_HINTS_80D7);
    wxTheApp->GetTopWindow()->ProcessWindowEvent(deliver);
}

} // namespace

TEST_F(ProgramTest, SideBarStacksPanelsAndClosingSendsTheEscapeHint)
{
    ASSERT_TRUE(Start());
    CStackingDialogBar* bar = Frame().GetStackingBar();
    ASSERT_NE(nullptr, bar);
    Frame().ShowDialogBar(true);
    EXPECT_EQ("Shortcuts", bar->GetCurrent()->GetTitle());
    EXPECT_EQ("   ", bar->GetCurrent()->GetCaption());

    auto* edit = new FieldPanel(303, "Edit Point", "Point ID");
    EXPECT_TRUE(bar->PushDialog(edit));
    auto* inverse = new FieldPanel(5396, "Inverse Points", "From point");
    EXPECT_TRUE(bar->PushDialog(inverse));
    Pump();
    EXPECT_EQ(inverse, bar->GetCurrent());
    EXPECT_TRUE(inverse->IsShown());
    EXPECT_FALSE(edit->IsShown());
    EXPECT_EQ(2u, bar->GetStackCount());
    EXPECT_TRUE(inverse->GetSwitchButton()->IsEnabled());
    EXPECT_EQ(11306, inverse->GetSwitchButton()->GetId());

    // The switch menu: home, a separator, then the stack from the top.
    std::unique_ptr<wxMenu> menu = inverse->BuildSwitchMenu();
    ASSERT_EQ(4u, menu->GetMenuItemCount());
    EXPECT_EQ("Shortcuts", menu->FindItemByPosition(0)->GetItemLabelText());
    EXPECT_TRUE(menu->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ("Inverse Points", menu->FindItemByPosition(2)->GetItemLabelText());
    EXPECT_EQ(CStackableDialog::FirstStackCommand + 2, menu->FindItemByPosition(3)->GetId());
    EXPECT_EQ("Switch dialog boxes ", CStackableDialog::TipForControl(CStackableDialog::SwitchButtonId));
    EXPECT_EQ("Close", CStackableDialog::TipForControl(CStackableDialog::CloseButtonId));

    // "Shortcuts" from the switch menu, then back to the panel through the home panel's own
    // menu; the home panel cannot be closed.
    inverse->OnStackMenuCommand(CStackableDialog::FirstStackCommand);
    Pump();
    CStackableDialog* home = bar->GetHome();
    ASSERT_EQ(home, bar->GetCurrent());
    EXPECT_TRUE(home->GetSwitchButton()->IsEnabled());
    EXPECT_FALSE(home->GetCloseButton()->IsEnabled());
    const std::unique_ptr<wxMenu> homeMenu = home->BuildSwitchMenu();
    ASSERT_EQ(4u, homeMenu->GetMenuItemCount());
    home->OnStackMenuCommand(homeMenu->FindItemByPosition(2)->GetId());
    Pump();
    EXPECT_EQ(inverse, bar->GetCurrent());

    // Panels the job view shares hear the job; one that stays with its view does not.
    auto* intersection = new FieldPanel(124, "Intersection", "First point");
    EXPECT_TRUE(bar->PushDialog(intersection));
    EXPECT_TRUE(inverse->IsInterested(HintJobSettingsChanged));
    EXPECT_TRUE(bar->GetHome()->IsInterested(HintJobSettingsChanged));
    EXPECT_FALSE(intersection->IsInterested(HintJobSettingsChanged));
    intersection->OnCancel();
    Pump();
    EXPECT_EQ(inverse, bar->GetCurrent());

    Frame().SendSizeEvent();
    Pump();
    wxWindow* pane = Frame().GetBar(CMainFrame::DialogBarIndex);
    ASSERT_NE(nullptr, pane);
    EXPECT_TRUE(SaveScreenshot(*pane, "framework_side_bar.png"));

    // Escape in the top panel, then the close button of the next: each sends hint 4 and leaves.
    // Hint 4 goes to the job's views, not the broadcast: record it on its way to the job.
    HintRecorder recorder;
    auto toJob = bar->notifyJob;
    bar->notifyJob = [&](int32_t code, intptr_t parameter) {
        if (code == HintEscape) {
            recorder.codes.push_back(code);
            EXPECT_EQ(reinterpret_cast<intptr_t>(&GetGraphicDataExchange()), parameter);
        }
        toJob(code, parameter);
    };
    inverse->field->SetFocus();
    EXPECT_TRUE(inverse->HandleKey(WXK_ESCAPE));
    DeliverHints();
    EXPECT_EQ(std::vector<int32_t>{HintEscape}, recorder.codes);
    EXPECT_EQ(edit, bar->GetCurrent());
    EXPECT_EQ(1u, bar->GetStackCount());

    edit->GetCloseButton()->OnLeftDown();
    edit->GetCloseButton()->OnLeftUp(true);
    DeliverHints();
    EXPECT_EQ((std::vector<int32_t>{HintEscape, HintEscape}), recorder.codes);
    EXPECT_EQ(bar->GetHome(), bar->GetCurrent());
    EXPECT_EQ(0u, bar->GetStackCount());
    EXPECT_FALSE(bar->GetHome()->GetSwitchButton()->IsEnabled());
    Exit();
}

TEST_F(ProgramTest, SideBarIgnoresQueuedHintsForWindowsThatAreGone)
{
    ASSERT_TRUE(Start());
    CStackingDialogBar* bar = Frame().GetStackingBar();
    ASSERT_NE(nullptr, bar);
    auto* panel = new FieldPanel(1745, "Add Point", "Point ID");
    bar->PushDialog(panel);
    Pump();
    const intptr_t field = reinterpret_cast<intptr_t>(static_cast<wxWindow*>(panel->field));
    EXPECT_TRUE(CStackingDialogBar::IsLiveWindow(panel->field));
    panel->CloseFromBar();
    Pump();
    EXPECT_FALSE(CStackingDialogBar::IsLiveWindow(reinterpret_cast<const void*>(field)));
    // Neither reaches the freed field.
    bar->OnNotify(nullptr, HintActiveControl, field);
    bar->OnNotify(nullptr, HintInteractiveField, field);
    EXPECT_EQ(0u, bar->GetStackCount());
    Exit();
}

TEST_F(ProgramTest, SideBarPanelsShowTheirReportAndClearEmptiesIt)
{
    ASSERT_TRUE(Start());
    CStackingDialogBar* bar = Frame().GetStackingBar();
    ASSERT_NE(nullptr, bar);
    auto* messageBar = dynamic_cast<CMessageBar*>(Frame().GetBar(CMainFrame::MessageBarIndex));
    ASSERT_NE(nullptr, messageBar);
    auto barText = [&] { return messageBar->GetTextWindow()->GetValue().utf8_string(); };

    // A report panel that has already reported two points.
    auto* reporting = new FieldPanel(6999, "Coordinate Report", "Points");
    CReport& report = reporting->GetReport();
    report.AddColumn("Point", 0);
    report.AddColumn("Northing", 0);
    for (const char* name : {"STN1", "STN2"}) {
        const int32_t row = report.AddRow();
        report.SetCell(0, row, name, false);
        report.SetCell(1, row, "5000.125", false);
    }
    ASSERT_TRUE(bar->PushDialog(reporting));
    Pump();
    EXPECT_NE(std::string::npos, barText().find("STN2"));
    EXPECT_TRUE(Frame().IsBarShown(CMainFrame::MessageBarIndex));

    // A panel without a report in front: the bar shows nothing of the other one's.
    auto* edit = new FieldPanel(303, "Edit Point", "Point ID");
    ASSERT_TRUE(bar->PushDialog(edit));
    Pump();
    EXPECT_EQ(std::string::npos, barText().find("STN2"));

    // Back to the report panel; Clear empties its report, not only the bar.
    edit->OnCancel();
    Pump();
    ASSERT_EQ(reporting, bar->GetCurrent());
    EXPECT_NE(std::string::npos, barText().find("STN1"));
    messageBar->OnClear();
    EXPECT_TRUE(report.IsEmpty());
    EXPECT_EQ("", barText());
    // Shown again, the report keeps its columns but no rows.
    bar->GetCurrent()->UpdateNavigationButtons();
    EXPECT_EQ(std::string::npos, barText().find("STN1"));
    Exit();
}

TEST_F(ProgramTest, SideBarAsksTheMainWindowToRefreshFileItems)
{
    ASSERT_TRUE(Start());
    CStackingDialogBar* bar = Frame().GetStackingBar();
    ASSERT_NE(nullptr, bar);
    int asked = 0;
    Frame().Bind(EVT_DIALOG_BAR_REQUEST_807B, [&](wxCommandEvent& event) {
        ++asked;
        event.Skip();
    });
    bar->OnNotify(nullptr, HintCode27, 0);
    EXPECT_EQ(0, asked); // posted, not sent
    Pump();
    EXPECT_EQ(1, asked);

    // A rewritten backup asks at once, from the running program's own hooks.
    morvel::test::WriteAllText(home->file("site.Nik"), "points");
    morvel::test::WriteAllText(home->file("site.Nrd"), "raw");
    ASSERT_TRUE(CBackupFile::RewriteThroughCopy(home->file("site.Nik"), "Mvb", false));
    EXPECT_EQ(2, asked);
    Exit();
}

TEST_F(ProgramTest, EnterInASidePanelGoesToItsPreferredFieldAndNeverClosesIt)
{
    ASSERT_TRUE(Start());
    CStackingDialogBar* bar = Frame().GetStackingBar();
    ASSERT_NE(nullptr, bar);
    Frame().ShowDialogBar(true);
    auto* panel = new TwoFieldPanel();
    ASSERT_TRUE(bar->PushDialog(panel));
    Frame().Raise();
    Pump();
    panel->first->SetFocus();
    panel->first->ChangeValue("12");
    ASSERT_TRUE(WaitFor("the first field to take the focus",
                        [&] { return wxWindow::FindFocus() == static_cast<wxWindow*>(panel->first); }));

    EXPECT_EQ(panel->OnEnterRelay(), 1);
    EXPECT_TRUE(panel->HandleKey(WXK_RETURN));
    DeliverHints();
    EXPECT_TRUE(WaitFor("the preferred field to take the focus",
                        [&] { return wxWindow::FindFocus() == static_cast<wxWindow*>(panel->second); }));
    // From the preferred field on, Enter moves as Tab does; even onto OK it closes nothing.
    EXPECT_TRUE(panel->HandleKey(WXK_RETURN));
    EXPECT_TRUE(WaitFor("the button to take the focus",
                        [&] { return wxWindow::FindFocus() == static_cast<wxWindow*>(panel->button); }));
    panel->HandleKey(WXK_RETURN);
    DeliverHints();
    Pump();
    EXPECT_EQ(bar->GetCurrent(), panel);
    EXPECT_EQ(panel->first->GetValue(), "12");
    // Without a usable preferred control the panel does not answer.
    panel->second->Disable();
    EXPECT_EQ(panel->OnEnterRelay(), 0);
    Exit();
}
