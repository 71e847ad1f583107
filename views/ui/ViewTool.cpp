#include "views/ui/ViewTool.h"

#include "framework/GraphicDataExchange.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ViewToolHost.h"

#include <memory>

bool CViewTool::s_dragging = false;

namespace
{
std::vector<std::unique_ptr<CViewTool>>& RetiredTools()
{
    static std::vector<std::unique_ptr<CViewTool>> tools;
    return tools;
}
} // namespace

CGraphicDataExchange* CViewTool::GetGraphicDataExchange()
{
    return m_map ? m_map->GetGraphicDataExchange() : &::GetGraphicDataExchange();
}

bool CViewTool::SelectPreviousIdObject()
{
    CViewToolHost* host = CViewToolHost::GetActive();
    return host && host->StepIdPopup(false);
}

bool CViewTool::SelectNextIdObject()
{
    CViewToolHost* host = CViewToolHost::GetActive();
    return host && host->StepIdPopup(true);
}

bool CViewTool::IsIdPopupShown() const
{
    const CViewToolHost* host = CViewToolHost::GetActive();
    return host && host->IsIdPopupVisible();
}

void CViewTool::DismissIdPopup()
{
    if (CViewToolHost* host = CViewToolHost::GetActive())
        host->DismissIdPopup();
}

bool CViewTool::GetIdPopupOrigin(int32_t& x, int32_t& y) const
{
    const CViewToolHost* host = CViewToolHost::GetActive();
    return host && host->GetIdPopupOrigin(x, y);
}

bool CViewTool::IsIdPopupWindow(const void* window) const
{
    const CViewToolHost* host = CViewToolHost::GetActive();
    return host && host->IsIdPopupWindow(window);
}

bool CViewTool::HitTestScreenPoint(int32_t x, int32_t y) const
{
    return m_map && m_map->GetScreenRect().Contains(x, y);
}

void CViewTool::Retire()
{
    if (m_retired)
        return;
    m_retired = true;
    RetiredTools().emplace_back(this);
}

void DeleteViewToolClasses()
{
    // A deleted tool's destructor may retire nothing more, but take the list first to be safe.
    auto tools = std::move(RetiredTools());
    RetiredTools().clear();
}

size_t GetRetiredViewToolCount()
{
    return RetiredTools().size();
}
