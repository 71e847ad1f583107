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

namespace {
bool IsDockable(const wxAuiPaneInfo& pane) { return dynamic_cast<CDockableWindow*>(pane.window) != nullptr; }

bool IsAcross(int direction) { return direction == wxAUI_DOCK_TOP || direction == wxAUI_DOCK_BOTTOM; }
} // namespace

int CDockingManager::GetDockedMinExtent(const wxAuiPaneInfo& pane)
{
    const bool across = IsAcross(pane.dock_direction);
    int extent = CDockableWindow::MinDockedExtent;
    wxAuiPaneInfoArray& panes = GetAllPanes();
    for (size_t i = 0; i < panes.GetCount(); ++i) {
        const wxAuiPaneInfo& other = panes.Item(i);
        if (other.window == pane.window || !other.IsShown() || !other.IsDocked() ||
            other.dock_direction != pane.dock_direction || IsDockable(other) || other.window == nullptr)
            continue;
        // Its present thickness, or before the first layout what it asks for.
        const wxSize size = other.window->GetSize();
        int thickness = across ? size.y : size.x;
        for (const wxSize& asked : {other.best_size, other.min_size})
            thickness = std::max(thickness, across ? asked.y : asked.x);
        extent = std::max(extent, thickness);
    }
    return extent;
}

void CDockingManager::SetMinSizeFor(wxAuiPaneInfo& pane)
{
    if (pane.IsFloating()) {
        pane.MinSize(CDockableWindow::MinFloatingSize, CDockableWindow::MinFloatingSize);
        return;
    }
    const int extent = GetDockedMinExtent(pane);
    if (IsAcross(pane.dock_direction))
        pane.MinSize(CDockableWindow::MinDockedExtent, extent);
    else
        pane.MinSize(extent, CDockableWindow::MinDockedExtent);
}

void CDockingManager::UpdateDockableMinSizes()
{
    wxAuiPaneInfoArray& panes = GetAllPanes();
    for (size_t i = 0; i < panes.GetCount(); ++i)
        if (IsDockable(panes.Item(i)))
            SetMinSizeFor(panes.Item(i));
}

wxAuiFloatingFrame* CDockingManager::CreateFloatingFrame(wxWindow* parent, const wxAuiPaneInfo& pane)
{
    // The frame takes its least size from the pane the manager floats, which is this one.
    if (IsDockable(pane) && pane.window != nullptr)
        SetMinSizeFor(GetPane(pane.window));
    return wxAuiManager::CreateFloatingFrame(parent, pane);
}

bool CDockingManager::ProcessDockResult(wxAuiPaneInfo& target, const wxAuiPaneInfo& newPos)
{
    const bool allowed = wxAuiManager::ProcessDockResult(target, newPos);
    if (allowed && IsDockable(target))
        SetMinSizeFor(target);
    return allowed;
}
