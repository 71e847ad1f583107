#include "framework/ui/WindowHelpers.h"

#include <wx/menu.h>
#include <wx/window.h>

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

int TrackPopupMenu(wxWindow& owner, wxMenu& menu, const wxPoint& client)
{
    if (Answerer())
        return Answerer()(menu);
    const int chosen = owner.GetPopupMenuSelectionFromUser(menu, client);
    return chosen == wxID_NONE ? 0 : chosen;
}

PopupMenuAnswerer SetPopupMenuAnswerer(PopupMenuAnswerer answerer) { return std::exchange(Answerer(), std::move(answerer)); }
