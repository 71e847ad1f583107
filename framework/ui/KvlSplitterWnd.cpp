#include "framework/ui/KvlSplitterWnd.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include <algorithm>

CKvlSplitterWnd::CKvlSplitterWnd(wxWindow* parent, wxWindowID id)
    : wxWindow(parent, id, wxDefaultPosition, wxSize(-1, 4), wxBORDER_NONE)
{
    SetCursor(wxCursor(wxCURSOR_SIZENS));
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) { OnDragStart(e.GetPosition()); });
    Bind(wxEVT_MOTION, [this](wxMouseEvent& e) {
        if (m_dragging)
            OnDragMove(e.GetPosition());
    });
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) { OnDragEnd(e.GetPosition()); });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { EndDrag(); });
}

int CKvlSplitterWnd::AdjustCentre(int parentY) const
{
    const wxRect r = GetRect();
    const int centre = r.y + r.height / 2;
    return std::clamp(parentY, centre - m_roomAbove, centre + m_roomBelow);
}

void CKvlSplitterWnd::OnDragStart(const wxPoint& p)
{
    m_dragging = true;
    if (!HasCapture())
        CaptureMouse();
    DrawDragLine(AdjustCentre(GetPosition().y + p.y));
}

void CKvlSplitterWnd::OnDragMove(const wxPoint& p)
{
    if (m_dragging)
        DrawDragLine(AdjustCentre(GetPosition().y + p.y));
}

void CKvlSplitterWnd::OnDragEnd(const wxPoint& p)
{
    if (!m_dragging)
        return;
    const int centre = AdjustCentre(GetPosition().y + p.y);
    EndDrag();
    if (m_moved)
        m_moved(centre);
}

void CKvlSplitterWnd::DrawDragLine(int centreY)
{
    wxWindow* parent = GetParent();
    wxClientDC dc(parent);
    wxDCOverlay overlay(m_overlay, &dc);
    overlay.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
    const wxRect r = GetRect();
    dc.DrawRectangle(r.x, centreY - r.height / 2, r.width, r.height);
}

void CKvlSplitterWnd::EndDrag()
{
    m_dragging = false;
    if (HasCapture())
        ReleaseMouse();
    {
        wxClientDC dc(GetParent());
        wxDCOverlay overlay(m_overlay, &dc);
        overlay.Clear();
    }
    m_overlay.Reset();
}
