#include "ProgramTest.h"

#include "exchange/ui/ExportAscii.h"
#include "exchange/ui/ImportAsciiFileDialog.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/DdxFieldFrame.h"
#include "framework/DialogStackModel.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/PointRecord.h"
#include "shell/CommandIds.h"
#include "shell/GlobalCommandIds.h"
#include "shell/KVLEditHandoff.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/ReportViewer.h"
#include "views/ui/MorvelView.h"

#include <gmock/gmock.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/richtext/richtextctrl.h>

#include <sys/stat.h>

using morvel::test::ProgramTest;
using morvel::test::SharedTestDataPath;

namespace {

void Command(wxWindow& window, int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(&window);
    window.ProcessWindowEvent(event);
}

// A desktop whose opener knows no program for rich text.
void ForgetRtfProgram(const std::string& home)
{
    const std::string types = home + "/bin/xdg-mime";
    morvel::test::WriteAllText(types, "#!/bin/sh\nexit 0\n");
    ::chmod(types.c_str(), 0755);
}

// What the report viewer showed, as the text a person reads; the picture is saved once.
struct ViewerSeen
{
    int shown = 0;
    std::string text;
};

// Answers the import dialog with `accept` and reads any report viewer into `seen`.
std::function<int(wxDialog&)> ImportThenRead(std::function<void(CImportFileDialog&)> accept, ViewerSeen& seen,
                                             std::function<void(CReportViewer&)> look = {})
{
    return [accept, &seen, look](wxDialog& host) {
        if (auto* viewer = dynamic_cast<CReportViewer*>(&host)) {
            viewer->InitDialog();
            ++seen.shown;
            seen.text = viewer->GetViewer()->GetValue().utf8_string();
            if (look)
                look(*viewer);
            return int(wxID_OK);
        }
        auto* dialog = dynamic_cast<CImportFileDialog*>(CEasyDialog::FromHost(host));
        if (dialog == nullptr) {
            ADD_FAILURE() << "unexpected dialog " << host.GetTitle();
            return int(wxID_CANCEL);
        }
        accept(*dialog);
        return dialog->HasEnded() ? dialog->GetResult() : int(wxID_CANCEL);
    };
}

void SetReport(wxWindow& dialog, bool on)
{
    static_cast<wxCheckBox*>(dialog.FindWindow(CImportFileDialog::IdReport))->SetValue(on);
}

} // namespace

// The red tip of a refused export never holds the program: the first click elsewhere, or Escape,
// closes it, and the window around it stays live while it shows.
TEST_F(ProgramTest, ANothingSelectedTipClosesOnAClickElsewhereOrEscape)
{
    ASSERT_TRUE(Start());
    ASSERT_NE(ShowPointsOnMap({new CPointRecord("7", "FENCE", CLocation(300, 400, 5), true)}), nullptr);
    Frame().ShowDialogBar(true);
    Command(Frame(), IdExportAscii);
    Pump();
    auto* panel = dynamic_cast<CExportAscii*>(Frame().GetStackingBar()->GetTopDialog());
    ASSERT_NE(panel, nullptr);
    GetActiveSelectionOperator()->ClearSelection();
    wxWindow* view = Frame().GetJobView();
    ASSERT_NE(view, nullptr);
    wxWindow* chip = panel->FindWindow(CExportAscii::IdChip);
    ASSERT_NE(chip, nullptr);

    struct Case
    {
        const char* name;
        std::function<void(wxWindow&)> act;
    };
    const std::vector<Case> cases = {
        {"click on the job window",
         [](wxWindow& target) {
             wxMouseEvent press(wxEVT_LEFT_DOWN);
             press.SetEventObject(&target);
             target.ProcessWindowEvent(press);
         }},
        {"right click", [](wxWindow& target) {
             wxMouseEvent press(wxEVT_RIGHT_DOWN);
             press.SetEventObject(&target);
             target.ProcessWindowEvent(press);
         }},
        {"Escape", [](wxWindow& target) {
             wxKeyEvent key(wxEVT_CHAR_HOOK);
             key.m_keyCode = WXK_ESCAPE;
             key.SetEventObject(&target);
             target.ProcessWindowEvent(key);
         }},
    };
    bool framed = false;
    wxRect shownAt;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string said;
        bool frameLive = false, stayed = false;
        panel->CallAfter([&] {
            CDdxErrorDlg* tip = CDdxErrorDlg::GetShown();
            if (!tip)
                return;
            said = tip->GetMessage();
            frameLive = Frame().IsEnabled() && view->IsEnabled();
            if (&c == &cases.front()) {
                // The tip the program raised frames the panel's selection field.
                const wxRect at = chip->GetScreenRect();
                framed = tip->GetFieldFrame() != nullptr &&
                         tip->GetFieldFrame()->GetScreenRect().Contains(at.GetPosition() + at.GetSize() / 2);
                shownAt = tip->GetScreenRect();
            }
            c.act(*view);
            // A tip that kept itself open would leave the test waiting on it.
            if (!tip->IsClosed()) {
                stayed = true;
                tip->Close(wxID_CANCEL);
            }
        });
        panel->OnExport();
        Pump();
        EXPECT_EQ(said, "Nothing Selected.");
        EXPECT_TRUE(frameLive);
        EXPECT_FALSE(stayed);
        EXPECT_EQ(CDdxErrorDlg::GetShown(), nullptr);
        EXPECT_TRUE(Frame().IsEnabled());
    }
    // The panel is still there for the next try.
    EXPECT_EQ(Frame().GetStackingBar()->GetTopDialog(), panel);
    EXPECT_TRUE(framed) << "the tip does not frame the selection field";

    // The picture (its loop cannot be pumped while the program's tip runs its own): a tip for the
    // same field, which must stand where the program's stood.
    const wxRect at = chip->GetScreenRect();
    CDdxErrorDlg tip(&Frame(), "Nothing Selected.", {at.x, at.y, at.GetRight() + 1, at.GetBottom() + 1});
    tip.Show();
    EXPECT_EQ(tip.GetScreenRect(), shownAt);
    EXPECT_TRUE(SaveScreenshot(Frame(), "export_nothing_selected.png"));
    tip.Hide();
}

// The navigator is the side bar's home: Escape leaves it where it is, and View > Shortcuts brings
// it back from behind a panel or a hidden bar.
TEST_F(ProgramTest, EscapeKeepsTheNavigatorAndShortcutsBringsItBack)
{
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    frame.ShowDialogBar(true);
    CStackingDialogBar& bar = *frame.GetStackingBar();
    CStackableDialog* navigator = bar.GetHome();
    ASSERT_NE(navigator, nullptr);
    ASSERT_TRUE(bar.Model().IsNavigatorShown());
    const auto shortcuts = [&frame] {
        wxUpdateUIEvent update(IdShortcuts);
        update.SetEventObject(&frame);
        frame.ProcessWindowEvent(update);
        return update;
    };

    navigator->HandleKey(WXK_ESCAPE);
    Pump();
    EXPECT_EQ(bar.GetHome(), navigator);
    EXPECT_TRUE(bar.Model().IsNavigatorShown());
    EXPECT_TRUE(navigator->IsShown());
    EXPECT_TRUE(shortcuts().GetChecked());

    // Behind a panel, then with the bar hidden: Shortcuts is offered and shows the navigator.
    Command(frame, IdExportAscii);
    Pump();
    ASSERT_FALSE(bar.Model().IsNavigatorShown());
    for (bool hideBar : {false, true}) {
        SCOPED_TRACE(hideBar ? "bar hidden" : "panel on top");
        if (hideBar)
            frame.ShowDialogBar(false);
        const wxUpdateUIEvent offered = shortcuts();
        EXPECT_TRUE(!offered.GetSetEnabled() || offered.GetEnabled());
        EXPECT_FALSE(offered.GetChecked());
        Command(frame, IdShortcuts);
        Pump();
        EXPECT_TRUE(frame.IsBarShown(CMainFrame::DialogBarIndex));
        EXPECT_TRUE(bar.Model().IsNavigatorShown());
        EXPECT_EQ(bar.GetCurrent(), navigator);
    }
}

// Without a desktop program for rich text a report opens in the program's own viewer.
TEST_F(ProgramTest, AnImportReportIsShownInTheProgramWithoutARichTextProgram)
{
    ForgetRtfProgram(home->path().string());
    ASSERT_TRUE(Start());
    ViewerSeen seen;
    dialogAnswer = ImportThenRead(
        [](CImportFileDialog& dialog) {
            SetReport(dialog, true);
            dialog.SetPathName(SharedTestDataPath("bezitopo_topo0_pnezd.asc"));
            dialog.OnOK();
        },
        seen,
        [this](CReportViewer& viewer) {
            viewer.Show();
            EXPECT_TRUE(SaveScreenshot(viewer, "report_in_program.png"));
            viewer.Hide();
        });
    Command(Frame(), IdImportAscii);
    Pump();
    for (const std::string& m : messages)
        EXPECT_NE(m, NoRtfProgramMessage);
    EXPECT_EQ(seen.shown, 1);
    EXPECT_NE(seen.text.find("Imported Coordinates"), std::string::npos) << seen.text.substr(0, 300);
    EXPECT_NE(seen.text.find("Coordinates imported from:  " + SharedTestDataPath("bezitopo_topo0_pnezd.asc")),
              std::string::npos);
}

// A job made from field data that gave no point opens with the reason, without asking for a report.
TEST_F(ProgramTest, AJobFromFieldDataWithoutPointsOpensWithTheReason)
{
    ASSERT_TRUE(Start());
    const std::string trn = CopySample(SharedTestDataPath("tops_nikon_npl350.raw"), "field.TRN");
    const std::string job = home->file("field.Mvj");
    // A person takes the default button of whatever opens.
    dialogAnswer = [](wxDialog&) { return wxID_OK; };
    ASSERT_TRUE(Frame().CreateJobFromFieldData(false, trn, job));
    Pump();
    // Just written, so nothing to save and no regeneration to offer: its reduction just ran.
    EXPECT_THAT(dialogsShown, testing::IsEmpty());
    ASSERT_NE(CDataFileDoc::GetActiveDoc(), nullptr);
    EXPECT_FALSE(CDataFileDoc::GetActiveDoc()->IsModified());
    EXPECT_EQ(Frame().GetTitle().utf8_string().find("(Modified)"), std::string::npos) << Frame().GetTitle();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().rfind("No point was stored from the field data.", 0), 0u) << messages.back();
    EXPECT_NE(messages.back().find("Line #25 ERROR: Bad Occupy Pt'1000'"), std::string::npos) << messages.back();
    // Said over the job it is about.
    ASSERT_NE(CDataFileDoc::GetActiveDoc(), nullptr);
    EXPECT_EQ(CDataFileDoc::GetActiveDoc()->GetPathName(), job);
}
