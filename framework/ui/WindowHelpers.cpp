#include "framework/ui/WindowHelpers.h"

#include <wx/window.h>

bool IsWindowOfClass(const wxWindow* window, const char* name)
{
    if (!window || !name)
        return false;
    const wxClassInfo* info = window->GetClassInfo();
    return info && wxString(info->GetClassName()).IsSameAs(wxString::FromUTF8(name), false);
}
