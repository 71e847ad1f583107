#pragma once

#include "framework/ColorTable.h"

#include <wx/colour.h>
#include <wx/string.h>

#include <functional>
#include <string>

class wxMenu;
class wxPoint;
class wxSize;
class wxTopLevelWindow;
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

// Gives a window the size it wants (in pixels), but no more than nine tenths of the work area of
// the screen the parent is on, and centres it.
void SizeWithinScreen(wxWindow& window, const wxWindow* parent, const wxSize& wanted);

// After a page change that the shown page refused, the keyboard stays where the refusal put it
// (the refused field): the click on the tab would otherwise leave it on the tab strip.
void KeepFocusAfterRefusedPageChange(wxWindow& book);

// Drops a popup menu at a point of the owner and returns the command chosen, 0 for none. While an
// answerer is installed (window tests) it stands for the person and the menu is not shown.
int TrackPopupMenu(wxWindow& owner, wxMenu& menu, const wxPoint& client);
using PopupMenuAnswerer = std::function<int(wxMenu& menu)>;
// Installs the answerer (empty: none) and returns the one before.
PopupMenuAnswerer SetPopupMenuAnswerer(PopupMenuAnswerer answerer);

// Where Tab goes from `focus` among the windows inside `root`: depth first in tab order, a
// notebook's tab strip and then its shown page, of a group of radio buttons only the checked one.
// Past the last stop, or with no focus inside (null: where the keyboard starts when a window
// opens), the first. Null when nothing inside takes keys.
wxWindow* NextTabStop(wxWindow& root, const wxWindow* focus);

// Brings a window just shown to the front with the keyboard on `control`, with or without a
// window manager: a manager may refuse the first request, made while it takes the window on and
// the window below (just disabled) still counts as the one in use, so the request is made again
// once the window is up, unless by then it is in front, hidden or gone, or another of the
// program's windows was shown after it (a message box, the next dialog), which keeps the front.
void ShowInFrontWithKeyboard(wxTopLevelWindow& window, wxWindow* control);
