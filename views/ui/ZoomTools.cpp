#include "model/HintCodes.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

namespace {
void RestoreDefault()
{
    if (CViewToolHost* host = CViewToolHost::GetActive())
        host->RestoreDefaultTool();
}
} // namespace

// ---------------------------------------------------------------- zoom window, first corner

CZoomRectTool::CZoomRectTool(CMapCtrl* map) : CViewTool(map)
{
    m_overlayTracking = false;
    m_hoverTips = false;
}

CZoomRectTool::CZoomRectTool(const CViewTool* previous) : CViewTool(previous)
{
    m_overlayTracking = false;
    m_hoverTips = false;
}

void CZoomRectTool::OnMouseMove(uint32_t, int32_t x, int32_t y)
{
    OverlayScope scope(*this);
    AddCrosshair(x, y, -1);
}

bool CZoomRectTool::OnLButtonDown(uint32_t, int32_t x, int32_t y)
{
    Deactivate();
    if (!IsPointInMap(x, y))
        return false;
    CViewToolHost* host = CViewToolHost::GetActive();
    double wx = 0, wy = 0;
    if (host && host->GetCurrentTool() == this && DeviceToWorld(x, y, wx, wy))
        host->StartZoomPlineTool(CLocation(wx, wy, NoValue));
    return true;
}

void CZoomRectTool::OnLButtonUp(uint32_t, int32_t, int32_t)
{
    NotifyActiveDocument(HintViewTool, 0);
    RestoreDefault();
}

void CZoomRectTool::OnRButtonDown(uint32_t, int32_t, int32_t)
{
    RestoreDefault();
}

void CZoomRectTool::RedrawOverlay()
{
    if (GetMapWindow())
        CViewTool::RedrawOverlay();
}

// ---------------------------------------------------------------- realtime zoom and pan

void CRealtimeDragTool::Start(int32_t x, int32_t y)
{
    m_started = true;
    m_firstStep = true;
    m_last = DevicePoint{x, y};
    if (CMapCtrl* map = GetMapWindow())
        map->Core().BeginRealtimeDrag();
}

void CRealtimeDragTool::EndDrag()
{
    if (CMapCtrl* map = GetMapWindow())
        map->Core().EndRealtimeDrag();
}

void CRealtimeDragTool::Retire()
{
    // A drag cut short by another tool still leaves a fresh picture.
    EndDrag();
    CViewTool::Retire();
}

bool CRealtimeDragTool::OnLButtonDown(uint32_t, int32_t x, int32_t y)
{
    Start(x, y);
    return true;
}

void CRealtimeDragTool::OnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    OnHoverMove(flags, x, y);
    if (!IsDragButtonHeld(flags))
        return;
    if (!m_started) {
        // The button went down before this tool existed: this move starts the drag, the next
        // one makes its first step from here.
        Start(x, y);
        OnLateStart();
        return;
    }
    Step(m_last.x, m_last.y, x, y, m_firstStep);
    m_firstStep = false;
    m_last = DevicePoint{x, y};
}

void CRealtimeDragTool::OnLButtonUp(uint32_t, int32_t, int32_t)
{
    EndDrag();
    NotifyActiveDocument(HintViewTool, 0);
    NotifyActiveDocument(HintRefreshAll, 1);
}

void CRealtimeDragTool::OnRButtonDown(uint32_t, int32_t, int32_t)
{
    RestoreDefault();
}

CRealtimeZoomTool::CRealtimeZoomTool(CMapCtrl* map) : CRealtimeDragTool(map)
{
    m_overlayTracking = false;
    LoadToolCursor();
}

CRealtimeZoomTool::CRealtimeZoomTool(const CViewTool* previous) : CRealtimeDragTool(previous)
{
    m_overlayTracking = false;
    LoadToolCursor();
}

void CRealtimeZoomTool::Step(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep)
{
    RealtimeZoomStep(px, py, x, y, firstStep);
}

CRealtimePanTool::CRealtimePanTool(CMapCtrl* map) : CRealtimeDragTool(map)
{
    m_overlayTracking = false;
    LoadToolCursor();
}

CRealtimePanTool::CRealtimePanTool(const CViewTool* previous) : CRealtimeDragTool(previous)
{
    m_overlayTracking = false;
    LoadToolCursor();
}

void CRealtimePanTool::SetDragging(bool dragging)
{
    m_dragging = dragging;
    LoadToolCursor();
    SetCursorNow();
}

void CRealtimePanTool::Step(int32_t px, int32_t py, int32_t x, int32_t y, bool firstStep)
{
    RealtimePanStep(px, py, x, y, firstStep);
}

bool CRealtimePanTool::OnLButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    CRealtimeDragTool::OnLButtonDown(flags, x, y);
    SetDragging(true);
    return true;
}

void CRealtimePanTool::OnLButtonUp(uint32_t flags, int32_t x, int32_t y)
{
    SetDragging(false);
    CRealtimeDragTool::OnLButtonUp(flags, x, y);
}

void CRealtimePanTool::OnMButtonDown(uint32_t, int32_t x, int32_t y)
{
    Start(x, y);
    SetDragging(true);
}

void CRealtimePanTool::OnMButtonUp(uint32_t, int32_t, int32_t)
{
    EndDrag();
    SetDragging(false);
    NotifyActiveDocument(HintViewTool, 0);
}
