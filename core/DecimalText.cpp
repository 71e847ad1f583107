#include "core/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view SkipLeadingBlanks(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return text.substr(i);
}

// Checks the decimal grammar by hand: from_chars alone would take "inf", "nan" and "1e" prefixes.
bool IsDecimalFloatText(std::string_view t)
{
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        size_t expDigits = 0;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    return i == t.size();
}

bool IsDecimalIntegerText(std::string_view t, bool allowMinus)
{
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || (allowMinus && t[i] == '-')))
        ++i;
    if (i == t.size())
        return false;
    for (; i < t.size(); ++i)
        if (!IsDigit(t[i]))
            return false;
    return true;
}

// from_chars does not take a leading '+'.
std::string_view DropPlus(std::string_view t)
{
    return !t.empty() && t[0] == '+' ? t.substr(1) : t;
}

// Whether grammatical decimal text is too small for a double (rather than too large): the decimal
// exponent of its first non-zero digit is negative. Such text reads as zero, as it always has.
bool IsBelowDoubleRange(std::string_view t)
{
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    int64_t integerDigits = 0;
    int64_t firstNonZero = INT64_MIN; // decimal exponent of the first non-zero digit, before 'e'
    for (; i < t.size() && IsDigit(t[i]); ++i) {
        if (firstNonZero == INT64_MIN && t[i] != '0')
            firstNonZero = integerDigits;
        ++integerDigits;
    }
    if (firstNonZero != INT64_MIN)
        firstNonZero = integerDigits - 1 - firstNonZero;
    if (i < t.size() && t[i] == '.') {
        ++i;
        for (int64_t place = -1; i < t.size() && IsDigit(t[i]); ++i, --place)
            if (firstNonZero == INT64_MIN && t[i] != '0')
                firstNonZero = place;
    }
    if (firstNonZero == INT64_MIN)
        return false;
    int64_t exponent = 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        const bool negative = i < t.size() && t[i] == '-';
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        for (; i < t.size() && IsDigit(t[i]); ++i)
            exponent = std::min<int64_t>(exponent * 10 + (t[i] - '0'), int64_t(1) << 40);
        if (negative)
            exponent = -exponent;
    }
    return firstNonZero + exponent < 0;
}

} // namespace

namespace {

// The run of digits at `p` added onto `digits` (which may wrap past nineteen digits; the caller
// refuses those); the run's length.
size_t ReadDigitRun(const char*& p, const char* end, uint64_t& digits)
{
    const char* const first = p;
    // The digit's value as an unsigned byte: one compare tests it, and it adds without a widening.
    for (uint8_t digit; p != end && (digit = uint8_t(uint8_t(*p) - '0')) <= 9; ++p)
        digits = digits * 10 + digit;
    return size_t(p - first);
}

} // namespace

const char* ReadPlainDecimal(const char* p, const char* end, double& value)
{
    const bool negative = p != end && *p == '-';
    if (p != end && (*p == '-' || *p == '+'))
        ++p;
    uint64_t digits = 0;
    size_t count = ReadDigitRun(p, end, digits), fraction = 0;
    if (p != end && *p == '.') {
        ++p;
        fraction = ReadDigitRun(p, end, digits);
        count += fraction;
    }
    // Nineteen digits cannot overflow the sum; the quotient checks the rest.
    double magnitude = 0.0;
    if (count == 0 || count > 19 || !ExactDecimalQuotient(digits, fraction, magnitude))
        return nullptr;
    value = negative ? -magnitude : magnitude;
    return p;
}

// [+-]digits[.digits] with few enough digits for ExactDecimalQuotient, read in one pass; false
// for anything else (an exponent, long digits, bad text), which the full reader then judges.
static bool ReadShortDecimal(std::string_view t, double& value)
{
    const char* const end = t.data() + t.size();
    double read = 0.0;
    if (ReadPlainDecimal(t.data(), end, read) != end)
        return false;
    value = read;
    return true;
}

bool ReadDecimalDouble(std::string_view text, double& value)
{
    std::string_view t = SkipLeadingBlanks(text);
    if (ReadShortDecimal(t, value))
        return true;
    if (!IsDecimalFloatText(t))
        return false;
    t = DropPlus(t);
    double v = 0.0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range && end == t.data() + t.size() && IsBelowDoubleRange(t)) {
        value = t[0] == '-' ? -0.0 : 0.0;
        return true;
    }
    if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ReadDecimalInt32(std::string_view text, int32_t& value, int32_t min, int32_t max)
{
    std::string_view t = SkipLeadingBlanks(text);
    if (!IsDecimalIntegerText(t, true))
        return false;
    t = DropPlus(t);
    int64_t v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, 10);
    if (ec != std::errc() || end != t.data() + t.size() || v < min || v > max)
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool ReadDecimalUInt32(std::string_view text, uint32_t& value, uint32_t max)
{
    std::string_view t = SkipLeadingBlanks(text);
    if (!IsDecimalIntegerText(t, false))
        return false;
    t = DropPlus(t);
    uint64_t v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, 10);
    if (ec != std::errc() || end != t.data() + t.size() || v > max)
        return false;
    value = static_cast<uint32_t>(v);
    return true;
}

