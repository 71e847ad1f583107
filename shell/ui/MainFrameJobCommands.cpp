// The main frame's job, log and edit commands, its side-bar relays, regeneration and reload.

#include "shell/ui/MainFrame.h"
#include "views/ui/MapPrintout.h"

#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/Report.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/StackingDialogBar.h"
#include "framework/ui/WindowEvents.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/DataFileUndoManager.h"
#include "model/HintCodes.h"
#include "model/MorvelFileDoc.h"
#include "model/MorvelSettings.h"
#include "model/Record.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/ShellHooks.h"
#include "shell/CommandIds.h"
#include "shell/JobCommandRules.h"
#include "shell/PanelCommandTable.h"
#include "shell/SaveJobAs.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/PanelFactories.h"
#include "shell/ui/PromptSaveModified.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "shell/ui/TextFileViewer.h"
#include "transfer/serial/TransferLog.h"
#include "views/ui/MorvelView.h"

#include <wx/busyinfo.h>
#include <wx/cmndata.h>
#include <wx/generic/prntdlgg.h>
#include <wx/menu.h>
#include <wx/utils.h>

#include <fstream>
#include <filesystem>

namespace {

constexpr const char* SettingsSection = "Settings";
constexpr const char* TabKey = "TabSel1";

CMorvelApp* App() { return dynamic_cast<CMorvelApp*>(wxTheApp); }

void RemoveFile(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

class CFrameSaveJobAsHost : public CSaveJobAsHost
{
public:
    CMorvelFileDoc* GetActiveJob() override { return dynamic_cast<CMorvelFileDoc*>(CDataFileDoc::GetActiveDoc()); }
    bool HasTemporaryJob() override { return App() && App()->HasTemporaryJob(); }
    int PromptFileName(std::string& path) override { return App() ? App()->DoPromptFileName(path) : IDCANCEL; }
    bool OpenJob(const std::string& path) override
    {
        if (!App() || !App()->OpenDocumentFile(path))
            return false;
        App()->ShowActiveJobFrame();
        return true;
    }
    void DeleteTemporaryJob() override
    {
        if (App())
            App()->DeleteTemporaryJob();
    }
};

} // namespace

bool CMainFrame::JobViewActive() const
{
    int32_t kind = 2;
    GetActiveViewAndKind(&kind);
    return m_jobView && kind == 0;
}

void CMainFrame::BindJobCommands()
{
    auto command = [this](int id, auto handler) { Bind(wxEVT_MENU, [this, handler](wxCommandEvent&) { (this->*handler)(); }, id); };
    auto enable = [this](int id, auto test) { Bind(wxEVT_UPDATE_UI, [this, test](wxUpdateUIEvent& e) { e.Enable(test()); }, id); };
    auto job = [] { return CDataFileDoc::GetActiveDoc() != nullptr; };

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowJobView(false); }, IdJobFileView);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ShowJobView(true); }, IdRawDataView);
    command(IdSaveJob, &CMainFrame::OnSaveJob);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { SaveJobAs(nullptr); }, IdSaveJobAs);
    enable(IdSaveJob, job);
    enable(IdSaveJobAs, job);
    command(IdPageSetup, &CMainFrame::OnPageSetup);
    command(IdViewTransferLog, &CMainFrame::OnViewTransferLog);
    enable(IdViewTransferLog, [] { return FileExists(GetTransferLogPath()); });
    command(IdClearTransferLog, &CMainFrame::OnClearTransferLog);
    enable(IdClearTransferLog, [this] { return CanClearTransferLog(); });
    command(IdViewLastModifiedLog, &CMainFrame::OnViewLastModifiedLog);
    command(IdClearLastModifiedLog, &CMainFrame::OnClearLastModifiedLog);
    for (int id : {IdViewLastModifiedLog, IdClearLastModifiedLog})
        enable(id, [] {
            CDataFileDoc* doc = CDataFileDoc::GetActiveDoc();
            return doc && !doc->GetHistoryList().empty();
        });

    Bind(wxEVT_MENU, [](wxCommandEvent&) {
        if (CDataFileUndoManager* undo = GetActiveUndoManager())
            undo->Undo();
    }, IdUndo);
    Bind(wxEVT_MENU, [](wxCommandEvent&) {
        if (CDataFileUndoManager* undo = GetActiveUndoManager()) {
            wxBusyCursor wait;
            undo->Redo();
        }
    }, IdRedo);
    for (int id : {IdUndo, IdRedo})
        Bind(wxEVT_UPDATE_UI, [redo = id == IdRedo](wxUpdateUIEvent& e) {
            CDataFileUndoManager* undo = GetActiveUndoManager();
            const bool possible = undo && (redo ? undo->CanRedo() : undo->CanUndo());
            const std::string description =
                possible ? (redo ? undo->GetRedoDescription() : undo->GetUndoDescription()) : std::string();
            const UndoMenuText menu = MakeUndoMenuText(redo, possible, description);
            e.SetText(ToWx(menu.text));
            e.Enable(menu.enabled);
        }, id);

    command(IdRedraw, &CMainFrame::OnRedraw);
    enable(IdRedraw, [this] { return JobViewActive(); });
    command(IdPointLabels, &CMainFrame::OnPointLabels);
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Check(GetMorvelSettings().GetShowPointIdLabels()); }, IdPointLabels);
    command(IdZoomToCurrentObject, &CMainFrame::OnZoomToCurrentObject);
    command(IdClearDialogBar, &CMainFrame::OnClearDialogBar);
    enable(IdClearDialogBar, [this] { return m_stackingBar && !m_stackingBar->Model().AreAllStacksEmpty(); });

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { ReloadActiveJob(false); }, IdReloadFromFile);
    enable(IdReloadFromFile, [] { return CDataFileDoc::GetActiveDoc() && !(App() && App()->HasTemporaryJob()); });
    Bind(EVT_REGENERATE_JOB_80F2, [this](wxCommandEvent& e) { e.SetExtraLong(long(OnRegenerateJob(e.GetInt()))); });

    RegisterStandardPanelCommands();
    for (const PanelCommandRow& row : GetPanelCommandTable().Rows()) {
        if (row.command == IdSendJobToTotalStation || row.command == IdGetJobFromTotalStation)
            continue;
        // A command whose panel is not there lets other handlers have it.
        Bind(wxEVT_MENU, [this](wxCommandEvent& e) {
            if (CanRunPanelCommand(e.GetId()))
                RunPanelCommand(e.GetId());
            else
                e.Skip();
        }, row.command);
        Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(CanRunPanelCommand(e.GetId())); }, row.command);
    }
}

// --- Panel commands.

bool CMainFrame::CanRunPanelCommand(int command)
{
    const uint32_t templateId = GetPanelCommandTable().FindTemplate(command);
    return templateId != 0 && CanCreatePanel(templateId) && JobViewActive();
}

void CMainFrame::RunPanelCommand(int command)
{
    if (!CanRunPanelCommand(command))
        return;
    const uint32_t templateId = GetPanelCommandTable().FindTemplate(command);
    if (CStackableDialog* panel = CreatePanel(templateId))
        PushStackableDialog(panel, templateId);
}

// --- Side-bar relays.

bool CMainFrame::PushStackableDialog(CStackableDialog* panel, uint32_t)
{
    if (!panel)
        return false;
    if (!m_stackingBar || m_stackingBar->IsBeingDeleted()) {
        delete panel;
        return false;
    }
    return m_stackingBar->PushDialog(panel);
}

CStackableDialog* CMainFrame::GetTopDialog() { return m_stackingBar ? m_stackingBar->GetTopDialog() : nullptr; }

void CMainFrame::RemoveStackedDialog(CStackableDialog* panel, bool)
{
    if (m_stackingBar && panel)
        m_stackingBar->RemoveDialog(panel);
}

CStackableDialog* CMainFrame::ActivateStackEntry(int index)
{
    if (!m_stackingBar)
        return nullptr;
    if (index != 1)
        if (CStackableDialog* top = GetTopDialog())
            top->OnCovered(0, nullptr);
    // The covered panel may have closed itself and left the bar.
    return m_stackingBar ? m_stackingBar->ActivateStackEntry(index) : nullptr;
}

void CMainFrame::FillStackMenu(wxMenu* menu)
{
    if (!m_stackingBar || !menu)
        return;
    const std::vector<std::string> titles = m_stackingBar->GetStackTitles();
    for (size_t i = 0; i < titles.size(); ++i) {
        const int id = CStackableDialog::FirstStackCommand + int(i);
        if (id > CStackableDialog::LastStackCommand)
            break;
        menu->Append(id, ToWx(titles[i]));
    }
}

size_t CMainFrame::GetStackCount() { return m_stackingBar ? m_stackingBar->GetStackCount() : 0; }

void CMainFrame::CloseStackedDialogs(CDataFileDoc*)
{
    if (m_stackingBar && !m_stackingBar->IsBeingDeleted())
        m_stackingBar->CloseAllDialogs();
}

// --- Job commands.

void CMainFrame::ShowJobView(bool rawDataTab)
{
    GetAppProfile().WriteProfileInt(SettingsSection, TabKey, rawDataTab ? 1 : 0);
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (!job || !m_jobView)
        return;
    SaveDialogBarFocus();
    // One job window: activating it only brings it forward.
    Raise();
    if (m_stackingBar) {
        m_stackingBar->SetNavigatorJobTitle(GetPathFileName(job->GetPathName()));
        m_stackingBar->OnJobChanged();
    }
    if (rawDataTab)
        m_jobView->ShowRawDataTab();
    else
        m_jobView->ShowPointsTab();
    job->SendHint(this, HintPanelShown, 0);
}

void CMainFrame::OnSaveJob()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (!job)
        return;
    if (App() && App()->HasTemporaryJob())
        SaveJobAs(nullptr);
    else
        job->DoFileSave();
}

bool CMainFrame::SaveJobAs(int* dialogResult)
{
    CFrameSaveJobAsHost host;
    return ::SaveJobAs(host, dialogResult);
}

std::string CMainFrame::GetTransferLogPath() { return ::GetTransferLogPath(); }

void CMainFrame::OnViewTransferLog()
{
    OpenFileInEditorOrViewer(GetTransferLogPath(), "", this);
}

void CMainFrame::OnClearTransferLog()
{
    if (ShowMessageBoxFS("Clear Transfer Log?", MB_YESNO | MB_ICONERROR) == IDNO)
        return;
    const std::string path = GetTransferLogPath();
    std::ofstream(path, std::ios::binary | std::ios::trunc);
}

bool CMainFrame::CanClearTransferLog()
{
    const std::string path = GetTransferLogPath();
    if (!FileExists(path)) {
        std::ofstream create(path, std::ios::binary | std::ios::app);
        if (!create)
            return false;
    }
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    return !ec && size > 0;
}

void CMainFrame::OnViewLastModifiedLog()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (!job)
        return;
    const std::vector<std::string> history = job->GetHistoryList().Lines();
    CViewLastModified dialog(this, MakeLastModifiedTitle(job->GetPathName()), &history);
    dialog.DoModal();
}

void CMainFrame::OnClearLastModifiedLog()
{
    if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
        job->ClearHistoryList();
}

wxPrintData& CMainFrame::GetPrintData()
{
    // One printer for Page Setup, Print and Print Preview.
    return ::GetPrintData();
}

void CMainFrame::OnPageSetup()
{
    CMorvelSettings& settings = GetMorvelSettings();
    const ProfileRect margins = GetPrintMargins(settings.GetPrintMargins());
    const ProfileRect shown{ThousandthsToMillimetres(margins.left), ThousandthsToMillimetres(margins.top),
                            ThousandthsToMillimetres(margins.right), ThousandthsToMillimetres(margins.bottom)};
    wxPageSetupDialogData data(GetPrintData());
    data.SetMarginTopLeft(wxPoint(shown.left, shown.top));
    data.SetMarginBottomRight(wxPoint(shown.right, shown.bottom));
    data.EnableMargins(true);
    data.SetDefaultMinMargins(false);
    wxGenericPageSetupDialog dialog(this, &data);
    dialog.SetTitle("Print Setup");
    if (RunModal(dialog) != wxID_OK)
        return;
    const wxPageSetupDialogData& chosen = dialog.GetPageSetupDialogData();
    const ProfileRect kept{MarginFromDialog(margins.left, shown.left, chosen.GetMarginTopLeft().x),
                           MarginFromDialog(margins.top, shown.top, chosen.GetMarginTopLeft().y),
                           MarginFromDialog(margins.right, shown.right, chosen.GetMarginBottomRight().x),
                           MarginFromDialog(margins.bottom, shown.bottom, chosen.GetMarginBottomRight().y)};
    settings.SetPrintMargins(PrintMarginsToTwips(kept));
    GetPrintData() = chosen.GetPrintData();
}

void CMainFrame::OnPointLabels()
{
    CMorvelSettings& settings = GetMorvelSettings();
    settings.SetShowPointIdLabels(!settings.GetShowPointIdLabels());
    if (CDataFileDoc* job = CDataFileDoc::GetActiveDoc())
        job->SendHint(nullptr, HintRefreshAll, 1);
}

void CMainFrame::OnRedraw()
{
    if (JobViewActive())
        m_jobView->RedrawMapPane();
}

void CMainFrame::OnZoomToCurrentObject()
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    RecordRef current;
    if (!job || !job->TakeCurrentRecord(current) || !current.record)
        return;
    if (JobViewActive())
        m_jobView->ZoomToObject(current.record);
}

void CMainFrame::OnClearDialogBar()
{
    // A panel that holds on (0x807D answered) keeps the bar as it is.
    if (m_stackingBar && m_stackingBar->ForwardToCurrent(0x807D, 0) != 0)
        return;
    CloseStackedDialogs(nullptr);
    ActivateStackEntry(0);
    if (m_stackingBar)
        m_stackingBar->OnJobChanged();
}

// --- Regeneration and reload.

intptr_t CMainFrame::OnRegenerateJob(intptr_t lParam)
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (!job)
        return 0;
    const std::string path = job->GetPathName();
    if (lParam & 2) {
        CRegenerationOptionsDlg options(this);
        if (options.DoModal() != wxID_OK)
            return 0;
        // The navigator asks only for a job whose file is missing; a file that turned up since is
        // someone's work and stays.
        const bool absentBefore = !FileExists(path);
        CReport report;
        job->ReduceRawData(options.m_ignoreStorePoints != 0, options.m_ignoreDeletedRecords != 0, &report, nullptr);
        if (absentBefore)
            RemoveFile(path);
        report.OpenInEditor();
        if (absentBefore)
            RemoveFile(path);
        if (m_stackingBar)
            m_stackingBar->UpdateNavigatorTree(GetPathFileName(path));
    }
    job = CDataFileDoc::GetActiveDoc();
    if (job) {
        GetAppProfile().WriteProfileInt(SettingsSection, TabKey, (lParam & 1) ? 1 : 0);
        if (m_jobView) {
            if (lParam & 1)
                m_jobView->ShowRawDataTab();
            else
                m_jobView->ShowPointsTab();
        }
        job->SendHint(nullptr, HintFileState, 0);
    }
    return 1;
}

bool CMainFrame::ReloadActiveJob(bool quiet)
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (!job)
        return false;
    const std::string jobPath = job->GetPathName();
    std::string rawPath = jobPath;
    if (IsJobFilePath(jobPath))
        ChangePathExtension(rawPath, "Mvr");
    if (!FileExists(jobPath) && !FileExists(rawPath)) {
        if (!quiet)
            ShowMessageBoxFS("The data file does not exist!", MB_OK);
        return false;
    }
    bool result = false;
    if (job->Reload(quiet)) {
        if (CDataFileDoc* reloaded = CDataFileDoc::GetActiveDoc())
            reloaded->SendHint(nullptr, HintPointsAddedInBulk, 0);
        result = true;
    }
    if (m_stackingBar)
        m_stackingBar->UpdateNavigatorTree(jobPath);
    return result;
}

void CMainFrame::DestroyStackingBar()
{
    if (!m_stackingBar)
        return;
    CStackingDialogBar* bar = m_stackingBar;
    m_stackingBar = nullptr;
    m_bars[DialogBarIndex] = nullptr;
    m_aui.DetachPane(bar);
    bar->Destroy();
}

bool CMainFrame::Destroy()
{
    DestroyStackingBar();
    return wxFrame::Destroy();
}
