#pragma once

#include <wx/overlay.h>
#include <wx/window.h>

#include <functional>

// The horizontal bar between two panes that the user drags. While dragging it draws a line over
// the parent (an overlay over a copy of the window, since cairo has no XOR) and on release tells
// its owner the new centre, in the parent's client coordinates (0x807C).
class CKvlSplitterWnd : public wxWindow
{
public:
    CKvlSplitterWnd(wxWindow* parent, wxWindowID id);

    using MovedHandler = std::function<void(int centreY)>;
    void SetMovedHandler(MovedHandler handler) { m_moved = std::move(handler); }
    // How far the bar may be dragged up and down from where it is.
    void SetLimits(int roomAbove, int roomBelow)
    {
        m_roomAbove = roomAbove;
        m_roomBelow = roomBelow;
    }
    // The centre a drag to the parent's y would give, within the limits.
    int AdjustCentre(int parentY) const;

    // Mouse handlers, in the bar's client coordinates; tests call them as the toolkit does.
    void OnDragStart(const wxPoint& p);
    void OnDragMove(const wxPoint& p);
    void OnDragEnd(const wxPoint& p);
    bool IsDragging() const { return m_dragging; }

private:
    void DrawDragLine(int centreY);
    void EndDrag();

    MovedHandler m_moved;
    wxOverlay m_overlay;
    int m_roomAbove = 0;
    int m_roomBelow = 0;
    bool m_dragging = false;
};
