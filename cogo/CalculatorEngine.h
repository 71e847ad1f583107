#pragma once

#include <string>
#include <vector>

// The calculator's value stack, one for the whole program: it outlives the calculator window.
// The head is the oldest value, the back is X.
std::vector<double>& CalculatorStack();

// Key command ids of the calculator.
namespace calc_keys {
constexpr int Digit0 = 1238, Digit1 = 1229, Digit9 = 1237, Point = 1239;
constexpr int Enter = 1005, Add = 1228, Subtract = 1204, Multiply = 1003, Divide = 1004;
constexpr int ChangeSign = 1208, PiKey = 1761, Square = 1006, Sqrt = 1007, Power = 1018, Reciprocal = 1025;
constexpr int Sin = 1206, Cos = 1207, Tan = 1008, ASin = 1011, ACos = 1009, ATan = 1012;
constexpr int Exp10 = 1757, Log = 1091, Exp = 1758, Ln = 1015;
constexpr int RectToPolar = 1752, PolarToRect = 1753, DmsToDeg = 1755, DegToDms = 1754;
constexpr int DmsSubtract = 1014, DmsAdd = 1756;
constexpr int DegToRad = 1747, RadToDeg = 1748, GradToRad = 1750, RadToGrad = 1749;
constexpr int Clear = 1092, Edit = 1759, Swap = 1751, Drop = 1024, UseResult = 2669, Close = 1072;
constexpr int ModeDeg = 1738, ModeRad = 1739, ModeGrad = 1740;
} // namespace calc_keys

// The calculator without its window: the stack, the open entry and every key. Keys return the
// message to show in a stop box, empty when there is none.
class CCalculatorEngine
{
public:
    static constexpr size_t MaxValues = 100;

    explicit CCalculatorEngine(std::vector<double>& stack = CalculatorStack()) : m_stack(stack) {}

    // A value at or below -9.99e7 (no value) is skipped; a full stack drops its oldest value.
    void Push(double value);
    // -9.99e27 on an empty stack.
    double Pop();
    const std::vector<double>& Values() const { return m_stack; }

    // 0 degrees, 1 radians, 2 grads.
    int angleMode = 0;

    bool IsEntryOpen() const { return m_entryOpen; }
    const std::string& EntryText() const { return m_entry; }
    // The window hands over what the entry box holds before a key is pressed.
    void SetEntryText(const std::string& text) { m_entry = text; }
    void BeginEntry(const std::string& text);
    void EndEntry();
    // Pushes the open entry's number and ends the entry; false (with the message) when the entry
    // is not a number, and the entry stays open.
    bool CommitEntry(std::string* message);

    // Any key of the calculator by its command id, as the key pad, menu accelerators and typing
    // press it. Digits and the point append to the entry (or begin one).
    std::string Press(int key);

    // The display's rows, oldest first ("%.10g").
    std::vector<std::string> Rows() const;
    // The text of X for the clipboard; false on an empty stack.
    bool CopyText(std::string* text) const;
    // What "Use Result" writes into a field (an open entry committed first); false when there
    // is no X to write.
    bool UseResultText(std::string* text, std::string* message);

private:
    std::string Binary(int key);
    std::string Unary(int key);
    double ToRadians(double v) const;
    double FromRadians(double v) const;

    std::vector<double>& m_stack;
    bool m_entryOpen = false;
    std::string m_entry;
};
