#include "cogo/CalculatorEngine.h"

#include "core/AngleFunctions.h"
#include "core/Format.h"
#include "core/NoValue.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr const char* kTooFew = "Too few arguments.";
constexpr const char* kOutOfRange = "Error: Result out of range.";
constexpr const char* kDivideByZero = "Error: Divide by zero.";
constexpr const char* kNotNumber = "Please enter a number.";

// NaN, infinities and the no-value range would be lost or shown as garbage; such a result is
// refused before its operands are popped.
bool IsKeepable(double v)
{
    return std::isfinite(v) && v > NoValueLimit;
}

// The angle in radians reduced into [0, pi).
double ReduceHalfTurn(double radians)
{
    double r = std::fmod(radians, kPi);
    if (r < 0)
        r += kPi;
    return r;
}

std::string Text10g(double v)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.10g", v);
    return buffer;
}

// What a key writes into the entry: fifteen significant digits, the most a double carries
// faithfully, so binary noise (0.1 + 0.2) is not shown; trailing zeros dropped, and an exponent
// only where fifteen plain digits cannot hold the value (1e15, 0.000000000000001). Formatted by
// to_chars, so the decimal point never follows the locale.
std::string EntryTextOf(double v)
{
    if (v == 0)
        return "0"; // not "-0" after +/-
    char buffer[400];
    // The decimal exponent of the value as rounded to fifteen digits.
    auto res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 14);
    const std::string scientific(buffer, res.ptr);
    const int exponent = std::atoi(scientific.c_str() + scientific.find('e') + 1);
    if (exponent < 15 && exponent > -16) {
        res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed,
                            std::max(0, 14 - exponent));
        std::string plain(buffer, res.ptr);
        if (plain.find('.') != std::string::npos) {
            plain.erase(plain.find_last_not_of('0') + 1);
            if (plain.back() == '.')
                plain.pop_back();
        }
        const auto digits = std::count_if(plain.begin(), plain.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (digits <= 15)
            return plain;
    }
    res = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 15);
    return std::string(buffer, res.ptr);
}

bool ParseNumber(const std::string& text, double* value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    while (end != nullptr && (*end == ' ' || *end == '\t'))
        ++end;
    if (end == text.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

} // namespace

std::vector<double>& CalculatorStack()
{
    static std::vector<double> stack;
    return stack;
}

void CCalculatorEngine::Push(double value)
{
    if (!(value > NoValueLimit))
        return;
    if (m_stack.size() >= MaxValues)
        m_stack.erase(m_stack.begin(), m_stack.begin() + long(m_stack.size() - MaxValues + 1));
    m_stack.push_back(value);
}

double CCalculatorEngine::Pop()
{
    if (m_stack.empty())
        return NoValue;
    const double v = m_stack.back();
    m_stack.pop_back();
    return v;
}

void CCalculatorEngine::BeginEntry(const std::string& text)
{
    if (m_entryOpen)
        return;
    m_entryOpen = true;
    m_entry = text;
}

void CCalculatorEngine::EndEntry()
{
    m_entryOpen = false;
    m_entry.clear();
}

bool CCalculatorEngine::CommitEntry(std::string* message)
{
    if (!m_entryOpen)
        return true;
    double v = 0;
    if (!ParseNumber(m_entry, &v)) {
        *message = kNotNumber;
        return false;
    }
    Push(v);
    EndEntry();
    return true;
}

double CCalculatorEngine::ToRadians(double v) const
{
    return angleMode == 0 ? v * kPi / 180 : angleMode == 2 ? v * kPi / 200 : v;
}

double CCalculatorEngine::FromRadians(double v) const
{
    return angleMode == 0 ? v * 180 / kPi : angleMode == 2 ? v * 200 / kPi : v;
}

std::string CCalculatorEngine::Press(int key)
{
    using namespace calc_keys;
    std::string message;
    if ((key >= Digit1 && key <= Digit9) || key == Digit0 || key == Point) {
        const char c = key == Point ? '.' : key == Digit0 ? '0' : char('1' + (key - Digit1));
        if (m_entryOpen)
            m_entry += c;
        else
            BeginEntry(std::string(1, c));
        return {};
    }
    switch (key) {
    case Enter:
        if (m_entryOpen)
            CommitEntry(&message);
        else if (!m_stack.empty())
            Push(m_stack.back());
        return message;
    case Clear:
        m_stack.clear();
        EndEntry();
        return {};
    case Drop:
        if (!m_entryOpen)
            Pop();
        EndEntry();
        return {};
    case Edit:
        if (m_entryOpen)
            return {};
        if (m_stack.empty())
            return kTooFew;
        BeginEntry(EntryTextOf(Pop()));
        return {};
    case ChangeSign:
        if (m_entryOpen) {
            double v = 0;
            if (!ParseNumber(m_entry, &v))
                return kNotNumber;
            m_entry = EntryTextOf(-v);
        } else if (!m_stack.empty()) {
            m_stack.back() = -m_stack.back();
        }
        return {};
    case PiKey:
        if (m_entryOpen)
            m_entry = EntryTextOf(kPi);
        else
            Push(kPi);
        return {};
    case ModeDeg:
    case ModeRad:
    case ModeGrad:
        angleMode = key - ModeDeg;
        return {};
    default:
        break;
    }
    if (!CommitEntry(&message))
        return message;
    switch (key) {
    case Add: case Subtract: case Multiply: case Divide: case Power: case Swap:
    case RectToPolar: case PolarToRect: case DmsAdd: case DmsSubtract:
        return Binary(key);
    default:
        return Unary(key);
    }
}

std::string CCalculatorEngine::Binary(int key)
{
    using namespace calc_keys;
    if (m_stack.size() < 2)
        return kTooFew;
    const double x = m_stack[m_stack.size() - 1];
    const double y = m_stack[m_stack.size() - 2];
    if (key == Swap) {
        std::swap(m_stack[m_stack.size() - 1], m_stack[m_stack.size() - 2]);
        return {};
    }
    double first = NoValue, second = NoValue;
    bool two = false;
    switch (key) {
    case Add: first = y + x; break;
    case Subtract: first = y - x; break;
    case Multiply: first = y * x; break;
    case Divide:
        if (x == 0)
            return kDivideByZero;
        first = y / x;
        break;
    case Power: first = std::pow(y, x); break;
    case RectToPolar:
        first = std::sqrt(x * x + y * y);
        // Without a length the angle has no value and is left out.
        if (x != 0 || y != 0) {
            second = FromRadians(std::atan2(x, y));
            two = true;
        }
        break;
    case PolarToRect:
        first = y * std::cos(ToRadians(x));
        second = y * std::sin(ToRadians(x));
        two = true;
        break;
    case DmsAdd:
    case DmsSubtract: {
        const double sum = key == DmsAdd ? DmsToDecimal(y) + DmsToDecimal(x) : DmsToDecimal(y) - DmsToDecimal(x);
        first = DecimalToDms(sum);
        if (first == 360.0)
            first = 0.0;
        break;
    }
    default: return {};
    }
    if (!IsKeepable(first) || (two && !IsKeepable(second)))
        return kOutOfRange;
    m_stack.resize(m_stack.size() - 2);
    Push(first);
    if (two)
        Push(second);
    return {};
}

std::string CCalculatorEngine::Unary(int key)
{
    using namespace calc_keys;
    if (m_stack.empty())
        return kTooFew;
    const double x = m_stack.back();
    double r = NoValue;
    switch (key) {
    case Square: r = x * x; break;
    case Sqrt:
        if (x < 0)
            return "Error: Operand less than zero.";
        r = std::sqrt(x);
        break;
    case Reciprocal:
        if (x == 0)
            return kDivideByZero;
        r = 1 / x;
        break;
    case Sin: {
        const double a = ToRadians(x);
        r = ReduceHalfTurn(a) < 1e-26 ? 0.0 : std::sin(a);
        break;
    }
    case Cos: {
        const double a = ToRadians(x);
        r = ReduceHalfTurn(a + kPi / 2) < 1e-26 ? 0.0 : std::cos(a);
        break;
    }
    case Tan: {
        const double a = ToRadians(x);
        // The operand stays on the stack as it was typed.
        if (ReduceHalfTurn(a + kPi / 2) < 1e-26)
            return "Undefined.";
        r = std::tan(a);
        break;
    }
    case ASin:
    case ACos:
        if (x < -1 || x > 1)
            return "Error: Enter a value between -1 and 1.";
        r = FromRadians(key == ASin ? std::asin(x) : std::acos(x));
        break;
    case ATan: r = FromRadians(std::atan(x)); break;
    case Exp10: r = std::pow(10.0, x); break;
    case Exp: r = std::pow(2.71828182846, x); break;
    case Log:
    case Ln:
        if (x <= 0)
            return "Error: Operand less than or equal to zero.";
        r = key == Log ? std::log10(x) : std::log(x);
        break;
    case DegToRad: r = x * kPi / 180; break;
    case RadToDeg: r = x * 180 / kPi; break;
    case GradToRad: r = x * kPi / 200; break;
    case RadToGrad: r = x * 200 / kPi; break;
    case DmsToDeg: r = DmsToDecimal(x); break;
    case DegToDms:
        r = SignedDecimalToDms(x);
        if (r == 360.0)
            r = 0.0;
        break;
    default: return {};
    }
    if (!IsKeepable(r))
        return kOutOfRange;
    m_stack.pop_back();
    Push(r);
    return {};
}

std::vector<std::string> CCalculatorEngine::Rows() const
{
    std::vector<std::string> rows;
    rows.reserve(m_stack.size());
    for (double v : m_stack)
        rows.push_back(Text10g(v));
    return rows;
}

bool CCalculatorEngine::CopyText(std::string* text) const
{
    if (m_stack.empty())
        return false;
    *text = Text10g(m_stack.back());
    return true;
}

bool CCalculatorEngine::UseResultText(std::string* text, std::string* message)
{
    if (!CommitEntry(message))
        return false;
    if (m_stack.empty() || !IsKeepable(m_stack.back()))
        return false;
    const double x = m_stack.back();
    const double whole = std::round(x);
    // Whole numbers are written without decimals at any size a long long holds; "%d" would
    // overflow from 2^31.
    if (std::fabs(x - whole) < 0.0001 && std::fabs(whole) < 9.0e18) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(whole));
        *text = buffer;
    } else {
        *text = CFormat::FormatNumber(x, 12, true, true);
    }
    return true;
}
