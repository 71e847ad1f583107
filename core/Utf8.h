#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's text is UTF-8. A character starts at every byte that is not a continuation byte,
// so counting and cutting never split a character and treat a stray byte as one character.

inline bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Number of characters.
std::size_t Utf8CharCount(std::string_view text);
// Byte length of the first maxChars characters (the whole text when it has fewer).
std::size_t Utf8PrefixBytes(std::string_view text, std::size_t maxChars);
// Where the last character starts; 0 for an empty text.
std::size_t Utf8LastCharStart(std::string_view text);

// Decodes one UTF-8 sequence at text[i] and advances i. Malformed input yields U+FFFD and one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& i);
// Appends the encoding of a code point.
void AppendUtf8(std::string& out, char32_t cp);

// The text with the small letters of the Latin, Greek and Cyrillic alphabets made capitals, for
// names that match without regard to case; every other character, and bytes that are not UTF-8,
// stay as they are.
std::string Utf8ToUpper(std::string_view text);
