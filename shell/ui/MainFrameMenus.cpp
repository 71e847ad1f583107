// The main frame's menu pictures, keys and the Help windows.
#include "shell/ui/MainFrame.h"

#include "shell/FrameAccelerators.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/MorvelToolbar.h"

#include <wx/aui/framemanager.h>

void CMainFrame::InstallMenuManager()
{
    m_menuManager.SetIcons(&m_icons);
    m_menuManager.SetToolbarSource([](int id) -> std::optional<CCoolMenuManager::Toolbar> {
        if (id != CMorvelToolbar::ToolbarResourceId)
            return std::nullopt;
        return CCoolMenuManager::Toolbar{CMorvelToolbar::GetCommandList(), 16, 16};
    });
    m_menuManager.Install(this);
    m_menuManager.LoadToolbarImages({CMorvelToolbar::ToolbarResourceId});
    m_menuManager.LoadAccelerators(GetFrameAccelerators());
    m_menuManager.UpdateMenus();
}

void CMainFrame::RefreshMenuImages()
{
    m_menuManager.ClearImages();
    // A floating toolbar is docked while the pictures are made again, then floated where it was.
    wxAuiPaneInfo& pane = m_aui.GetPane(m_toolBar);
    const bool floating = pane.IsOk() && pane.IsFloating();
    const wxPoint at = floating ? pane.floating_pos : wxDefaultPosition;
    if (floating) {
        pane.Hide().Dock();
        m_aui.Update();
    }
    m_menuManager.LoadToolbarImages({CMorvelToolbar::ToolbarResourceId});
    m_menuManager.UpdateMenus();
    if (floating) {
        pane.Float().FloatingPosition(at).Show();
        m_aui.Update();
    }
}

void CMainFrame::OnTechnicalSupport()
{
    CTechSupportDlg dialog(this);
    dialog.DoModal(this);
}
