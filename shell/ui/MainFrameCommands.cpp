// The main frame's global commands: their menu places, handlers and update states, the relayed
// private messages, and the services the rest of the shell asks of the frame.
#include "shell/ui/MainFrame.h"

#include "core/FileHelpers.h"
#include "core/ResourceStrings.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/DataFileDoc.h"
#include "model/HintCodes.h"
#include "model/MorvelSettings.h"
#include "model/Selection.h"
#include "platform/MessageBox.h"
#include "platform/ProcessLaunch.h"
#include "platform/Profile.h"
#include "platform/ShellHooks.h"
#include "shell/CommandIds.h"
#include "shell/FrameCommandRules.h"
#include "shell/FrameWindowRegistry.h"
#include "shell/GlobalCommandIds.h"
#include "shell/ImportRoads.h"
#include "shell/JobFromFieldData.h"
#include "shell/KVLEditHandoff.h"
#include "shell/PanelCommandTable.h"
#include "shell/RunUserPreferences.h"
#include "shell/StatusPanes.h"
#include "shell/ui/MainFrameRelays.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/PanelFactories.h"
#include "shell/ui/ViewTabBar.h"
#include "views/MapCommands.h"
#include "views/ui/MorvelView.h"

#include <wx/menu.h>
#include <wx/utils.h>

wxDEFINE_EVENT(EVT_RELAY_807D, wxCommandEvent);
wxDEFINE_EVENT(EVT_RELAY_80BD, wxCommandEvent);
wxDEFINE_EVENT(EVT_ZOOM_EXTENTS_1BED, wxCommandEvent);

namespace {

enum class ItemKind { Normal, Check };

// One menu item of a global command: its menu (and submenu) and its text with accelerator.
struct MenuPlace
{
    const char* menu;
    const char* submenu;
    const char* label;
    int id;
    ItemKind kind = ItemKind::Normal;
};

// In menu order; a menu the bar does not have yet is added before Help.
constexpr MenuPlace GlobalMenuPlaces[] = {
    {"&File", "&Import", "Morvel Coordinates (.MVJ)", IdImportMorvelCoordinates},
    {"&File", "&Import", "ASCII (.TXT, etc.)...", IdImportAscii},
    {"&File", "&Import", "AutoCAD (.DXF)...", IdImportDxf},
    {"&File", "&Import", "LandXML (.XML)...", IdImportLandXml},
    {"&File", "&Export", "ASCII (.TXT, etc.)...", IdExportAscii},
    {"&File", "&Export", "LandXML (.XML)...", IdExportLandXml},
    {"&Edit", nullptr, "Translate / Rotate / Scale...", IdTranslateRotateScale},
    {"&Edit", nullptr, "Rename Points...", IdRenamePoints},
    {"&Edit", nullptr, "Add Points / Edit Points...\tCtrl+J", IdAddEditPoints},
    {"&Edit", nullptr, "Edit Multiple Points...", IdEditMultiplePoints},
    {"&Edit", nullptr, "2D Points to 3D Points...", Id2dPointsTo3dPoints},
    {"&Job", nullptr, "Coordinate Report...", IdCoordinateReport},
    {"&Job", nullptr, "Cut Sheet Report...", IdCutSheetReport},
    {"&View", nullptr, "Identify Objects\tCtrl+O", IdIdentifyObjects, ItemKind::Check},
    {"&View", nullptr, "Shortcuts", IdShortcuts, ItemKind::Check},
    {"&View", nullptr, "Erase Scratch Lines\tCtrl+E", IdEraseScratchLines},
    {"&Cogo", nullptr, "Inverse Point to Point...\tCtrl+I", IdInverse},
    {"&Cogo", nullptr, "Point in Direction...", IdPointInDirection},
    {"&Cogo", nullptr, "Intersection", IdIntersection},
    {"&Transfer", nullptr, "Send Job to Total Station...", IdSendJobToTotalStation},
    {"&Transfer", nullptr, "Get Job from Total Station...", IdGetJobFromTotalStation},
    {"&Transfer", nullptr, "Transfer Settings...", IdTransferSettings},
    {"T&ools", nullptr, "Scientific Calculator...\tCtrl+R", IdScientificCalculator},
    {"T&ools", nullptr, "KVL Edit...", IdKVLEdit},
    {"T&ools", nullptr, "Create Job from Backup", IdCreateJobFromBackup},
    {"T&ools", nullptr, "Create Job from Vectrin File", IdCreateJobFromVectrinFile},
    {"&Help", "KVL on the &Web", "KVL Home Page", IdWebHomePage},
    {"&Help", "KVL on the &Web", "Technical Support", IdWebTechnicalSupport},
    {"&Help", "KVL on the &Web", "E-mail Technical Support", IdEmailTechnicalSupport},
};

int32_t ActiveViewKind()
{
    int32_t kind = 2;
    GetActiveViewAndKind(&kind);
    return kind;
}

wxMenu* FindOrAddMenu(wxMenuBar* bar, const char* title)
{
    const int at = bar->FindMenu(title);
    if (at != wxNOT_FOUND)
        return bar->GetMenu(size_t(at));
    auto* menu = new wxMenu;
    const int help = bar->FindMenu("&Help");
    if (help == wxNOT_FOUND)
        bar->Append(menu, title);
    else
        bar->Insert(size_t(help), menu, title);
    return menu;
}

wxMenu* FindOrAddSubmenu(wxMenu* menu, const char* title)
{
    for (wxMenuItem* item : menu->GetMenuItems())
        if (item->GetSubMenu() && item->GetItemLabel() == title)
            return item->GetSubMenu();
    auto* submenu = new wxMenu;
    menu->AppendSubMenu(submenu, title);
    return submenu;
}

CMorvelApp* App() { return dynamic_cast<CMorvelApp*>(wxTheApp); }

} // namespace

void CMainFrame::CreateGlobalCommandMenus(wxMenuBar* bar)
{
    for (const MenuPlace& place : GlobalMenuPlaces) {
        wxMenu* menu = FindOrAddMenu(bar, place.menu);
        if (place.submenu)
            menu = FindOrAddSubmenu(menu, place.submenu);
        if (place.kind == ItemKind::Check)
            menu->AppendCheckItem(place.id, place.label);
        else
            menu->Append(place.id, place.label);
    }
}

void CMainFrame::BindGlobalCommands()
{
    const auto jobOpen = [] { return CDataFileDoc::GetActiveDoc() != nullptr && ActiveViewKind() == 0; };

    // Imports: the member's dialog, then the road.
    for (int id : {IdImportMorvelCoordinates, IdImportAscii, IdImportLandXml, IdImportDxf}) {
        Bind(wxEVT_MENU, [this, id](wxCommandEvent&) { OnImportCommand(id); }, id);
        Bind(wxEVT_UPDATE_UI, [id, jobOpen](wxUpdateUIEvent& e) {
            const CFrameWindowRegistry& windows = GetFrameWindows();
            const bool registered = id == IdImportMorvelCoordinates ? bool(windows.importJobDialog)
                                    : id == IdImportAscii           ? bool(windows.importAsciiDialog)
                                    : id == IdImportLandXml         ? bool(windows.importLandXmlDialog)
                                                                    : bool(windows.runImportDxfCommand);
            e.Enable(registered && jobOpen());
        }, id);
    }
    // Transfer.
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnTransferCommand(IdSendJobToTotalStation, SendJobPanelTemplate); },
         IdSendJobToTotalStation);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnTransferCommand(IdGetJobFromTotalStation, GetJobPanelTemplate); },
         IdGetJobFromTotalStation);
    for (int id : {IdSendJobToTotalStation, IdGetJobFromTotalStation})
        Bind(wxEVT_UPDATE_UI, [id, jobOpen](wxUpdateUIEvent& e) {
            e.Enable(CanCreatePanel(GetPanelCommandTable().FindTemplate(id)) && jobOpen());
        }, id);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { RunUserPreferences(PreferencesTransferPage); }, IdTransferSettings);

    // Snap buttons of the toolbar.
    for (int id : {IdSnapFree, IdSnapToPoint, IdSnapToGrid}) {
        Bind(wxEVT_MENU, [id](wxCommandEvent&) { GetMorvelSettings().SetSnapMode(SnapModeOfCommand(id)); }, id);
    }
    Bind(wxEVT_MENU, [](wxCommandEvent&) { GetMorvelSettings().SetSnapLock(!GetMorvelSettings().GetSnapLock()); },
         IdLockSnap);
    for (int id : {IdSnapFree, IdSnapToPoint, IdSnapToGrid, IdLockSnap})
        Bind(wxEVT_UPDATE_UI, [id](wxUpdateUIEvent& e) {
            const CMorvelSettings& settings = GetMorvelSettings();
            const CommandUiState state = GetSnapCommandState(id, settings.GetSnapMode(), settings.GetSnapLock());
            e.Enable(state.enable);
            e.Check(state.check);
        }, id);
    // The legend button has nothing to do.
    Bind(wxEVT_MENU, [](wxCommandEvent&) {}, IdLegend);

    Bind(wxEVT_MENU, [](wxCommandEvent&) {
        GetMorvelSettings().SetIdentifyObjects(!GetMorvelSettings().GetIdentifyObjects());
    }, IdIdentifyObjects);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Check(GetMorvelSettings().GetIdentifyObjects()); }, IdIdentifyObjects);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnShortcuts(); }, IdShortcuts);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateShortcuts, this, IdShortcuts);

    // Tools.
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OpenCalculator(-9.99e27); }, IdScientificCalculator);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(bool(GetFrameWindows().calculator)); }, IdScientificCalculator);
    Bind(wxEVT_MENU, [](wxCommandEvent&) { StartKVLEdit({}); }, IdKVLEdit);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnCreateJobFromBackup(); }, IdCreateJobFromBackup);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnCreateJobFromVectrinFile(); }, IdCreateJobFromVectrinFile);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(bool(GetFrameWindows().extractBackup)); },
         IdCreateJobFromBackup);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(bool(GetFrameWindows().createJobFromTrn)); },
         IdCreateJobFromVectrinFile);

    for (int id : {IdWebHomePage, IdWebTechnicalSupport, IdEmailTechnicalSupport})
        Bind(wxEVT_MENU, [this, id](wxCommandEvent&) { OnWebCommand(id); }, id);

    // Private messages relayed to the side bar, and the zoom request.
    Bind(EVT_RELAY_807D, [](wxCommandEvent& event) {
        // The side bar has no answer of its own to this one.
        event.SetExtraLong(0);
    });
    Bind(EVT_RELAY_80BD, [this](wxCommandEvent& event) {
        event.SetExtraLong(m_stackingBar ? long(m_stackingBar->ForwardToCurrent(0x80BD, event.GetInt())) : 0);
    });
    Bind(EVT_ZOOM_EXTENTS_1BED, [this](wxCommandEvent& event) {
        if (GetActiveChildView() != nullptr) {
            wxCommandEvent extents(wxEVT_MENU, IdZoomExtents);
            ProcessWindowEvent(extents);
        }
        event.SetExtraLong(1);
    });

    Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
        UpdateSelectionInfo();
        event.Skip();
    });
}

void CMainFrame::UpdateSelectionInfo()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    CSelection* selection = job ? job->GetCurrentSelection() : nullptr;
    const std::string text = FormatSelectionInfo(selection != nullptr, selection ? selection->GetCount() : 0);
    if (GetPaneText(3) != text)
        SetPaneText(3, text);
}

CMorvelView* CMainFrame::GetActiveChildView() const { return ActiveViewKind() == 0 ? m_jobView : nullptr; }

bool CMainFrame::PushPanelCommand(int command)
{
    const uint32_t templateId = GetPanelCommandTable().FindTemplate(command);
    CStackableDialog* panel = templateId != 0 ? CreatePanel(templateId) : nullptr;
    return panel != nullptr && PushStackableDialog(panel, templateId);
}

void CMainFrame::OnTransferCommand(int command, uint32_t templateId)
{
    const bool stacked = m_stackingBar && m_stackingBar->Model().IsDialogOpen(templateId);
    if (CheckTransferSettings(GetAppProfile(), stacked))
        PushPanelCommand(command);
}

void CMainFrame::OnImportCommand(int command)
{
    const CFrameWindowRegistry& windows = GetFrameWindows();
    if (command == IdImportDxf) {
        if (windows.runImportDxfCommand)
            windows.runImportDxfCommand();
        return;
    }
    // The parser is checked before the dialog, so a machine without it is told at once.
    if (command == IdImportLandXml && !CheckXmlParserInstalled())
        return;
    const auto& dialog = command == IdImportMorvelCoordinates ? windows.importJobDialog
                         : command == IdImportAscii           ? windows.importAsciiDialog
                                                              : windows.importLandXmlDialog;
    ImportDialogChoice choice;
    if (!dialog || !dialog(choice))
        return;
    // The area under the closed dialog is drawn before the long work starts.
    Update();
    wxBusyCursor wait;
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    switch (command) {
    case IdImportMorvelCoordinates:
        RunImportMorvelCoordinates(job, choice.path, choice.pointNameOption, choice.reportFlag, nullptr);
        break;
    case IdImportAscii: {
        AsciiImportChoice ascii;
        ascii.path = choice.path;
        ascii.columns = choice.columns;
        ascii.delimiter = choice.delimiter;
        ascii.distanceUnit = choice.distanceUnit;
        ascii.pointNameOption = choice.pointNameOption;
        ascii.reportFlag = choice.reportFlag;
        RunImportAsciiCoordinates(job, ascii, nullptr);
        break;
    }
    default: {
        LandXmlImportChoice xml;
        xml.path = choice.path;
        xml.pointNameOption = choice.pointNameOption;
        xml.descriptionOption = choice.descriptionOption;
        xml.reportFlag = choice.reportFlag;
        RunImportLandXmlCoordinates(job, xml, nullptr);
        break;
    }
    }
}

void CMainFrame::OnWebCommand(int command)
{
    const uint32_t target = command == IdWebHomePage ? 392 : command == IdWebTechnicalSupport ? 393 : 394;
    if (!OpenWithDesktop(LoadResourceString(target)))
        ShowMessageBoxFS(LoadResourceString(command == IdEmailTechnicalSupport ? 933 : 932), MB_OK);
}

void CMainFrame::OnCreateJobFromBackup()
{
    const auto& dialog = GetFrameWindows().extractBackup;
    std::string source, jobPath;
    if (dialog && dialog(source, jobPath))
        CreateJobFromFieldData(true, source, jobPath);
}

void CMainFrame::OnCreateJobFromVectrinFile()
{
    const auto& dialog = GetFrameWindows().createJobFromTrn;
    std::string source, jobPath;
    if (dialog && dialog(source, jobPath))
        CreateJobFromFieldData(false, source, jobPath);
}

bool CMainFrame::CreateJobFromFieldData(bool fromBackup, const std::string& sourcePath, const std::string& jobPath)
{
    CDataFileDoc* open = CDataFileDoc::GetActiveDoc();
    const std::string openPath = open ? open->GetPathName() : std::string();
    std::string notice;
    bool made = false;
    {
        wxBusyCursor wait;
        made = fromBackup ? CreateJobFromBackupFile(sourcePath, jobPath, openPath, &notice)
                          : CreateJobFromTransferFile(sourcePath, jobPath, openPath, &notice);
    }
    // Only a job this road wrote is opened, never an older one that happens to lie there.
    if (!made)
        return false;
    CMorvelApp* app = App();
    if (app == nullptr || !app->OpenJobByPath(jobPath))
        return false;
    // Said over the open job, whatever the report setting: a job without its points needs a reason.
    if (!notice.empty())
        ShowMessageBoxFS(notice, MB_OK | MB_ICONWARNING);
    return true;
}

void CMainFrame::OnShortcuts()
{
    CMorvelSettings& settings = GetMorvelSettings();
    if (m_stackingBar == nullptr)
        return;
    CDialogStackModel& model = m_stackingBar->Model();
    const bool barVisible = IsBarShown(DialogBarIndex);
    const bool shown = barVisible && model.IsNavigatorShown();
    const bool show = !shown;
    settings.SetShowProjectNavigator(show);
    if (show) {
        if (!barVisible)
            ShowDialogBar(true);
        if (!(model.IsNavigatorShown() && m_stackingBar->GetStackCount() > 0)) {
            if (CStackableDialog* top = m_stackingBar->GetTopDialog())
                top->OnCovered(0, nullptr);
            m_stackingBar->ActivateStackEntry(0);
            if (App())
                App()->NotifyActiveDocument(nullptr, HintNavigatorChosen, 0);
        }
    } else if (barVisible && model.IsNavigatorShown() && m_stackingBar->GetStackCount() > 0) {
        m_stackingBar->ActivateStackEntry(1);
    }
}

void CMainFrame::OnUpdateShortcuts(wxUpdateUIEvent& event)
{
    CMorvelSettings& settings = GetMorvelSettings();
    const bool barVisible = IsBarShown(DialogBarIndex);
    const bool navigatorShown = m_stackingBar && barVisible && m_stackingBar->Model().IsNavigatorShown();
    settings.SetShowProjectNavigator(navigatorShown);
    event.Check(settings.GetShowProjectNavigator());
    event.Enable(!(barVisible && (m_stackingBar == nullptr || m_stackingBar->GetStackCount() == 0)));
}

void CMainFrame::SaveDialogBarFocus()
{
    if (m_stackingBar == nullptr)
        return;
    CStackableDialog* current = m_stackingBar->GetCurrent();
    if (current && current->IsShown() && current != m_stackingBar->GetHome())
        current->SaveActiveControl();
}

void CMainFrame::RestoreDialogBarFocus()
{
    if (m_stackingBar == nullptr)
        return;
    CStackableDialog* current = m_stackingBar->GetCurrent();
    if (current == nullptr || !current->IsShown())
        SetFocus();
    else if (current == m_stackingBar->GetHome())
        current->SetFocus();
    else
        current->RestoreActiveControl();
}

void CMainFrame::RefreshBars()
{
    if (m_viewTabBar)
        m_viewTabBar->RebuildTabs();
    if (m_stackingBar)
        m_stackingBar->OnJobChanged();
}

void CMainFrame::ClearMessageWindow()
{
    if (m_messageBar == nullptr)
        return;
    wxCommandEvent clear(wxEVT_MENU, IdMessageBarClear);
    clear.StopPropagation();
    m_messageBar->ProcessWindowEvent(clear);
}

void CMainFrame::OpenCalculator(double value)
{
    if (m_pCalculator) {
        m_pCalculator->Push(value);
        return;
    }
    if (GetFrameWindows().calculator)
        m_pCalculator = GetFrameWindows().calculator(value);
}

void CMainFrame::CloseCalculator()
{
    if (!m_pCalculator)
        return;
    std::unique_ptr<CCalculatorWindow> calculator = std::move(m_pCalculator);
    calculator->DestroyCalculatorWindow();
}
