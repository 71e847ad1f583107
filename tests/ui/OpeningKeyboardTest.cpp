#include "ProgramTest.h"

#include "cogo/FieldMenus.h"
#include "cogo/ui/Adjustments.h"
#include "cogo/ui/AnchorFields.h"
#include "cogo/ui/Calculator.h"
#include "cogo/ui/FindCoordinates.h"
#include "cogo/ui/InteractiveControl.h"
#include "cogo/ui/Intersection.h"
#include "cogo/ui/InversePoints.h"
#include "cogo/ui/PointAdd.h"
#include "cogo/ui/PointBulkPanels.h"
#include "cogo/ui/PointInDirection.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/MorvelSettings.h"
#include "model/PointRecord.h"
#include "shell/CommandIds.h"
#include "shell/GlobalCommandIds.h"
#include "shell/ui/CutSheetReport.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/PrintPreviewView.h"
#include "shell/ui/ReportFieldCheckList.h"
#include "shell/ui/UserPreferences.h"
#include "transfer/ui/TransferGetJobFromDC.h"

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/stopwatch.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

// Windows and dialogs as they open: the keyboard must be where a person starts typing, with real
// keys through the X server, so the toolkit decides which window hears them.

using morvel::test::ProgramTest;
using morvel::test::ShowAsItIs;
using morvel::test::Click;
using morvel::test::ClickInto;
using morvel::test::InputWatch;
using morvel::test::TypeUntil;
using morvel::test::YieldUntil;

namespace {

// Once a menu shows, moves the mouse down it from its top until the command lights up, and clicks
// it. It runs on the menu's own events: the test waits outside the menu's loop.
class MenuItemClicker : public wxEventFilter
{
public:
    MenuItemClicker(wxWindow& button, int id)
        : m_id(id), m_top(button.ClientToScreen(wxPoint(button.GetClientSize().x / 2, button.GetClientSize().y)))
    {
        wxEvtHandler::AddFilter(this);
        m_steps.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Step(); });
    }
    ~MenuItemClicker() override
    {
        m_steps.Stop();
        wxEvtHandler::RemoveFilter(this);
    }
    int FilterEvent(wxEvent& event) override
    {
        const wxEventType type = event.GetEventType();
        if (type == wxEVT_MENU_OPEN && !m_steps.IsRunning() && !clicked) {
            m_since.Start();
            m_steps.Start(10);
        } else if (type == wxEVT_MENU_HIGHLIGHT)
            m_lit = event.GetId();
        else if (type == wxEVT_MENU_CLOSE && m_steps.IsRunning()) {
            m_steps.Stop();
            closed = true;
        }
        return Event_Skip;
    }
    bool clicked = false;
    bool closed = false; // before the command was clicked

private:
    void Step()
    {
        wxUIActionSimulator input;
        if (m_lit == m_id) {
            m_steps.Stop();
            clicked = true;
            input.MouseClick();
            return;
        }
        // A menu that lights nothing up, or not the command, is closed as a person would, so
        // the test fails instead of waiting in the menu for ever.
        if (m_down > 600 || m_since.Time() > 10000) {
            m_steps.Stop();
            closed = true;
            input.Char(WXK_ESCAPE);
            return;
        }
        // The next point once the pointer is at the last.
        if (m_down > 0 && wxGetMouseState().GetPosition() != m_top + wxPoint(0, m_down))
            return;
        m_down += 3;
        input.MouseMove(m_top + wxPoint(0, m_down));
    }

    int m_id;
    wxPoint m_top;
    int m_down = 0;
    int m_lit = wxID_NONE;
    wxTimer m_steps;
    wxStopWatch m_since;
};

class OpeningKeyboardTest : public ProgramTest
{
protected:
    bool Open() { return StartWithTwoPoints() != nullptr; }
    // Open() with Point in Direction on top of the side bar; null when either did not come.
    CPointInDirection* OpenPointInDirection() { return Open() ? Push<CPointInDirection>(IdPointInDirection) : nullptr; }
    static CInteractiveControl& FieldOf(wxWindow& panel, int id)
    {
        return *static_cast<CInteractiveControl*>(panel.FindWindow(id));
    }
    // Drops a menu with `drop` and, once it shows, chooses the command `id` in it with the
    // keyboard, as a person does; true once the menu showed.
    static ::testing::AssertionResult ChooseFromMenu(const std::function<void()>& drop, int id)
    {
        auto chosen = std::make_shared<bool>(false);
        auto onOpen = [chosen, id](wxMenuEvent& event) {
            event.Skip();
            wxMenu* menu = event.GetMenu();
            if (*chosen || !menu || !menu->FindItem(id))
                return;
            *chosen = true;
            // The items are brought up to date once the menu has said it opens; the keyboard
            // passes over separators and greyed items.
            wxTheApp->CallAfter([menu, id] {
                int downs = 0;
                for (wxMenuItem* item : menu->GetMenuItems()) {
                    if (item->IsSeparator() || !item->IsEnabled())
                        continue;
                    ++downs;
                    if (item->GetId() == id)
                        break;
                }
                wxUIActionSimulator keys;
                for (int i = 0; i < downs; ++i)
                    keys.Char(WXK_DOWN);
                keys.Char(WXK_RETURN);
            });
        };
        wxTheApp->Bind(wxEVT_MENU_OPEN, onOpen);
        drop();
        const auto done = YieldUntil("the menu to open", [&] { return *chosen; });
        wxTheApp->Unbind(wxEVT_MENU_OPEN, onOpen);
        return done;
    }
    // Clicks the menu button and then, in the menu it drops, the command `id`: the mouse runs
    // down the menu from its top, as a person's eye does, until the command lights up, and clicks
    // it there. True once the command was clicked.
    static ::testing::AssertionResult ClickMenuItem(wxWindow& button, int id)
    {
        MenuItemClicker clicker(button, id);
        Click(button);
        const auto done = YieldUntil("the command to be clicked in the menu", [&] { return clicker.clicked || clicker.closed; });
        if (done && !clicker.clicked)
            return ::testing::AssertionFailure() << "the menu closed, or held no such command, before the command was clicked";
        return done;
    }
    // The menu bar's menu `title`, opened with a click.
    ::testing::AssertionResult ChooseFromMenuBar(const wxString& title, int id)
    {
        wxMenuBar& bar = *Frame().GetMenuBar();
        const int index = bar.FindMenu(title);
        if (index == wxNOT_FOUND)
            return ::testing::AssertionFailure() << "no menu " << title.utf8_string();
        // The menus' titles sit side by side from the bar's left end.
        int x = 0;
        for (int i = 0; i < index; ++i)
            x += bar.GetTextExtent(wxStripMenuCodes(bar.GetMenuLabel(i))).x + 2 * 9;
        const wxRect r = bar.GetScreenRect();
        return ChooseFromMenu([&] {
            wxUIActionSimulator mouse;
            mouse.MouseMove(r.x + x + 12, r.y + r.height / 2);
            mouse.MouseClick();
        }, id);
    }
    static CCalculator* OpenCalculator()
    {
        for (wxWindow* w : wxTopLevelWindows)
            if (auto* calc = dynamic_cast<CCalculator*>(w); calc && !calc->IsBeingDeleted())
                return calc;
        return nullptr;
    }
};

} // namespace

// "Calculator..." from a field's menu, dropped with the Down key or its button: the calculator
// takes the keyboard, so typed digits are its own and the field keeps its value until "Use Result".
TEST_F(OpeningKeyboardTest, TheCalculatorFromAFieldsMenuTakesTheKeyboard)
{
    auto* panel = OpenPointInDirection();
    ASSERT_NE(panel, nullptr);
    auto& angle = FieldOf(*panel, CPointInDirection::IdAngle);
    ASSERT_TRUE(WaitFor("the field's menu button", [&] { return angle.GetMenuButton() != nullptr; }));
    struct Case
    {
        const char* name;
        std::function<void()> drop;
    };
    const Case cases[] = {
        {"the Down key", [] { wxUIActionSimulator().Char(WXK_DOWN); }},
        {"the menu button", [&] { Click(*angle.GetMenuButton()); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        angle.ChangeValue("20");
        ASSERT_TRUE(ClickInto(angle));
        ASSERT_TRUE(ChooseFromMenu(c.drop, CmdCalculator));
        CCalculator* calc = nullptr;
        ASSERT_TRUE(YieldUntil("the calculator", [&] { return (calc = OpenCalculator()) && calc->IsShownOnScreen(); }));
        const wxString before = angle.GetValue();
        EXPECT_TRUE(TypeUntil("2", [&] { return angle.GetValue() != before || calc->Engine().IsEntryOpen(); }));
        EXPECT_EQ(angle.GetValue().utf8_string(), before.utf8_string());
        EXPECT_EQ(calc->Engine().EntryText(), "2");
        Click(*calc->FindWindow(calc_keys::UseResult));
        EXPECT_TRUE(YieldUntil("Use Result to fill the field", [&] { return angle.GetValue() != before; }));
        EXPECT_EQ(angle.GetValue().utf8_string(), "2");
        CloseCalculator();
        ASSERT_TRUE(YieldUntil("the calculator to close", [] { return OpenCalculator() == nullptr; }));
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}

// "Calculator..." clicked in a second field's menu while the calculator holds the keyboard: one
// click on the field's button drops its menu and the command runs, the value is pushed and the
// calculator keeps the keyboard, so what was typed into its entry keeps every digit and `12`
// joins it. The tests' X servers have no window manager, and nothing here raises a window.
TEST_F(OpeningKeyboardTest, TheOpenCalculatorTakesTheKeyboardWhenHandedAnotherValue)
{
    auto* panel = OpenPointInDirection();
    ASSERT_NE(panel, nullptr);
    auto& angle = FieldOf(*panel, CPointInDirection::IdAngle);
    auto& distance = FieldOf(*panel, CPointInDirection::IdDistance);
    ASSERT_TRUE(WaitFor("the menu buttons", [&] { return angle.GetMenuButton() && distance.GetMenuButton(); }));
    struct Case
    {
        const char* name;
        const char* typedFirst;
        bool erased;        // then BackSpace
        const char* entry;  // after 55 is handed and `12` typed
        const char* result; // in the field after "+" and Use Result
    };
    const Case cases[] = {
        {"nothing typed", "", false, "12", "67"},
        {"a number typed", "73", false, "7312", "7367"},
        {"a digit typed and erased", "7", true, "12", "67"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        angle.ChangeValue("20");
        distance.ChangeValue("55");
        CalculatorStack().clear();
        ASSERT_TRUE(ClickMenuItem(*angle.GetMenuButton(), CmdCalculator));
        CCalculator* calc = nullptr;
        ASSERT_TRUE(YieldUntil("the calculator to take the keyboard",
                               [&] { return (calc = OpenCalculator()) && calc->IsDescendant(wxWindow::FindFocus()); }));
        auto& entry = *static_cast<wxTextCtrl*>(calc->FindWindow(CCalculator::IdEntry));
        std::string typed = c.typedFirst;
        if (!typed.empty()) {
            ASSERT_TRUE(TypeUntil(c.typedFirst, [&] { return entry.GetValue() == c.typedFirst; }));
        }
        if (c.erased) {
            wxUIActionSimulator().Char(WXK_BACK);
            ASSERT_TRUE(YieldUntil("BackSpace to erase it", [&] { return entry.GetValue().empty(); }));
            typed.clear();
        }
        // Opened at the mouse, it may cover the next field: put aside, as a person drags it.
        calc->Move(Frame().GetScreenRect().GetRight() - calc->GetSize().x, Frame().GetScreenRect().GetTop());
        ASSERT_TRUE(ClickMenuItem(*distance.GetMenuButton(), CmdCalculator));
        ASSERT_TRUE(YieldUntil("55 to be pushed", [&] {
            return !CalculatorStack().empty() && CalculatorStack().back() == 55;
        }));
        EXPECT_EQ(OpenCalculator(), calc) << "one calculator";
        EXPECT_EQ(entry.GetValue().utf8_string(), typed) << "the entry as typed";
        ASSERT_TRUE(YieldUntil("the calculator to keep the keyboard", [&] { return calc->IsDescendant(wxWindow::FindFocus()); }));
        const wxString kept = distance.GetValue();
        const wxString wanted = wxString::FromUTF8(c.entry);
        EXPECT_TRUE(TypeUntil("12", [&] { return distance.GetValue() != kept || entry.GetValue() == wanted; }));
        EXPECT_EQ(entry.GetValue().utf8_string(), c.entry);
        EXPECT_EQ(distance.GetValue().utf8_string(), kept.utf8_string());
        if (std::string(c.typedFirst) == "73") {
            EXPECT_TRUE(SaveScreenshot(*calc, "calculator_handed_a_second_value.png"));
        }
        ASSERT_TRUE(TypeUntil("+", [&] { return !calc->Engine().IsEntryOpen(); }));
        Click(*calc->FindWindow(calc_keys::UseResult));
        EXPECT_TRUE(YieldUntil("Use Result to fill the field", [&] { return distance.GetValue() != kept; }));
        EXPECT_EQ(distance.GetValue().utf8_string(), c.result);
        CloseCalculator();
        ASSERT_TRUE(YieldUntil("the calculator to close", [] { return OpenCalculator() == nullptr; }));
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}

// "Add or Subtract...": the angle offset dialog opens with the keyboard in its field, so `15` and
// Enter add 15 to the angle.
TEST_F(OpeningKeyboardTest, TheAngleOffsetDialogTakesTypingInItsField)
{
    auto* panel = OpenPointInDirection();
    ASSERT_NE(panel, nullptr);
    auto& angle = FieldOf(*panel, CPointInDirection::IdAngle);
    angle.ChangeValue("20");
    ASSERT_TRUE(ClickInto(angle));
    int result = 0;
    dialogAnswer = [&](wxDialog& dialog) {
        whenShown = [&](wxDialog& shown) {
            EXPECT_TRUE(YieldUntil("the dialog to take the keyboard", [&] { return shown.IsActive(); }));
            wxUIActionSimulator().Text("15");
            wxUIActionSimulator().Char(WXK_RETURN);
        };
        result = ShowAsItIs(dialog);
        whenShown = {};
        return result;
    };
    ASSERT_TRUE(ChooseFromMenu([] { wxUIActionSimulator().Char(WXK_DOWN); }, CmdAddOffset));
    ASSERT_TRUE(YieldUntil("the dialog to close", [&] { return result != 0; }));
    dialogAnswer = {};
    EXPECT_EQ(result, wxID_OK);
    EXPECT_EQ(angle.GetValue().utf8_string(), "35.000000");
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}

// File > Print Preview, over a side panel's field: the page has the keyboard at once, so PageDown
// scrolls it and Escape closes the preview without a click on it first. Without a window manager
// the preview's first request for the keyboard is granted; under one (openbox) only the request
// made once the window is up is. The tests' own servers have no manager, so that case is met only
// when the test is run by hand on a server with one.
TEST_F(OpeningKeyboardTest, ThePrintPreviewTakesKeysAtOnce)
{
    auto* panel = OpenPointInDirection();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(ClickInto(FieldOf(*panel, CPointInDirection::IdDistance)));
    ASSERT_TRUE(ChooseFromMenuBar("File", IdFilePrintPreview));
    CPrintPreviewView* preview = nullptr;
    ASSERT_TRUE(YieldUntil("the preview", [&] { return (preview = CPrintPreviewView::GetCurrent()) && preview->IsShownOnScreen(); }));
    wxPreviewCanvas& page = *preview->GetPreview()->GetCanvas();
    // The page, not a button of the bar above it (where Enter would print).
    EXPECT_TRUE(YieldUntil("the page to have the keyboard", [&] { return wxWindow::FindFocus() == &page; }));
    // Zoomed in, the page is taller than its window.
    preview->GetPreview()->SetZoom(200);
    const int top = page.GetViewStart().y;
    wxUIActionSimulator().Char(WXK_PAGEDOWN);
    EXPECT_TRUE(YieldUntil("PageDown to scroll the page", [&] { return page.GetViewStart().y > top; }));
    wxUIActionSimulator().Char(WXK_ESCAPE);
    EXPECT_TRUE(YieldUntil("Escape to close the preview", [] { return CPrintPreviewView::GetCurrent() == nullptr; }));
    Exit();
}

// Transfer Settings, from its menu and from Get Job from Total Station's button: the keyboard
// starts on the maker that is chosen, so a Space there changes nothing.
TEST_F(OpeningKeyboardTest, TransferSettingsStartOnTheChosenMaker)
{
    ASSERT_TRUE(Open());
    struct Case
    {
        const char* name;
        std::function<void()> open;
    };
    const Case cases[] = {
        {"Transfer > Transfer Settings", [&] { EXPECT_TRUE(ChooseFromMenuBar("Transfer", IdTransferSettings)); }},
        {"Get Job from Total Station",
         [&] {
             // The panel asks for the settings as it opens.
             wxCommandEvent open(wxEVT_MENU, IdGetJobFromTotalStation);
             Frame().GetEventHandler()->ProcessEvent(open);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GetMorvelSettings().SetModelIndex(CMorvelSettings::GetFirstNikonModel());
        int result = 0;
        dialogAnswer = [&](wxDialog& dialog) {
            auto* sheet = dynamic_cast<CUserPreferences*>(&dialog);
            if (!sheet)
                return int(wxID_CANCEL);
            wxWindow& page = *sheet->GetTransferPage();
            auto& nikon = *static_cast<wxRadioButton*>(page.FindWindow(CUserPreferencesTransferPage::IdNikon));
            whenShown = [&](wxDialog&) {
                EXPECT_TRUE(YieldUntil("the chosen maker to have the keyboard", [&] { return wxWindow::FindFocus() == &nikon; }));
                wxUIActionSimulator().Char(' ');
                wxUIActionSimulator().Char(WXK_ESCAPE);
            };
            result = ShowAsItIs(dialog);
            whenShown = {};
            EXPECT_EQ(result, wxID_CANCEL);
            EXPECT_TRUE(nikon.GetValue()) << "the Space changed the maker";
            return result;
        };
        c.open();
        EXPECT_TRUE(YieldUntil("the settings to close", [&] { return result != 0; }));
        dialogAnswer = {};
    }
    Exit();
}

// The Cut Sheet Report panel opens with the keyboard on its field list: the first Space ticks or
// clears the field under the keyboard.
TEST_F(OpeningKeyboardTest, TheCutSheetPanelsFirstSpaceTicksAField)
{
    ASSERT_TRUE(Open());
    auto* panel = Push<CCutSheetReport>(IdCutSheetReport);
    ASSERT_NE(panel, nullptr);
    CReportFieldCheckList& fields = *panel->GetPointStakePage().GetFieldList();
    std::vector<bool> before;
    for (unsigned i = 0; i < fields.GetCount(); ++i)
        before.push_back(fields.IsChecked(i));
    const auto changed = [&] {
        for (unsigned i = 0; i < fields.GetCount(); ++i)
            if (fields.IsChecked(i) != before[i])
                return true;
        return false;
    };
    wxUIActionSimulator().Char(' ');
    EXPECT_TRUE(YieldUntil("the Space to tick or clear a field", changed));
    const int current = fields.GetSelection();
    ASSERT_NE(current, wxNOT_FOUND);
    for (unsigned i = 0; i < fields.GetCount(); ++i)
        EXPECT_EQ(fields.IsChecked(i), int(i) == current ? !before[i] : bool(before[i])) << "field " << i;
    EXPECT_TRUE(SaveScreenshot(Frame(), "cut_sheet_keyboard.png"));
    Exit();
}

// Each side panel and the Find dialog, opened from the menu bar, take what is typed first in the
// control a person starts in, and a click on a mode button or a store box takes the keyboard to
// the field it opens (unticking Point in Direction's store box, back to where it was). The
// selection panels start on their chip, which takes no text: the keyboard must be on the chip once
// the key has come through. Real clicks and keys; the test raises and focuses nothing.
TEST_F(OpeningKeyboardTest, WhatIsTypedFirstLandsWhereThePanelStarts)
{
    ASSERT_TRUE(Open());
    CFindCoordinates::s_text = "old text";
    struct Turn
    {
        int id;
        bool on;
        int other = 0; // the radio of the pair that turns it off; 0 for a box
    };
    struct Case
    {
        const char* name;
        const char* menu;
        int command;
        uint32_t templateId; // 0: a dialog
        std::vector<Turn> clicks;
        int control;
        const char* typed; // null: a chip, which takes no text
        int page = -1;     // the Adjustments page the clicks and the control are on
    };
    using I = CIntersection;
    using V = CInversePoints;
    using D = CPointInDirection;
    using T = CTranslateSetLocation;
    const Case cases[] = {
        {"Intersection", "Cogo", IdIntersection, I::TemplateId, {}, I::IdBaseA, "2"},
        {"Inverse", "Cogo", IdInverse, V::TemplateId, {}, V::IdPoint1, "2"},
        {"Point in Direction", "Cogo", IdPointInDirection, D::TemplateId, {}, D::IdFrom, "2"},
        {"Add Points", "Edit", IdAddEditPoints, CPointAdd::TemplateId, {}, CPointAdd::IdName, "7"},
        {"Edit Multiple Points", "Edit", IdEditMultiplePoints, CPointEdit::TemplateId, {}, CPointEdit::IdChip, nullptr},
        {"Translate / Rotate / Scale", "Edit", IdTranslateRotateScale, CAdjustments::TemplateId, {},
         CAdjustments::IdChip, nullptr},
        {"2D Points to 3D Points", "Edit", Id2dPointsTo3dPoints, C2dPointsTo3dPointsDlg::TemplateId, {},
         C2dPointsTo3dPointsDlg::IdChip, nullptr},
        {"Rename Points", "Edit", IdRenamePoints, CRenumberPoints::TemplateId, {}, CRenumberPoints::IdChip, nullptr},
        {"Delete Points", "Edit", IdDeletePoints, CDeleteObjects::TemplateId, {}, CDeleteObjects::IdChip, nullptr},
        {"Find", "Edit", IdFindPoint, 0, {}, CFindCoordinates::IdText, "2"},
        {"Intersection, line A by distance", "Cogo", IdIntersection, I::TemplateId,
         {{I::IdDistModeA, true, I::IdDirModeA}}, I::IdDistanceA, "3"},
        {"Intersection, line B by direction", "Cogo", IdIntersection, I::TemplateId,
         {{I::IdDirModeB, true, I::IdDistModeB}}, I::IdDirectionB, "4"},
        {"Intersection, store C", "Cogo", IdIntersection, I::TemplateId, {{I::IdStoreC, true}}, I::IdNameC, "5"},
        {"Intersection, store D", "Cogo", IdIntersection, I::TemplateId,
         {{I::IdDistModeA, true, I::IdDirModeA}, {I::IdStoreD, true}}, I::IdNameD, "6"},
        {"Point in Direction, store", "Cogo", IdPointInDirection, D::TemplateId, {{D::IdStore, true}}, D::IdName, "7"},
        {"Point in Direction, no store", "Cogo", IdPointInDirection, D::TemplateId, {{D::IdStore, false}}, D::IdFrom,
         "8"},
        {"Inverse, side shot", "Cogo", IdInverse, V::TemplateId, {{V::IdSideShot, true, V::IdSimple}}, V::IdPoint1,
         "3"},
        {"Inverse, multiple side shots", "Cogo", IdInverse, V::TemplateId, {{V::IdMultiple, true, V::IdSimple}},
         V::IdPoint1, "4"},
        {"Translate to, by location", "Edit", IdTranslateRotateScale, CAdjustments::TemplateId,
         {{T::IdRefLocation, true, T::IdRefPoint}}, T::IdRefNorthing, "9", 1},
        {"Translate to, by point", "Edit", IdTranslateRotateScale, CAdjustments::TemplateId,
         {{T::IdRefPoint, true, T::IdRefLocation}}, T::IdRefName, "1", 1},
    };
    auto valueOf = [](wxWindow& control) {
        if (auto* radio = dynamic_cast<wxRadioButton*>(&control))
            return radio->GetValue();
        return static_cast<wxCheckBox&>(control).GetValue();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.templateId == 0) {
            int result = 0;
            std::string typed;
            dialogAnswer = [&](wxDialog& dialog) {
                whenShown = [&](wxDialog& shown) {
                    auto* edit = dynamic_cast<wxTextCtrl*>(shown.FindWindow(c.control));
                    if (edit && YieldUntil("the dialog to come up", [&] { return shown.IsActive(); })) {
                        EXPECT_TRUE(TypeUntil(c.typed, [&] { return edit->GetValue() == c.typed; }));
                    }
                    typed = edit ? edit->GetValue().utf8_string() : "no search edit";
                    wxUIActionSimulator().Char(WXK_ESCAPE);
                };
                result = ShowAsItIs(dialog);
                whenShown = {};
                return result;
            };
            ASSERT_TRUE(ChooseFromMenuBar(c.menu, c.command));
            ASSERT_TRUE(YieldUntil("the dialog to close", [&] { return result != 0; }));
            dialogAnswer = {};
            EXPECT_EQ(typed, c.typed) << "the old text, selected, gives way to what is typed";
            continue;
        }
        ASSERT_TRUE(ChooseFromMenuBar(c.menu, c.command));
        CStackableDialog* panel = nullptr;
        ASSERT_TRUE(YieldUntil("the panel", [&] {
            panel = Frame().GetStackingBar()->GetCurrent();
            return panel && panel->GetTemplateId() == c.templateId && panel->IsShownOnScreen();
        }));
        wxWindow* in = panel;
        if (c.page >= 0) {
            // Choosing the page is not what is tested here.
            static_cast<CAdjustments*>(panel)->GetTab()->SelectPage(c.page);
            in = static_cast<CAdjustments*>(panel)->GetPage(c.page);
        }
        ASSERT_TRUE(YieldUntil("the keyboard to come into the panel",
                               [&] { return panel->IsDescendant(wxWindow::FindFocus()); }));
        for (const Turn& k : c.clicks) {
            wxWindow& control = *in->FindWindow(k.id);
            // Put the other way without a click (no handler runs), so the click turns it as asked.
            if (valueOf(control) == k.on) {
                if (k.other != 0)
                    static_cast<wxRadioButton*>(in->FindWindow(k.other))->SetValue(true);
                else
                    static_cast<wxCheckBox&>(control).SetValue(!k.on);
            }
            Click(control);
            ASSERT_TRUE(YieldUntil("the click to turn the control", [&] { return valueOf(control) == k.on; }));
        }
        wxWindow* control = in->FindWindow(c.control);
        ASSERT_NE(control, nullptr);
        if (c.typed) {
            auto& entry = dynamic_cast<wxTextEntry&>(*control);
            ASSERT_NE(entry.GetValue().utf8_string(), c.typed) << "the field reads it before anything is typed";
            EXPECT_TRUE(TypeUntil(c.typed, [&] { return entry.GetValue() == c.typed; }))
                << "the field reads '" << entry.GetValue().utf8_string() << "'";
            if (c.command == IdIntersection && c.clicks.empty()) {
                EXPECT_TRUE(SaveScreenshot(*panel, "intersection_typed_into_base_point_a.png"));
            }
        } else {
            InputWatch keys(wxEVT_KEY_UP);
            wxUIActionSimulator().Char('2');
            EXPECT_TRUE(YieldUntil("the key to come through to the chip",
                                   [&] { return keys.heard && wxWindow::FindFocus() == control; }));
        }
        panel->CloseFromBar();
        ASSERT_TRUE(YieldUntil("the panel to close", [&] { return Frame().GetStackingBar()->GetCurrent() != panel; }));
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    Exit();
}
