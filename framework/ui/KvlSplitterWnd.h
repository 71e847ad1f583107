#pragma once

#include <wx/overlay.h>
#include <wx/window.h>

#include <functional>

// The bar between two panes that the user drags: horizontal (moves up and down) or vertical
// (moves left and right). While dragging it draws a bar over the parent (an overlay over a copy
// of the window, since cairo has no XOR) and on release tells its owner the new centre along its
// axis, in the parent's client coordinates (0x807C). A drag that ends where it began tells nothing.
class CKvlSplitterWnd : public wxWindow
{
public:
    CKvlSplitterWnd(wxWindow* parent, wxWindowID id);

    using MovedHandler = std::function<void(int centre)>;
    void SetMovedHandler(MovedHandler handler) { m_moved = std::move(handler); }
    void SetVertical(bool vertical);
    bool IsVertical() const { return m_vertical; }
    // How far the bar may be dragged before (up, left) and after (down, right) where it is; -1
    // leaves that way free. A vertical bar's limit counts only when it is above 0.
    void SetLimits(int before, int after)
    {
        m_limitBefore = before;
        m_limitAfter = after;
    }
    // The centre a drag to the parent's coordinate (y, or x for a vertical bar) would give.
    int AdjustCentre(int parentCoordinate) const;

    // Mouse handlers, in the bar's client coordinates; tests call them as the toolkit does.
    void OnDragStart(const wxPoint& p);
    void OnDragMove(const wxPoint& p);
    void OnDragEnd(const wxPoint& p);
    bool IsDragging() const { return m_dragging; }

    // Only the mouse drags the bar; the keyboard passes it by.
    bool AcceptsFocus() const override { return false; }

private:
    int CentreNow() const;
    int ToParent(const wxPoint& p) const;
    void DrawDragBar(int centre);
    void EndDrag();

    MovedHandler m_moved;
    wxOverlay m_overlay;
    bool m_vertical = false;
    int m_limitBefore = -1;
    int m_limitAfter = -1;
    // Where the press fell from the bar's centre: the bar follows the mouse by its movement, so
    // a click anywhere on the bar without moving moves nothing.
    int m_grabOffset = 0;
    bool m_dragging = false;
};
