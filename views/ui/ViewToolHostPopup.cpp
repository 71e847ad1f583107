#include "views/ui/ViewToolHost.h"

#include "framework/ui/ObjectIdWnd.h"
#include "views/HoverIdentify.h"
#include "views/ui/ToolPopups.h"

#include <cmath>

// The identification popup's side of the tool host: the tools reach the shared popup only here.

void CViewToolHost::OnHoverPause(CMapCtrl* map, const wxPoint& client, const CLocation& world,
                                 const CLocation& halfExtents)
{
    if (!map)
        return;
    const CHoverResult result =
        IdentifyAtLocation(map->Core(), world.x, world.y, std::abs(halfExtents.x), std::abs(halfExtents.y));
    ShowToolHoverResult(result, map->ClientToScreen(client), world.x, world.y, map);
}

bool CViewToolHost::IsIdPopupVisible() const
{
    return IsToolIdPopupVisible();
}

void CViewToolHost::DismissIdPopup()
{
    DismissToolIdPopup();
}

bool CViewToolHost::StepIdPopup(bool forward)
{
    return StepToolIdPopup(forward);
}

bool CViewToolHost::GetIdPopupOrigin(int32_t& x, int32_t& y) const
{
    if (!IsToolIdPopupVisible())
        return false;
    const wxPoint anchor = GetToolIdPopup()->GetAnchor();
    x = anchor.x;
    y = anchor.y;
    return true;
}

bool CViewToolHost::IsIdPopupWindow(const void* window) const
{
    return window != nullptr && window == static_cast<const wxObject*>(GetToolIdPopup());
}
