#pragma once

#include "model/Interested.h"

#include <wx/panel.h>

class CIcons;
class wxBookCtrlEvent;
class wxNotebook;

// The tab bar docked under the job view: "Coordinates" and "Raw Data" switch the job view between
// its point grid and its raw data list.
class CViewTabBar : public wxPanel, public CInterested
{
public:
    // Tab numbers as the tabs carry them.
    static constexpr int CoordinatesTab = 1;
    static constexpr int RawDataTab = 2;

    CViewTabBar(wxWindow* parent, wxWindowID id, CIcons& icons);
    ~CViewTabBar() override;

    // Selects the tab of the active job view's pane.
    void RebuildTabs();
    // What a click on a tab does (index 0 or 1).
    void OnTabChosen(int index);

    int GetTabCount() const;
    wxString GetTabText(int index) const;
    int GetSelectedTab() const;

    bool IsInterested(int32_t code) override;
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

private:
    void OnPageChanged(wxBookCtrlEvent& event);

    wxNotebook* m_tabs = nullptr;
    bool m_rebuilding = false;
};
