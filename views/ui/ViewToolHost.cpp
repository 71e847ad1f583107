#include "views/ui/ViewToolHost.h"

#include "framework/GraphicDataExchange.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ViewTool.h"

#include <wx/utils.h>

namespace
{
CViewToolHost* g_activeHost = nullptr;
}

CViewToolHost::CViewToolHost() : m_previousActive(g_activeHost)
{
    g_activeHost = this;
}

CViewToolHost* CViewToolHost::GetActive()
{
    return g_activeHost;
}

CViewToolHost::~CViewToolHost()
{
    if (g_activeHost == this)
        g_activeHost = m_previousActive;
    if (m_current)
        m_current->Retire();
    m_current = nullptr;
    DeleteViewToolClasses();
}

CGraphicDataExchange* CViewToolHost::Exchange() const
{
    return m_current ? m_current->GetGraphicDataExchange() : &::GetGraphicDataExchange();
}

bool CViewToolHost::IsPanToolCurrent() const
{
    return dynamic_cast<CRealtimePanTool*>(m_current) != nullptr;
}

bool CViewToolHost::IsDefaultToolCurrent() const
{
    return !m_current || m_current->IsDefaultTool();
}

void CViewToolHost::SetCurrentTool(CViewTool* tool)
{
    // The new tool is current before the old one is let go: a restore that the old tool's
    // deactivation sets off then replaces the new tool instead of deactivating the old one again.
    CViewTool* old = m_current;
    m_current = tool;
    if (old)
    {
        if (CGraphicDataExchange* exchange = old->GetGraphicDataExchange())
            exchange->Reset();
        old->Deactivate();
        // It may be the caller: deleted only at the next idle pass.
        old->Retire();
    }
    UpdateToolCursor();
}

void CViewToolHost::EnsureDefaultTool(CMapCtrl* map)
{
    if (!m_current)
        SetCurrentTool(new CDefaultTool(map));
}

void CViewToolHost::RestoreDefaultTool()
{
    if (m_restoring)
    {
        // A focus change inside a restore only puts the default tool back.
        SetCurrentTool(new CDefaultTool(m_current));
        return;
    }
    if (!m_current || m_current->IsDefaultTool())
        return;
    m_restoring = true;
    struct Guard
    {
        bool& flag;
        ~Guard() { flag = false; }
    } guard{m_restoring};

    CGraphicDataExchange* exchange = Exchange();
    CGraphicDataTarget* field = focusedField ? focusedField() : nullptr;
    if (exchange && field)
    {
        if (exchange->IsTarget(field))
        {
            if (field->IsInVisibleStackedDialog())
                field->ResumeInteraction();
            return;
        }
        exchange->Reset();
        field->TakeFocusAgain();
        return;
    }
    if (exchange)
    {
        exchange->RestoreTarget(activeViewKind ? activeViewKind() : 2);
        CGraphicDataTarget* target = exchange->GetTarget();
        if (target && target->IsInVisibleStackedDialog() && target->IsInteractive())
        {
            target->ResumeInteraction();
            return;
        }
        exchange->Reset();
    }
    SetCurrentTool(new CDefaultTool(m_current));
}

void CViewToolHost::SaveExchangeTarget()
{
    if (CGraphicDataExchange* exchange = Exchange())
        exchange->SaveTarget();
}

void CViewToolHost::StartPickTool() { SetCurrentTool(new CPickTool(m_current)); }
void CViewToolHost::StartSelectByRectTool() { SetCurrentTool(new CSelectByRectTool(m_current)); }
void CViewToolHost::StartAnchorLineTool() { SetCurrentTool(new CAnchorLineTool(m_current)); }
void CViewToolHost::StartVisualPlineTool() { SetCurrentTool(new CVisualPlineTool(m_current)); }
void CViewToolHost::StartZoomPlineTool() { SetCurrentTool(new CZoomPlineTool(m_current)); }
void CViewToolHost::StartLocationTool() { SetCurrentTool(new CLocationTool(m_current)); }

void CViewToolHost::StartZoomRectTool()
{
    SaveExchangeTarget();
    SetCurrentTool(new CZoomRectTool(m_current));
}

void CViewToolHost::StartRealtimeZoomTool()
{
    SaveExchangeTarget();
    SetCurrentTool(new CRealtimeZoomTool(m_current));
}

void CViewToolHost::StartRealtimePanTool()
{
    SaveExchangeTarget();
    SetCurrentTool(new CRealtimePanTool(m_current));
}

void CViewToolHost::StopCurrentTool()
{
    if (m_current)
        m_current->Deactivate();
}

void CViewToolHost::EraseToolCrosshair()
{
    if (m_current)
        m_current->EraseCrosshair();
}

void CViewToolHost::RedrawToolFeedback()
{
    ToolRedrawCrosshair(0);
}

void CViewToolHost::ToolRedrawCrosshair(int32_t value)
{
    if (m_current)
        m_current->RedrawCrosshair(value);
}

void CViewToolHost::UpdateToolCursor()
{
    CMapCtrl* map = m_current ? m_current->GetMapWindow() : nullptr;
    if (!map || map->IsBeingDeleted())
        return;
    const wxPoint client = map->ScreenToClient(wxGetMousePosition());
    ToolOnMouseMove(0, client.x, client.y);
}

bool CViewToolHost::IsToolBusy() const
{
    return m_current && m_current->GetMapWindow() && CViewTool::s_dragging;
}

void CViewToolHost::ReloadToolCursor()
{
    if (m_current)
        m_current->LoadToolCursor();
}

bool CViewToolHost::IsPointInToolWindow(int32_t x, int32_t y) const
{
    return m_current && m_current->HitTestScreenPoint(x, y);
}

int32_t CViewToolHost::ChooseObjectAtPoint(int32_t x, int32_t y, int32_t objectCount)
{
    if (!m_current)
        return 2;
    if (!m_current->HitTestScreenPoint(x, y))
        return 0;
    m_current->Deactivate();
    // The chooser popup comes with the view tools; until then there is none to ask.
    return objectCount == 0 ? 0 : 2;
}

void CViewToolHost::ToolOnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    if (!m_current)
        return;
    CMapCtrl* map = m_current->GetMapWindow();
    // A point outside the tool's map window ends the tool's feedback there.
    if (map && !wxRect(map->GetClientSize()).Contains(x, y))
    {
        m_current->Deactivate();
        return;
    }
    m_current->OnMouseMove(flags, x, y);
}

void CViewToolHost::ToolOnLButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnLButtonDown(flags, x, y);
}

void CViewToolHost::ToolOnLButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnLButtonUp(flags, x, y);
}

void CViewToolHost::ToolOnMButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnMButtonDown(flags, x, y);
}

void CViewToolHost::ToolOnMButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnMButtonUp(flags, x, y);
}

void CViewToolHost::ToolOnRButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnRButtonDown(flags, x, y);
}

void CViewToolHost::ToolOnRButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    if (m_current)
        m_current->OnRButtonUp(flags, x, y);
}

bool CViewToolHost::ToolOnSetCursor()
{
    return m_current && m_current->OnSetCursor();
}
