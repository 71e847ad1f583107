#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Small text helpers of the LandXML reader and writer.
namespace landxml {

// The format with each "%s" (and "%d", "%ld") replaced by the next argument in turn; "%%" gives
// "%". Arguments are inserted as they are, so a text holding '%' cannot disturb the format.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args);

// XML white space: blank, tab, carriage return and line feed.
inline bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
std::string TrimXmlSpace(std::string_view text);

// Reads numbers from a text split at each single blank, as stored PVI and face texts are: two
// blanks in a row give an empty word, which is not a number. Stops at the first word that is not
// a number, or after max numbers; returns how many were read (max + 1 when more follow).
int ReadBlankSeparatedNumbers(std::string_view text, double* values, int max);

// The leading decimal number of a token, as far as it reaches. value receives it (0 when the token
// has no leading number, or when the number overflows); the result tells whether the whole token
// was a finite number.
bool ReadLeadingDouble(std::string_view token, double& value);

// The text with ASCII capitals made small: the key under which names are the same without regard to case.
std::string FoldCase(std::string_view text);

// Case-insensitive order of names (ASCII letters fold), the order of the document's registries.
int CompareNoCase(std::string_view a, std::string_view b);

} // namespace landxml
