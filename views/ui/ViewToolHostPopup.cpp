#include "views/ui/ViewToolHost.h"

// The identification popup's side of the tool host. Until the popup exists, a pause identifies
// nothing and there is no popup to step or dismiss.

void CViewToolHost::OnHoverPause(CMapCtrl*, const wxPoint&, const CLocation&, const CLocation&) {}

bool CViewToolHost::IsIdPopupVisible() const
{
    return false;
}

void CViewToolHost::DismissIdPopup() {}

bool CViewToolHost::StepIdPopup(bool)
{
    return false;
}

bool CViewToolHost::GetIdPopupOrigin(int32_t&, int32_t&) const
{
    return false;
}

bool CViewToolHost::IsIdPopupWindow(const void*) const
{
    return false;
}
