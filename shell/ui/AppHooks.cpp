#include "shell/ui/AppHooks.h"

#include "cogo/ui/PointExists.h"
#include "framework/ColorTable.h"
#include "framework/ui/DdxErrorDlg.h"
#include "framework/ui/MessageBoxFS.h"
#include "framework/ui/WindowEvents.h"
#include "framework/ui/WindowHelpers.h"
#include "model/DataFileDoc.h"
#include "model/DataFileDocShell.h"
#include "framework/ui/StackingDialogBar.h"
#include "model/Interested.h"
#include "model/MorvelFileDoc.h"
#include "model/RecordOwner.h"
#include "model/SettingsShell.h"
#include "platform/ActiveJobHooks.h"
#include "platform/BusyCursor.h"
#include "platform/Clipboard.h"
#include "platform/Document.h"
#include "platform/MessageBox.h"
#include "platform/MessagePump.h"
#include "platform/ShellHooks.h"
#include "platform/StatusBarHost.h"
#include "platform/View.h"
#include "core/ReportOutput.h"
#include "shell/IpcService.h"
#include "shell/ui/AppMessageQueue.h"
#include "shell/ui/AppReportOutput.h"
#include "shell/ui/IpcServer.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/PromptSaveModified.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "transfer/backup/BackupFile.h"
#include "transfer/ui/FileDialogRunner.h"
#include "views/ui/MorvelView.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/font.h>
#include <wx/utils.h>

namespace {

CMorvelApp* g_app = nullptr;

class CAppDocShell : public CDataFileDocShell
{
public:
    int PromptSaveModified(const std::string& prompt, const std::vector<std::string>& history) override
    {
        CPromptSaveModified dialog(g_app ? g_app->GetMainFrame() : nullptr, prompt, &history);
        return dialog.DoModal();
    }

    bool HasMainWindow() override { return g_app && g_app->GetMainFrame(); }
    void SendJobFileViewCommand() override
    {
        if (CMainFrame* frame = g_app ? g_app->GetMainFrame() : nullptr)
            frame->SendJobFileViewCommand();
    }

    // The side bar's panels are asked before the job closes; 2 keeps it open.
    int32_t GetStackingBarState() override
    {
        CStackingDialogBar* bar = StackingBar();
        return bar ? bar->QueryCanCloseJob() : 0;
    }
    void RefreshStackingBarCaptions() override
    {
        if (CStackingDialogBar* bar = StackingBar()) {
            bar->OnJobChanged();
            bar->InitializeNavigator();
        }
    }
    void ResetStackingBar(int32_t) override
    {
        if (CStackingDialogBar* bar = StackingBar())
            bar->CloseAllDialogs();
    }

    static CStackingDialogBar* StackingBar()
    {
        CMainFrame* frame = g_app ? g_app->GetMainFrame() : nullptr;
        return frame ? frame->GetStackingBar() : nullptr;
    }

    // The unsaved scratch job is saved under a name the person chooses.
    bool SaveTemporaryJobAs(int* result) override
    {
        CMainFrame* frame = g_app ? g_app->GetMainFrame() : nullptr;
        return frame && frame->SaveJobAs(result);
    }

    bool DoPromptFileName(std::string& name, const std::string&) override
    {
        return g_app && g_app->DoPromptFileName(name) == IDOK;
    }

    int RunRegenerationOptions(bool& ignoreStorePoints, bool& ignoreDeleted) override
    {
        CRegenerationOptionsDlg dialog(g_app ? g_app->GetMainFrame() : nullptr);
        if (dialog.DoModal() != wxID_OK)
            return IDCANCEL;
        ignoreStorePoints = dialog.m_ignoreStorePoints != 0;
        ignoreDeleted = dialog.m_ignoreDeletedRecords != 0;
        return IDOK;
    }

    void PostRegenerateCoordinates(CView* view, uint32_t options) override
    {
        if (auto* jobView = dynamic_cast<CMorvelView*>(view)) {
            auto* event = new wxCommandEvent(EVT_REGENERATE_COORDINATES_80D4);
            event->SetInt(int(options));
            jobView->GetEventHandler()->QueueEvent(event);
        }
    }

    void Beep() override { wxBell(); }

    CDocTemplate* GetJobDocTemplate() override { return g_app ? g_app->GetJobDocTemplate() : nullptr; }

    void RestoreNoJobState() override
    {
        if (CMainFrame* frame = g_app ? g_app->GetMainFrame() : nullptr) {
            if (CStackingDialogBar* bar = StackingBar())
                bar->ShowNavigatorNoFile();
            frame->RefreshBarsAndStatus();
            frame->OnJobDocumentClosed();
        }
    }
};

class CAppSettingsShell : public CSettingsShell
{
public:
    bool CreateFont(LogFont& font) override
    {
        wxFontInfo info(font.height < 0 ? -font.height : font.height);
        info.FaceName(wxString::FromUTF8(font.faceName))
            .Bold(font.weight >= 700)
            .Italic(font.italic)
            .Underlined(font.underline)
            .Strikethrough(font.strikeOut);
        wxFont created(info);
        if (!created.IsOk())
            return false;
        font.faceName = created.GetFaceName().utf8_string();
        return true;
    }

    void SelectCadColorPalette() override { ::SelectCadColorPalette(); }

    intptr_t NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter) override
    {
        return g_app ? g_app->NotifyActiveDocument(sender, hint, parameter) : 0;
    }
};

CAppDocShell g_docShell;
CAppReportOutput g_reportOutput;
CAppSettingsShell g_settingsShell;
CAppMessageQueue g_messageQueue;

} // namespace

void InstallAppHooks(CMorvelApp& app)
{
    g_app = &app;
    SetReportOutput(&g_reportOutput);
    SetMessageQueue(&g_messageQueue);
    SetIpcServiceFactory([] { return std::make_unique<CWxIpcService>(); });
    SetMessageBoxHandler(MessageBoxHandler(&CMessageBoxFS::Show));
    CDdxErrorDlg::Install();
    CPointExists::Install();
    SetApplicationQuitHandler([](int) {
        if (g_app && g_app->GetMainFrame())
            g_app->GetMainFrame()->Close();
    });

    ActiveJobHooks hooks = GetActiveJobHooks();
    hooks.hasTemporaryJob = [] { return g_app && g_app->HasTemporaryJob(); };
    hooks.defaultJobFolder = [] {
        std::string folder;
        CMorvelApp::GetDefaultJobFolder(folder);
        return folder;
    };
    hooks.defaultBackupFolder = [] {
        std::string folder;
        CMorvelApp::GetDefaultBackupFolder(folder);
        return folder;
    };
    SetActiveJobHooks(std::move(hooks));
    InstallFileDialogRunner([]() -> wxWindow* { return g_app ? g_app->GetMainFrame() : nullptr; });

    SetActiveViewHandler([](int32_t* kind) -> CView* {
        if (!g_app) {
            if (kind)
                *kind = 2;
            return nullptr;
        }
        return g_app->GetActiveViewAndKind(kind);
    });
    // Records draw themselves on the active view once it is a record view.
    SetActiveRecordViewHook([]() -> CRecordView* {
        int32_t kind = 2;
        return dynamic_cast<CRecordView*>(GetActiveViewAndKind(&kind));
    });

    SetDataFileDocShell(&g_docShell);
    CBusyCursor::SetHandler([](bool show) {
        if (show)
            wxBeginBusyCursor();
        else if (wxIsBusy())
            wxEndBusyCursor();
    });
    SetSettingsShell(&g_settingsShell);
    // A rewritten backup may be one of the job's file items in the navigator.
    SetBackupMainWindowSender([](uint32_t message, intptr_t, intptr_t) {
        CMainFrame* frame = g_app ? g_app->GetMainFrame() : nullptr;
        if (!frame || message != WM_BACKUP_REWRITTEN)
            return;
        wxCommandEvent event(EVT_DIALOG_BAR_REQUEST_807B);
        frame->ProcessWindowEvent(event);
    });

    ClipboardHooks clipboard;
    clipboard.setText = [](const std::string& text) {
        wxClipboardLocker lock;
        return !!lock && wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
    };
    clipboard.getText = [](std::optional<std::string>& text) {
        wxClipboardLocker lock;
        if (!lock)
            return false;
        if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT)) {
            wxTextDataObject data;
            if (wxTheClipboard->GetData(data))
                text = data.GetText().utf8_string();
        }
        return true;
    };
    SetClipboardHooks(std::move(clipboard));

    // Objects of change notification name their wx window; one being destroyed hears nothing more.
    CInterested::SetWindowCheck([](const void* window) {
        return window && !static_cast<const wxWindow*>(window)->IsBeingDeleted();
    });
    CDocument::SetRecentFileHandler([](const std::string& path) {
        if (!g_app)
            return;
        g_app->GetRecentFileList().Add(path);
        if (CMainFrame* frame = g_app->GetMainFrame())
            frame->UpdateRecentFileMenu();
    });
}

void RemoveAppHooks()
{
    if (!g_app)
        return;
    g_app = nullptr;
    if (GetReportOutput() == &g_reportOutput)
        SetReportOutput(nullptr);
    if (GetMessageQueue() == &g_messageQueue)
        SetMessageQueue(nullptr);
    SetIpcServiceFactory({});
    SetMessageBoxHandler(MessageBoxHandler());
    CDdxErrorDlg::Uninstall();
    CPointExists::Uninstall();
    SetApplicationQuitHandler({});
    ActiveJobHooks hooks = GetActiveJobHooks();
    hooks.hasTemporaryJob = nullptr;
    hooks.defaultJobFolder = nullptr;
    hooks.defaultBackupFolder = nullptr;
    SetActiveJobHooks(std::move(hooks));
    RemoveFileDialogRunner();
    SetActiveViewHandler({});
    SetActiveRecordViewHook({});
    SetDataFileDocShell(nullptr);
    CBusyCursor::SetHandler({});
    SetSettingsShell(nullptr);
    SetBackupMainWindowSender({});
    SetClipboardHooks({});
    CInterested::SetWindowCheck({});
    CDocument::SetRecentFileHandler({});
}
