#include "framework/GraphicDataExchange.h"
#include "model/DataFileDocShell.h"
#include "model/MorvelSettings.h"
#include "views/ui/MapCtrl.h"
#include "views/ui/ViewTool.h"

#include <wx/event.h>
#include <wx/utils.h>

namespace {

// Esc and a lost capture end the drag; the map's own handlers see everything else.
class DragEvents : public wxEvtHandler
{
public:
    explicit DragEvents(CSelectByRectTool* tool) : m_tool(tool) {}
    void OnKey(wxKeyEvent& event)
    {
        if (event.GetKeyCode() == WXK_ESCAPE)
            m_tool->CancelDrag();
        else
            event.Skip();
    }
    void OnCaptureLost(wxMouseCaptureLostEvent&) { m_tool->CancelDrag(); }

private:
    CSelectByRectTool* m_tool;
};

} // namespace

CSelectByRectTool::CSelectByRectTool(CMapCtrl* map) : CViewTool(map)
{
    LoadToolCursor();
}

CSelectByRectTool::CSelectByRectTool(const CViewTool* previous) : CViewTool(previous)
{
    LoadToolCursor();
}

CSelectByRectTool::~CSelectByRectTool()
{
    if (m_tracker)
        EndDrag(false, m_down.x, m_down.y);
}

int32_t CSelectByRectTool::GetCursorId() const
{
    return ToolCursorId(EToolCursorFamily::SelectByRect, GetMorvelSettings().GetPickBoxSize());
}

bool CSelectByRectTool::OnLButtonDown(uint32_t flags, int32_t x, int32_t y)
{
    m_down = DevicePoint{x, y};
    m_noPress = false;
    if (CGraphicDataExchange* exchange = GetGraphicDataExchange()) {
        // The field reads Alt from the click that began the rectangle.
        exchange->SetWord(0, int32_t(flags & ToolKeyAlt));
        exchange->Deliver(1, false);
    }
    return true;
}

void CSelectByRectTool::OnMouseMove(uint32_t flags, int32_t x, int32_t y)
{
    if (m_tracker) {
        m_tracker->MoveCorner(DevicePoint{x, y}, (flags & (ToolKeyShift | ToolKeyControl)) != 0);
        DrawBand();
        return;
    }
    OnHoverMove(flags, x, y);
    if ((flags & ToolKeyLButton) && !m_noPress && IsRectDragStart(m_down, DevicePoint{x, y})) {
        StartDrag(flags, x, y);
        return;
    }
    OverlayScope scope(*this);
    AddCrosshair(x, y, -1);
}

void CSelectByRectTool::StartDrag(uint32_t flags, int32_t x, int32_t y)
{
    Deactivate();
    m_tracker = std::make_unique<CUpdateRectTracker>();
    m_tracker->Start(m_down);
    m_tracker->MoveCorner(DevicePoint{x, y}, (flags & (ToolKeyShift | ToolKeyControl)) != 0);
    s_dragging = true;
    if (CMapCtrl* map = GetMapWindow()) {
        m_captureMap = map;
        auto events = std::make_unique<DragEvents>(this);
        map->Bind(wxEVT_KEY_DOWN, &DragEvents::OnKey, events.get());
        map->Bind(wxEVT_MOUSE_CAPTURE_LOST, &DragEvents::OnCaptureLost, events.get());
        m_dragEvents = std::move(events);
        if (!map->HasCapture())
            map->CaptureMouse();
    }
    DrawBand();
}

void CSelectByRectTool::DrawBand()
{
    OverlayScope scope(*this);
    if (!m_tracker)
        return;
    const int32_t colour = GetMorvelSettings().GetCursorColor();
    m_tracker->DrawTrackerRect(
        [this, colour](int32_t x1, int32_t y1, int32_t x2, int32_t y2) { AddOverlayLine(x1, y1, x2, y2, colour); });
}

void CSelectByRectTool::EndDrag(bool completed, int32_t x, int32_t y)
{
    std::unique_ptr<CUpdateRectTracker> tracker = std::move(m_tracker);
    s_dragging = false;
    if (m_dragEvents) {
        auto* events = static_cast<DragEvents*>(m_dragEvents.get());
        // The map may be gone (a closed job): then its bindings went with it.
        if (CMapCtrl* captured = m_captureMap.get()) {
            captured->Unbind(wxEVT_KEY_DOWN, &DragEvents::OnKey, events);
            captured->Unbind(wxEVT_MOUSE_CAPTURE_LOST, &DragEvents::OnCaptureLost, events);
            if (captured->HasCapture())
                captured->ReleaseMouse();
        }
        m_dragEvents.reset();
        m_captureMap = nullptr;
    }
    if (!tracker)
        return;
    EraseOverlay();
    if (completed) {
        const DeviceRect r = tracker->GetNormalisedRect();
        if (r.Width() != 0 && r.Height() != 0)
            Finish(r);
        else
            GetDataFileDocShell().Beep();
    } else {
        m_noPress = true;
    }
    m_down = DevicePoint{x, y};
    OverlayScope scope(*this);
    AddCrosshair(x, y, -1);
}

void CSelectByRectTool::OnLButtonUp(uint32_t, int32_t x, int32_t y)
{
    if (m_tracker) {
        EndDrag(true, x, y);
        return;
    }
    if (m_noPress)
        return;
    PickLocation(x, y);
    if (CGraphicDataExchange* exchange = GetGraphicDataExchange()) {
        exchange->SetRectangle(0, 0, 0, 0);
        exchange->Deliver(2, true);
    }
}

void CSelectByRectTool::CancelDrag()
{
    if (!m_tracker)
        return;
    wxPoint at(m_down.x, m_down.y);
    if (CMapCtrl* map = GetMapWindow())
        at = map->ScreenToClient(wxGetMousePosition());
    EndDrag(false, at.x, at.y);
}

void CSelectByRectTool::Finish(const DeviceRect& rect)
{
    CGraphicDataExchange* exchange = GetGraphicDataExchange();
    int32_t source = 0;
    if (!exchange || !GetPickSource(source))
        return;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    DeviceToWorld(rect.left, rect.top, x1, y1);
    DeviceToWorld(rect.right, rect.bottom, x2, y2);
    exchange->SetRectangle(x1, x2, y1, y2);
    exchange->SetMode(source);
    exchange->Deliver(0, true);
    exchange->SetRectangle(0, 0, 0, 0);
}

void CSelectByRectTool::RedrawOverlay()
{
    if (GetMapWindow())
        CViewTool::RedrawOverlay();
}

void CSelectByRectTool::Retire()
{
    CancelDrag();
    CViewTool::Retire();
}
