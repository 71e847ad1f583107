#pragma once

#include "views/MapRecordView.h"
#include "views/PreviewMapCore.h"
#include "views/ui/MapCtrl.h"

// The job view's map pane: the map with the preview geometry of the raw data and the COGO commands.
// It takes the zoom commands of the main window (Zoom Extents, Previous, Next, In, Out) and Erase
// Scratch Lines while it is the active job view's map.
class CPreviewMapCtrl : public CMapCtrl
{
public:
    CPreviewMapCtrl(wxWindow* parent, wxWindowID id);
    ~CPreviewMapCtrl() override;

    CPreviewMapCore& Preview() { return static_cast<CPreviewMapCore&>(*m_core); }

    // Makes this the active job view's map: scratch geometry, immediate redraws and records drawing
    // themselves reach it, and it takes the main window's map commands. The job view calls it.
    void InstallAsActiveJobMap();
    void UninstallAsActiveJobMap();

    // The job view's hints as far as they concern the map; deferred is the view's batch mode.
    void OnJobViewHint(int32_t hint, intptr_t hintObject, bool deferred);

    std::unique_ptr<wxMenu> BuildContextMenu(const wxPoint& client, bool& beep) override;

    // The commands, as the main window's menu and toolbar reach them.
    void OnMapCommand(wxCommandEvent& event);
    void OnUpdateMapCommand(wxUpdateUIEvent& event);

private:
    CMapRecordView m_recordView;
    wxWindow* m_commandSource = nullptr;
    bool m_installed = false;
};
