#pragma once

#include "framework/ui/CoolMenuManager.h"
#include "framework/ui/DockableWindow.h"
#include "platform/StatusBarHost.h"

#include <wx/aui/framemanager.h>
#include <wx/frame.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCalculatorWindow;
class CDataFileDoc;
class wxMenuBar;
class CMessageBar;
class wxMenu;
class CIcons;
class CMorvelToolbar;
class CMorvelView;
class CRecentFileList;
class CView;
class CViewTabBar;
class wxGauge;

// The program's one top-level window: the job view in the centre, the toolbar, the side bar on the
// left, the message bar and the view tab bar at the bottom (all wxAuiManager panes), and the status
// bar with its progress display. Each screen mode (normal, full screen) keeps its own bar layout
// in the profile.
class CStackingDialogBar;
class CStackableDialog;
class wxPrintData;

class CMainFrame : public wxFrame, public CStatusBarHost
{
public:
    // Shows the command's prompt in the status bar while its menu item is highlighted, for the
    // menu bar and every popup menu alike; show false puts back what the bar said before.
    void ShowCommandPrompt(int command, bool show);
    // The bars the user can show and hide, by the index the visibility tables use.
    enum BarIndex { ToolBarIndex = 0, MessageBarIndex = 1, ViewTabBarIndex = 2, DialogBarIndex = 3 };
    static constexpr int BarCount = 4;
    // The AUI pane names, which are also the names in the saved layouts.
    static constexpr const char* PaneNames[BarCount] = {"Toolbar", "MessageBar", "ViewTabBar", "DialogBar"};

    CMainFrame(CIcons& icons, CRecentFileList& recentFiles);
    ~CMainFrame() override;

    // --- Job view.
    // Puts a job view for the document in the centre and tells the job its view is active.
    CMorvelView* CreateJobView(CDataFileDoc& document);
    void DestroyJobView();
    CMorvelView* GetJobView() const { return m_jobView; }
    CStackingDialogBar* GetStackingBar() const { return m_stackingBar; }

    // --- Bars.
    wxAuiManager& GetAuiManager() { return m_aui; }
    wxWindow* GetBar(int index) const { return index >= 0 && index < BarCount ? m_bars[size_t(index)] : nullptr; }
    CMorvelToolbar* GetMorvelToolbar() const { return m_toolBar; }
    CViewTabBar* GetViewTabBar() const { return m_viewTabBar; }
    bool IsBarShown(int index);
    // Shows or hides a bar at once, as the Toolbars dialog does.
    void ShowBar(int index, bool show);
    // "Toolbars...": the bars the active view allows, each shown or hidden with its check.
    void OnViewToolbars();
    // Bars a view kind allows: the job view all, the print preview and no view none.
    static bool IsBarAllowedInView(int index, int32_t viewKind);
    // Shows each bar as the active view and the current mode's table allow.
    void ApplyViewBars();
    void RefreshBarsAndStatus();
    void SetModeBarVisible(int index, bool visible);
    bool GetModeBarVisible(int index) const;
    void ShowDialogBar(bool show);
    void ShowMessageBar(bool show);
    CMessageBar* GetMessageBar() const { return m_messageBar; }
    // Puts a report's rich text into the message bar.
    void ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd);
    // The record that the user closed the message bar with its "X".
    bool GetUserClosedMessageBar() const { return m_bMessageBarClosedByUser; }
    void SetUserClosedMessageBar(bool closed) { m_bMessageBarClosedByUser = closed; }
    // The bars the dock menu offers (their indexes) and the menu itself, commands 44000 up.
    std::vector<int> GetDockMenuBars();
    wxMenu* BuildDockMenu();
    void OnDockMenuCommand(wxCommandEvent& event);
    void LoadModeBarState();
    void SaveModeBarState();
    void SetFullScreen(bool fullScreen);
    bool IsFullScreen() const { return m_fullScreen; }
    void ToggleFullScreen() { SetFullScreen(!m_fullScreen); }
    // Saves the layout of the current mode (when a job view is up) before the frame closes.
    void PrepareClose();
    // The job document closed: while the frame closes nothing more is needed of the bars.
    void OnJobDocumentClosed();
    bool IsClosing() const { return m_closing; }

    // --- Title and menus.
    // "Morvel <version> - " and the job's caption.
    std::string MakeFrameTitle() const;
    void UpdateFrameTitle();
    void UpdateRecentFileMenu();

    // --- Status bar.
    void UpdatePaneWidths();
    void SetStatusMessage(const std::string& text) override;
    void SetStatusMessageById(uint32_t id) override;
    void SetProgressPos(int32_t pos) override;
    void EndProgress() override;
    void EndStatusProgress() { EndProgress(); }
    void ShowMessageTextNow(const std::string& text);
    void ShowMessageTextIdNow(uint32_t id);
    void SetPaneText(int pane, const std::string& text);
    // The message pane's text while nothing is going on.
    void ShowIdleMessage() { SetPaneText(0, IdleMessageText); }
    static constexpr const char* IdleMessageText = "For Help, press F1";
    std::string GetPaneText(int pane) const;
    void ShowCursorPosition(double northing, double easting);
    void ClearStatusPane1();
    void ClearStatusPane2();
    void SetStatusPane2Text(const char* text);
    wxGauge* GetProgressControl() const { return m_progress; }

    // --- Menu pictures and keys.
    CCoolMenuManager& GetMenuManager() { return m_menuManager; }
    // The menus take their pictures again (the application reloaded its menus).
    void RefreshMenuImages();
    // "Technical Support...": the support contacts, modal over the frame.
    void OnTechnicalSupport();

    // 0x80D7: the active job delivers the change hints it holds back.
    void DeliverHints();

    // "Change Description..." for the job's current record: one undo step, then the record redrawn.
    void OnChangeDescription();

    // --- Job, log and edit commands (MainFrameJobCommands.cpp).
    // Stores the tab choice ("Settings"/"TabSel1"), then with a job brings its view forward on
    // that tab (hint 20).
    void ShowJobView(bool rawDataTab);
    // The Job File View command (7327) as the job document asks for it.
    void SendJobFileViewCommand() { ShowJobView(false); }
    void OnSaveJob();
    // Save As for the active job (see shell/SaveJobAs.h); dialogResult may be null.
    bool SaveJobAs(int* dialogResult);
    static std::string GetTransferLogPath();
    void OnViewTransferLog();
    // Asks "Clear Transfer Log?"; any answer but No empties the log.
    void OnClearTransferLog();
    // Creates a missing log; true when it holds something to clear.
    bool CanClearTransferLog();
    void OnViewLastModifiedLog();
    void OnClearLastModifiedLog();
    void OnPageSetup();
    // The printer and paper the page setup chose, for printing.
    wxPrintData& GetPrintData();
    void OnPointLabels();
    void OnRedraw();
    void OnZoomToCurrentObject();
    void OnClearDialogBar();
    // 0x80F2 from the navigator: bit 0 shows the raw data tab, bit 1 regenerates the job from
    // its raw data first. 1 when a job was open, 0 without one or when the options were cancelled.
    intptr_t OnRegenerateJob(intptr_t lParam);
    // Reads the active job again from its files; quiet asks nothing. True when it reloaded.
    bool ReloadActiveJob(bool quiet);
    // Takes the side bar, its panels and the navigator down while the views and jobs still live.
    void DestroyStackingBar();
    bool Destroy() override;

    // --- Side-bar relays.
    bool PushStackableDialog(CStackableDialog* panel, uint32_t templateId);
    CStackableDialog* GetTopDialog();
    void RemoveStackedDialog(CStackableDialog* panel, bool flag);
    // Entry 0 is the navigator. A covered top panel hears 0x80D3 first, unless entry 1 is asked.
    CStackableDialog* ActivateStackEntry(int index);
    void FillStackMenu(wxMenu* menu);
    size_t GetStackCount();
    // One job view in this window: the job's panels are all the panels.
    void CloseStackedDialogs(CDataFileDoc* job);
    // A menu command that pushes its panel (shell/ui/PanelFactories.h).
    void RunPanelCommand(int command);
    bool CanRunPanelCommand(int command);

    // --- Global commands and services (MainFrameCommands.cpp).
    // The job view when it is the active view (there are no child frames); else null.
    CMorvelView* GetActiveChildView() const;
    void SaveDialogBarFocus();
    void RestoreDialogBarFocus();
    void RefreshBars();
    // Empties the message bar (its command 7257); the job view asks for it.
    void ClearMessageWindow();
    // One calculator window: opens it with the value, or pushes the value onto the open one.
    void OpenCalculator(double value);
    void CloseCalculator();
    CCalculatorWindow* GetCalculator() const { return m_pCalculator.get(); }
    // The panel of a panel-table command onto the side bar; false when it is not there.
    bool PushPanelCommand(int command);
    // Send Job and Get Job: the transfer settings first when they ask for it, then the panel.
    void OnTransferCommand(int command, uint32_t templateId);
    void OnShortcuts();
    void OnUpdateShortcuts(wxUpdateUIEvent& event);
    // Tools > Create Job from Backup (7497) and Create Job from Vectrin File (7498): the dialog,
    // then the job made from the chosen file and opened.
    void OnCreateJobFromBackup();
    void OnCreateJobFromVectrinFile();
    // The Create Job commands' road once their dialog is accepted: the job made and opened.
    bool CreateJobFromFieldData(bool fromBackup, const std::string& sourcePath, const std::string& jobPath);
    // Files dropped from the file manager: the first opens as Open Job opens it.
    void OnDropFiles(const std::vector<std::string>& paths);
    // The frame activated or deactivated: the side panel's focus is saved on the way out and
    // given back on the way in (a keyboard activation), and the side bar's titles follow.
    void OnActivateFrame(bool active, bool byClick);
    // The program activated: the side bar paints afresh.
    void OnActivateApp(bool active);
    // A menu opens: the view tool stops its feedback.
    void OnEnterMenuLoop();

private:
    void CreateMenus();
    void CreateGlobalCommandMenus(wxMenuBar* bar);
    void BindGlobalCommands();
    void OnImportCommand(int command);
    void OnWebCommand(int command);
    void UpdateSelectionInfo();
    void InstallMenuManager();
    void CreateBars();
    void OnSize(wxSizeEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnActivateAppEvent(wxActivateEvent& event);
    void OnPaneClose(wxAuiManagerEvent& event);
    void OnCommand(wxCommandEvent& event);
    void OnMessageBarClose(wxCommandEvent& event);
    // 0x8078, 0x8079, 0x807A from the message bar, on to the side bar.
    void OnRelayToDialogBar(wxCommandEvent& event);
    // 0x807B from the side bar: its home panel refreshes every job's file items.
    void OnDialogBarRequest(wxCommandEvent& event);
    void OnDockContextMenu(wxContextMenuEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void BindJobCommands();
    void AppendJobMenuItems(wxMenu* file, wxMenu* edit, wxMenu* view);
    bool JobViewActive() const;
    bool* CurrentTable();
    const bool* CurrentTable() const;

    CIcons& m_icons;
    CCoolMenuManager m_menuManager;
    CRecentFileList& m_recentFiles;
    CDockingManager m_aui;
    std::array<wxWindow*, BarCount> m_bars{};
    CMorvelToolbar* m_toolBar = nullptr;
    CViewTabBar* m_viewTabBar = nullptr;
    CMessageBar* m_messageBar = nullptr;
    bool m_bMessageBarClosedByUser = false;
    std::vector<int> m_dockMenuBars;
    wxWindow* m_emptyCentre = nullptr;
    CMorvelView* m_jobView = nullptr;
    CStackingDialogBar* m_stackingBar = nullptr;
    wxGauge* m_progress = nullptr;
    wxMenu* m_fileMenu = nullptr;
    size_t m_recentMenuStart = 0;
    int m_recentMenuCount = 0;
    bool m_viewPresent = false;
    bool m_closing = false;
    bool m_fullScreen = false;
    bool m_wasMaximized = false;
    CView* m_lastIdleView = nullptr;
    bool m_lastIdleViewSeen = false;
    std::unique_ptr<CCalculatorWindow> m_pCalculator;


    static bool s_normalVisible[BarCount];
    static bool s_fullScreenVisible[BarCount];
};
