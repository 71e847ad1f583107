#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Locale-independent number reading for typed and formatted values: finite decimal numbers
// only ("nan", "inf" and hexadecimal forms are refused), '.' as the decimal point.

// Reads the longest number at the start of the text after leading white space, as strtod would
// but without its locale and special forms. False when no number starts there or the value is
// out of the double range; *used gets the count of characters consumed (white space included).
bool ReadDecimalPrefix(std::string_view text, double* out, std::size_t* used);

// Reads an optionally signed run of decimal digits after leading white space; false when none
// starts there or the value does not fit 32 bits.
bool ReadInt32Prefix(std::string_view text, int32_t* out, std::size_t* used);
