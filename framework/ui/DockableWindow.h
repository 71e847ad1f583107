#pragma once

#include <wx/aui/framemanager.h>
#include <wx/panel.h>

// A bar docked in the main frame's AUI layout whose size the user chooses: the size is read from
// the profile section "DockableWindow(<id>)", keys "cx" and "cy" (200 each when absent), when the
// bar is made, follows the user's resizing while it is docked, and is written back when the frame
// closes. A floating bar is never smaller than 50 by 50; a docked one is as small as its side
// allows (CDockingManager).
class CDockableWindow : public wxPanel
{
public:
    static constexpr int DefaultSize = 200;
    static constexpr int MinFloatingSize = 50;
    // Docked, never thinner than this or than the other bars on its side.
    static constexpr int MinDockedExtent = 16;

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

// The main frame's docking. A dockable window's least size depends on where it is: floating, 50
// by 50; docked, 16 pixels across its side (its height at the top or bottom, its width at the
// left or right), or the thickest other shown bar docked on that side when that is more, so the
// user can drag it down to the tab strip's height.
class CDockingManager : public wxAuiManager
{
public:
    // The least thickness of a dockable window docked on the pane's side.
    int GetDockedMinExtent(const wxAuiPaneInfo& pane);
    // Gives every dockable window's pane the least size for where it is now; for after a layout
    // was loaded or a pane docked or floated by the program.
    void UpdateDockableMinSizes();

protected:
    // A pane that comes to float takes the floating least size before its frame is made.
    wxAuiFloatingFrame* CreateFloatingFrame(wxWindow* parent, const wxAuiPaneInfo& pane) override;
    // A pane the user drops on a side takes the docked least size.
    bool ProcessDockResult(wxAuiPaneInfo& target, const wxAuiPaneInfo& newPos) override;

private:
    void SetMinSizeFor(wxAuiPaneInfo& pane);
};
