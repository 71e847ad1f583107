#include "shell/ui/MorvelApp.h"

#include "framework/ui/TextShaping.h"
#include "framework/ui/CustomToolTipCtrl.h"
#include "shell/ui/AppGridToolLink.h"

#include "core/FileHelpers.h"
#include "core/PathHelpers.h"
#include "core/ProgramHelpers.h"
#include "core/StagedFilePair.h"
#include "framework/ColorTable.h"
#include "framework/GraphicDataExchange.h"
#include "framework/InputRules.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/EasyDialog.h"
#include "framework/ui/Icons.h"
#include "framework/ui/ModalDialog.h"
#include "framework/ui/ObjectIdWnd.h"
#include "framework/ui/WindowEvents.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocShell.h"
#include "model/DataFileSmartHintManager.h"
#include "model/JobFileHeader.h"
#include "model/JobRawData.h"
#include "model/MorvelFileDoc.h"
#include "model/PointDatabase.h"
#include "model/PointRecord.h"
#include "model/RecordDatabase.h"
#include "model/Selection.h"
#include "platform/AppFolders.h"
#include "platform/MessageBox.h"
#include "platform/Profile.h"
#include "platform/RunTempFolder.h"
#include "platform/StatusBarHost.h"
#include "platform/Version.h"
#include "rawdata/NikonRawDataFile.h"
#include "shell/CommandIds.h"
#include "shell/DefaultFolders.h"
#include "shell/DisplayCheck.h"
#include "shell/HelpDocuments.h"
#include "shell/IpcService.h"
#include "shell/OpenFileCheck.h"
#include "shell/ui/AboutDlg.h"
#include "shell/ui/AppHooks.h"
#include "shell/ui/AppServices.h"
#include "shell/ui/DocTemplate.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/PrintPreviewView.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "shell/ui/RunUserPreferences.h"
#include "shell/ui/SplashWnd.h"
#include "views/MapToolHost.h"
#include "views/ui/MorvelView.h"
#include "views/ui/ViewTool.h"
#include "views/ui/ViewToolHost.h"

#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/time.h>
#include <wx/filename.h>

#include <cstdio>
#include <filesystem>

wxIMPLEMENT_APP_NO_MAIN(CMorvelApp);

namespace {

// Asked before the open job is closed: a job file that cannot be opened leaves it open, and the
// one message says why.
bool CanOpenJobFile(const std::string& path)
{
    std::string reason;
    if (CMorvelFileDoc::CheckJobFile(path, reason))
        return true;
    ShowMessageBoxFS("Unable to open \"" + GetPathFileName(path) + "\".\n\n" + reason, MB_OK | MB_ICONERROR);
    return false;
}

// How long start-up leaves the splash up before the first job opens.
constexpr int SplashWaitMs = 3000;

// Waits while the splash shows, at most the milliseconds, with the event loop running so that
// the splash paints and a key or click can end it early.
void WaitWhileSplashShows(int milliseconds)
{
    if (!CSplashWnd::GetSplash())
        return;
    std::unique_ptr<wxGUIEventLoop> own;
    std::unique_ptr<wxEventLoopActivator> activate;
    if (!wxEventLoopBase::GetActive()) {
        own = std::make_unique<wxGUIEventLoop>();
        activate = std::make_unique<wxEventLoopActivator>(own.get());
    }
    const wxLongLong end = wxGetLocalTimeMillis() + milliseconds;
    while (CSplashWnd::GetSplash() && wxGetLocalTimeMillis() < end) {
        wxEventLoopBase::GetActive()->YieldFor(wxEVT_CATEGORY_UI | wxEVT_CATEGORY_USER_INPUT | wxEVT_CATEGORY_TIMER);
        wxMilliSleep(10);
    }
}

// The full path of an existing file; empty when the name does not resolve.
std::string LongPathForm(const std::string& path)
{
    if (path.empty())
        return {};
    std::error_code ec;
    std::filesystem::path full = std::filesystem::canonical(path, ec);
    return ec ? std::string() : full.string();
}

void RemoveFile(const std::string& path)
{
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

} // namespace

CMorvelApp::CMorvelApp()
    : m_services(std::make_unique<CAppServices>(*this)), m_tools(std::make_unique<CViewToolHost>())
{
    // Made before the toolkit starts, so before any window draws text.
    TurnOffTypographicLigatures();
    m_tools->activeViewKind = [this] { return GetActiveViewKind(); };
    // The field that has the keyboard, when the main window exists and it is one that picks.
    m_tools->focusedField = [this]() -> CGraphicDataTarget* {
        if (!m_mainFrame)
            return nullptr;
        return dynamic_cast<CGraphicDataTarget*>(wxWindow::FindFocus());
    };
    SetMapToolHost(m_tools.get());
    m_gridToolLink = std::make_unique<CAppGridToolLink>(*m_tools);
    SetGridToolLink(m_gridToolLink.get());
}

CMorvelApp::~CMorvelApp()
{
    // The settings go with the application: nobody may keep reading them.
    if (&GetMorvelSettings() == &m_settings)
        SetMorvelSettings(nullptr);
    SetGridToolLink(nullptr);
    SetMapToolHost(nullptr);
    DeleteTemporaryJob();
    RemoveAppHooks();
}

bool CMorvelApp::OnInit() { return InitInstance(); }

int CMorvelApp::OnExit()
{
    ExitInstance();
    return wxApp::OnExit();
}

bool CMorvelApp::InitInstance()
{
    SetAppName("Morvel");
    SetAppDisplayName("Morvel");
    SetVendorName("QuorelVantisMarcato");
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    m_icons = std::make_unique<CIcons>(GetExecutableFolder() + "icons/");
    InstallAppHooks(*this);
    InstallUserPreferencesSheet();

    // The first argument that is not an option names the file to open.
    std::string fileName;
    bool splash = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i].utf8_string();
        if (arg == "--nosplash")
            splash = false;
        if (!arg.empty() && arg[0] != '-') {
            fileName = LongPathForm(arg);
            break;
        }
    }

    CSplashWnd::EnableSplash(splash);

    const wxSize display = wxGetDisplaySize();
    const DisplayCheck check = CheckDisplay(display.x, display.y, wxDisplayDepth());
    if (check.showMessage)
        ShowMessageBoxFS(DisplayCheckMessage, MB_OK);
    if (!check.mayStart)
        return false;

    m_ipc = CreateIpcService();
    if (m_ipc)
        m_ipc->Register(GetIpcServiceName(), IpcTopic);

    // Every job keeps its raw lines in the raw data layer's container.
    SetJobRawDataFactory([](CDataFileDoc* owner) -> std::unique_ptr<CJobRawData> {
        return std::make_unique<CNikonRawDataFile>(owner);
    });

    m_recentFiles.ReadList(GetAppProfile());
    SetMorvelSettings(&m_settings);
    m_settings.Load();
    m_settings.LoadSnapSettings();
    m_settingsLoaded = true;

    m_jobTemplate = std::make_unique<CDocTemplate>(
        [this] { return NewJobDocument(); }, &CMorvelApp::OpenJobDocument,
        [this](CDataFileDoc& document) {
            if (m_mainFrame)
                m_mainFrame->CreateJobView(document);
        },
        [this](CDataFileDoc&) {
            if (m_mainFrame)
                m_mainFrame->DestroyJobView();
        });

    InitColorPalettes();
    if (m_settings.GetColorMode() == 2)
        SelectCadColorPalette();

    m_mainFrame = new CMainFrame(*m_icons, m_recentFiles);
    SetTopWindow(m_mainFrame);
    SetMainStatusHost(m_mainFrame);
    m_mainFrame->UpdateRecentFileMenu();
    m_mainFrame->Maximize(true);
    m_mainFrame->Show(true);
    m_mainFrame->RefreshBarsAndStatus();
    Bind(wxEVT_IDLE, &CMorvelApp::OnIdle, this);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnOpenJob(); }, IdOpenJob);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnCloseJob(); }, IdCloseJob);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnAppAbout(); }, IdAppAbout);
    Bind(wxEVT_MENU, [this](wxCommandEvent& e) { OnOpenRecentFile(e.GetId()); }, IdRecentFile1, IdRecentFileLast);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) {
        if (m_mainFrame)
            m_mainFrame->Close();
    }, IdAppExit);

    // A raw-data file whose job does not exist yet becomes a new job of the same name.
    std::string path = fileName;
    bool fromRaw = false;
    int options = 0;
    if (!path.empty() && IsRawFilePath(path)) {
        ChangePathExtension(path, "Mvj");
        if (!FileExists(path)) {
            fromRaw = true;
            if (!WriteEmptyJobFile(path)) {
                ShowMessageBoxFS("Error writing '" + GetPathFileName(path) + "'", MB_OK | MB_ICONERROR);
                return false;
            }
            CRegenerationOptionsDlg dialog(m_mainFrame);
            if (dialog.DoModal() != wxID_OK) {
                // An empty job left behind would open without its raw data at the next start.
                RemoveFile(path);
                return false;
            }
            options = dialog.GetOptions();
        }
    }

    bool openFailed = false;
    if (!path.empty() && !IsJobFilePath(path)) {
        // Say why, and read the file no further than that.
        ShowMessageBoxFS(NotAJobFileMessage(path), MB_OK | MB_ICONERROR);
        openFailed = true;
    } else if (!path.empty()) {
        CDataFileDoc* job = OpenInTemplate(path);
        if (!job) {
            openFailed = true;
            if (fromRaw)
                RemoveFile(path);
        } else if (fromRaw) {
            ForgetNewJobFile(path);
        }
    }

    if (openFailed || path.empty()) {
        WaitWhileSplashShows(SplashWaitMs);
        const std::string recent = GetMostRecentJob();
        bool opened = false;
        if (m_settings.GetAutoLoadMru() && !recent.empty() && FileExists(recent))
            opened = OpenJobByPath(recent) && CDataFileDoc::GetActiveDoc() != nullptr;
        if (!opened)
            m_mainFrame->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdCloseJob));
    } else {
        ShowActiveJobFrame();
    }
    if (!openFailed && fromRaw && GetActiveViewKind() == 0)
        PostRegenerate(options);
    CSplashWnd::HideSplash();
    return true;
}

int CMorvelApp::ExitInstance()
{
    if (m_settingsLoaded) {
        m_settings.Save();
        m_recentFiles.WriteList(GetAppProfile());
        if (m_ipc)
            m_ipc->Unregister();
        m_ipc.reset();
        m_settingsLoaded = false;
    }
    DeleteTemporaryJob();
    RemoveRunTempFolder();
    SetJobRawDataFactory({});
    SetMainStatusHost(nullptr);
    m_mainFrame = nullptr;
    return 0;
}

// --- Accessors.

void CMorvelApp::OnMainFrameDestroyed(CMainFrame* frame)
{
    if (m_mainFrame != frame)
        return;
    m_mainFrame = nullptr;
    SetMainStatusHost(nullptr);
}

const wxBitmap* CMorvelApp::GetIcon(uint32_t id, bool small) { return m_icons ? m_icons->GetIcon(id, small) : nullptr; }

CView* CMorvelApp::GetActiveViewAndKind(int32_t* kind) const
{
    // An open print preview stands in front of the job view.
    if (CPrintPreviewView* preview = CPrintPreviewView::GetCurrent()) {
        if (kind)
            *kind = 1;
        return preview;
    }
    CView* view = m_mainFrame ? m_mainFrame->GetJobView() : nullptr;
    const int32_t k = ClassifyView(view);
    if (kind)
        *kind = k;
    return k == 2 ? nullptr : view;
}

int32_t CMorvelApp::GetActiveViewKind() const
{
    int32_t kind = 2;
    GetActiveViewAndKind(&kind);
    return kind;
}

int32_t CMorvelApp::ClassifyView(const CView* view)
{
    if (dynamic_cast<const CPrintPreviewView*>(view))
        return 1;
    return dynamic_cast<const CMorvelView*>(view) ? 0 : 2;
}

intptr_t CMorvelApp::NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter)
{
    CDataFileDoc* job = CDataFileDoc::GetActiveDoc();
    if (!job)
        return 0;
    job->SendHint(sender, hint, parameter);
    return 1;
}

std::string CMorvelApp::GetFileVersionText() { return MORVEL_VERSION_TEXT; }

void CMorvelApp::OnAppAbout()
{
    CAboutDlg dialog(m_mainFrame);
    dialog.DoModal(m_mainFrame);
}

// --- Job life cycle.

void CMorvelApp::OnOpenJob()
{
    std::string path;
    if (PromptOpenFileName(path, 6, nullptr) != IDOK)
        return;
    OpenChosenJob(path);
}

void CMorvelApp::OpenChosenJob(const std::string& path)
{
    std::string jobPath = path;
    if (IsRawFilePath(jobPath))
        ChangePathExtension(jobPath, "Mvj");
    CDataFileDoc* job = m_jobTemplate ? m_jobTemplate->GetDocument() : nullptr;
    if (job && IsSameFile(job->GetPathName(), jobPath)) {
        // Asks first: the job may hold changes that the files do not.
        if (m_mainFrame)
            m_mainFrame->ReloadActiveJob(false);
        return;
    }
    OpenJobByPath(path);
}

bool CMorvelApp::OpenJobByPath(const std::string& path)
{
    const bool raw = IsRawFilePath(path);
    std::string jobPath = path;
    if (raw)
        ChangePathExtension(jobPath, "Mvj");
    // Checked before the current job is closed, so a bad name leaves it open.
    const bool usable = raw ? FileExists(path) || FileExists(jobPath) : IsJobFilePath(path) && FileExists(path);
    if (!usable) {
        ShowMessageBoxFS(!raw && FileExists(path) ? NotAJobFileMessage(path) : "Failed to open '" + path + "'",
                         MB_OK | MB_ICONERROR);
        return false;
    }
    if (FileExists(jobPath) && !CanOpenJobFile(jobPath))
        return false;
    if (!CloseCurrentJob())
        return true;

    int options = 0;
    CDataFileDoc* job = nullptr;
    if (raw && !FileExists(jobPath)) {
        CRegenerationOptionsDlg dialog(m_mainFrame);
        if (dialog.DoModal() != wxID_OK) {
            OpenScratchJob();
            return false;
        }
        options = dialog.GetOptions();
        if (!WriteEmptyJobFile(jobPath)) {
            RemoveFile(jobPath);
            OpenScratchJob();
            return false;
        }
        job = OpenInTemplate(jobPath);
        ForgetNewJobFile(jobPath);
    } else {
        job = OpenInTemplate(jobPath);
    }

    if (job) {
        ShowActiveJobFrame();
        if (options != 0)
            PostRegenerate(options);
        return true;
    }
    ShowMessageBoxFS("Failed to open '" + path + "'", MB_OK | MB_ICONERROR);
    OpenScratchJob();
    return false;
}

CDataFileDoc* CMorvelApp::OpenDocumentFile(const std::string& path)
{
    if (!FileExists(path)) {
        ShowMessageBoxFS("Unable to open \"" + GetPathFileName(path) + "\".", MB_OK | MB_ICONERROR);
        return nullptr;
    }
    if (!IsJobFilePath(path) && path != m_temporaryJobPath) {
        ShowMessageBoxFS(NotAJobFileMessage(path), MB_OK | MB_ICONERROR);
        return nullptr;
    }
    if (!CanOpenJobFile(path))
        return nullptr;
    if (!CloseCurrentJob())
        return nullptr;
    CDataFileDoc* job = OpenInTemplate(path);
    if (!job)
        OpenScratchJob();
    return job;
}

void CMorvelApp::OnOpenRecentFile(int commandId)
{
    const int32_t index = commandId - IdRecentFile1;
    if (index < 0 || index >= m_recentFiles.GetCount())
        return;
    const std::string entry = LongPathForm(m_recentFiles.GetEntry(index));
    m_recentFiles.SetEntry(index, entry);
    if (m_mainFrame)
        m_mainFrame->UpdateRecentFileMenu();
    if (entry.empty() || !FileExists(entry)) {
        ShowMessageBoxFS("File not found.", MB_OK | MB_ICONERROR);
        return;
    }
    if (OpenDocumentFile(entry))
        ShowActiveJobFrame();
}

void CMorvelApp::OnCloseJob()
{
    if (!CloseCurrentJob())
        return;
    if (!OpenScratchJob()) {
        DeleteTemporaryJob();
        if (m_mainFrame)
            m_mainFrame->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdAppExit));
        return;
    }
    ShowActiveJobFrame();
}

bool CMorvelApp::CreateNewJob(const JobFileHeader& settings)
{
    std::string path;
    if (PromptSaveFileName(path, 10, "New Job") != IDOK)
        return false;
    if (CDataFileDoc* open = CDataFileDoc::GetActiveDoc(); open && RefuseOpenJob(path, open->GetPathName()))
        return false;
    // Written beside the old pair and moved in only when complete: a failed write keeps the old job.
    const std::string failure = WriteFilePairInPlace(
        path, "Mvr", [&](const std::string& staged) { return WriteNewJobFile(staged, settings); });
    if (!failure.empty()) {
        ShowMessageBoxFS(failure, MB_OK | MB_ICONERROR);
        return false;
    }
    if (!CloseCurrentJob())
        return false;
    if (!OpenDocumentFile(path) || !CDataFileDoc::GetActiveDoc()) {
        if (m_mainFrame)
            m_mainFrame->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, IdAppExit));
        return false;
    }
    return ShowActiveJobFrame();
}

bool CMorvelApp::QueryCloseJob()
{
    CDataFileDoc* job = m_jobTemplate ? m_jobTemplate->GetDocument() : nullptr;
    return !job || job->SaveModified();
}

bool CMorvelApp::CloseCurrentJob()
{
    CDataFileDoc* job = m_jobTemplate ? m_jobTemplate->GetDocument() : nullptr;
    if (!job)
        return true;
    if (!job->SaveModified())
        return false;
    CloseAllJobs();
    DeleteTemporaryJob();
    return true;
}

void CMorvelApp::CloseAllJobs()
{
    if (m_jobTemplate)
        m_jobTemplate->CloseAllDocuments();
}

bool CMorvelApp::ShowActiveJobFrame()
{
    if (!m_mainFrame || !m_mainFrame->GetJobView())
        return false;
    m_mainFrame->Raise();
    return true;
}

bool CMorvelApp::HasTemporaryJob() const { return !m_temporaryJobPath.empty() && FileExists(m_temporaryJobPath); }

void CMorvelApp::DeleteTemporaryJob()
{
    if (!m_temporaryJobPath.empty())
        RemoveFile(m_temporaryJobPath);
    m_temporaryJobPath.clear();
}

std::string CMorvelApp::GetMostRecentJob()
{
    std::string recent = m_recentFiles.PruneAndGetMostRecent([](const std::string& p) { return FileExists(p); });
    if (m_mainFrame)
        m_mainFrame->UpdateRecentFileMenu();
    return recent;
}

CDataFileDoc* CMorvelApp::OpenInTemplate(const std::string& path)
{
    return m_jobTemplate ? m_jobTemplate->OpenDocumentFile(path) : nullptr;
}

bool CMorvelApp::OpenScratchJob()
{
    if (CDataFileDoc::GetActiveDoc())
        return true;
    DeleteTemporaryJob();
    std::string path = MakeTempFilePath();
    if (path.empty())
        return false;
    m_temporaryJobPath = path;
    if (!WriteScratchJobFile(path) || !OpenInTemplate(path)) {
        DeleteTemporaryJob();
        return false;
    }
    return true;
}

void CMorvelApp::ForgetNewJobFile(const std::string& jobPath)
{
    // The new job lives in memory until it is saved; its empty file is not a job to reopen, and
    // must not stay behind when the user closes the job without saving.
    RemoveFile(jobPath);
    for (int32_t i = m_recentFiles.GetCount() - 1; i >= 0; --i)
        if (m_recentFiles.GetEntry(i) == jobPath)
            m_recentFiles.Remove(i);
    if (m_mainFrame)
        m_mainFrame->UpdateRecentFileMenu();
}

void CMorvelApp::PostRegenerate(int options)
{
    if (CMorvelView* view = m_mainFrame ? m_mainFrame->GetJobView() : nullptr) {
        auto* event = new wxCommandEvent(EVT_REGENERATE_COORDINATES_80D4);
        event->SetInt(options | 4);
        view->GetEventHandler()->QueueEvent(event);
    }
}

// --- File names.

int CMorvelApp::PromptOpenFileName(std::string& path, int type, const char* title)
{
    return m_fileDialog.PromptOpen(path, type, title ? title : "");
}

int CMorvelApp::PromptSaveFileName(std::string& path, int type, const char* title)
{
    return m_fileDialog.PromptSave(path, type, title ? title : "");
}

int CMorvelApp::DoPromptFileName(std::string& path)
{
    for (;;) {
        const int result = PromptSaveFileName(path, FileTypeSaveJobAs, "Save Job As");
        if (result != IDOK)
            return result;
        const std::string extension = GetPathExtensionWithDot(GetPathFileName(path));
        // A name typed without its ending gets the job's, so Open Job lists the file afterwards.
        if (extension.empty()) {
            path += ".Mvj";
            return result;
        }
        if (wxString::FromUTF8(extension).IsSameAs(CDocTemplate::FilterExtension, false))
            return result;
        ShowMessageBoxFS("The file has an invalid extension: " + extension, MB_OK);
    }
}

// --- Folders and profile.

std::string CMorvelApp::GetProgramFolder() { return GetExecutableFolder(); }

std::string CMorvelApp::GetTempTransferFolder()
{
    const std::string folder = GetProgramDataFolder() + "Temporary Transfer Directory/";
    if (!FolderExists(folder))
        CreateFolderTree(folder);
    return folder;
}

bool CMorvelApp::GetSpecialFolderPath(std::string& folder) { return ::GetSpecialFolderPath(folder); }

bool CMorvelApp::GetDefaultJobFolder(std::string& folder) { return ::GetDefaultJobFolder(folder); }
void CMorvelApp::SetDefaultJobFolder(const std::string& folder) { ::SetDefaultJobFolder(folder); }
bool CMorvelApp::GetDefaultBackupFolder(std::string& folder) { return ::GetDefaultBackupFolder(folder); }
void CMorvelApp::SetDefaultBackupFolder(const std::string& folder) { ::SetDefaultBackupFolder(folder); }

bool CMorvelApp::WriteProfileRect(const char* section, const char* key, const ProfileRect& rect)
{
    return GetAppProfile().WriteProfileRect(section, key, rect);
}

ProfileRect CMorvelApp::GetProfileRect(const char* section, const char* key, const ProfileRect& def)
{
    return GetAppProfile().GetProfileRect(section, key, def);
}

bool CMorvelApp::WriteProfileDouble(const char* section, const char* key, double value)
{
    return GetAppProfile().WriteProfileDouble(section, key, value);
}

double CMorvelApp::GetProfileDouble(const char* section, const char* key, double def)
{
    return GetAppProfile().GetProfileDouble(section, key, def);
}

// --- Hints.

void CMorvelApp::RequestDeferredHints(bool send)
{
    // While a transfer holds the refresh back, asking at every idle pass would only spin.
    if (CanActiveDocDispatchHints() || !m_mainFrame || GetDataFileDocShell().IsRefreshSuppressed())
        return;
    // Not while another window of the program (a dialog, a field's balloon) is in front.
    if (wxWindow* active = wxGetActiveWindow(); active && wxGetTopLevelParent(active) != m_mainFrame)
        return;
    if (CDdxErrorDlg::GetShown())
        return;
    if (send) {
        wxCommandEvent event(EVT_DELIVER_HINTS_80D7);
        m_mainFrame->ProcessWindowEvent(event);
    } else if (!m_hintPostPending) {
        // One post at a time; the conditions are checked again when it arrives.
        m_hintPostPending = true;
        CallAfter([this, generation = m_hintPostGeneration] {
            if (generation != m_hintPostGeneration)
                return;
            m_hintPostPending = false;
            RequestDeferredHints(true);
        });
    }
}

void CMorvelApp::DropPendingHintRequest()
{
    ++m_hintPostGeneration;
    m_hintPostPending = false;
}

void CMorvelApp::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    // The tool follows the map under the cursor; tools replaced since the last pass are off every
    // call stack now.
    if (m_tools)
        m_tools->OnIdle();
    else
        DeleteViewToolClasses();
    RequestDeferredHints(false);
}

// --- Map picks and view tools.

void CMorvelApp::RestoreDialogBarFocus()
{
    if (m_mainFrame)
        m_mainFrame->RestoreDialogBarFocus();
}

bool CMorvelApp::IsMainFrameForeground() const
{
    // A field's balloon stands in front without taking the activation: what waits for the main
    // window (the job-file watch) waits for the balloon to close.
    if (CDdxErrorDlg::GetShown())
        return false;
    wxWindow* active = wxGetActiveWindow();
    return m_mainFrame && active && wxGetTopLevelParent(active) == m_mainFrame;
}

bool CMorvelApp::IsEasyDialogForeground()
{
    wxWindow* active = wxGetActiveWindow();
    auto* dialog = active ? dynamic_cast<wxDialog*>(wxGetTopLevelParent(active)) : nullptr;
    return dialog && CEasyDialog::FromHost(*dialog) != nullptr;
}

int CMorvelApp::FilterEvent(wxEvent& event)
{
    // Input hides the splash and still goes on to where it was going.
    CSplashWnd::FilterAppMessage(event);
    const wxEventType type = event.GetEventType();
    if (!m_mainFrame || !m_tools)
        return Event_Skip;
    // Popup menus prompt in the status bar as the menu bar does.
    if (type == wxEVT_MENU_HIGHLIGHT || type == wxEVT_MENU_CLOSE) {
        auto* menu = dynamic_cast<wxMenu*>(event.GetEventObject());
        if (menu != nullptr && menu->GetMenuBar() == nullptr)
            m_mainFrame->ShowCommandPrompt(static_cast<wxMenuEvent&>(event).GetMenuId(), type == wxEVT_MENU_HIGHLIGHT);
        return Event_Skip;
    }
    CViewToolHost& tools = *m_tools;
    CViewTool* tool = tools.GetCurrentTool();
    const bool isButtonDown = type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN || type == wxEVT_MIDDLE_DOWN;
    const bool isButtonUp = type == wxEVT_LEFT_UP || type == wxEVT_RIGHT_UP || type == wxEVT_MIDDLE_UP;
    const bool isKey = type == wxEVT_KEY_DOWN || type == wxEVT_KEY_UP;
    if (!isKey && !isButtonDown && !isButtonUp && type != wxEVT_MOTION && type != wxEVT_TIMER &&
        type != wxEVT_MOUSEWHEEL && type != wxEVT_SHOW)
        return Event_Skip;

    // The program's tooltips see the mouse wherever it is.
    if (event.IsKindOf(wxCLASSINFO(wxMouseEvent)) && !CCustomToolTipCtrl::GetAll().empty())
        CCustomToolTipCtrl::RelayToAll(static_cast<wxMouseEvent&>(event));

    // Through the host, whose answer window tests can fix (they share an X server without a
    // window manager, where another test's window can take the activation at any moment).
    const bool foreground = tools.IsForeground(false);
    if (foreground && (isKey || isButtonDown || isButtonUp))
        RequestDeferredHints(true);
    else if (foreground && type == wxEVT_TIMER)
        RequestDeferredHints(false);

    // A tip of a list, field or panel goes at any input and 3 pixels away from where it showed.
    if (CObjectIdWnd* tip = CObjectIdWnd::GetCurrentTip()) {
        const wxPoint at = wxGetMousePosition();
        const wxPoint anchor = tip->GetAnchor();
        if ((type == wxEVT_MOTION && CursorLeftPopup(anchor.x, anchor.y, at.x, at.y)) || isKey || isButtonDown ||
            type == wxEVT_MOUSEWHEEL || (type == wxEVT_SHOW && event.GetEventObject() != tip))
            tip->Dismiss();
    }

    if (type == wxEVT_MOTION) {
        if (tool && tool->IsIdPopupShown()) {
            int32_t x = 0, y = 0;
            const wxPoint at = wxGetMousePosition();
            if (tool->GetIdPopupOrigin(x, y) && CursorLeftPopup(x, y, at.x, at.y))
                tool->DismissIdPopup();
        }
        if (foreground && wxGetMouseState().MiddleIsDown() && !tools.IsPanToolCurrent())
            tools.StartRealtimePanTool();
        return Event_Skip;
    }
    if (type == wxEVT_KEY_DOWN || isButtonDown) {
        // The tools' popup stays for Space to page through and for the map's press to take its
        // object; a move or a change of the job takes it away.
        if (!foreground)
            return Event_Skip;
        if (type == wxEVT_MIDDLE_DOWN && !tools.IsPanToolCurrent())
            tools.StartRealtimePanTool();
        if (type == wxEVT_KEY_DOWN && tool && static_cast<wxKeyEvent&>(event).GetKeyCode() == WXK_SPACE) {
            // Shift as it was when the key went down, not as it is when the event is handled.
            const bool back = static_cast<wxKeyEvent&>(event).ShiftDown();
            const bool stepped = back ? tool->SelectPreviousIdObject() : tool->SelectNextIdObject();
            if (stepped)
                return Event_Processed;
        }
        return Event_Skip;
    }
    if (type == wxEVT_MIDDLE_UP && foreground && tools.IsPanToolCurrent()) {
        tools.RestoreDefaultTool();
        return Event_Skip;
    }
    if (type == wxEVT_SHOW) {
        if (tool && tool->IsIdPopupShown() && !tool->IsIdPopupWindow(event.GetEventObject()))
            tool->DismissIdPopup();
        return Event_Skip;
    }
    if (type == wxEVT_MOUSEWHEEL && (foreground || IsEasyDialogForeground())) {
        // A turn that steps no popup goes on to the map under the cursor, which zooms.
        const EWheelStep step = WheelStepFor(static_cast<wxMouseEvent&>(event).GetWheelRotation());
        bool stepped = false;
        if (tool && step == EWheelStep::Previous)
            stepped = tool->SelectPreviousIdObject();
        else if (tool && step == EWheelStep::Next)
            stepped = tool->SelectNextIdObject();
        if (stepped)
            return Event_Processed;
    }
    return Event_Skip;
}

CGraphicDataExchange& CMorvelApp::GetGraphicDataExchange()
{
    return ::GetGraphicDataExchange();
}

void CMorvelApp::RestoreDefaultTool()
{
    m_tools->RestoreDefaultTool();
}

// --- The job document type.

std::unique_ptr<CDataFileDoc> CMorvelApp::NewJobDocument() const { return std::make_unique<CMorvelFileDoc>(); }

bool CMorvelApp::OpenJobDocument(CDataFileDoc& document, const std::string& path)
{
    return static_cast<CMorvelFileDoc&>(document).OnOpenDocument(path);
}

bool CMorvelApp::WriteEmptyJobFile(const std::string& path) const
{
    CMorvelFileDoc empty;
    return empty.CreateEmptyJobFile(path);
}

bool CMorvelApp::WriteScratchJobFile(const std::string& path) const
{
    CMorvelFileDoc scratch;
    return scratch.ExportSelection(path, false, false, nullptr);
}

bool CMorvelApp::WriteNewJobFile(const std::string& path, const JobFileHeader& settings) const
{
    CMorvelFileDoc made;
    made.ApplyJobSettings(settings);
    // The selection names records of the active job, so its points are copied into the new job
    // before that is written; without a selection the new job starts empty.
    CDataFileDoc* active = CDataFileDoc::GetActiveDoc();
    CSelection* selection = active ? active->GetSelection() : nullptr;
    if (selection != nullptr && selection->GetCount() > 0) {
        CRecordDatabase* store = active->GetRecordDatabase();
        CRecordCursor cursor = store->GetFirstRecord(0);
        while (CRecord* record = store->GetNextRecord(cursor)) {
            if (record->GetType() != kRecordTypePoint || !selection->IsSelected(record))
                continue;
            const auto* point = static_cast<const CPointRecord*>(record);
            auto copy = std::make_unique<CPointRecord>();
            copy->SetName(point->GetName());
            copy->SetDescription(point->GetDescription());
            copy->SetLocation(point->GetLocation(), true);
            if (!made.AddRecord(copy.get()))
                return false;
            copy.release();
        }
    }
    return made.ExportSelection(path, false, true, nullptr);
}

bool CMorvelApp::OpenManual() { return OpenHelpDocument(ManualFileName); }

bool CMorvelApp::OpenGettingStarted() { return OpenHelpDocument(GettingStartedFileName); }
