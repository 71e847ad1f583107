#pragma once

#include <string>
#include <string_view>

// Texts from files and instruments: read as UTF-8 when they are valid UTF-8, otherwise byte by
// byte as Windows-1252, so that files written on Windows and by instruments read correctly.

bool IsValidUtf8(std::string_view text);
// Every byte as its Windows-1252 character; the five bytes that code page leaves undefined keep
// their C1 control code points.
std::string Windows1252ToUtf8(std::string_view bytes);
std::string DecodeExternalText(std::string_view bytes);
