#pragma once

#include <wx/panel.h>

class wxAuiManager;

// A bar docked in the main frame's AUI layout whose size the user chooses: the size is read from
// the profile section "DockableWindow(<id>)", keys "cx" and "cy" (200 each when absent), when the
// bar is made, follows the user's resizing while it is docked, and is written back when the frame
// closes. A floating bar is never smaller than 50 by 50.
class CDockableWindow : public wxPanel
{
public:
    static constexpr int DefaultSize = 200;
    static constexpr int MinFloatingSize = 50;

    CDockableWindow(wxWindow* parent, int barId);

    int GetBarId() const { return m_barId; }
    // The remembered size: the docked height of a bar at the top or bottom, the docked width of
    // one at the left or right, and the size it floats with.
    const wxSize& GetSizeBar() const { return m_sizeBar; }
    void SetSizeBar(const wxSize& size) { m_sizeBar = size; }

    // Follows the pane's present size in the layout; called when the frame's layout changed.
    void TrackPaneSize(wxAuiManager& manager);
    // Writes the remembered size to the profile.
    void SaveSize() const;

private:
    int m_barId;
    wxSize m_sizeBar;
};
