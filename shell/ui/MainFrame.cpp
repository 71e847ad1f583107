#include "shell/ui/MainFrame.h"

#include "cogo/ui/ChangeDescription.h"
#include "core/ProgramHelpers.h"
#include "core/ResourceStrings.h"
#include "framework/ColorTable.h"
#include "framework/ui/Icons.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "framework/ui/WindowEvents.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocShell.h"
#include "model/DataFileSmartHintManager.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/Record.h"
#include "platform/Profile.h"
#include "platform/ShellHooks.h"
#include "platform/Version.h"
#include "rawdata/ui/RawPanels.h"
#include "shell/CommandIds.h"
#include "shell/FrameCommandRules.h"
#include "shell/FrameWindowRegistry.h"
#include "shell/HelpDocuments.h"
#include "shell/MainWindowSize.h"
#include "shell/RecentFileList.h"
#include "shell/StatusPanes.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/MorvelToolbar.h"
#include "shell/ui/ProjectNavigator.h"
#include "shell/ui/RunUserPreferences.h"
#include "shell/ui/SplashWnd.h"
#include "shell/ui/ToolbarDlg.h"
#include "shell/ui/ViewTabBar.h"
#include "shell/ui/ZoomToPoint.h"
#include "views/MapCommands.h"
#include "views/ui/MorvelView.h"
#include "views/ui/ViewToolHost.h"

#include <wx/cmndata.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/statusbr.h>
#include <wx/utils.h>
#include <wx/wupdlock.h>

#include <memory>

namespace {

constexpr const char* ToolbarsSection = "Toolbars";
constexpr int32_t NoViewKind = 2;
constexpr const char* IdleMessage = CMainFrame::IdleMessageText;

// The last progress position sent, program-wide, so that a new display that starts where the
// last one ended sends nothing for it.
int32_t s_lastProgressPos = 0;

int32_t ActiveViewKind()
{
    int32_t kind = NoViewKind;
    GetActiveViewAndKind(&kind);
    return kind;
}

} // namespace

bool CMainFrame::s_normalVisible[BarCount] = {true, false, true, true};
bool CMainFrame::s_fullScreenVisible[BarCount] = {true, false, true, true};

CMainFrame::CMainFrame(CIcons& icons, CRecentFileList& recentFiles)
    : wxFrame(nullptr, wxID_ANY, wxString::Format("Morvel %s", MORVEL_VERSION_TEXT), wxDefaultPosition,
              wxSize(DefaultMainWindowWidth, DefaultMainWindowHeight)),
      m_icons(icons), m_recentFiles(recentFiles)
{
    if (const wxBitmap* icon = icons.GetIcon(IconApplication, false)) {
        wxIcon frameIcon;
        frameIcon.CopyFromBitmap(*icon);
        SetIcon(frameIcon);
    }
    m_aui.SetManagedWindow(this);
    CreateMenus();

    CreateStatusBar(StatusPaneCount);
    SetStatusText(IdleMessage, 0);
    SetStatusText("Coordinate info", 1);
    SetStatusText("View Tool info", 2);
    SetStatusText("Selection info", 3);

    CreateBars();
    UpdatePaneWidths();
    InstallMenuManager();

    Bind(wxEVT_SIZE, &CMainFrame::OnSize, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_MENU_HIGHLIGHT, [this](wxMenuEvent& e) { ShowCommandPrompt(e.GetMenuId(), true); });
    Bind(wxEVT_AUI_PANE_CLOSE, &CMainFrame::OnPaneClose, this);
    Bind(EVT_DELIVER_HINTS_80D7, [this](wxCommandEvent&) { DeliverHints(); });
    Bind(wxEVT_BUTTON, &CMainFrame::OnMessageBarClose, this, IdMessageBarClose);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { CMorvelApp::OpenManual(); }, IdViewManual);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { CMorvelApp::OpenGettingStarted(); }, IdGettingStarted);
    Bind(wxEVT_CONTEXT_MENU, &CMainFrame::OnDockContextMenu, this);
    Bind(wxEVT_MENU, &CMainFrame::OnDockMenuCommand, this, IdDockBarFirst, IdDockBarLast);
    Bind(EVT_MESSAGEBAR_CLEAR_8078, &CMainFrame::OnRelayToDialogBar, this);
    Bind(EVT_MESSAGEBAR_REPORT_8079, &CMainFrame::OnRelayToDialogBar, this);
    Bind(EVT_MESSAGEBAR_REPORTED_807A, &CMainFrame::OnRelayToDialogBar, this);
    Bind(EVT_DIALOG_BAR_REQUEST_807B, &CMainFrame::OnDialogBarRequest, this);
    for (int id : {IdViewToolbars, IdToggleDialogBar, IdMessageBar}) {
        Bind(wxEVT_MENU, &CMainFrame::OnCommand, this, id);
        Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateCommand, this, id);
    }
    // "Zoom to Point..." opens the modeless window, or closes it when it is open.
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { CZoomToPoint::Toggle(this); }, IdZoomToPoint);
    // The job view's commands reach the stand-in job view from here.
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        if (m_jobView && ActiveViewKind() == 0)
            m_jobView->OnJobSettings();
    }, IdJobSettings);
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(m_jobView && ActiveViewKind() == 0); }, IdJobSettings);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnChangeDescription(); }, IdChangeDescription);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { OnPreferencesCommand(); }, IdPreferences);
    BindJobCommands();
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnTechnicalSupport(); }, IdTechnicalSupport);
    BindGlobalCommands();
    Bind(wxEVT_ACTIVATE, [this](wxActivateEvent& event) {
        event.Skip();
        OnActivateFrame(event.GetActive(), event.GetActivationReason() == wxActivateEvent::Reason_Mouse);
    });
    Bind(wxEVT_MENU_OPEN, [this](wxMenuEvent& event) {
        event.Skip();
        OnEnterMenuLoop();
    });
    wxTheApp->Bind(wxEVT_ACTIVATE_APP, &CMainFrame::OnActivateAppEvent, this);
    DragAcceptFiles(true);
    Bind(wxEVT_DROP_FILES, [this](wxDropFilesEvent& event) {
        std::vector<std::string> paths;
        for (int i = 0; i < event.GetNumberOfFiles(); ++i)
            paths.push_back(event.GetFiles()[i].utf8_string());
        OnDropFiles(paths);
    });
    Centre();
    CSplashWnd::ShowSplash(this);
}

CMainFrame::~CMainFrame()
{
    if (wxTheApp)
        wxTheApp->Unbind(wxEVT_ACTIVATE_APP, &CMainFrame::OnActivateAppEvent, this);
    if (GetMainStatusHost() == this)
        SetMainStatusHost(nullptr);
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        app->OnMainFrameDestroyed(this);
    CloseCalculator();
    m_aui.UnInit();
}

void CMainFrame::CreateMenus()
{
    auto* bar = new wxMenuBar;
    m_fileMenu = new wxMenu;
    m_fileMenu->Append(IdOpenJob, "&Open Job...");
    m_fileMenu->Append(IdCloseJob, "&Close Job");
    m_fileMenu->Append(IdNewJob, "New Job...");
    m_fileMenu->Append(IdSaveJob, "Save Job");
    m_fileMenu->Append(IdSaveJobAs, "Save Job As...");
    m_fileMenu->AppendSeparator();
    m_fileMenu->Append(IdJobSettings, "Job Settings...");
    m_fileMenu->Append(IdPreferences, "Preferences...");
    // Both in their place here, so the commands that fill them later leave Exit last.
    m_fileMenu->AppendSubMenu(new wxMenu, "&Import");
    auto* exportMenu = new wxMenu;
    exportMenu->Append(IdExportDxf, "AutoCAD (.DXF)...");
    m_fileMenu->AppendSubMenu(exportMenu, "&Export");
    m_fileMenu->Append(IdPageSetup, "Page Setup...");
    m_fileMenu->AppendSeparator();
    m_fileMenu->Append(IdFilePrint, "&Print...\tCtrl+P");
    m_fileMenu->Append(IdFilePrintPreview, "Print Preview");
    m_fileMenu->AppendSeparator();
    m_recentMenuStart = m_fileMenu->GetMenuItemCount();
    m_fileMenu->AppendSeparator();
    m_fileMenu->Append(IdAppExit, "E&xit");
    bar->Append(m_fileMenu, "&File");

    auto* edit = new wxMenu;
    edit->Append(IdUndo, "&Undo\tCtrl+Z");
    edit->Append(IdRedo, "&Redo\tCtrl+Y");
    edit->AppendSeparator();
    edit->Append(IdFindPoint, "&Find...\tCtrl+F");
    edit->Append(IdDeletePoints, "Delete Points...\tCtrl+D");
    bar->Append(edit, "&Edit");

    auto* job = new wxMenu;
    job->Append(IdEditRawDataRecords, "Edit Raw Data Records...");
    job->Append(IdFindRawDataRecords, "Find Raw Data Records...");
    job->Append(IdRawDataReduction, "Raw Data Reduction...");
    job->Append(IdRawDataReport, "Raw Data Report...", "Generates a report of Raw Data Records");
    job->AppendSeparator();
    job->Append(IdDuplicateRawLine, "Duplicate");
    job->AppendSeparator();
    job->AppendCheckItem(IdDontDrawRawData, "Don't Draw");
    job->AppendCheckItem(IdDrawRawSelection, "Draw Selection");
    job->AppendCheckItem(IdDrawRawProgressive, "Progressive");
    job->AppendCheckItem(IdDrawRawEverything, "Draw Everything");
    bar->Append(job, "&Job");

    auto* view = new wxMenu;
    view->Append(IdViewToolbars, "&Toolbars...");
    // The job map's zoom commands; the map pane takes them while it is there.
    auto* zoom = new wxMenu;
    zoom->Append(IdZoomExtents, "Zoom Extents\tCtrl+A");
    zoom->AppendCheckItem(IdZoomWindow, "Zoom Window\tCtrl+W");
    zoom->Append(IdZoomPrevious, "Zoom Previous\tCtrl+0");
    zoom->Append(IdZoomNext, "Zoom Next\tCtrl+9");
    zoom->Append(new CKeyTextMenuItem(zoom, IdZoomIn, "Zoom In\tAlt+(+)"));
    zoom->Append(new CKeyTextMenuItem(zoom, IdZoomOut, "Zoom Out\tAlt+(-)"));
    zoom->AppendCheckItem(IdRealtimeZoom, "Realtime Zoom\tCtrl+Q");
    zoom->AppendCheckItem(IdRealtimePan, "Realtime Pan\tAlt+Q");
    zoom->Append(IdZoomToPoint, "Zoom to Point...");
    view->AppendSubMenu(zoom, "&Zoom");
    view->AppendCheckItem(IdMessageBar, "&Message Bar");
    view->AppendSeparator();
    view->Append(IdViewTransferLog, "Transfer Log");
    view->Append(IdClearTransferLog, "Clear Transfer Log");
    view->Append(IdViewLastModifiedLog, "Last Modified Log");
    view->Append(IdClearLastModifiedLog, "Clear Last Modified Log");
    view->AppendSeparator();
    view->Append(IdClearDialogBar, "Clear Dialog Bar");
    view->Append(IdRedraw, "Redraw\tF5");
    view->AppendCheckItem(IdPointLabels, "Point Labels\tCtrl+N");
    bar->Append(view, "&View");

    auto* help = new wxMenu;
    help->Append(IdViewManual, "View &Manual...\tF1");
    help->Append(IdGettingStarted, "&Getting Started with Morvel...");
    help->AppendSeparator();
    help->Append(IdTechnicalSupport, "Technical &Support...");
    help->Append(IdAppAbout, "&About Morvel...");
    bar->Append(help, "&Help");
    CreateGlobalCommandMenus(bar);
    SetMenuBar(bar);
}

void CMainFrame::UpdateRecentFileMenu()
{
    for (int i = 0; i < m_recentMenuCount; ++i)
        m_fileMenu->Destroy(IdRecentFile1 + i);
    m_recentMenuCount = std::min(m_recentFiles.GetCount(), IdRecentFileLast - IdRecentFile1 + 1);
    for (int i = 0; i < m_recentMenuCount; ++i) {
        wxString path = ToWx(m_recentFiles.GetEntry(i));
        path.Replace("&", "&&");
        const wxString label = wxString::Format("&%d %s", i + 1, path);
        m_fileMenu->Insert(m_recentMenuStart + size_t(i), IdRecentFile1 + i, label);
    }
}

void CMainFrame::CreateBars()
{
    // Behind the job window: the graphics background colour, as the job window's frame paints it.
    m_emptyCentre = new wxPanel(this, wxID_ANY);
    m_emptyCentre->SetBackgroundColour(ToWxColour(GetPaletteColor(GetMorvelSettings().GetGraphicsBackgroundColor())));
    m_aui.AddPane(m_emptyCentre, wxAuiPaneInfo().Name("JobView").CenterPane().PaneBorder(false));

    m_toolBar = new CMorvelToolbar(this, wxID_ANY, m_icons);
    m_aui.AddPane(m_toolBar, wxAuiPaneInfo()
                                 .Name(PaneNames[ToolBarIndex])
                                 .Caption("Morvel Toolbar")
                                 .ToolbarPane()
                                 .Top()
                                 .LeftDockable(false)
                                 .BottomDockable(false));

    // The message bar has its own close button and keeps its size in the profile. Docked, it
    // lies below the tab strip (rows count from the frame's edge); it floats with its size.
    m_messageBar = new CMessageBar(this);
    m_aui.AddPane(m_messageBar, wxAuiPaneInfo()
                                    .Name(PaneNames[MessageBarIndex])
                                    .Caption("Messages")
                                    .CaptionVisible(false)
                                    .Bottom()
                                    .Layer(0)
                                    .Row(0)
                                    .BestSize(m_messageBar->GetSizeBar())
                                    .FloatingSize(m_messageBar->GetSizeBar())
                                    .Floatable(true)
                                    .TopDockable(false)
                                    .LeftDockable(false)
                                    .RightDockable(false)
                                    .Hide());
    m_messageBar->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        m_messageBar->TrackPaneSize(m_aui);
    });

    // The tab strip belongs to the job view: the row next to it.
    m_viewTabBar = new CViewTabBar(this, wxID_ANY, m_icons);
    m_aui.AddPane(m_viewTabBar, wxAuiPaneInfo()
                                    .Name(PaneNames[ViewTabBarIndex])
                                    .Bottom()
                                    .Layer(0)
                                    .Row(1)
                                    .CaptionVisible(false)
                                    .PaneBorder(false)
                                    .Floatable(false)
                                    .Movable(false)
                                    .Resizable(false)
                                    .MinSize(wxSize(-1, m_viewTabBar->GetBestSize().y))
                                    .BestSize(wxSize(-1, m_viewTabBar->GetBestSize().y))
                                    .DockFixed());

    auto* dialogBar = new CStackingDialogBar(this, &m_icons, new CProjectNavigator());
    m_stackingBar = dialogBar;
    dialogBar->activeView = [] {
        int32_t kind = NoViewKind;
        return static_cast<const void*>(GetActiveViewAndKind(&kind));
    };
    dialogBar->isJobView = [this](const void* view) {
        return view && m_jobView && view == static_cast<const void*>(static_cast<CView*>(m_jobView));
    };
    dialogBar->activeViewKind = [] { return ActiveViewKind(); };
    dialogBar->restoreDefaultTool = [] {
        if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
            app->RestoreDefaultTool();
    };
    dialogBar->notifyJob = [](int32_t code, intptr_t parameter) {
        if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
            job->SendHint(nullptr, code, parameter);
    };
    dialogBar->showBar = [this] { ShowDialogBar(true); };
    dialogBar->barVisible = [this] { return IsBarShown(DialogBarIndex); };
    dialogBar->showNavigatorPreferred = [] { return GetMorvelSettings().GetShowProjectNavigator(); };
    // The side bar takes the full height of the client area, beside the bottom bars.
    m_aui.AddPane(dialogBar, wxAuiPaneInfo()
                                 .Name(PaneNames[DialogBarIndex])
                                 .Caption("Side Bar")
                                 .Left()
                                 .Layer(1)
                                 .BestSize(FromDIP(wxSize(280, 400)))
                                 .MinSize(FromDIP(wxSize(160, 100)))
                                 .Floatable(false)
                                 .TopDockable(false)
                                 .BottomDockable(false)
                                 .RightDockable(false));

    m_bars = {m_toolBar, m_messageBar, m_viewTabBar, dialogBar};
    LoadModeBarState();
    m_aui.Update();
}

bool* CMainFrame::CurrentTable() { return m_fullScreen ? s_fullScreenVisible : s_normalVisible; }

const bool* CMainFrame::CurrentTable() const { return m_fullScreen ? s_fullScreenVisible : s_normalVisible; }

void CMainFrame::SetModeBarVisible(int index, bool visible)
{
    if (index >= 0 && index < BarCount)
        CurrentTable()[index] = visible;
}

bool CMainFrame::GetModeBarVisible(int index) const
{
    return index >= 0 && index < BarCount && CurrentTable()[index];
}

bool CMainFrame::IsBarShown(int index)
{
    wxWindow* bar = GetBar(index);
    return bar && m_aui.GetPane(bar).IsOk() && m_aui.GetPane(bar).IsShown();
}

bool CMainFrame::IsBarAllowedInView(int index, int32_t viewKind)
{
    return index >= 0 && index < BarCount && viewKind == 0;
}

void CMainFrame::ShowBar(int index, bool show)
{
    wxAuiPaneInfo& pane = m_aui.GetPane(GetBar(index));
    if (!pane.IsOk())
        return;
    pane.Show(show);
    m_aui.Update();
}

void CMainFrame::OnViewToolbars()
{
    const int32_t kind = ActiveViewKind();
    std::vector<CToolbarDlg::Entry> entries;
    for (int i = 0; i < BarCount; ++i) {
        wxWindow* bar = GetBar(i);
        if (!bar || !IsBarAllowedInView(i, kind) || bar->GetName().empty())
            continue;
        entries.push_back({FromWx(bar->GetName()), IsBarShown(i), i, &CurrentTable()[i]});
    }
    CToolbarDlg dialog(this, entries, [this](int bar, bool show) { ShowBar(bar, show); },
                       [this](int bar) { return IsBarShown(bar); });
    RunModal(dialog);
    m_aui.Update();
}

void CMainFrame::ApplyViewBars()
{
    int32_t kind = NoViewKind;
    CView* view = GetActiveViewAndKind(&kind);
    for (int i = 0; i < BarCount; ++i) {
        wxAuiPaneInfo& pane = m_aui.GetPane(m_bars[size_t(i)]);
        if (pane.IsOk())
            pane.Show(IsBarAllowedInView(i, kind) && CurrentTable()[i]);
    }
    m_aui.Update();
    UpdatePaneWidths();
    m_viewPresent = view != nullptr;
}

void CMainFrame::RefreshBarsAndStatus()
{
    ApplyViewBars();
    EndProgress();
}

void CMainFrame::ShowDialogBar(bool show)
{
    wxAuiPaneInfo& pane = m_aui.GetPane(m_bars[DialogBarIndex]);
    if (!pane.IsOk())
        return;
    const bool allowed = IsBarAllowedInView(DialogBarIndex, ActiveViewKind());
    pane.Show(allowed && show);
    CurrentTable()[DialogBarIndex] = allowed && show;
    m_aui.Update();
}

void CMainFrame::ShowMessageBar(bool show)
{
    wxAuiPaneInfo& pane = m_aui.GetPane(m_bars[MessageBarIndex]);
    if (!pane.IsOk() || pane.IsShown() == show)
        return;
    const bool allowed = IsBarAllowedInView(MessageBarIndex, ActiveViewKind());
    pane.Show(allowed && show);
    CurrentTable()[MessageBarIndex] = allowed && show;
    m_aui.Update();
}

void CMainFrame::LoadModeBarState()
{
    const char* key = m_fullScreen ? "FullScreen" : "Normal";
    CProfile& profile = GetAppProfile();
    const std::string saved = profile.GetProfileString(ToolbarsSection, key);
    if (saved.empty()) {
        for (int i = 0; i < BarCount; ++i)
            m_aui.GetPane(m_bars[size_t(i)]).Show(CurrentTable()[i]);
    } else {
        // The tab bar always stays where it was docked, and three bars never float.
        const wxAuiPaneInfo tabBar = m_aui.GetPane(m_bars[ViewTabBarIndex]);
        m_aui.LoadPerspective(ToWx(saved), false);
        m_aui.GetPane(m_bars[ViewTabBarIndex]) = tabBar;
        for (int i : {MessageBarIndex, DialogBarIndex}) {
            wxAuiPaneInfo& pane = m_aui.GetPane(m_bars[size_t(i)]);
            if (pane.IsFloating())
                pane.Dock();
        }
        // Layouts saved before the message bar could float put it beside or over the tab strip;
        // its place is below the strip, and floating is always its to choose.
        m_aui.GetPane(m_messageBar).Bottom().Layer(0).Row(0).Position(0).Floatable(true);
        for (int i = 0; i < BarCount; ++i)
            CurrentTable()[i] = m_aui.GetPane(m_bars[size_t(i)]).IsShown();
    }
    // Docked, the message bar goes down to the tab strip's height (a saved layout may say 50).
    m_aui.UpdateDockableMinSizes();
    profile.WriteProfileString(ToolbarsSection, key, FromWx(m_aui.SavePerspective()));
}

void CMainFrame::SaveModeBarState()
{
    // What is saved is the user's choice, not what the current view forces.
    for (int i = 0; i < BarCount; ++i)
        m_aui.GetPane(m_bars[size_t(i)]).Show(CurrentTable()[i]);
    GetAppProfile().WriteProfileString(ToolbarsSection, m_fullScreen ? "FullScreen" : "Normal",
                                       FromWx(m_aui.SavePerspective()));
}

void CMainFrame::SetFullScreen(bool fullScreen)
{
    if (fullScreen == m_fullScreen)
        return;
    // Frozen while the layout changes, so the screen shows one step, not every pane moving.
    wxWindowUpdateLocker freeze(this);
    wxBusyCursor wait;
    SaveModeBarState();
    m_fullScreen = fullScreen;
    LoadModeBarState();
    ApplyViewBars();
    // The menu bar stays visible in full screen.
    ShowFullScreen(fullScreen, wxFULLSCREEN_NOBORDER | wxFULLSCREEN_NOCAPTION);
}

void CMainFrame::PrepareClose()
{
    if (m_messageBar) {
        m_messageBar->TrackPaneSize(m_aui);
        m_messageBar->SaveSize();
    }
    if (m_viewPresent && ActiveViewKind() != 1)
        SaveModeBarState();
    m_closing = true;
}

void CMainFrame::OnJobDocumentClosed()
{
    if (m_closing) {
        EndProgress();
        return;
    }
    // A job closed while the program goes on: a tool started for it has nothing to work on.
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        app->RestoreDefaultTool();
}

void CMainFrame::OnActivateFrame(bool active, bool byClick)
{
    if (IsIconized())
        return;
    if (!active)
        SaveDialogBarFocus();
    if (m_stackingBar)
        m_stackingBar->RepaintTitles(active);
    // A click lands where it was aimed; otherwise the side panel's field takes the keyboard back
    // before held-back hints could move it.
    if (active && !byClick) {
        if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
            app->DropPendingHintRequest();
        RestoreDialogBarFocus();
    }
}

void CMainFrame::OnActivateAppEvent(wxActivateEvent& event)
{
    event.Skip();
    OnActivateApp(event.GetActive());
}

void CMainFrame::OnActivateApp(bool active)
{
    if (active && m_stackingBar && m_stackingBar->IsShown())
        m_stackingBar->Refresh();
}

void CMainFrame::OnEnterMenuLoop()
{
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        app->GetToolHost().StopCurrentTool();
}

CMorvelView* CMainFrame::CreateJobView(CDataFileDoc& document)
{
    DestroyJobView();
    m_jobView = new CMorvelView(this, &document);
    m_aui.DetachPane(m_emptyCentre);
    m_emptyCentre->Hide();
    m_aui.AddPane(m_jobView, wxAuiPaneInfo().Name("JobView").CenterPane().PaneBorder(false));
    ApplyViewBars();
    // No other job window can have been active before this one.
    document.SendHint(nullptr, HintViewActivated, NoViewKind);
    if (m_viewTabBar)
        m_viewTabBar->RebuildTabs();
    return m_jobView;
}

void CMainFrame::DestroyJobView()
{
    if (!m_jobView)
        return;
    m_aui.DetachPane(m_jobView);
    m_jobView->Destroy();
    m_jobView = nullptr;
    m_emptyCentre->Show();
    m_aui.AddPane(m_emptyCentre, wxAuiPaneInfo().Name("JobView").CenterPane().PaneBorder(false));
    ApplyViewBars();
}

std::string CMainFrame::MakeFrameTitle() const
{
    return std::string("Morvel ") + CMorvelApp::GetFileVersionText() + " - " + FormatJobCaption();
}

void CMainFrame::UpdateFrameTitle()
{
    const wxString title = ToWx(MakeFrameTitle());
    if (GetTitle() != title)
        SetTitle(title);
}

void CMainFrame::OnSize(wxSizeEvent& event)
{
    event.Skip();
    UpdatePaneWidths();
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    UpdateFrameTitle();
    const bool maximized = IsMaximized();
    if (!m_fullScreen && RestoresToDefaultSize(m_wasMaximized, maximized, IsIconized(), GetSize().x, GetSize().y)) {
        SetSize(FromDIP(wxSize(DefaultMainWindowWidth, DefaultMainWindowHeight)));
        Centre();
    }
    m_wasMaximized = maximized;
    // A bar the user closed or opened is remembered for the mode, once the view has settled.
    int32_t kind = NoViewKind;
    CView* view = GetActiveViewAndKind(&kind);
    if (m_lastIdleViewSeen && view == m_lastIdleView) {
        for (int i = 0; i < BarCount; ++i)
            if (IsBarAllowedInView(i, kind))
                CurrentTable()[i] = IsBarShown(i);
    }
    m_lastIdleView = view;
    m_lastIdleViewSeen = true;
}

void CMainFrame::OnPaneClose(wxAuiManagerEvent& event)
{
    for (int i = 0; i < BarCount; ++i)
        if (event.GetPane() && event.GetPane()->window == m_bars[size_t(i)])
            CurrentTable()[i] = false;
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    CMorvelApp& app = wxGetApp();
    if (!app.QueryCloseJob() && event.CanVeto()) {
        event.Veto();
        return;
    }
    PrepareClose();
    // The panels may still talk to the job and its view as they go.
    DestroyStackingBar();
    app.CloseAllJobs();
    Destroy();
}

void CMainFrame::OnDropFiles(const std::vector<std::string>& paths)
{
    if (!paths.empty())
        wxGetApp().OpenChosenJob(paths.front());
}

void CMainFrame::OnChangeDescription()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    RecordRef current;
    if (job == nullptr || !job->TakeCurrentRecord(current) || current.record == nullptr)
        return;
    CRecord* record = current.record;
    CChangeDescription dialog;
    dialog.m_description = record->GetDescription();
    dialog.m_isPoint = record->GetType() == kRecordTypePoint;
    dialog.CreateModalHost(this);
    dialog.PositionNear();
    if (dialog.DoModal(this) != wxID_OK)
        return;
    if (CDataFileUndoManager* undo = job->GetUndoManager())
        undo->RecordUndoWithText("change description");
    record->DrawAlternate(true);
    record->SetDescription(dialog.m_description.c_str());
    record->Draw(true);
    if (auto* app = dynamic_cast<CMorvelApp*>(wxTheApp))
        app->NotifyActiveDocument(nullptr, HintCoordinatesChanged, 0);
}

void CMainFrame::OnCommand(wxCommandEvent& event)
{
    switch (event.GetId()) {
    case IdViewToolbars:
        OnViewToolbars();
        break;
    case IdToggleDialogBar:
        ShowDialogBar(!IsBarShown(DialogBarIndex));
        break;
    case IdMessageBar:
        m_bMessageBarClosedByUser = false;
        ShowMessageBar(!IsBarShown(MessageBarIndex));
        break;
    default:
        event.Skip();
        break;
    }
}

void CMainFrame::OnUpdateCommand(wxUpdateUIEvent& event)
{
    const bool jobView = ActiveViewKind() == 0;
    switch (event.GetId()) {
    case IdToggleDialogBar:
        event.Enable(jobView);
        event.Check(jobView && IsBarShown(DialogBarIndex));
        break;
    case IdMessageBar: {
        // Nothing to show while the shown panel's report is empty.
        CStackableDialog* top = m_stackingBar ? m_stackingBar->GetTopDialog() : nullptr;
        event.Enable(jobView && !(top && top->GetReport().IsEmpty()));
        event.Check(IsBarShown(MessageBarIndex));
        break;
    }
    default:
        event.Enable(jobView);
        break;
    }
}

void CMainFrame::DeliverHints()
{
    // An instrument transfer asks for the refresh to wait until it is done.
    if (GetDataFileDocShell().IsRefreshSuppressed())
        return;
    if (CDataFileSmartHintManager* hints = GetActiveHintManager())
        hints->Flush();
}

// --- Status bar.

void CMainFrame::UpdatePaneWidths()
{
    wxStatusBar* status = GetStatusBar();
    if (!status)
        return;
    auto widths = ComputeStatusPaneWidths(status->GetClientSize().x);
    // The count pane was laid out for a smaller font; a larger desktop font would cut
    // "N objects selected" short, so it is never narrower than a five-digit count.
    const int countWidth = status->GetTextExtent(ToWx(FormatSelectionInfo(true, 99999))).x + status->FromDIP(16);
    widths[StatusPaneCount - 1] = std::max(widths[StatusPaneCount - 1], int32_t(countWidth));
    status->SetStatusWidths(StatusPaneCount, widths.data());
}

void CMainFrame::SetStatusMessage(const std::string& text)
{
    wxStatusBar* status = GetStatusBar();
    if (!status)
        return;
    const wxString label = ToWx(text);
    const int textWidth = status->GetTextExtent(label).x + status->FromDIP(12);
    // The message pane spreads over the bar and the progress control sits right of the text.
    const int full[StatusPaneCount] = {-1, 0, 0, 0};
    status->SetStatusWidths(StatusPaneCount, full);
    wxRect rect;
    status->GetFieldRect(0, rect);
    rect.x += textWidth;
    rect.width = std::max(rect.width - textWidth, 10);
    if (!m_progress)
        m_progress = new wxGauge(status, wxID_ANY, 100, rect.GetPosition(), rect.GetSize());
    m_progress->SetRange(100);
    status->SetStatusText(label, 0);
    status->Update();
}

void CMainFrame::ShowCommandPrompt(int command, bool show)
{
    if (show && command == wxID_SEPARATOR)
        return;
    wxString prompt;
    if (show) {
        // The string table's prompt; an item that carries its own help says that.
        prompt = ToWx(GetCommandPrompt(uint32_t(command)));
        if (prompt.empty() && GetMenuBar() != nullptr)
            if (wxMenuItem* item = GetMenuBar()->FindItem(command))
                prompt = item->GetHelp();
    }
    DoGiveHelp(prompt, show);
}

void CMainFrame::SetStatusMessageById(uint32_t id) { SetStatusMessage(LoadResourceString(id)); }

void CMainFrame::SetProgressPos(int32_t pos)
{
    if (pos != s_lastProgressPos && m_progress)
        m_progress->SetValue(std::clamp(pos, 0, 100));
    s_lastProgressPos = pos;
}

void CMainFrame::EndProgress()
{
    if (m_progress) {
        m_progress->Destroy();
        m_progress = nullptr;
    }
    UpdatePaneWidths();
    if (wxStatusBar* status = GetStatusBar()) {
        status->SetStatusText(IdleMessage, 0);
        status->Update();
    }
}

void CMainFrame::ShowMessageTextNow(const std::string& text)
{
    if (wxStatusBar* status = GetStatusBar()) {
        status->SetStatusText(ToWx(text), 0);
        status->Update();
    }
}

void CMainFrame::ShowMessageTextIdNow(uint32_t id) { ShowMessageTextNow(LoadResourceString(id)); }

void CMainFrame::SetPaneText(int pane, const std::string& text)
{
    if (wxStatusBar* status = GetStatusBar(); status && pane >= 0 && pane < StatusPaneCount) {
        status->SetStatusText(ToWx(text), pane);
        status->Update();
    }
}

std::string CMainFrame::GetPaneText(int pane) const
{
    wxStatusBar* status = GetStatusBar();
    return status && pane >= 0 && pane < StatusPaneCount ? FromWx(status->GetStatusText(pane)) : std::string();
}

void CMainFrame::ShowCursorPosition(double northing, double easting)
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (!job || !job->GetDataFileFormat())
        return;
    const CMorvelSettings& settings = GetMorvelSettings();
    const CJobValueSource& values = *job;
    SetPaneText(1, FormatCursorPosition(northing, easting, values.GetDataFileFormat(), settings.GetYCaption(),
                                        settings.GetXCaption(), settings.GetCoordOrder()));
}

void CMainFrame::ClearStatusPane1() { SetPaneText(1, {}); }

void CMainFrame::ClearStatusPane2() { SetPaneText(2, {}); }

void CMainFrame::SetStatusPane2Text(const char* text) { SetPaneText(2, text ? text : ""); }

// --- Message bar and dock menu.

void CMainFrame::ShowRtfInMessageBar(const std::string& rtf, bool caretAtEnd)
{
    if (m_messageBar)
        m_messageBar->SetText(rtf, caretAtEnd);
}

void CMainFrame::OnMessageBarClose(wxCommandEvent&)
{
    m_bMessageBarClosedByUser = true;
    ShowMessageBar(false);
}

void CMainFrame::OnRelayToDialogBar(wxCommandEvent& event)
{
    // The side bar lets its top panel act; without one the bar acts itself.
    wxWindow* sideBar = GetBar(DialogBarIndex);
    event.SetExtraLong(0);
    if (!sideBar || sideBar->IsBeingDeleted())
        return;
    wxCommandEvent relayed(event);
    relayed.SetExtraLong(0);
    // Not back up to the frame: a side bar without a panel leaves the event unanswered.
    relayed.StopPropagation();
    sideBar->ProcessWindowEvent(relayed);
    event.SetExtraLong(relayed.GetExtraLong());
}

void CMainFrame::OnDialogBarRequest(wxCommandEvent& event)
{
    if (m_stackingBar && !m_stackingBar->IsBeingDeleted())
        m_stackingBar->RefreshAllJobs();
    event.SetExtraLong(1);
}

std::vector<int> CMainFrame::GetDockMenuBars()
{
    std::vector<int> bars;
    const int32_t kind = ActiveViewKind();
    for (int i = 0; i < BarCount; ++i)
        if (GetBar(i) && IsBarAllowedInView(i, kind) && !GetBar(i)->GetName().empty())
            bars.push_back(i);
    return bars;
}

wxMenu* CMainFrame::BuildDockMenu()
{
    m_dockMenuBars = GetDockMenuBars();
    auto* menu = new wxMenu;
    for (size_t i = 0; i < m_dockMenuBars.size() && IdDockBarFirst + int(i) <= IdDockBarLast; ++i) {
        const int bar = m_dockMenuBars[i];
        menu->AppendCheckItem(IdDockBarFirst + int(i), GetBar(bar)->GetName());
        menu->Check(IdDockBarFirst + int(i), IsBarShown(bar));
    }
    return menu;
}

void CMainFrame::OnDockContextMenu(wxContextMenuEvent& event)
{
    // Only the frame's own surface, the dock area around the panes; other windows keep theirs.
    if (event.GetEventObject() != this) {
        event.Skip();
        return;
    }
    std::unique_ptr<wxMenu> menu(BuildDockMenu());
    const wxPoint at = event.GetPosition() == wxDefaultPosition ? wxDefaultPosition : ScreenToClient(event.GetPosition());
    PopupMenu(menu.get(), at);
}

void CMainFrame::OnDockMenuCommand(wxCommandEvent& event)
{
    const size_t index = size_t(event.GetId() - IdDockBarFirst);
    if (index >= m_dockMenuBars.size())
        return;
    const int bar = m_dockMenuBars[index];
    const bool show = !IsBarShown(bar);
    SetModeBarVisible(bar, show);
    ShowBar(bar, show);
}

