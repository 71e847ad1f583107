#pragma once

#include <cstddef>
#include <string_view>

// Point names hold at most this many characters.
inline constexpr std::size_t MaxPointNameChars = 16;

// 1 to MaxPointNameChars letters, digits or underscores, and not made of zeros only.
bool IsValidPointName(const char* name);
bool IsValidPointName(std::string_view name);

// Natural order of point names: digit runs compare as numbers, other characters one by one
// without case. Negative, zero or positive.
int ComparePointNames(const char* a, const char* b);
