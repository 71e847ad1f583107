#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Small text helpers shared by the value parsers. Blanks are the C white-space characters.
namespace textutil {

std::string TrimLeft(const std::string& s);
std::string Trim(const std::string& s);
// The same, as a view of the text.
std::string_view TrimmedView(std::string_view s);
std::string ToLowerAscii(std::string s);
std::string ToUpperAscii(std::string s);
// Length of the leading run of number characters (digits, 'e', '+', '-' and the user's decimal
// and thousands separators, each taken as a whole text).
std::size_t NumberRun(const std::string& text);
// The text with the first marker (a "%1" or "%s" of a message) replaced by the value; as it was
// when the marker is missing.
std::string ReplaceFirst(std::string text, const std::string& marker, const std::string& value);

// One of 2^bits places for a text in a table of where texts were last met: cheap (its first 24
// bytes and its length), so the caller checks the text found there before trusting it.
template <int Bits>
std::size_t RecentTextSlot(std::string_view text)
{
    static_assert(Bits > 0 && Bits < 32);
    uint32_t hash = 2166136261u;
    for (const char c : text.substr(0, 24))
        hash = (hash ^ uint8_t(c)) * 16777619u;
    return ((hash ^ uint32_t(text.size())) * 2654435761u) >> (32 - Bits);
}

} // namespace textutil
