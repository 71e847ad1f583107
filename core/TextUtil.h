#pragma once

#include <cstddef>
#include <string>

// Small text helpers shared by the value parsers. Blanks are the C white-space characters.
namespace textutil {

std::string TrimLeft(const std::string& s);
std::string Trim(const std::string& s);
std::string ToLowerAscii(std::string s);
std::string ToUpperAscii(std::string s);
// Length of the leading run of number characters (digits, 'e', '+', '-' and the user's decimal
// and thousands separators, each taken as a whole text).
std::size_t NumberRun(const std::string& text);

} // namespace textutil
