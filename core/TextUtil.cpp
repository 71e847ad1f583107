#include "core/TextUtil.h"

#include "core/LocaleText.h"

namespace textutil {

namespace {
const char* const WhiteSpace = " \t\r\n\v\f";
}

std::string TrimLeft(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(WhiteSpace);
    return first == std::string::npos ? std::string() : s.substr(first);
}

std::string Trim(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(WhiteSpace);
    if (first == std::string::npos)
        return {};
    const std::size_t last = s.find_last_not_of(WhiteSpace);
    return s.substr(first, last - first + 1);
}

std::string_view TrimmedView(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(WhiteSpace);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(WhiteSpace) - first + 1);
}

std::string ToLowerAscii(std::string s)
{
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

std::string ToUpperAscii(std::string s)
{
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

std::size_t NumberRun(const std::string& text)
{
    const std::string decimal = GetLocaleText(LocaleDecimalSeparator);
    const std::string thousands = GetLocaleText(LocaleThousandsSeparator);
    std::size_t i = 0;
    while (i < text.size()) {
        if (!decimal.empty() && text.compare(i, decimal.size(), decimal) == 0) {
            i += decimal.size();
        } else if (!thousands.empty() && text.compare(i, thousands.size(), thousands) == 0) {
            i += thousands.size();
        } else if ((text[i] >= '0' && text[i] <= '9') || text[i] == 'e' || text[i] == '+' || text[i] == '-') {
            ++i;
        } else {
            break;
        }
    }
    return i;
}

std::string ReplaceFirst(std::string text, const std::string& marker, const std::string& value)
{
    const auto at = text.find(marker);
    if (at != std::string::npos)
        text.replace(at, marker.size(), value);
    return text;
}

} // namespace textutil
