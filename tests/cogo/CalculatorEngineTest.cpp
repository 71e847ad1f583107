#include "cogo/CalculatorEngine.h"
#include "core/NoValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace {

using namespace calc_keys;

struct KeyCase
{
    const char* what;
    int mode;
    std::initializer_list<double> stack;
    int key;
    std::initializer_list<double> after;
    const char* message;
};

TEST(CalculatorEngineTest, OperationKeys)
{
    const double pi = std::numbers::pi;
    const KeyCase cases[] = {
        {"add", 0, {2, 3}, Add, {5}, ""},
        {"subtract", 0, {2, 3}, Subtract, {-1}, ""},
        {"multiply", 0, {2, 3}, Multiply, {6}, ""},
        {"divide", 0, {3, 2}, Divide, {1.5}, ""},
        {"divide by zero keeps both", 0, {3, 0}, Divide, {3, 0}, "Error: Divide by zero."},
        {"power", 0, {2, 10}, Power, {1024}, ""},
        {"swap", 0, {1, 2}, Swap, {2, 1}, ""},
        {"too few", 0, {1}, Add, {1}, "Too few arguments."},
        {"rect to polar", 0, {3, 4}, RectToPolar, {5, 53.13010235415598}, ""},
        {"rect to polar at origin", 0, {0, 0}, RectToPolar, {0}, ""},
        {"polar to rect", 0, {10, 90}, PolarToRect, {0, 10}, ""},
        {"dms add wraps", 0, {350.3, 20.45}, DmsAdd, {11.15}, ""},
        {"dms add to a whole circle", 0, {359.3, 0.3}, DmsAdd, {0}, ""},
        {"dms subtract", 0, {10.3, 20.45}, DmsSubtract, {349.45}, ""},
        {"square", 0, {-3}, Square, {9}, ""},
        {"sqrt of negative", 0, {-4}, Sqrt, {-4}, "Error: Operand less than zero."},
        {"reciprocal of zero", 0, {0}, Reciprocal, {0}, "Error: Divide by zero."},
        {"sin 180 is zero", 0, {180}, Sin, {0}, ""},
        {"cos 90 is zero", 0, {90}, Cos, {0}, ""},
        {"sin in grads", 2, {100}, Sin, {1}, ""},
        {"tan 90 keeps its operand", 0, {90}, Tan, {90}, "Undefined."},
        {"tan in radians", 1, {pi / 4}, Tan, {1}, ""},
        {"asin out of range", 0, {1.5}, ASin, {1.5}, "Error: Enter a value between -1 and 1."},
        {"acos in degrees", 0, {0}, ACos, {90}, ""},
        {"atan in grads", 2, {1}, ATan, {50}, ""},
        {"log of zero", 0, {0}, Log, {0}, "Error: Operand less than or equal to zero."},
        {"ln", 0, {1}, Ln, {0}, ""},
        {"ten to the x", 0, {3}, Exp10, {1000}, ""},
        {"degrees to radians", 1, {180}, DegToRad, {pi}, ""},
        {"radians to grads", 0, {pi}, RadToGrad, {200}, ""},
        {"dms to degrees", 0, {10.3}, DmsToDeg, {10.5}, ""},
        {"degrees to dms, negative", 0, {-10.5}, DegToDms, {-10.3}, ""},
        {"overflow refused before popping", 0, {1e300, 1e300}, Multiply, {1e300, 1e300}, "Error: Result out of range."},
        {"no-value range refused", 0, {-1e8, 1}, Multiply, {-1e8, 1}, "Error: Result out of range."},
        {"nan refused", 0, {-8, 0.5}, Power, {-8, 0.5}, "Error: Result out of range."},
        {"infinite exp refused", 0, {1000}, Exp, {1000}, "Error: Result out of range."},
    };
    for (const KeyCase& t : cases) {
        SCOPED_TRACE(t.what);
        std::vector<double> stack(t.stack);
        CCalculatorEngine calc(stack);
        calc.angleMode = t.mode;
        EXPECT_EQ(calc.Press(t.key), t.message);
        ASSERT_EQ(stack.size(), t.after.size());
        size_t i = 0;
        for (double v : t.after)
            EXPECT_NEAR(stack[i++], v, 1e-9 * std::max(1.0, std::fabs(v)));
    }
}

TEST(CalculatorEngineTest, EntriesAndStackKeys)
{
    std::vector<double> stack;
    CCalculatorEngine calc(stack);
    EXPECT_EQ(calc.Press(Enter), "");
    EXPECT_TRUE(stack.empty()) << "Enter on an empty stack does nothing";
    calc.Press(Digit1 + 1);
    calc.Press(Enter);
    calc.Press(Digit1 + 2);
    EXPECT_TRUE(calc.IsEntryOpen());
    EXPECT_EQ(calc.Press(Add), "");
    EXPECT_EQ(stack, std::vector<double>{5});
    calc.Press(Enter);
    EXPECT_EQ(stack, (std::vector<double>{5, 5}));
    calc.Press(ChangeSign);
    EXPECT_EQ(stack.back(), -5);
    EXPECT_EQ(calc.Press(Edit), "");
    EXPECT_EQ(calc.EntryText(), "-5");
    calc.Press(Drop);
    EXPECT_FALSE(calc.IsEntryOpen());
    EXPECT_EQ(stack, std::vector<double>{5});
    calc.SetEntryText("1.2.3");
    calc.BeginEntry("1.2.3");
    EXPECT_EQ(calc.Press(Sqrt), "Please enter a number.");
    EXPECT_TRUE(calc.IsEntryOpen());
    EXPECT_EQ(stack, std::vector<double>{5});
    calc.Press(Clear);
    EXPECT_TRUE(stack.empty());
    EXPECT_EQ(calc.Press(Edit), "Too few arguments.");
}

// A key that writes a value into the entry writes plain digits, at most fifteen of them, and an
// exponent only for values too large or too small for that; Enter reads the text back.
TEST(CalculatorEngineTest, KeysWriteTheEntryAsPlainDigits)
{
    struct Case
    {
        const char* what;
        std::initializer_list<double> stack;
        const char* entry; // open before the key; null for none
        int key;
        const char* text;
        double value; // what Enter pushes, within fifteen digits
    };
    const Case cases[] = {
        {"+/- of a round easting", {}, "500000", ChangeSign, "-500000", -500000},
        {"Edit of a round easting", {500000}, nullptr, Edit, "500000", 500000},
        {"+/- of a long entry", {}, "1234567.8912", ChangeSign, "-1234567.8912", -1234567.8912},
        {"Edit drops binary noise", {0.1 + 0.2}, nullptr, Edit, "0.3", 0.3},
        {"Edit rounds to fifteen digits", {2.0 / 3}, nullptr, Edit, "0.666666666666667", 2.0 / 3},
        {"PI into an open entry", {}, "7", PiKey, "3.14159265358979", std::numbers::pi},
        {"+/- of zero", {}, "0", ChangeSign, "0", 0},
        {"Edit of the largest plain integer", {123456789012345}, nullptr, Edit, "123456789012345", 123456789012345},
        {"Edit of 1e15 needs an exponent", {1e15}, nullptr, Edit, "1e+15", 1e15},
        {"Edit of a huge value", {1.5e300}, nullptr, Edit, "1.5e+300", 1.5e300},
        {"Edit of a small value", {0.00001}, nullptr, Edit, "0.00001", 0.00001},
        {"Edit of the smallest plain value", {1e-14}, nullptr, Edit, "0.00000000000001", 1e-14},
        {"Edit of 1e-15 needs an exponent", {1e-15}, nullptr, Edit, "1e-15", 1e-15},
        {"+/- of a tiny entry", {}, "1.2345678901234e-9", ChangeSign, "-1.2345678901234e-09", -1.2345678901234e-9},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.what);
        std::vector<double> stack(t.stack);
        CCalculatorEngine calc(stack);
        if (t.entry)
            calc.BeginEntry(t.entry);
        EXPECT_EQ(calc.Press(t.key), "");
        EXPECT_EQ(calc.EntryText(), t.text);
        EXPECT_EQ(calc.Press(Enter), "");
        ASSERT_FALSE(stack.empty());
        EXPECT_NEAR(stack.back(), t.value, std::abs(t.value) * 5e-15);
        // Written again, the value read back gives the same text.
        EXPECT_EQ(calc.Press(Edit), "");
        EXPECT_EQ(calc.EntryText(), t.text);
    }
}

TEST(CalculatorEngineTest, StackLimitAndNoValues)
{
    std::vector<double> stack;
    CCalculatorEngine calc(stack);
    for (int i = 1; i <= 101; ++i)
        calc.Push(i);
    ASSERT_EQ(stack.size(), CCalculatorEngine::MaxValues);
    EXPECT_EQ(stack.front(), 2) << "the oldest value gives way";
    EXPECT_EQ(calc.Rows().back(), "101");
    calc.Push(NoValue);
    EXPECT_EQ(stack.back(), 101);
    stack.clear();
    EXPECT_EQ(calc.Pop(), NoValue);
}

TEST(CalculatorEngineTest, UseResultAndCopyTexts)
{
    struct
    {
        double x;
        const char* text;
    } cases[] = {{2.00004, "2"}, {3e9, "3000000000"}, {-2.99999, "-3"}, {1.0 / 3, nullptr}};
    for (const auto& t : cases) {
        std::vector<double> stack{t.x};
        CCalculatorEngine calc(stack);
        std::string text, message;
        ASSERT_TRUE(calc.UseResultText(&text, &message));
        if (t.text)
            EXPECT_EQ(text, t.text);
        else
            EXPECT_EQ(text.rfind("0.333333333333", 0), 0u) << text;
    }
    std::vector<double> stack;
    CCalculatorEngine calc(stack);
    std::string text, message;
    EXPECT_FALSE(calc.UseResultText(&text, &message));
    EXPECT_FALSE(calc.CopyText(&text));
    calc.Push(1.0 / 3);
    ASSERT_TRUE(calc.CopyText(&text));
    EXPECT_EQ(text, "0.3333333333");
}

TEST(CalculatorEngineTest, TheStackIsSharedByEveryCalculator)
{
    CalculatorStack().clear();
    CCalculatorEngine(CalculatorStack()).Push(42);
    CCalculatorEngine later;
    EXPECT_EQ(later.Values(), std::vector<double>{42});
    CalculatorStack().clear();
}

} // namespace
