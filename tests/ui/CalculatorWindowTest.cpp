#include "ProgramTest.h"

#include "cogo/ui/Calculator.h"
#include "platform/Clipboard.h"
#include "shell/ui/MainFrame.h"

#include <cmath>
#include <numbers>

#include <wx/radiobut.h>
#include <wx/textctrl.h>

using morvel::test::ProgramTest;

namespace {

wxKeyEvent KeyEvent(int code, bool control = false)
{
    wxKeyEvent event(wxEVT_CHAR_HOOK);
    event.m_keyCode = code;
    event.m_uniChar = code < 128 ? code : 0;
    event.m_controlDown = control;
    return event;
}

// The key of the pad for a digit.
constexpr int Digit(int n)
{
    return n == 0 ? calc_keys::Digit0 : calc_keys::Digit1 + n - 1;
}

// A key as the keyboard delivers it: only a shown window of the calculator that holds the keyboard
// passes it on, first to the calculator's key hook, then as a typed character to that window, and
// as text into the entry box when that holds the keyboard and takes the character. As GTK does, the
// key press names the key, unshifted: "=" with Shift for "+", "8" with Shift for "*". False when
// the key reached nothing.
bool Type(CCalculator& calc, int code)
{
    wxWindow* focus = wxWindow::FindFocus();
    if (!focus || wxGetTopLevelParent(focus) != &calc || !focus->IsShownOnScreen())
        return false;
    const bool shift = code == '+' || code == '*';
    wxKeyEvent key = KeyEvent(code == '+' ? '=' : code == '*' ? '8' : code);
    key.m_shiftDown = shift;
    key.SetEventObject(focus);
    if (calc.HandleKey(key) || code >= 127 || code < ' ')
        return true;
    wxKeyEvent typed(wxEVT_CHAR);
    typed.m_keyCode = typed.m_uniChar = code;
    typed.m_shiftDown = shift;
    typed.SetEventObject(focus);
    if (!focus->ProcessWindowEvent(typed))
        if (auto* text = dynamic_cast<wxTextCtrl*>(focus))
            text->WriteText(wxString(wxUniChar(code)));
    return true;
}

} // namespace

TEST_F(ProgramTest, CalculatorKeysTypingCopyAndTheSharedStack)
{
    ASSERT_TRUE(Start());
    CalculatorStack().clear();
    CCalculator* calc = ShowCalculator(&Frame(), 2);
    Pump();
    EXPECT_EQ(ShowCalculator(&Frame(), NoValue), calc) << "one calculator at a time";
    // Typing 3 and "+" adds the typed number to the start value.
    EXPECT_TRUE(calc->HandleKey(KeyEvent('3')));
    EXPECT_TRUE(calc->Engine().IsEntryOpen());
    wxKeyEvent plus(wxEVT_CHAR);
    plus.m_keyCode = plus.m_uniChar = '+';
    EXPECT_TRUE(calc->HandleChar(plus));
    EXPECT_EQ(CalculatorStack(), std::vector<double>{5});
    calc->PressKey(calc_keys::Digit0);
    calc->PressKey(calc_keys::Enter);
    calc->PressKey(calc_keys::Divide);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back(), "Error: Divide by zero.");
    calc->PressKey(calc_keys::Drop);
    calc->PressKey(calc_keys::Sqrt);
    std::string copied;
    EXPECT_TRUE(calc->HandleKey(KeyEvent('C', true)));
    ASSERT_TRUE(PasteTextFromClipboard(copied));
    EXPECT_EQ(copied, "2.236067977");
    ASSERT_TRUE(SaveScreenshot(*calc, "calculator.png"));

    // The stack outlives the window.
    CloseCalculator();
    Pump();
    EXPECT_NE(ShowCalculator(&Frame(), NoValue), nullptr);
    CloseCalculator();
    Pump();
    ASSERT_EQ(CalculatorStack().size(), 1u);
    Exit();
}

TEST_F(ProgramTest, CalculatorTakesKeysAsTheyAreTypedAndClickedDigitsWhereTheCaretIs)
{
    ASSERT_TRUE(Start());
    struct Case
    {
        const char* name;
        std::vector<int> keys; // typed; a value above 1000 is a key of the pad clicked
        std::vector<double> stack;
    };
    const Case cases[] = {
        {"typing after Enter", {'2', WXK_RETURN, '3', '+'}, {5}},
        {"minus commits the open entry", {'9', WXK_RETURN, '5', '-'}, {4}},
        {"times with the entry closed", {'4', WXK_RETURN, '6', WXK_RETURN, '*'}, {24}},
        {"divide", {'9', WXK_RETURN, '2', '/'}, {4.5}},
        {"+/- writes the entry back whole",
         {'1', '2', '3', '4', '5', '6', '7', '.', '8', '9', '1', '2', calc_keys::ChangeSign, WXK_RETURN},
         {-1234567.8912}},
        {"PI into an open entry", {'1', calc_keys::PiKey, WXK_RETURN}, {std::numbers::pi}},
        {"typing stops at 15 characters",
         {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', '1', '2', '3', '4', '5', '6', WXK_RETURN},
         {123456789012345}},
        {"typed digits then a clicked key", {'3', '0', calc_keys::Sin}, {0.5}},
        {"clicked digits", {Digit(1), calc_keys::Point, Digit(5), calc_keys::Enter}, {1.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorStack().clear();
        CCalculator* calc = ShowCalculator(&Frame(), NoValue);
        Pump();
        wxWindow* start = calc->FindWindow(calc_keys::ModeDeg);
        start->SetFocus();
        // Every test has an X server of its own: a key that never reaches the calculator is a fault.
        if (!WaitFor("the calculator to take the keyboard focus", [&] { return wxWindow::FindFocus() == start; })) {
            CloseCalculator();
            FAIL() << "the calculator did not take the keyboard focus";
        }
        for (const int key : c.keys) {
            if (key > 1000)
                calc->PressKey(key);
            else
                EXPECT_TRUE(Type(*calc, key)) << "key " << key << " reached nothing";
            Pump();
        }
        ASSERT_EQ(CalculatorStack().size(), c.stack.size());
        for (size_t i = 0; i < c.stack.size(); ++i)
            EXPECT_NEAR(CalculatorStack()[i], c.stack[i], 1e-12);
        EXPECT_TRUE(messages.empty()) << messages.front();
        CloseCalculator();
        Pump();
    }

    // A clicked digit or point takes the place of the entry's selection and leaves the caret after it.
    CCalculator* calc = ShowCalculator(&Frame(), NoValue);
    Pump();
    auto* entry = dynamic_cast<wxTextCtrl*>(calc->FindWindow(CCalculator::IdEntry));
    ASSERT_NE(entry, nullptr);
    calc->PressKey(Digit(1));
    calc->PressKey(Digit(2));
    calc->PressKey(Digit(3));
    entry->SetSelection(1, 2);
    calc->PressKey(Digit(7));
    EXPECT_EQ(entry->GetValue(), "173");
    EXPECT_EQ(entry->GetInsertionPoint(), 2);
    calc->PressKey(calc_keys::Point);
    EXPECT_EQ(entry->GetValue(), "17.3");
    calc->PressKey(calc_keys::Enter);
    EXPECT_EQ(CalculatorStack().back(), 17.3);

    // A click on a mode takes the keyboard to its button; an open entry gets it back, so the next
    // digit typed goes on with the entry.
    calc->PressKey(Digit(4));
    wxWindow* rad = calc->FindWindow(calc_keys::ModeRad);
    ASSERT_NE(rad, nullptr);
    rad->SetFocus();
    static_cast<wxRadioButton*>(rad)->SetValue(true);
    wxCommandEvent click(wxEVT_RADIOBUTTON, calc_keys::ModeRad);
    click.SetEventObject(rad);
    rad->ProcessWindowEvent(click);
    Pump();
    EXPECT_EQ(calc->Engine().angleMode, 1);
    ASSERT_TRUE(WaitFor("the entry to hold the keyboard after the click", [&] { return wxWindow::FindFocus() == entry; }));
    EXPECT_TRUE(Type(*calc, '2'));
    EXPECT_EQ(entry->GetValue(), "42");
    ASSERT_TRUE(SaveScreenshot(*calc, "calculator_keys.png"));
    CloseCalculator();
    Pump();
    Exit();
}

// The keys that draw a picture have theirs from the program's icons; the others keep captions.
TEST_F(ProgramTest, CalculatorKeysShowTheirPictures)
{
    ASSERT_TRUE(Start());
    CCalculator* calc = ShowCalculator(&Frame(), 12.5);
    Pump();
    for (int key : {1007, 1006, 1761, 1004, 1018, 1757, 1758, 1005, 1011, 1009, 1012, 1755, 1754, 1756, 1014}) {
        SCOPED_TRACE(key);
        auto* button = dynamic_cast<CCalculatorButton*>(calc->FindWindow(key));
        ASSERT_NE(button, nullptr);
        ASSERT_NE(button->GetKeyIcon(), nullptr);
        EXPECT_TRUE(button->GetKeyIcon()->IsOk());
        EXPECT_FALSE(button->GetLabel().empty()) << "the caption stays the key's name";
    }
    for (int key : {1235, 1206, 1092, 2669}) {
        auto* button = dynamic_cast<CCalculatorButton*>(calc->FindWindow(key));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->GetKeyIcon(), nullptr) << key;
    }
    ASSERT_TRUE(SaveScreenshot(*calc, "calculator.png"));
    CloseCalculator();
    Pump();
    Exit();
}
