#include "framework/ui/DockableWindow.h"

#include "platform/Profile.h"

#include <wx/aui/framemanager.h>

#include <algorithm>
#include <string>

namespace {
std::string SectionName(int barId) { return "DockableWindow(" + std::to_string(barId) + ")"; }
} // namespace

CDockableWindow::CDockableWindow(wxWindow* parent, int barId) : wxPanel(parent, wxID_ANY), m_barId(barId)
{
    CProfile& profile = GetAppProfile();
    const std::string section = SectionName(barId);
    m_sizeBar.x = profile.GetProfileInt(section, "cx", DefaultSize);
    m_sizeBar.y = profile.GetProfileInt(section, "cy", DefaultSize);
    SetSize(m_sizeBar);
}

void CDockableWindow::TrackPaneSize(wxAuiManager& manager)
{
    wxAuiPaneInfo& pane = manager.GetPane(this);
    if (!pane.IsOk() || !pane.IsShown() || !IsShown())
        return;
    const wxSize size = GetSize();
    if (size.x <= 0 || size.y <= 0)
        return;
    if (pane.IsFloating()) {
        m_sizeBar = wxSize(std::max(size.x, MinFloatingSize), std::max(size.y, MinFloatingSize));
        pane.FloatingSize(m_sizeBar);
        return;
    }
    switch (pane.dock_direction) {
    case wxAUI_DOCK_TOP:
    case wxAUI_DOCK_BOTTOM:
        m_sizeBar.y = size.y;
        break;
    case wxAUI_DOCK_LEFT:
    case wxAUI_DOCK_RIGHT:
        m_sizeBar.x = size.x;
        break;
    default:
        break;
    }
    // Torn off, the bar takes the size it remembers.
    pane.FloatingSize(wxSize(std::max(m_sizeBar.x, MinFloatingSize), std::max(m_sizeBar.y, MinFloatingSize)));
}

void CDockableWindow::SaveSize() const
{
    CProfile& profile = GetAppProfile();
    const std::string section = SectionName(m_barId);
    profile.WriteProfileInt(section, "cx", m_sizeBar.x);
    profile.WriteProfileInt(section, "cy", m_sizeBar.y);
}
