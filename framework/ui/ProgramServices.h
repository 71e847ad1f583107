#pragma once

#include <cstdint>
#include <string>

class CIcons;
class CStackableDialog;
class CStackingDialogBar;
class CView;
class wxBitmap;
class wxWindow;
struct JobFileHeader;

// What window code needs of the program: its icons, the active job view, the main window's
// relays, the side bar, opening jobs and the file prompts. The program object implements it and
// installs it while it lives, so windows below the shell reach the program without knowing its
// classes. Window tests that build a window without the program see none (null), as they would
// see no program object.
class CProgramServices
{
public:
    virtual ~CProgramServices() = default;

    // --- The program.
    virtual const wxBitmap* GetIcon(uint32_t id, bool small) = 0;
    virtual CIcons& GetIcons() = 0;
    // The active view and its kind (0 job view, 1 print preview, 2 none).
    virtual CView* GetActiveViewAndKind(int32_t* kind) const = 0;
    virtual int32_t GetActiveViewKind() const = 0;
    // Sends a change hint through the active job.
    virtual intptr_t NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter) = 0;
    virtual bool IsMainFrameForeground() const = 0;
    // The scratch job's path while the scratch job is open, else empty.
    virtual const std::string& GetTemporaryJobPath() const = 0;
    virtual void OnViewClosing() = 0;
    virtual bool OpenJobByPath(const std::string& path) = 0;
    virtual bool CreateNewJob(const JobFileHeader& settings) = 0;
    // The program's file prompts; they answer IDOK or IDCANCEL.
    virtual int PromptOpenFileName(std::string& path, int type, const char* title) = 0;
    virtual int PromptSaveFileName(std::string& path, int type, const char* title) = 0;
    // The regeneration options prompt: false when the user cancels.
    virtual bool AskRegenerationOptions(wxWindow* parent, bool& ignoreStorePoints, bool& ignoreDeleted) = 0;

    // --- The main window; null while there is none, and the relays then do nothing.
    virtual wxWindow* GetMainWindow() const = 0;
    // The job view in the main window's centre.
    virtual CView* GetJobView() const = 0;
    virtual CStackingDialogBar* GetStackingBar() const = 0;
    virtual bool PushStackableDialog(CStackableDialog* panel, uint32_t templateId) = 0;
    virtual void UpdateFrameTitle() = 0;
    virtual void ClearMessageWindow() = 0;
    virtual void ShowCursorPosition(double northing, double easting) = 0;
    virtual void ShowIdleMessage() = 0;
    virtual void SetPaneText(int pane, const std::string& text) = 0;
    virtual void OpenCalculator(double value) = 0;
    virtual bool ReloadActiveJob(bool quiet) = 0;
    // The view tab bar shows the active view's tabs again.
    virtual void RebuildViewTabs() = 0;
    // The toolbar's zoom step in percent (zoom in or out).
    virtual int GetZoomStep(bool in) const = 0;
};

// The installed services, or null.
CProgramServices* GetProgramServices();
void SetProgramServices(CProgramServices* services);
