#include "framework/GraphicDataExchange.h"
#include "model/MorvelSettings.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/utils.h>

#include <cmath>

CVisualPlineTool::CVisualPlineTool(CMapCtrl* map, const CLocation& anchor, int32_t mode, bool drawNow)
    : CViewTool(map), m_mode(mode), m_anchors{anchor}, m_home(map)
{
    LoadToolCursor();
    if (drawNow)
        DrawAtCursorIfInMap();
}

CVisualPlineTool::CVisualPlineTool(CMapCtrl* map, const std::vector<CLocation>& anchors, bool drawNow)
    : CViewTool(map), m_mode(Lines), m_anchors(anchors), m_home(map)
{
    LoadToolCursor();
    if (drawNow)
        DrawAtCursorIfInMap();
}

CVisualPlineTool::CVisualPlineTool(CMapCtrl* map, const std::vector<CLocation>& anchors,
                                   const std::vector<CLocation>& segmentsA, const std::vector<CLocation>& segmentsB,
                                   bool drawNow)
    : CViewTool(map), m_mode(Lines), m_anchors(anchors), m_segmentsA(segmentsA), m_segmentsB(segmentsB), m_home(map)
{
    LoadToolCursor();
    if (drawNow)
        DrawAtCursorIfInMap();
}

int32_t CVisualPlineTool::GetCursorId() const
{
    return ToolCursorId(EToolCursorFamily::Pick, GetMorvelSettings().GetPickBoxSize());
}

void CVisualPlineTool::DrawAtCursorIfInMap()
{
    CMapCtrl* map = GetMapWindow();
    if (!map || !IsMapReady())
        return;
    const wxPoint at = map->ScreenToClient(wxGetMousePosition());
    if (IsPointInMap(at.x, at.y))
        OnMouseMove(0, at.x, at.y);
}

void CVisualPlineTool::Attach(CMapCtrl* map)
{
    CViewTool::Attach(map);
    if (!m_home)
        m_home = map;
}

bool CVisualPlineTool::IsOnHomeMap() const
{
    return GetMapWindow() && GetMapWindow() == m_home.get();
}

DevicePoint CVisualPlineTool::Constrain(uint32_t flags, int32_t x, int32_t y) const
{
    const DevicePoint p{x, y};
    if ((m_mode != LinesConstrained && m_mode != Circle) || !(flags & ToolKeyControl) || m_anchors.empty())
        return p;
    DevicePoint anchor;
    if (!WorldToDevice(anchor, m_anchors[0].x, m_anchors[0].y))
        return p;
    return ApplyCtrlConstraint(anchor, p);
}

void CVisualPlineTool::AddRubberBand(uint32_t flags, int32_t x, int32_t y)
{
    if (!IsMapReady() || m_anchors.empty())
        return;
    const int32_t colour = GetMorvelSettings().GetCursorColor();
    const DevicePoint p = Constrain(flags, x, y);
    DevicePoint first;
    WorldToDevice(first, m_anchors[0].x, m_anchors[0].y);
    switch (m_mode) {
    case LinesConstrained:
    case Lines:
        for (const CLocation& anchor : m_anchors) {
            DevicePoint a;
            WorldToDevice(a, anchor.x, anchor.y);
            AddOverlayLine(a.x, a.y, p.x, p.y, colour);
        }
        break;
    case Rectangle:
        AddOverlayLine(first.x, first.y, p.x, first.y, colour);
        AddOverlayLine(p.x, first.y, p.x, p.y, colour);
        AddOverlayLine(p.x, p.y, first.x, p.y, colour);
        AddOverlayLine(first.x, p.y, first.x, first.y, colour);
        break;
    case Circle:
        AddOverlayCircle(first.x, first.y, p.x, p.y, colour);
        break;
    default:
        break;
    }
}

std::string CVisualPlineTool::ReadoutText(int32_t x, int32_t y) const
{
    double wx = 0, wy = 0;
    if (m_anchors.empty() || !DeviceToWorld(x, y, wx, wy))
        return {};
    std::string unit;
    GetUnitLabel(unit);
    const double dx = std::fabs(m_anchors[0].x - wx), dy = std::fabs(m_anchors[0].y - wy);
    switch (m_mode) {
    case Rectangle:
        return FormatWidthHeightReadout(ToDisplayDistance(dx), ToDisplayDistance(dy), unit);
    case Circle:
        return FormatRadiusReadout(ToDisplayDistance(std::hypot(dx, dy)), unit);
    default:
        return FormatLengthReadout(ToDisplayDistance(std::hypot(dx, dy)), unit);
    }
}

void CVisualPlineTool::OnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    OverlayScope scope(*this);
    OnHoverMove(flags, x, y);
    if (!IsOnHomeMap())
        return;
    AddRubberBand(flags, x, y);
    const int32_t colour = GetMorvelSettings().GetCursorColor();
    for (const std::vector<CLocation>* segments : {&m_segmentsA, &m_segmentsB})
        for (size_t i = 0; i + 1 < segments->size(); i += 2) {
            DevicePoint a, b;
            WorldToDevice(a, (*segments)[i].x, (*segments)[i].y);
            WorldToDevice(b, (*segments)[i + 1].x, (*segments)[i + 1].y);
            AddOverlayLine(a.x, a.y, b.x, b.y, colour);
        }
    SetStatusPane(2, ReadoutText(x, y));
}

bool CVisualPlineTool::OnLButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    if (!IsOnHomeMap())
        return false;
    const DevicePoint p = Constrain(flags, x, y);
    PickLocation(p.x, p.y);
    if (CGraphicDataExchange* exchange = GetGraphicDataExchange())
        exchange->Deliver(1, true);
    return true;
}

void CVisualPlineTool::OnRButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    CViewTool::OnRButtonDown(flags, x, y);
    if (CGraphicDataExchange* exchange = GetGraphicDataExchange())
        exchange->Deliver(4, true);
}

void CVisualPlineTool::RedrawOverlay()
{
    if (GetMapWindow())
        CViewTool::RedrawOverlay();
}

void CVisualPlineTool::Retire()
{
    if (!IsRetired())
        SetStatusPane(2, std::string());
    CViewTool::Retire();
}

// ---------------------------------------------------------------- anchor line

CAnchorLineTool::CAnchorLineTool(CMapCtrl* map, const std::vector<CLocation>& anchors,
                                 const std::vector<CLocation>& segmentsA, const std::vector<CLocation>& segmentsB)
    : CVisualPlineTool(map, anchors, segmentsA, segmentsB, false)
{
    LoadToolCursor();
}

int32_t CAnchorLineTool::GetCursorId() const
{
    return ToolCursorId(EToolCursorFamily::AnchorLine, GetMorvelSettings().GetPickBoxSize());
}

bool CAnchorLineTool::OnLButtonDown(uint32_t, int32_t x, int32_t y)
{
    const bool snapped = PickLocation(x, y);
    CGraphicDataExchange* exchange = GetGraphicDataExchange();
    if (exchange && (snapped || exchange->TargetAcceptsLinePick()))
        exchange->Deliver(1, true);
    return snapped;
}

void CAnchorLineTool::OnRButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    CVisualPlineTool::OnRButtonDown(flags, x, y);
}

// ---------------------------------------------------------------- zoom window, second corner

CZoomPlineTool::CZoomPlineTool(CMapCtrl* map, const CLocation& firstCorner)
    : CVisualPlineTool(map, firstCorner, Rectangle, false)
{
    m_overlayTracking = false;
    LoadToolCursor();
    DevicePoint at;
    if (IsMapReady() && WorldToDevice(at, firstCorner.x, firstCorner.y) && IsPointInMap(at.x, at.y))
        OnMouseMove(0, at.x, at.y);
}

void CZoomPlineTool::AddRubberBand(uint32_t, int32_t x, int32_t y)
{
    if (m_anchors.empty())
        return;
    DevicePoint a;
    WorldToDevice(a, m_anchors[0].x, m_anchors[0].y);
    const int32_t colour = GetMorvelSettings().GetCursorColor();
    AddOverlayLine(a.x, a.y, x, a.y, colour);
    AddOverlayLine(a.x, a.y, a.x, y, colour);
}

void CZoomPlineTool::OnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    OverlayScope scope(*this);
    AddCrosshair(x, y, -1);
    if (!IsOnHomeMap())
        return;
    AddRubberBand(flags, x, y);
    if (!(flags & ToolKeyLButton))
        SetStatusPane(2, ReadoutText(x, y));
}

bool CZoomPlineTool::OnLButtonDown(uint32_t, int32_t x, int32_t y)
{
    if (IsPointInMap(x, y) && !m_anchors.empty()) {
        DevicePoint a;
        WorldToDevice(a, m_anchors[0].x, m_anchors[0].y);
        Deactivate();
        ZoomToDeviceRect(NormaliseDeviceRect(a, DevicePoint{x, y}));
    }
    CViewToolHost* host = CViewToolHost::GetActive();
    if (host && host->GetCurrentTool() == this)
        host->RestoreDefaultTool();
    return true;
}

void CZoomPlineTool::OnRButtonDown(uint32_t, int32_t, int32_t)
{
    if (CViewToolHost* host = CViewToolHost::GetActive())
        host->RestoreDefaultTool();
}
