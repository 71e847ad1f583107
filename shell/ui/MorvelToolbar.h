#pragma once

#include <wx/aui/auibar.h>

#include <vector>

class CIcons;

// The main toolbar. Zoom In and Zoom Out carry drop-downs that choose their step (5 to 75 percent);
// choosing a step also zooms at once.
class CMorvelToolbar : public wxAuiToolBar
{
public:
    static constexpr int ZoomSteps[5] = {5, 10, 25, 50, 75};
    // The toolbar whose buttons give the menus their pictures, and its commands in button order
    // (0 a separator).
    static constexpr int ToolbarResourceId = 939;
    static const std::vector<int>& GetCommandList();

    CMorvelToolbar(wxWindow* parent, wxWindowID id, CIcons& icons);

    int GetZoomInStep() const { return m_zoomInStep; }
    int GetZoomOutStep() const { return m_zoomOutStep; }

    // Commands 7207-7211 and 7212-7216: set the step and send Zoom In or Zoom Out to the main
    // window.
    void OnZoomInStep(int command);
    void OnZoomOutStep(int command);
    bool IsZoomInStep(int command) const;
    bool IsZoomOutStep(int command) const;

    // The step menu of a drop-down (7203 or 7204), as shown under the button.
    wxMenu* MakeZoomMenu(int tool) const;

private:
    void OnZoomDropDown(wxAuiToolBarEvent& event);
    void UpdateZoomTips();

    int m_zoomInStep = 10;
    int m_zoomOutStep = 10;
};
