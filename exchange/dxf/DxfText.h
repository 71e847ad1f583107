#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Text and number helpers of the DXF engine. DXF files written on Windows hold Windows-1252
// bytes; newer ones UTF-8. Inside the program every text is UTF-8.
namespace dxftext {

bool IsValidUtf8(std::string_view bytes);
// A value line as UTF-8: unchanged when it already is valid UTF-8, else read as Windows-1252.
// A character written as \U+XXXX (four hexadecimal digits) becomes that character.
void DecodeLine(std::string_view bytes, std::string& out);
// UTF-8 to Windows-1252; a character the code page cannot hold becomes '?'.
std::string EncodeWindows1252(std::string_view utf8);
// Keeps at most maxChars characters of valid UTF-8, never cutting a character in two.
void CutToChars(std::string& text, size_t maxChars);
std::string CutCopy(std::string_view text, size_t maxChars);

// ASCII letters compared without regard to case; other bytes exactly.
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToUpper(std::string_view text);
// The key under which layer, block and style names match without regard to case, in any of the
// alphabets that have capitals (not only ASCII).
std::string NameKey(std::string_view name);

// Number texts as the C library reads them, whatever the user's locale: leading blanks skipped,
// the longest number prefix taken, 0 when there is none. Overflow gives an infinity.
double ParseDouble(std::string_view text);
// Saturates at the 32-bit range.
int32_t ParseInt(std::string_view text);
// Hexadecimal, with an optional 0x; 0 when there is none.
uint32_t ParseHex(std::string_view text);

// Number texts for the writer: "%d", "%X", and "%.15g" and "%.0f" of a double.
std::string FormatInt(int64_t value);
std::string FormatHex(uint32_t value);
std::string FormatG15(double value);
std::string FormatFixed0(double value);

} // namespace dxftext
