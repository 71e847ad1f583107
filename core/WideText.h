#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Conversions between the program's UTF-8 text and the UTF-16LE fields of binary files.

// Converts UTF-8 to UTF-16 code units up to a NUL, at most maxUnits of them; a character that would not fit
// whole (a surrogate pair at the limit) is left out. Malformed bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text, size_t maxUnits = SIZE_MAX);

// Converts UTF-16 code units to UTF-8, stopping at the first zero unit. Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

// Writes text as UTF-16LE into a zero-filled field of fieldUnits units, keeping one unit for the
// terminator (so at most fieldUnits - 1 units of text).
void StoreUtf16Field(uint8_t* field, size_t fieldUnits, std::string_view text);
// Reads a UTF-16LE field of fieldUnits units up to its first zero unit.
std::string LoadUtf16Field(const uint8_t* field, size_t fieldUnits);
// The same into out, whose room is kept for the next field.
void LoadUtf16Field(const uint8_t* field, size_t fieldUnits, std::string& out);
