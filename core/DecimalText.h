#pragma once

#include <cstdint>
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
