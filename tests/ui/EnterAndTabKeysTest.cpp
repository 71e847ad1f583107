#include "ProgramTest.h"

#include "cogo/ui/CoordinateFields.h"
#include "cogo/ui/InversePoints.h"
#include "cogo/ui/PointAdd.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/DataFileSelOperator.h"
#include "model/HintCodes.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "shell/GlobalCommandIds.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/RunUserPreferences.h"
#include "shell/ui/UserPreferences.h"
#include "views/ui/MapCtrl.h"

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/textctrl.h>
#include <wx/time.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/vscroll.h>

#include <algorithm>
#include <cmath>
#include <typeinfo>

// Enter and Tab as a person presses them, through the X server: the toolkit decides which window
// hears them.

using morvel::test::ProgramTest;
using morvel::test::Click;
using morvel::test::ClickInto;
using morvel::test::TypeUntil;
using morvel::test::YieldUntil;

namespace {

// The unit of a new job.
constexpr double Foot = 0.3048;

template <typename T> T* Control(wxWindow* parent, int id) { return dynamic_cast<T*>(parent->FindWindow(id)); }

class EnterAndTabKeysTest : public ProgramTest
{
protected:
    bool Open()
    {
        if (!StartWithTwoPoints())
            return false;
        Frame().SetSize(1100, 800);
        doc = CDataFileDoc::GetActiveDoc();
        return doc != nullptr;
    }
    // A point of the notebook's tab `index`, on the screen.
    static wxPoint TabPoint(wxBookCtrlBase& book, int index)
    {
        const wxSize size = book.GetClientSize();
        for (int y = 2; y < std::min(size.y, 60); y += 2)
            for (int x = 2; x < size.x; x += 2)
                if (book.HitTest(wxPoint(x, y)) == index)
                    return book.ClientToScreen(wxPoint(x + 4, y + 4));
        return wxDefaultPosition;
    }

    // Opens the sheet on the page as its openers do and shows it for real; `use` works it like a
    // person inside its loop. What the sheet ended with.
    int RunPreferences(int page, const std::function<void(CUserPreferences&)>& use)
    {
        dialogAnswer = [&](wxDialog& dialog) {
            auto* sheet = dynamic_cast<CUserPreferences*>(&dialog);
            if (!sheet)
                return int(wxID_CANCEL);
            sheet->CallAfter([&, sheet] {
                // As the program's modal run does: the sheet comes to the front with the keyboard.
                sheet->Raise();
                if (YieldUntil("the sheet to show", [&] { return sheet->IsShownOnScreen(); }))
                    use(*sheet);
                if (!sheet->HasEnded())
                    sheet->PressCancel();
            });
            return sheet->ShowModal();
        };
        const int result = RunUserPreferencesSheet(page);
        dialogAnswer = nullptr;
        return result;
    }
    // Runs `close` inside each balloon that shows; what the last one ended with, 0 while none did.
    void AnswerBalloons(const std::function<void()>& close)
    {
        balloonResult = 0;
        whenShown = [this, close](wxDialog& shown) {
            auto* balloon = dynamic_cast<CDdxErrorDlg*>(&shown);
            if (!balloon)
                return;
            balloonMessages.push_back(balloon->GetMessage());
            close();
            EXPECT_TRUE(YieldUntil("the balloon to close", [&] { return balloon->IsClosed(); }));
            if (!balloon->IsClosed())
                balloon->Close(wxID_ABORT);
            balloonResult = balloon->GetReturnCode();
        };
    }

    CPointRecord* Point(const char* name) { return doc->GetPointDatabase()->FindPoint(name, true); }
    CDataFileDoc* doc = nullptr;
    int balloonResult = 0;
    std::vector<std::string> balloonMessages;
};

} // namespace

// Snap's Horizontal Spacing is refused when the General tab is clicked: after the balloon's Enter
// the correction lands in the refused field, not on the tab strip.
TEST_F(EnterAndTabKeysTest, ARefusedPageSwitchLeavesTheRefusedFieldTheKeyboard)
{
    ASSERT_TRUE(Start());
    AnswerBalloons([] { wxUIActionSimulator().Char(WXK_RETURN); });
    RunPreferences(CUserPreferences::SnapPage, [&](CUserPreferences& sheet) {
        auto& field = *Control<wxTextCtrl>(sheet.GetSnapPage(), CUserPreferencesSnapPage::IdXSpacing);
        wxBookCtrlBase& book = *sheet.GetBookCtrl();
        field.ChangeValue("bad");
        ASSERT_TRUE(ClickInto(field));
        const wxPoint general = TabPoint(book, CUserPreferences::GeneralPage);
        ASSERT_NE(general, wxDefaultPosition);
        wxUIActionSimulator mouse;
        mouse.MouseMove(general);
        mouse.MouseClick();
        ASSERT_TRUE(YieldUntil("a balloon to come and go", [&] { return balloonResult != 0; }));
        EXPECT_EQ(book.GetSelection(), CUserPreferences::SnapPage);
        EXPECT_TRUE(TypeUntil("2", [&] { return field.GetValue() != "bad"; }));
        EXPECT_EQ(field.GetValue(), "2");
        EXPECT_TRUE(SaveScreenshot(sheet, "preferences_refused_page_switch.png"));
    });
    whenShown = {};
    EXPECT_EQ(balloonMessages.size(), 1u);
    Exit();
}

// Enter in a single-line field of any page presses the sheet's OK, as on Format, and what was
// typed is kept.
TEST_F(EnterAndTabKeysTest, EnterInAPreferencesFieldPressesOk)
{
    ASSERT_TRUE(Start());
    const std::string folder = home->path().string();
    struct Case
    {
        const char* name;
        int page;
        int field;
        std::string text;
        std::function<bool(CUserPreferencesData&)> kept;
    };
    const Case cases[] = {
        {"Snap's Vertical Spacing", CUserPreferences::SnapPage, CUserPreferencesSnapPage::IdYSpacing, "7",
         [](CUserPreferencesData& d) { return d.snap.gridYSpacing == 7.0; }},
        {"Transfer's Stakeout Add Pt", CUserPreferences::TransferPage, CUserPreferencesTransferPage::IdStakeoutOffset,
         "5", [](CUserPreferencesData& d) { return d.transfer.stakeoutOffset == 5; }},
        {"General's job folder", CUserPreferences::GeneralPage, CUserPreferencesGeneralPage::IdJobFolder, folder,
         [&](CUserPreferencesData& d) { return d.general.jobFolder == folder; }},
        {"Format's Easting label", CUserPreferences::FormatPage, CUserPreferencesFormatPage::IdEastingLabel, "E",
         [](CUserPreferencesData& d) { return d.format.eastingLabel == "E"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool kept = false;
        const int result = RunPreferences(c.page, [&](CUserPreferences& sheet) {
            auto& field = *Control<wxTextCtrl>(sheet.GetPage(c.page), c.field);
            field.ChangeValue("");
            ASSERT_TRUE(ClickInto(field));
            ASSERT_TRUE(TypeUntil(c.text.c_str(), [&] { return field.GetValue() == wxString::FromUTF8(c.text); }));
            wxUIActionSimulator().Char(WXK_RETURN);
            EXPECT_TRUE(YieldUntil("Enter to press OK", [&] { return sheet.HasEnded(); }));
            kept = c.kept(sheet.GetData());
        });
        EXPECT_EQ(result, wxID_OK);
        EXPECT_TRUE(kept);
    }
    Exit();
}

// Pictures, previews, painted captions and headings, splitter bars and blank pages take no
// keyboard: Tab passes them by, in Preferences and in the main window.
TEST_F(EnterAndTabKeysTest, TabPassesDrawnWindowsBy)
{
    ASSERT_TRUE(Open());
    RunPreferences(CUserPreferences::SnapPage, [&](CUserPreferences& sheet) {
        wxWindow* page = sheet.GetSnapPage();
        ASSERT_TRUE(ClickInto(*page->FindWindow(CUserPreferencesSnapPage::IdSlider)));
        wxUIActionSimulator().Char(WXK_TAB);
        EXPECT_TRUE(YieldUntil("Tab to pass the pick box by", [&] {
            return wxWindow::FindFocus() == page->FindWindow(CUserPreferencesSnapPage::IdXSpacing);
        }));
        EXPECT_TRUE(SaveScreenshot(sheet, "preferences_snap_tab.png"));
    });

    // Once round the main window from the side panel: each stop is a control, the list or the map.
    for (const char* name : {"1", "2"})
        doc->GetSelOperator()->SelectObject(Point(name));
    doc->SendHint(nullptr, HintSelectionChanged, 0);
    auto* panel = Push<CPointEdit>(IdEditMultiplePoints);
    ASSERT_NE(panel, nullptr);
    // Change Description brings the keyboard to the description.
    wxWindow* start = panel->GetLocationPage().GetDescriptionField();
    Click(*panel->GetLocationPage().GetChangeDescriptionBox());
    ASSERT_TRUE(YieldUntil("the description to take the keyboard", [&] { return wxWindow::FindFocus() == start; }));
    wxWindow* at = start;
    for (int step = 0; step < 16; ++step) {
        wxUIActionSimulator().Char(WXK_TAB);
        ASSERT_TRUE(YieldUntil("Tab to move on", [&] { return wxWindow::FindFocus() != at; }));
        at = wxWindow::FindFocus();
        ASSERT_NE(at, nullptr);
        const bool usable = dynamic_cast<wxControl*>(at) || dynamic_cast<wxVScrolledWindow*>(at) ||
                            dynamic_cast<CMapCtrl*>(at);
        EXPECT_TRUE(usable) << "Tab stopped on a " << typeid(*at).name();
        if (at == start)
            break;
    }
    EXPECT_EQ(at, start) << "Tab came round to where it started";
    Exit();
}

// Where a panel lets Enter act as Tab, it goes where Tab goes: out of the inner page onward, never
// back to Change Location. Where quick enter has run past its last field, Enter stays in the panel.
// Neither closes the panel nor loses what was typed.
TEST_F(EnterAndTabKeysTest, EnterInThePointPagesMovesOnAndKeepsThePanel)
{
    ASSERT_TRUE(Open());
    for (const char* name : {"1", "2"})
        doc->GetSelOperator()->SelectObject(Point(name));
    doc->SendHint(nullptr, HintSelectionChanged, 0);
    auto* several = Push<CPointEdit>(IdEditMultiplePoints);
    ASSERT_NE(several, nullptr);
    CPointLocation& page = several->GetLocationPage();
    wxTextCtrl& elevation = *page.GetPosition().GetElevationField();
    Click(*page.GetChangeLocationBox());
    ASSERT_TRUE(YieldUntil("Change Location to give Elevation the keyboard",
                           [&] { return wxWindow::FindFocus() == &elevation; }));
    elevation.ChangeValue("");
    ASSERT_TRUE(TypeUntil("55", [&] { return elevation.GetValue() == "55"; }));
    auto landing = [&](int key) {
        EXPECT_TRUE(ClickInto(elevation));
        wxUIActionSimulator().Char(key);
        EXPECT_TRUE(YieldUntil("the keyboard to move on", [&] { return wxWindow::FindFocus() != &elevation; }));
        return wxWindow::FindFocus();
    };
    wxWindow* tab = landing(WXK_TAB);
    EXPECT_EQ(landing(WXK_RETURN), tab);
    EXPECT_EQ(tab, page.GetChangeDescriptionBox());
    ASSERT_EQ(Frame().GetStackingBar()->GetCurrent(), several) << "the panel stays";
    EXPECT_TRUE(elevation.GetValue().StartsWith("55")) << elevation.GetValue();
    Click(*several->FindWindow(CPointAdd::IdApply));
    EXPECT_TRUE(YieldUntil("Apply to give both points 55", [&] {
        return std::abs(Point("1")->GetElevation() - 55 * Foot) < 1e-3 &&
               std::abs(Point("2")->GetElevation() - 55 * Foot) < 1e-3;
    }));
    several->OnCancel();

    // One point, quick enter on (as it starts): Enter past the last field it may visit.
    doc->SetCurrentRecord(Point("2"), -1);
    auto* one = Push<CPointAdd>(IdAddEditPoints);
    ASSERT_NE(one, nullptr);
    CPointLocation& location = one->GetLocationPage();
    wxTextCtrl& height = *location.GetPosition().GetElevationField();
    wxTextCtrl& description = *location.GetDescriptionField();
    Click(*location.GetChangeLocationBox());
    ASSERT_TRUE(
        YieldUntil("Change Location to be ticked", [&] { return location.GetChangeLocationBox()->GetValue(); }));
    Click(*location.GetChangeDescriptionBox());
    ASSERT_TRUE(YieldUntil("Change Description to give the description the keyboard",
                           [&] { return wxWindow::FindFocus() == &description; }));
    struct Case
    {
        wxTextCtrl* field;
        const char* text;
    };
    for (const Case& c : {Case{&height, "50"}, Case{&description, "FENCE"}}) {
        SCOPED_TRACE(c.text);
        c.field->ChangeValue("");
        ASSERT_TRUE(ClickInto(*c.field));
        ASSERT_TRUE(TypeUntil(c.text, [&] { return c.field->GetValue() == c.text; }));
        wxUIActionSimulator().Char(WXK_RETURN);
        EXPECT_TRUE(YieldUntil("the keyboard to move on", [&] { return wxWindow::FindFocus() != c.field; }));
        ASSERT_EQ(Frame().GetStackingBar()->GetCurrent(), one) << "the panel stays";
        EXPECT_TRUE(one->IsDescendant(wxWindow::FindFocus())) << "the keyboard stays in the panel";
        EXPECT_TRUE(c.field->GetValue().StartsWith(c.text)) << c.field->GetValue();
    }
    EXPECT_TRUE(SaveScreenshot(Frame(), "edit_point_after_enter.png"));
    Click(*one->FindWindow(CPointAdd::IdApply));
    EXPECT_TRUE(YieldUntil("Apply to change point 2",
                           [&] { return std::abs(Point("2")->GetElevation() - 50 * Foot) < 1e-3; }));
    EXPECT_EQ(std::string(Point("2")->GetDescription()), "FENCE");
    EXPECT_NEAR(Point("1")->GetElevation(), 55 * Foot, 1e-3);
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}

// Inverse, keys typed at once behind the focus change (Enter from Point 1, or a click into
// Point 2): they land before the idle time, so the field's focus selection must already have been
// made then and must not select them afterwards, or the next keys would replace them. A click
// alone still leaves the whole text selected.
TEST_F(EnterAndTabKeysTest, KeysTypedRightAfterAFocusChangeAreNeverSelectedAway)
{
    ASSERT_TRUE(Open());
    auto* panel = Push<CInversePoints>(IdInverse);
    ASSERT_NE(panel, nullptr);
    auto& point1 = *Control<wxTextCtrl>(panel, CInversePoints::IdPoint1);
    auto& point2 = *Control<wxTextCtrl>(panel, CInversePoints::IdPoint2);
    const wxRect at = point2.GetScreenRect();
    struct Case
    {
        const char* name;
        std::function<void(wxUIActionSimulator&)> focus;
    };
    const Case cases[] = {
        {"Enter", [](wxUIActionSimulator& input) { input.Char(WXK_RETURN); }},
        {"a click",
         [&](wxUIActionSimulator& input) {
             input.MouseMove(at.x + at.width / 2, at.y + at.height / 2);
             input.MouseClick();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        point1.ChangeValue("1");
        point2.ChangeValue("77");
        ASSERT_TRUE(ClickInto(point1));
        // One simulator for the focus change and the keys: a new one lets the toolkit run between
        // them, and they would no longer be queued together.
        wxUIActionSimulator input;
        c.focus(input);
        input.Text("99");
        ASSERT_TRUE(YieldUntil("the first keys to land and the idle work to run",
                               [&] { return point2.GetValue() == "99" && !wxTheApp->HasPendingEvents(); }))
            << "Point 2 " << point2.GetValue();
        EXPECT_TRUE(TypeUntil("99", [&] { return point2.GetValue() != "99"; }));
        EXPECT_EQ(point2.GetValue(), "9999");
        EXPECT_EQ(point1.GetValue(), "1");
    }

    ASSERT_TRUE(ClickInto(point1));
    Click(point2);
    long from = -1, to = -1;
    EXPECT_TRUE(YieldUntil("a click to select the whole text", [&] {
        point2.GetSelection(&from, &to);
        return wxWindow::FindFocus() == &point2 && from == 0 && to == 4;
    })) << from << ".." << to;
    Exit();
}
