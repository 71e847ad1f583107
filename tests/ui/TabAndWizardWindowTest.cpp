// The tab control and the wizard frame as windows: the notebook's own page change is vetoed by a
// page that does not validate, a dialog exchange brings the failing page forward, and the wizard's
// buttons follow its pages.
#include "ProgramTest.h"

#include "framework/ui/EasyDialogWizard.h"
#include "framework/ui/EasyTab.h"

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/stattext.h>

using morvel::test::WindowTest;

namespace {

struct TestFrame
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(500, 400));
    ~TestFrame() { frame->Destroy(); }
};

class Page : public CEasyTabPage
{
public:
    Page() : CEasyTabPage(724) {}
    bool valid = true;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        if (dx.m_bSaveAndValidate && !valid)
            dx.Fail();
    }
};

class TabDialog : public CEasyDialog
{
public:
    CEasyTab* tab = nullptr;
    Page* pages[2] = {new Page, new Page};

protected:
    void BuildControls() override { tab = new CEasyTab(this, 2878); }
    bool OnInitDialog() override
    {
        CEasyDialog::OnInitDialog();
        tab->AddPage("One", pages[0], 724);
        tab->AddPage("Two", pages[1], 724);
        return true;
    }
    void DoDataExchange(CDataExchange& dx) override { DDX_EasyTab(dx, *tab); }
};

class WizardPage : public CEasyDialogWizardPage
{
public:
    WizardPage() : CEasyDialogWizardPage(1) {}
    bool valid = true;

protected:
    void DoDataExchange(CDataExchange& dx) override
    {
        if (dx.m_bSaveAndValidate && !valid)
            dx.Fail();
    }
};

class WizardDialog : public CEasyDialog
{
public:
    WizardPage pages[3];
    int finished = 0;
    void OnOK() override { ++finished; }

protected:
    void BuildControls() override
    {
        for (WizardPage& page : pages)
            AddPage(&page);
        SetSizer(CreateWizardFrame());
    }
};

} // namespace

TEST_F(WindowTest, TabVetoesLeavingAnInvalidPageAndShowsTheFailingOne)
{
    TestFrame f;
    auto* dialog = new TabDialog;
    ASSERT_TRUE(dialog->Create(f.frame));
    // The toolkit reports page changes of a notebook that is on screen.
    f.frame->Show();
    Pump();
    CEasyTab& tab = *dialog->tab;
    ASSERT_EQ(tab.GetTabCount(), 2);
    EXPECT_EQ(tab.GetSelection(), 0);

    // Mode 1: the user's click on "Two" while "One" refuses keeps "One".
    dialog->pages[0]->valid = false;
    tab.SetSelection(1);
    Pump();
    EXPECT_EQ(tab.GetSelection(), 0);
    EXPECT_EQ(tab.GetTabSelection(), 0);
    dialog->pages[0]->valid = true;
    tab.SetSelection(1);
    Pump();
    EXPECT_EQ(tab.GetTabSelection(), 1);

    // Mode 2: the dialog's exchange covers both pages and shows the one that fails.
    tab.SetValidationMode(2);
    dialog->pages[0]->valid = false;
    EXPECT_FALSE(dialog->UpdateDataEx(true, 1));
    EXPECT_EQ(tab.GetSelection(), 0);

    // Removing the selected last page leaves the new last one selected.
    dialog->pages[0]->valid = true;
    tab.SelectPage(1);
    CEasyTabPage* removed = tab.RemovePage(1);
    EXPECT_EQ(removed, dialog->pages[1]);
    EXPECT_EQ(tab.GetTabSelection(), 0);
    EXPECT_EQ(tab.GetPageCount(), 1u);
    removed->Destroy();
}

TEST_F(WindowTest, WizardButtonsFollowThePages)
{
    TestFrame f;
    auto* dialog = new WizardDialog;
    ASSERT_TRUE(dialog->Create(f.frame));
    CEasyDialogWizard* wizard = dialog->GetWizard();
    ASSERT_NE(wizard, nullptr);
    EXPECT_FALSE(wizard->GetBackButton()->IsEnabled());
    EXPECT_EQ(wizard->GetNextButton()->GetLabel(), "&Next >");
    EXPECT_EQ(wizard->GetHint()->GetLabel(), "Press Next to continue");

    dialog->pages[0].valid = false;
    dialog->WizardNext();
    EXPECT_EQ(dialog->GetActivePage(), &dialog->pages[0]);
    dialog->pages[0].valid = true;
    dialog->WizardNext();
    EXPECT_EQ(dialog->GetActivePage(), &dialog->pages[1]);
    EXPECT_TRUE(wizard->GetBackButton()->IsEnabled());

    dialog->SetPageEnabled(&dialog->pages[2], false);
    EXPECT_EQ(wizard->GetNextButton()->GetLabel(), "&Finish");
    EXPECT_EQ(wizard->GetHint()->GetLabel(), "Press Finish when done");
    dialog->WizardNext();
    EXPECT_EQ(dialog->finished, 1);
}
