#include "landxml/LandXMLText.h"

#include "core/DecimalText.h"

#include <cstddef>
#include <cstdint>

namespace landxml {

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(format.size() + 32);
    auto next = args.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            out += c;
            continue;
        }
        std::size_t j = i + 1;
        if (format[j] == '%') {
            out += '%';
            i = j;
            continue;
        }
        if (format[j] == 'l')
            ++j;
        if (j < format.size() && (format[j] == 's' || format[j] == 'd')) {
            if (next != args.end())
                out += *next++;
            i = j;
            continue;
        }
        out += c;
    }
    return out;
}

namespace {

// A plain whole number of up to 15 digits, read directly: it gives exactly what the general reader
// gives, and most numbers in these files (ids, indices) are such.
bool ReadWholeNumber(std::string_view word, double& value)
{
    if (word.empty() || word.size() > 15)
        return false;
    std::size_t i = word[0] == '-' ? 1 : 0;
    if (i == word.size())
        return false;
    int64_t whole = 0;
    for (; i < word.size(); ++i) {
        if (word[i] < '0' || word[i] > '9')
            return false;
        whole = whole * 10 + (word[i] - '0');
    }
    value = word[0] == '-' ? -static_cast<double>(whole) : static_cast<double>(whole);
    return true;
}

// A word as a number.
bool ReadWord(std::string_view word, double& value)
{
    return ReadWholeNumber(word, value) || (!word.empty() && ReadDecimalDouble(word, value));
}

} // namespace

std::string TrimXmlSpace(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsXmlSpace(text[begin]))
        ++begin;
    while (end > begin && IsXmlSpace(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the longest prefix of the form [+-]digits[.digits][e[+-]digits] with at least one
// mantissa digit; 0 when there is none.
std::size_t LeadingNumberLength(std::string_view t)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        ++digits;
    }
    if (i < t.size() && t[i] == '.') {
        std::size_t j = i + 1;
        std::size_t fraction = 0;
        while (j < t.size() && IsDigit(t[j])) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-'))
            ++j;
        if (j < t.size() && IsDigit(t[j])) {
            while (j < t.size() && IsDigit(t[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

} // namespace

bool ReadLeadingDouble(std::string_view token, double& value)
{
    if (ReadWholeNumber(token, value))
        return true;
    value = 0.0;
    const std::size_t length = LeadingNumberLength(token);
    if (length == 0)
        return false;
    double v = 0.0;
    if (!ReadDecimalDouble(token.substr(0, length), v))
        return false; // an overflow: no value worth keeping
    value = v;
    return length == token.size();
}

std::string FoldCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

int ReadBlankSeparatedNumbers(std::string_view text, double* values, int max)
{
    int count = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        double value = 0.0;
        if (!ReadWord(text.substr(start, end - start), value))
            break;
        if (count == max)
            return max + 1;
        values[count++] = value;
        if (end == text.size())
            break;
        start = end + 1;
    }
    return count;
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

} // namespace landxml
