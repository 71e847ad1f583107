#pragma once

#include "platform/MessageBox.h"

#include <cstdint>
#include <string>
#include <vector>

class CDocTemplate;
class CView;

// What the job document base asks of the application shell, the main frame and its bars. The
// window layer installs its own; tests install fakes. Without one there is no main window and no
// stacked dialog, and the save prompt answers Cancel so that unsaved work is never dropped without
// a person having said so. Whether the job is the temporary one comes from the active-job hooks.
class CDataFileDocShell
{
public:
    // Result of the temporary job's save-as flow when the person cancelled.
    static constexpr int SaveAsCancelled = 2;

    virtual ~CDataFileDocShell() = default;

    // The save prompt with the job's change history, oldest first: IDYES, IDNO or IDCANCEL.
    virtual int PromptSaveModified(const std::string& prompt, const std::vector<std::string>& history)
    {
        return IDCANCEL;
    }
    // The temporary job's save-as flow: false when saving failed; result SaveAsCancelled when the
    // person cancelled.
    virtual bool SaveTemporaryJobAs(int* result) { return false; }

    // The main frame's stacking dialog bar: its state (2 = a stacked dialog must not be left),
    // its captions after the job's path changed, and its reset when the job closes.
    virtual int32_t GetStackingBarState() { return 0; }
    virtual void RefreshStackingBarCaptions() {}
    virtual void ResetStackingBar(int32_t arg) {}

    // The application and the main frame go back to their state without a job.
    virtual void RestoreNoJobState() {}

    // The job file dialog for a save: name in and out, the dialog's title. False on cancel.
    virtual bool DoPromptFileName(std::string& name, const std::string& title) { return false; }
    // The regeneration options dialog, which reads and writes its two options in the profile:
    // IDOK or IDCANCEL. Nobody can answer without a window, so the default cancels.
    virtual int RunRegenerationOptions(bool& ignoreStorePoints, bool& ignoreDeleted) { return IDCANCEL; }
    // Posts 0x80D4 (regenerate coordinates) to the view with the options as wParam.
    virtual void PostRegenerateCoordinates(CView* view, uint32_t options) {}
    // The default beep before a question.
    virtual void Beep() {}

    // The main frame's marks: an instrument transfer is running; its refresh message 0x80D7 is
    // to be ignored. The default shell keeps them itself.
    virtual bool IsTransferRunning() { return m_transferRunning; }
    virtual void SetTransferRunning(bool on) { m_transferRunning = on; }
    virtual bool IsRefreshSuppressed() { return m_refreshSuppressed; }
    virtual void SetRefreshSuppressed(bool on) { m_refreshSuppressed = on; }

    // Showing the job file view: whether there is a main window, the Job File View command
    // (7327) with the bar refresh, and the job template's activation call.
    virtual bool HasMainWindow() { return false; }
    virtual void SendJobFileViewCommand() {}
    virtual void ActivateTemplateView(CDocTemplate* docTemplate, int32_t arg) {}
    // The application's job document template; null without an application.
    virtual CDocTemplate* GetJobDocTemplate() { return nullptr; }

private:
    bool m_transferRunning = false;
    bool m_refreshSuppressed = false;
};

// The installed shell, or a do-nothing one.
CDataFileDocShell& GetDataFileDocShell();
// Not owned; null goes back to the do-nothing shell.
void SetDataFileDocShell(CDataFileDocShell* shell);

// Puts the application's wait cursor back after a message box took it away.
void RestoreAppWaitCursor();
