#pragma once

#include "framework/ColorTable.h"

#include <wx/colour.h>
#include <wx/string.h>

#include <string>

class wxWindow;

// True when the window's own run-time class is named `name`, without regard to case.
bool IsWindowOfClass(const wxWindow* window, const char* name);

// A colour of the colour table as wx wants it.
inline wxColour ToWxColour(COLORREF color)
{
    return wxColour(GetRValue(color), GetGValue(color), GetBValue(color));
}

inline wxString ToWx(const std::string& text) { return wxString::FromUTF8(text); }
inline std::string FromWx(const wxString& text) { return text.utf8_string(); }
