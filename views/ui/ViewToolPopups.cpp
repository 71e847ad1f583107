// The view tools' side of the shared identification popup.
#include "views/ui/ObjectIdWnd.h"
#include "views/ui/ToolPopups.h"
#include "views/ui/ViewTool.h"

bool CViewTool::SelectPreviousIdObject()
{
    return StepToolIdPopup(false);
}

bool CViewTool::SelectNextIdObject()
{
    return StepToolIdPopup(true);
}

bool CViewTool::IsIdPopupShown() const
{
    return IsToolIdPopupVisible();
}

void CViewTool::DismissIdPopup()
{
    DismissToolIdPopup();
}

bool CViewTool::GetIdPopupOrigin(int32_t& x, int32_t& y) const
{
    if (!IsToolIdPopupVisible())
        return false;
    const wxPoint anchor = GetToolIdPopup()->GetAnchor();
    x = anchor.x;
    y = anchor.y;
    return true;
}

bool CViewTool::IsIdPopupWindow(const void* window) const
{
    return window != nullptr && window == static_cast<const wxObject*>(GetToolIdPopup());
}
