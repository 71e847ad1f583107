#include "shell/ui/MorvelToolbar.h"

#include "framework/ui/Icons.h"
#include "shell/CommandIds.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/menu.h>

#include <memory>

namespace {

wxBitmap ToolBitmap(CIcons& icons, unsigned id)
{
    if (const wxBitmap* bitmap = icons.GetIcon(id, true))
        return *bitmap;
    return wxArtProvider::GetBitmap(wxART_MISSING_IMAGE, wxART_TOOLBAR, wxSize(16, 16));
}

int StepOf(int command, int first)
{
    const int index = command - first;
    return index >= 0 && index < 5 ? CMorvelToolbar::ZoomSteps[index] : 0;
}

} // namespace

const std::vector<int>& CMorvelToolbar::GetCommandList()
{
    static const std::vector<int> commands = {IdOpenJob, 0, IdZoomIn, IdZoomOut, 0,
                                              IdSnapToPoint, IdSnapFree, IdSnapToGrid, IdLockSnap};
    return commands;
}

CMorvelToolbar::CMorvelToolbar(wxWindow* parent, wxWindowID id, CIcons& icons)
    : wxAuiToolBar(parent, id, wxDefaultPosition, wxDefaultSize, wxAUI_TB_DEFAULT_STYLE)
{
    SetName("Morvel Toolbar");
    AddTool(IdOpenJob, "Open Job", ToolBitmap(icons, IdOpenJob), "Open Job");
    AddSeparator();
    AddTool(IdZoomIn, "Zoom In", ToolBitmap(icons, IdZoomIn), wxString());
    AddTool(IdZoomOut, "Zoom Out", ToolBitmap(icons, IdZoomOut), wxString());
    SetToolDropDown(IdZoomIn, true);
    SetToolDropDown(IdZoomOut, true);
    AddSeparator();
    AddTool(IdSnapToPoint, "Snap to Point", ToolBitmap(icons, IdSnapToPoint), "Snap to Point", wxITEM_CHECK);
    AddTool(IdSnapFree, "Snap Free", ToolBitmap(icons, IdSnapFree), "Snap Free", wxITEM_CHECK);
    AddTool(IdSnapToGrid, "Snap to Grid", ToolBitmap(icons, IdSnapToGrid), "Snap to Grid", wxITEM_CHECK);
    AddTool(IdLockSnap, "Lock Snap", ToolBitmap(icons, IdLockSnap), "Lock Snap", wxITEM_CHECK);
    UpdateZoomTips();
    Realize();
    Bind(wxEVT_AUITOOLBAR_TOOL_DROPDOWN, &CMorvelToolbar::OnZoomDropDown, this);
}

void CMorvelToolbar::UpdateZoomTips()
{
    SetToolShortHelp(IdZoomIn, wxString::Format("Zoom In by %d%%", m_zoomInStep));
    SetToolShortHelp(IdZoomOut, wxString::Format("Zoom Out by %d%%", m_zoomOutStep));
}

wxMenu* CMorvelToolbar::MakeZoomMenu(int tool) const
{
    auto* menu = new wxMenu;
    const bool in = tool == IdZoomIn;
    const int first = in ? IdZoomInStepFirst : IdZoomOutStepFirst;
    for (int i = 0; i < 5; ++i) {
        const int command = first + i;
        menu->AppendCheckItem(command, wxString::Format(in ? "Zoom in by %d%%" : "Zoom out by %d%%", ZoomSteps[i]));
        menu->Check(command, in ? IsZoomInStep(command) : IsZoomOutStep(command));
    }
    return menu;
}

void CMorvelToolbar::OnZoomDropDown(wxAuiToolBarEvent& event)
{
    const int tool = event.GetId();
    if ((tool != IdZoomIn && tool != IdZoomOut) || !event.IsDropDownClicked()) {
        event.Skip();
        return;
    }
    std::unique_ptr<wxMenu> menu(MakeZoomMenu(tool));
    const wxRect rect = event.GetItemRect();
    const int chosen = GetPopupMenuSelectionFromUser(*menu, wxPoint(rect.x, rect.y + rect.height + 1));
    if (tool == IdZoomIn)
        OnZoomInStep(chosen);
    else
        OnZoomOutStep(chosen);
}

void CMorvelToolbar::OnZoomInStep(int command)
{
    const int step = StepOf(command, IdZoomInStepFirst);
    if (step == 0)
        return;
    m_zoomInStep = step;
    UpdateZoomTips();
    if (wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) {
        wxCommandEvent zoom(wxEVT_MENU, IdZoomIn);
        main->GetEventHandler()->ProcessEvent(zoom);
    }
}

void CMorvelToolbar::OnZoomOutStep(int command)
{
    const int step = StepOf(command, IdZoomOutStepFirst);
    if (step == 0)
        return;
    m_zoomOutStep = step;
    UpdateZoomTips();
    if (wxWindow* main = wxTheApp ? wxTheApp->GetTopWindow() : nullptr) {
        wxCommandEvent zoom(wxEVT_MENU, IdZoomOut);
        main->GetEventHandler()->ProcessEvent(zoom);
    }
}

bool CMorvelToolbar::IsZoomInStep(int command) const { return StepOf(command, IdZoomInStepFirst) == m_zoomInStep; }

bool CMorvelToolbar::IsZoomOutStep(int command) const
{
    return StepOf(command, IdZoomOutStepFirst) == m_zoomOutStep;
}
