#pragma once

#include "cogo/CalculatorEngine.h"
#include "model/MorvelSettings.h"
#include "shell/RecentFileList.h"
#include "transfer/browse/FsFileDialog.h"

#include <wx/app.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CAppServices;
class CDataFileDoc;
class CGraphicDataExchange;
class CViewToolHost;
class CGridToolLink;
class CDocTemplate;
class CIcons;
class CIpcService;
class CMainFrame;
class CView;
class wxBitmap;
struct JobFileHeader;

// The application: starts the program (display check, IPC service, profile and settings, the job
// template, the main frame and the first job), keeps the objects every part of the program reaches
// through it, runs the job life cycle (open, open recent, close, new, the scratch job) and shuts
// the program down. A job is always open once start-up is done: a real one or the scratch job
// "Untitled".
class CMorvelApp : public wxApp
{
public:
    CMorvelApp();
    ~CMorvelApp() override;

    bool OnInit() override;
    int OnExit() override;

    // Start-up; false ends the program before the main loop.
    bool InitInstance();
    // Shutdown: settings, recent files and the IPC service.
    int ExitInstance();

    // --- Accessors.
    CMorvelSettings& GetSettings() { return m_settings; }
    const wxBitmap* GetIcon(uint32_t id, bool small);
    CIcons& GetIcons() { return *m_icons; }
    CDocTemplate* GetJobDocTemplate() const { return m_jobTemplate.get(); }
    CMainFrame* GetMainFrame() const { return m_mainFrame; }
    // The main frame is going; nothing may reach it any more.
    void OnMainFrameDestroyed(CMainFrame* frame);
    // The active view and its kind: 0 job view, 1 print preview, 2 none or another view.
    CView* GetActiveViewAndKind(int32_t* kind) const;
    int32_t GetActiveViewKind() const;
    static int32_t ClassifyView(const CView* view);
    // Sends the change hint to the open job; 0 without one.
    intptr_t NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter);
    CRecentFileList& GetRecentFileList() { return m_recentFiles; }
    std::string GetRecentFile(int32_t index) const { return m_recentFiles.GetEntry(index); }
    int32_t GetRecentFileCount() const { return m_recentFiles.GetCount(); }
    static std::string GetFileVersionText();
    // "About Morvel...": the About box, modal over the main window.
    void OnAppAbout();
    void OnViewClosing() {}
    // The program-wide stack, which outlives every calculator window.
    std::vector<double>& GetCalculatorStack() { return CalculatorStack(); }

    // --- Job life cycle.
    void OnOpenJob();
    // Open Job's road once a file is chosen: the open job itself is reloaded (asking first),
    // any other job or raw-data file opened.
    void OpenChosenJob(const std::string& path);
    // Opens a job, or the job of a raw-data file (made from the raw data when it does not exist
    // yet). True also when the person cancelled closing the current job. An existing job opens as
    // it is on disk: nothing is reduced or marked modified on the way.
    bool OpenJobByPath(const std::string& path);
    // Closes the current job and opens the file; null when nothing was opened. The file is checked
    // before the current job is closed, and a job that fails to open leaves the scratch job open.
    CDataFileDoc* OpenDocumentFile(const std::string& path);
    void OnOpenRecentFile(int commandId);
    // Closes the job and opens the scratch job in its place; the program ends when even that fails.
    void OnCloseJob();
    // Asks for a name and makes a new job there from the given settings and the active job's
    // selection, then opens it.
    bool CreateNewJob(const JobFileHeader& settings);
    // Asks to save the job; false when the person cancelled. Closes it otherwise.
    bool CloseCurrentJob();
    // The save question alone: false when the person cancelled.
    bool QueryCloseJob();
    void CloseAllJobs();
    bool ShowActiveJobFrame();
    bool HasTemporaryJob() const;
    void DeleteTemporaryJob();
    const std::string& GetTemporaryJobPath() const { return m_temporaryJobPath; }
    // The most recent job whose file exists; missing entries leave the list.
    std::string GetMostRecentJob();

    // --- File names: the program's file dialog for a file-type code (transfer/browse/FsFileDialog.h),
    // starting at the path. IDOK or IDCANCEL; the path is untouched on a cancel.
    int PromptOpenFileName(std::string& path, int type, const char* title);
    int PromptSaveFileName(std::string& path, int type, const char* title);
    // "Save Job As" (file-type code 10): asks again while the chosen name has an extension other
    // than the job's.
    int DoPromptFileName(std::string& path);
    CFsFileDialog& GetFileDialog() { return m_fileDialog; }

    // --- Folders and profile. Folders end with '/'.
    static std::string GetProgramFolder();
    static std::string GetTempTransferFolder();
    static bool GetDefaultJobFolder(std::string& folder);
    static void SetDefaultJobFolder(const std::string& folder);
    static bool GetDefaultBackupFolder(std::string& folder);
    static void SetDefaultBackupFolder(const std::string& folder);
    static bool GetSpecialFolderPath(std::string& folder);
    static bool WriteProfileRect(const char* section, const char* key, const ProfileRect& rect);
    static ProfileRect GetProfileRect(const char* section, const char* key, const ProfileRect& def);
    static bool WriteProfileDouble(const char* section, const char* key, double value);
    static double GetProfileDouble(const char* section, const char* key, double def);

    // --- Help documents beside the program (commands 7316, F1, and 7319).
    static bool OpenManual();
    static bool OpenGettingStarted();

    // --- Hints: asks the main frame to deliver the active job's held-back hints, at once (send)
    // or when the loop comes back (post).
    void RequestDeferredHints(bool send);
    // A request posted and not yet arrived is dropped (the main window was activated: the focus
    // goes back to the side bar before held-back hints are delivered).
    void DropPendingHintRequest();

    // --- Map picks and view tools.
    CGraphicDataExchange& GetGraphicDataExchange();
    CViewToolHost& GetToolHost() { return *m_tools; }
    void RestoreDefaultTool();

    // Program-wide input before any window sees it: held hints delivered after key and button
    // input, middle-button panning, the identification popup stepped by space and the wheel and
    // dismissed by other input.
    int FilterEvent(wxEvent& event) override;
    bool IsMainFrameForeground() const;
    // Gives the side bar's panel its focus back, through the main window when there is one.
    void RestoreDialogBarFocus();
    // A dialog of the program (shown in its modal host) is in front; the wheel steps popups there too.
    static bool IsEasyDialogForeground();

private:
    // The job document type and what the life cycle asks of it.
    std::unique_ptr<CDataFileDoc> NewJobDocument() const;
    static bool OpenJobDocument(CDataFileDoc& document, const std::string& path);
    bool WriteEmptyJobFile(const std::string& path) const;
    bool WriteScratchJobFile(const std::string& path) const;
    bool WriteNewJobFile(const std::string& path, const JobFileHeader& settings) const;

    // Opens the file as the open job (the current one is closed); null on failure.
    CDataFileDoc* OpenInTemplate(const std::string& path);
    bool OpenScratchJob();
    // Posts 0x80D4 with the options (bit 2 added) to the active job view.
    void PostRegenerate(int options);
    // Removes the empty job file written for a raw data file once the job is open, and its
    // recent-file entry.
    void ForgetNewJobFile(const std::string& jobPath);
    void OnIdle(wxIdleEvent& event);

    CMorvelSettings m_settings;
    // First, so that windows reach the program until its last member is gone.
    std::unique_ptr<CAppServices> m_services;
    std::unique_ptr<CIcons> m_icons;
    std::unique_ptr<CDocTemplate> m_jobTemplate;
    std::unique_ptr<CIpcService> m_ipc;
    CRecentFileList m_recentFiles{9};
    CFsFileDialog m_fileDialog;
    std::string m_temporaryJobPath;
    CMainFrame* m_mainFrame = nullptr;
    std::unique_ptr<CViewToolHost> m_tools;
    std::unique_ptr<CGridToolLink> m_gridToolLink;
    // A posted delivery of held hints is on its way; later posts wait for it.
    bool m_hintPostPending = false;
    uint32_t m_hintPostGeneration = 0;
    bool m_settingsLoaded = false;
};

wxDECLARE_APP(CMorvelApp);
