#include "framework/ui/WindowHelpers.h"

#include <wx/display.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/window.h>
#include <wx/weakref.h>

#include <algorithm>
#include <utility>

namespace {
PopupMenuAnswerer& Answerer()
{
    static PopupMenuAnswerer answerer;
    return answerer;
}
} // namespace

bool IsWindowOfClass(const wxWindow* window, const char* name)
{
    if (!window || !name)
        return false;
    const wxClassInfo* info = window->GetClassInfo();
    return info && wxString(info->GetClassName()).IsSameAs(wxString::FromUTF8(name), false);
}

void KeepFocusAfterRefusedPageChange(wxWindow& book)
{
    wxWindow* focus = wxWindow::FindFocus();
    if (focus == nullptr || focus == &book)
        return;
    // The tab strip takes the keyboard once the click's own handling goes on after the refusal.
    wxWeakRef<wxWindow> refused(focus);
    book.CallAfter([refused] {
        if (refused && wxWindow::FindFocus() != refused.get())
            refused->SetFocus();
    });
}

int TrackPopupMenu(wxWindow& owner, wxMenu& menu, const wxPoint& client)
{
    if (Answerer())
        return Answerer()(menu);
    const int chosen = owner.GetPopupMenuSelectionFromUser(menu, client);
    return chosen == wxID_NONE ? 0 : chosen;
}

PopupMenuAnswerer SetPopupMenuAnswerer(PopupMenuAnswerer answerer) { return std::exchange(Answerer(), std::move(answerer)); }

void SizeWithinScreen(wxWindow& window, const wxWindow* parent, const wxSize& wanted)
{
    const int display = parent != nullptr ? wxDisplay::GetFromWindow(parent) : wxNOT_FOUND;
    const wxRect screen = wxDisplay(display == wxNOT_FOUND ? 0u : unsigned(display)).GetClientArea();
    window.SetSize(std::min(wanted.x, screen.width * 9 / 10), std::min(wanted.y, screen.height * 9 / 10));
    window.Centre();
}

wxWindow* FirstKeyboardControl(wxWindow& parent)
{
    for (wxWindow* child : parent.GetChildren()) {
        if (child->IsTopLevel() || !child->IsShown() || !child->IsEnabled())
            continue;
        if (!child->AcceptsFocusFromKeyboard() || dynamic_cast<wxPanel*>(child) || dynamic_cast<wxStaticBox*>(child)) {
            if (wxWindow* inner = FirstKeyboardControl(*child))
                return inner;
            continue;
        }
        if (auto* radio = dynamic_cast<wxRadioButton*>(child))
            for (wxRadioButton* b = radio->GetFirstInGroup(); b; b = b->GetNextInGroup())
                if (b->GetValue() && b->IsEnabled())
                    return b;
        return child;
    }
    return nullptr;
}
