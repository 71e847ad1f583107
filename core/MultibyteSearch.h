#pragma once

#include <cstdint>

// Character searches that step over whole characters. Text is UTF-8 (bytes that are not valid
// UTF-8 count as one character each, as Windows-1252 text read before conversion does); a
// character is given as its code point.

// True: program text is multibyte. Asked once and remembered.
bool IsDbcsSystem();

// The first occurrence of `character` in `text`, or null.
const char* FindCharDbcs(const char* text, uint32_t character);
// The first character of `text` that is one of the characters of `set`, or null.
const char* FindAnyCharDbcs(const char* text, const char* set);
// The last occurrence of `character` in `text`, or null.
const char* FindLastCharDbcs(const char* text, uint32_t character);
