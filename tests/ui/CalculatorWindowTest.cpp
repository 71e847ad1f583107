#include "ProgramTest.h"

#include "cogo/ui/Calculator.h"
#include "platform/Clipboard.h"
#include "shell/ui/MainFrame.h"

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
    EXPECT_TRUE(calc->HandleKey(KeyEvent('+')));
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
