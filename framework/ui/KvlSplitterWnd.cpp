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

void CKvlSplitterWnd::SetVertical(bool vertical)
{
    m_vertical = vertical;
    SetCursor(wxCursor(vertical ? wxCURSOR_SIZEWE : wxCURSOR_SIZENS));
}

int CKvlSplitterWnd::CentreNow() const
{
    const wxRect r = GetRect();
    return m_vertical ? r.x + r.width / 2 : r.y + r.height / 2;
}

int CKvlSplitterWnd::ToParent(const wxPoint& p) const
{
    const wxPoint at = GetPosition();
    return m_vertical ? at.x + p.x : at.y + p.y;
}

int CKvlSplitterWnd::AdjustCentre(int parentCoordinate) const
{
    const int centre = CentreNow();
    // A horizontal bar honours a limit of 0 (it cannot move that way); a vertical one only
    // limits by more than 0.
    const auto applies = [this](int limit) { return m_vertical ? limit > 0 : limit >= 0; };
    int adjusted = parentCoordinate;
    if (applies(m_limitAfter))
        adjusted = std::min(adjusted, centre + m_limitAfter);
    if (applies(m_limitBefore))
        adjusted = std::max(adjusted, centre - m_limitBefore);
    return adjusted;
}

void CKvlSplitterWnd::OnDragStart(const wxPoint& p)
{
    m_dragging = true;
    m_grabOffset = ToParent(p) - CentreNow();
    if (!HasCapture())
        CaptureMouse();
    DrawDragBar(AdjustCentre(ToParent(p) - m_grabOffset));
}

void CKvlSplitterWnd::OnDragMove(const wxPoint& p)
{
    if (m_dragging)
        DrawDragBar(AdjustCentre(ToParent(p) - m_grabOffset));
}

void CKvlSplitterWnd::OnDragEnd(const wxPoint& p)
{
    if (!m_dragging)
        return;
    const int centre = AdjustCentre(ToParent(p) - m_grabOffset);
    EndDrag();
    if (m_moved && centre != CentreNow())
        m_moved(centre);
}

void CKvlSplitterWnd::DrawDragBar(int centre)
{
    wxWindow* parent = GetParent();
    wxClientDC dc(parent);
    wxDCOverlay overlay(m_overlay, &dc);
    overlay.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)));
    const wxRect r = GetRect();
    if (m_vertical)
        dc.DrawRectangle(centre - r.width / 2, r.y, r.width, r.height);
    else
        dc.DrawRectangle(r.x, centre - r.height / 2, r.width, r.height);
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
