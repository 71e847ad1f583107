#pragma once

#include "framework/DialogStackModel.h"
#include "model/Interested.h"

#include <wx/panel.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CIcons;
class CNavigatorPanel;
class CStackableDialog;
class wxBoxSizer;

// The side bar at the left of the main window: shows its home panel or the top command panel of
// the active view's stack, and follows the change hints about views and panels.
class CStackingDialogBar : public wxPanel, public CInterested, public CDialogStackHost
{
public:
    static constexpr uint32_t HomeTemplateId = 1;

    // The home panel is the bar's for good; without one a plain stand-in takes its place.
    CStackingDialogBar(wxWindow* parent, CIcons* icons, CStackableDialog* home = nullptr);
    ~CStackingDialogBar() override;

    // What the bar asks of the program; the main window installs them.
    std::function<const void*()> activeView;
    std::function<bool(const void*)> isJobView;
    std::function<int32_t()> activeViewKind;
    std::function<void()> restoreDefaultTool;
    std::function<void()> resetExchange;
    std::function<void(int32_t, intptr_t)> notifyJob;
    std::function<void()> showBar;
    std::function<bool()> barVisible;
    // "General"/"Show Project Navigator": a push onto a hidden bar shows it for the navigator.
    std::function<bool()> showNavigatorPreferred;

    CIcons* GetIcons() const { return m_icons; }
    CDialogStackModel& Model() { return m_model; }
    CStackableDialog* GetHome() const { return m_home; }

    // The panel goes on top of the active view's stack (or an open one of its template comes up).
    bool PushDialog(CStackableDialog* panel);
    CStackableDialog* GetCurrent() const;
    CStackableDialog* GetTopDialog();
    CStackableDialog* ActivateStackEntry(int n);
    void RemoveDialog(CStackableDialog* panel);
    void ForgetPanel(CStackableDialog* panel);
    size_t GetStackCount() { return m_model.GetStackCount(); }
    std::vector<std::string> GetStackTitles() { return m_model.GetStackTitles(); }
    void CloseAllDialogs();
    int QueryCanCloseJob() { return m_model.QueryCanCloseJob(); }
    void OnJobChanged();
    // The main window was activated or deactivated: the home panel's and the top panel's title
    // strips repaint in the caption colours of that state.
    void RepaintTitles(bool active);
    bool AreTitlesActive() const { return m_titlesActive; }
    // 0x8078 to 0x807A and 0x80BD go to the shown panel; 0 without one.
    intptr_t ForwardToCurrent(uint32_t message, intptr_t wParam);
    // A window still in the program's window tree (compared by address, never read).
    static bool IsLiveWindow(const void* window);
    // Whether a shown panel of the bar holds the window (the main window takes its focus then).
    bool IsWindowInStackedDialogs(const wxWindow* window) const;

    // --- CInterested.
    void OnNotify(void* sender, int32_t code, intptr_t parameter) override;

    // --- CDialogStackHost.
    const void* GetActiveView() override { return activeView ? activeView() : nullptr; }
    bool IsJobView(const void* view) override { return isJobView && isJobView(view); }
    int32_t GetActiveViewKind() override { return activeViewKind ? activeViewKind() : 2; }
    void RestoreDefaultTool() override
    {
        if (restoreDefaultTool)
            restoreDefaultTool();
    }
    void NotifyActiveJob(int32_t code, intptr_t parameter) override
    {
        if (notifyJob)
            notifyJob(code, parameter);
    }
    void ResetGraphicDataExchange() override;
    bool IsBarVisible() override { return barVisible ? barVisible() : IsShown(); }
    void ShowBar() override
    {
        if (showBar)
            showBar();
    }
    bool ShowNavigatorPreferred() override { return showNavigatorPreferred ? showNavigatorPreferred() : true; }
    void FocusMainWindow() override;
    void RenewLabels() override;
    void RequestFileItemsRefresh() override;
    // --- Navigator relays: each reaches the home panel when it is the project navigator and has
    // its window.
    CNavigatorPanel* GetNavigator() const;
    void InitializeNavigator();
    void ShowNavigatorNoFile();
    void SetNavigatorJobTitle(const std::string& title);
    // The navigator refreshes the file items and marks of the job of that path.
    void UpdateNavigatorTree(const std::string& path);
    void UpdateNavigatorFileItems(const std::string& path);
    void ShowNavigatorFile(const std::string& path);
    // The home panel rebuilds every job's file items (0x807B).
    void RefreshAllJobs();
    void RefreshActiveJobMarks();
    void SelectActiveJobFile(bool raw);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMessageBarRequest(wxCommandEvent& event);

    CIcons* m_icons;
    CStackableDialog* m_home;
    CDialogStackModel m_model;
    wxBoxSizer* m_sizer;
    bool m_titlesActive = true;
};
