#include "core/DecimalText.h"

#include <charconv>
#include <cmath>

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

} // namespace

bool ReadDecimalDouble(std::string_view text, double& value)
{
    std::string_view t = SkipLeadingBlanks(text);
    if (!IsDecimalFloatText(t))
        return false;
    t = DropPlus(t);
    double v = 0.0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
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
