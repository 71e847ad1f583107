#include "shell/ui/AppGridToolLink.h"

#include "framework/GraphicDataExchange.h"
#include "views/ViewToolRules.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/utils.h>

bool CAppGridToolLink::IsSelectByRectToolCurrent() const
{
    return dynamic_cast<CSelectByRectTool*>(m_tools.GetCurrentTool()) != nullptr;
}

void CAppGridToolLink::ToolRightButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    m_tools.ToolOnRButtonDown(flags, x, y);
}

void CAppGridToolLink::ToolRightButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    m_tools.ToolOnRButtonUp(flags, x, y);
}

void CAppGridToolLink::RestoreDefaultTool()
{
    m_tools.RestoreDefaultTool();
}

bool CAppGridToolLink::HasExchange() const
{
    return GetGraphicDataExchange().GetTarget() != nullptr;
}

void CAppGridToolLink::DeliverToolEvent(int code)
{
    // Rows picked in a list: Alt held now takes them out of a chip's selection.
    GetGraphicDataExchange().SetWord(0, wxGetKeyState(WXK_ALT) ? int32_t(ToolKeyAlt) : 0);
    GetGraphicDataExchange().Deliver(static_cast<uint32_t>(code), true);
}
