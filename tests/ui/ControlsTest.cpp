#include "ProgramTest.h"

#include "cogo/ui/CogoPanels.h"
#include "framework/ui/CheckListBox.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/Icons.h"
#include "framework/ui/MessageBoxFS.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/WindowHelpers.h"
#include "platform/AppFolders.h"
#include "platform/Profile.h"
#include "rawdata/RawDataDrawTarget.h"
#include "shell/CommandIds.h"
#include "shell/NavigatorModel.h"
#include "shell/ui/PromptSaveModified.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "shell/ui/UserPreferences.h"
#include "transfer/browse/JobListModel.h"
#include "transfer/ui/CustomTransferButton.h"
#include "views/HoverIdentify.h"
#include "views/ui/RawDataListCtrl.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/uiaction.h>

#include <gtest/gtest-spi.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <utility>

using morvel::test::WindowTest;

namespace {

// A top-level window for the controls, destroyed with the test.
struct TestFrame
{
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(400, 300));
    ~TestFrame() { frame->Destroy(); }
};

// A window of the program's kind and one of the toolkit's own, neither answered.
void ShowUnansweredDialog()
{
    wxDialog ours(nullptr, wxID_ANY, "Nobody Answers Me");
    EXPECT_EQ(ours.ShowModal(), wxID_CANCEL);
}

void ShowUnansweredMessageBox()
{
    wxMessageDialog toolkits(nullptr, "Still there?", "Nor Me", wxYES_NO);
    toolkits.ShowModal();
}

// The field balloon holds everything but its owner with a loop of its own.
void ShowUnansweredBalloon()
{
    TestFrame owner;
    CDdxErrorDlg balloon(owner.frame, "Point does not exist.", ScreenRect{});
    EXPECT_EQ(balloon.RunBeside(*owner.frame), wxID_CANCEL);
}

} // namespace

TEST_F(WindowTest, AModalWindowNoOneAnswersFailsTheTestInsteadOfHoldingIt)
{
    // Returning at all is the point: without the watchdog each would wait for a click for ever.
    LimitModalWait(300);
    EXPECT_NONFATAL_FAILURE(ShowUnansweredDialog(), "\"Nobody Answers Me\"");
    EXPECT_NONFATAL_FAILURE(ShowUnansweredMessageBox(), "\"Nor Me\" saying \"Still there?\"");
    EXPECT_NONFATAL_FAILURE(ShowUnansweredBalloon(), "saying \"Point does not exist.\"");
}

// A window brought to the front asks again for the keyboard once it is up, unless meanwhile it
// was hidden (raising it would show it again, over the window below) or a later window of ours
// came in front, as the box of a transfer failing at once does: that one keeps the keyboard.
TEST_F(WindowTest, AWindowShownInFrontAsksAgainOnlyWhileItIsStillTheNewest)
{
    wxFrame main(nullptr, wxID_ANY, "Main", wxPoint(40, 40), wxSize(480, 360));
    auto* below = new wxButton(&main, wxID_ANY, "Main");
    main.Show();
    // Shows the window and waits until it is painted, so it is on the screen.
    const auto showOnScreen = [](wxTopLevelWindow& window, const char* what) {
        auto painted = std::make_shared<bool>(false);
        window.Bind(wxEVT_PAINT, [&window, painted](wxPaintEvent&) {
            wxPaintDC dc(&window);
            *painted = true;
        });
        window.Show();
        return morvel::test::YieldUntil(what, [painted] { return *painted; });
    };
    const auto secondRequestsTurn = [](wxWindow& window) {
        bool reached = false;
        window.CallAfter([&reached] { reached = true; });
        return morvel::test::YieldUntil("the second request's turn", [&] { return reached; });
    };
    {
        wxDialog first(&main, wxID_ANY, "Hidden again", wxPoint(120, 160), wxSize(200, 120));
        auto* button = new wxButton(&first, wxID_ANY, "First");
        // On the screen before it is brought to the front, as a window is when it is hidden again
        // (a transfer ending at its first read).
        ASSERT_TRUE(showOnScreen(first, "the window to show"));
        ShowInFrontWithKeyboard(first, button);
        const wxPoint middle = first.GetScreenRect().GetPosition() + first.GetSize() / 2;
        first.Hide();
        ASSERT_TRUE(secondRequestsTurn(first));
        // The X server shows windows in the order asked: once one shown afterwards is painted, a
        // second request that showed this one again has been carried out too.
        wxFrame probe(&main, wxID_ANY, "Probe", wxPoint(560, 40), wxSize(120, 80));
        ASSERT_TRUE(showOnScreen(probe, "a window shown afterwards"));
        wxWindow* clicked = nullptr;
        for (wxWindow* w : {static_cast<wxWindow*>(below), static_cast<wxWindow*>(button)})
            w->Bind(wxEVT_LEFT_DOWN, [&clicked, w](wxMouseEvent& event) {
                clicked = w;
                event.Skip();
            });
        wxUIActionSimulator mouse;
        mouse.MouseMove(middle);
        mouse.MouseClick();
        ASSERT_TRUE(morvel::test::YieldUntil("the click to land", [&] { return clicked != nullptr; }));
        EXPECT_EQ(clicked, below) << "the hidden window came back over the main one";
    }
    {
        wxDialog first(&main, wxID_ANY, "First");
        auto* button = new wxButton(&first, wxID_ANY, "First");
        first.Show();
        ShowInFrontWithKeyboard(first, button);
        wxDialog later(&main, wxID_ANY, "Later");
        auto* laterButton = new wxButton(&later, wxID_ANY, "Later");
        later.Show();
        laterButton->SetFocus();
        later.Raise();
        ASSERT_TRUE(secondRequestsTurn(first));
        EXPECT_TRUE(morvel::test::YieldUntil("the later window to keep the keyboard",
                                             [&] { return later.IsActive() && wxWindow::FindFocus() == laterButton; }));
    }
}

TEST_F(WindowTest, MessageBoxShowsTheButtonsOfItsType)
{
    using B = MessageBoxButton;
    CMessageBoxFS yesNo(nullptr, {"Replace the job?", "Transfer", MB_YESNO, "Replace", "Rename"});
    EXPECT_EQ(yesNo.GetTitle(), "Transfer");
    EXPECT_TRUE(yesNo.GetButton(B::Yes)->IsShown());
    EXPECT_TRUE(yesNo.GetButton(B::No)->IsShown());
    EXPECT_FALSE(yesNo.GetButton(B::Ok)->IsShown());
    EXPECT_FALSE(yesNo.GetButton(B::Cancel)->IsShown());
    EXPECT_EQ(yesNo.GetButton(B::Yes)->GetLabel(), "Replace");
    EXPECT_EQ(yesNo.GetButton(B::No)->GetLabel(), "Rename");
    // Caller captions share one width so the row stays even.
    EXPECT_EQ(yesNo.GetButton(B::Yes)->GetSize().x, yesNo.GetButton(B::No)->GetSize().x);
    // Escape (the Cancel column) answers No for a yes/no box.
    yesNo.Press(B::Cancel);
    EXPECT_EQ(yesNo.GetResult(), IDNO);

    CMessageBoxFS ok(nullptr, {"Imported 3 points", "", MB_OK | MB_ICONINFORMATION, "", ""});
    EXPECT_EQ(ok.GetTitle(), wxTheApp->GetAppDisplayName());
    EXPECT_TRUE(ok.GetButton(B::Ok)->IsShown());
    EXPECT_FALSE(ok.GetButton(B::Yes)->IsShown());
    ok.Press(B::Cancel);
    EXPECT_EQ(ok.GetResult(), IDOK);

    CMessageBoxFS retry(nullptr, {"The port is busy.", "", MB_RETRYCANCEL, "", ""});
    EXPECT_EQ(retry.GetButton(B::Yes)->GetLabel(), "Retry");
    EXPECT_EQ(retry.GetButton(B::No)->GetLabel(), "Cancel");
    retry.Press(B::Yes);
    EXPECT_EQ(retry.GetResult(), IDRETRY);
}

TEST_F(WindowTest, CheckListCyclesOnAClickAnywhereAndDragsItems)
{
    TestFrame top;
    auto* list = new CEasyCheckListBox(top.frame, wxID_ANY, CEasyCheckListBox::ClickAnywhere);
    list->SetSize(300, 200);
    for (const char* text : {"Name", "Northing", "Easting", "Elevation"})
        list->Append(text);
    int notices = 0;
    top.frame->Bind(wxEVT_CHECKLISTBOX, [&](wxCommandEvent&) { ++notices; });
    top.frame->Show();
    Pump();

    // The middle of the second item, well right of its check box.
    const int rowHeight = std::max(list->GetCharHeight(), 1);
    const int y = list->GetClientSize().y > 0 ? rowHeight / 2 : 0;
    const int row = list->HitTest(wxPoint(150, y));
    ASSERT_NE(row, wxNOT_FOUND);
    list->OnLeftDown(wxPoint(150, y));
    EXPECT_TRUE(list->IsChecked(unsigned(row)));
    list->OnLeftDown(wxPoint(150, y));
    EXPECT_FALSE(list->IsChecked(unsigned(row)));
    EXPECT_EQ(notices, 2);

    list->CheckAll();
    list->Check(1, false);
    list->InvertChecks();
    EXPECT_TRUE(list->IsChecked(1));
    EXPECT_FALSE(list->IsChecked(0));

    // Dragging above the first row puts the selected item first.
    list->SetSelection(2);
    list->OnDragTo(wxPoint(150, -40));
    EXPECT_EQ(list->GetString(0), "Easting");
    EXPECT_EQ(list->GetSelection(), 0);
}

TEST_F(WindowTest, BlankCheckListEndsWithOneBlankAfterADrag)
{
    TestFrame top;
    auto* list = new CEasyCheckListWithBlankBox(top.frame, wxID_ANY, CEasyCheckListBox::DragToReorder);
    list->SetSize(300, 200);
    list->Append("P");
    list->Append("N");
    list->AppendBlank("");
    list->AppendBlank("");
    list->SetSelection(1);
    list->OnDragTo(wxPoint(10, -10));
    ASSERT_EQ(list->GetCount(), 3u);
    EXPECT_EQ(list->GetString(0), "N");
    EXPECT_TRUE(list->IsBlank(2));
    EXPECT_FALSE(list->IsBlank(1));
}

TEST_F(WindowTest, ComboSelectsByItemData)
{
    TestFrame top;
    auto* combo = new CEasyComboBox(top.frame, wxID_ANY);
    combo->AppendWithData("Meters", 0);
    combo->AppendWithData("Feet", 1);
    combo->AppendWithData("US Survey Feet", 2);
    EXPECT_EQ(combo->SelectItemData(2), 2);
    EXPECT_EQ(combo->GetSelection(), 2);
    EXPECT_EQ(combo->SelectItemData(7), -1);
    EXPECT_EQ(combo->GetSelection(), wxNOT_FOUND);
}

TEST_F(WindowTest, IconsLoadOnceAndMissingOnesAreNotKept)
{
    CIcons icons(GetExecutableFolder() + "icons/");
    const wxBitmap* first = icons.GetIcon(9, true);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetWidth(), 16);
    EXPECT_EQ(icons.GetIcon(9, true), first);
    EXPECT_EQ(icons.GetLoadCount(), 1);
    EXPECT_EQ(icons.GetIconOfSize(9, 32, 32)->GetWidth(), 32);

    // Odd sizes are kept by id alone: the first size asked for stays.
    EXPECT_EQ(icons.GetIconOfSize(1038, 24, 24)->GetWidth(), 24);
    EXPECT_EQ(icons.GetIconOfSize(1038, 48, 48)->GetWidth(), 24);

    const int loads = icons.GetLoadCount();
    EXPECT_EQ(icons.GetIcon(4242, true), nullptr);
    EXPECT_EQ(icons.GetIcon(4242, true), nullptr);
    EXPECT_EQ(icons.GetLoadCount(), loads + 2);
}

// The width and height a PNG file states in its header; 0, 0 when there is no such file.
static std::pair<uint32_t, uint32_t> PngSize(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header) || std::memcmp(header + 12, "IHDR", 4) != 0)
        return {0, 0};
    const auto big = [&](int at) {
        return uint32_t(header[at]) << 24 | uint32_t(header[at + 1]) << 16 | uint32_t(header[at + 2]) << 8 | header[at + 3];
    };
    return {big(16), big(20)};
}

// A missing file draws nothing where the map, a list or a button should show its mark.
TEST(ProgramIcons, EveryIconTheProgramNamesHasItsSmallAndLargePicture)
{
    std::vector<uint32_t> ids = {IconRawComment, IconStorePoint, IconStation, IconBacksight, IconShot,
                                 IconStakeoutList, IconStakeoutShot, IconConflict, IconInvalidLine,
                                 IconApplication, IconCoordinatesTab, IconRawDataTab, CStackableDialog::CloseIconId,
                                 CCustomWizardButton::IconId, CCustomTransferButton::NikonIconId,
                                 CCustomTransferButton::OtherIconId, CUserPreferencesTransferPage::NikonIcon,
                                 CUserPreferencesTransferPage::LumoraIcon, JobTipIconComplete, JobTipIconIncomplete,
                                 JobTipIconFolder, EraseScratchIconId, InverseSingleIconId, InverseMultipleIconId,
                                 nav::MissingMarkIcon, DescribedLineIcon, UnrecognizedLineIcon, PickedObjectsIcon,
                                 CRawDataListCtrl::TipIcon, CRawDataListCtrl::UnrecognizedTipIcon};
    ids.insert(ids.end(), nav::ImageIcons.begin(), nav::ImageIcons.end());
    for (int toolbarCommand : {IdOpenJob, IdZoomIn, IdZoomOut, IdSnapToPoint, IdSnapFree, IdSnapToGrid, IdLockSnap})
        ids.push_back(uint32_t(toolbarCommand));
    const std::string folder = GetExecutableFolder() + "icons/";
    for (const uint32_t id : ids) {
        for (const uint32_t size : {16u, 32u}) {
            const std::string file = std::to_string(id) + "_" + std::to_string(size) + ".png";
            EXPECT_EQ(PngSize(folder + file), std::make_pair(size, size)) << file;
        }
    }
}

TEST_F(WindowTest, RegenerationOptionsComeFromAndGoBackToTheProfile)
{
    morvel::test::TempDir dir;
    CProfile profile(dir.path() / "Morvel.ini");
    SetAppProfile(&profile);
    profile.WriteProfileInt("RegenerationOptions", "IgnoreDeletedPoint", 1);
    ModalAnswerer previous = SetModalAnswerer([](wxDialog& dialog) {
        auto& options = dynamic_cast<CRegenerationOptionsDlg&>(*CEasyDialog::FromHost(dialog));
        EXPECT_FALSE(options.GetStorePointCheck()->GetValue());
        EXPECT_TRUE(options.GetDeletedCheck()->GetValue());
        options.GetStorePointCheck()->SetValue(true);
        return int(wxID_OK);
    });
    {
        CRegenerationOptionsDlg dialog(nullptr);
        EXPECT_EQ(dialog.GetTitle(), "Raw Data Regeneration Options");
        ASSERT_EQ(dialog.DoModal(), wxID_OK);
        EXPECT_EQ(dialog.GetOptions(), 0x8003);
    }
    EXPECT_EQ(profile.GetProfileInt("RegenerationOptions", "IgnoreStorePoint", -1), 1);
    EXPECT_EQ(profile.GetProfileInt("RegenerationOptions", "IgnoreDeletedPoint", -1), 1);

    // Cancelled (the close box): the ticks made are not taken, the stored answers stay.
    SetModalAnswerer([](wxDialog& dialog) {
        dynamic_cast<CRegenerationOptionsDlg&>(*CEasyDialog::FromHost(dialog)).GetDeletedCheck()->SetValue(false);
        return int(wxID_CANCEL);
    });
    {
        CRegenerationOptionsDlg dialog(nullptr);
        EXPECT_EQ(dialog.DoModal(), wxID_CANCEL);
    }
    EXPECT_EQ(profile.GetProfileInt("RegenerationOptions", "IgnoreDeletedPoint", -1), 1);
    SetModalAnswerer(previous);
    SetAppProfile(nullptr);
}

TEST_F(WindowTest, SavePromptOpensAtTheLastChange)
{
    std::vector<std::string> changes;
    for (int i = 1; i <= 500; ++i)
        changes.push_back("Added Point '" + std::to_string(i) + "'");
    CPromptSaveModified prompt(nullptr, "Save changes to Survey?", &changes);
    wxListCtrl* list = prompt.GetChangeList();
    EXPECT_EQ(list->GetItemCount(), 500);
    EXPECT_EQ(list->GetItemText(499), "Added Point '500'");
    EXPECT_GE(list->GetTopItem() + list->GetCountPerPage(), 499);
    prompt.Answer(IDNO);
    EXPECT_EQ(prompt.GetResult(), IDNO);

    CPromptSaveModified empty(nullptr, "Save changes to Untitled?", nullptr);
    EXPECT_EQ(empty.GetChangeList()->GetItemCount(), 0);
    empty.Answer(IDCANCEL);
    EXPECT_EQ(empty.GetResult(), IDCANCEL);
}

TEST_F(WindowTest, RegenerationOptionsIgnoreEscapeAndTakeTheCloseBoxAsCancel)
{
    morvel::test::TempDir dir;
    CProfile profile(dir.path() / "Morvel.ini");
    SetAppProfile(&profile);
    {
        CRegenerationOptionsDlg dialog(nullptr);
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        escape.SetEventObject(&dialog);
        dialog.ProcessWindowEvent(escape);
        EXPECT_FALSE(dialog.HasEnded());

        wxDialog* host = dialog.GetModalHost();
        wxCloseEvent close(wxEVT_CLOSE_WINDOW, host->GetId());
        close.SetEventObject(host);
        host->ProcessWindowEvent(close);
        EXPECT_EQ(dialog.GetResult(), wxID_CANCEL);
    }
    SetAppProfile(nullptr);
}
