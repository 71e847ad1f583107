#pragma once

#include <cstdint>
#include <cstddef>
#include <string_view>

// The one rule for numbers read from text: plain decimal notation only, '.' as the decimal point
// whatever the locale, no "nan", "inf" or hex forms, and values that fit the target type.
// Leading blanks are skipped (typed and file fields often carry them); anything after the number fails.

// [+-]digits[.digits][e[+-]digits] (or .digits) giving a finite double; false otherwise.
bool ReadDecimalDouble(std::string_view text, double& value);
// [+-]digits within [min, max].
bool ReadDecimalInt32(std::string_view text, int32_t& value,
                      int32_t min = INT32_MIN, int32_t max = INT32_MAX);
// [+]digits within [0, max]; a '-' sign is refused rather than wrapped.
bool ReadDecimalUInt32(std::string_view text, uint32_t& value, uint32_t max = UINT32_MAX);
// digits / 10^fractionDigits as the one correctly rounded double, when both are exact in a double
// (digits up to 2^53, at most 22 fraction digits): the single division rounds as the full reader
// does. False otherwise, for the caller's full reader.
// Inline: readers call it for every coordinate they take.
inline bool ExactDecimalQuotient(uint64_t digits, size_t fractionDigits, double& magnitude)
{
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (digits > (uint64_t(1) << 53) || fractionDigits >= sizeof kPowersOfTen / sizeof kPowersOfTen[0])
        return false;
    magnitude = double(digits) / kPowersOfTen[fractionDigits];
    return true;
}
// [+-]digits[.digits] (or .digits) from `p` up to the first character that cannot go on with it,
// read as ReadDecimalDouble reads that text alone: for a reader walking a line that must not cut
// it into fields first. The end of the number, or null (value untouched) when there is no digit or
// the digits are too many for ExactDecimalQuotient; the full reader then judges the text.
const char* ReadPlainDecimal(const char* p, const char* end, double& value);
