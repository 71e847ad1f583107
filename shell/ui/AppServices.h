#pragma once

#include "framework/ui/ProgramServices.h"

class CMorvelApp;

// The program's services as windows below the shell reach them: each member forwards to the
// program object or its main window.
class CAppServices : public CProgramServices
{
public:
    // Installs itself while it lives.
    explicit CAppServices(CMorvelApp& app);
    ~CAppServices() override;

    const wxBitmap* GetIcon(uint32_t id, bool small) override;
    CIcons& GetIcons() override;
    CView* GetActiveViewAndKind(int32_t* kind) const override;
    int32_t GetActiveViewKind() const override;
    intptr_t NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter) override;
    bool IsMainFrameForeground() const override;
    const std::string& GetTemporaryJobPath() const override;
    void OnViewClosing() override;
    bool OpenJobByPath(const std::string& path) override;
    bool CreateNewJob(const JobFileHeader& settings) override;
    int PromptOpenFileName(std::string& path, int type, const char* title) override;
    int PromptSaveFileName(std::string& path, int type, const char* title) override;
    bool AskRegenerationOptions(wxWindow* parent, bool& ignoreStorePoints, bool& ignoreDeleted) override;

    wxWindow* GetMainWindow() const override;
    CView* GetJobView() const override;
    CStackingDialogBar* GetStackingBar() const override;
    bool PushStackableDialog(CStackableDialog* panel, uint32_t templateId) override;
    void UpdateFrameTitle() override;
    void ClearMessageWindow() override;
    void ShowCursorPosition(double northing, double easting) override;
    void ShowIdleMessage() override;
    void SetPaneText(int pane, const std::string& text) override;
    void OpenCalculator(double value) override;
    bool ReloadActiveJob(bool quiet) override;
    void RebuildViewTabs() override;
    int GetZoomStep(bool in) const override;

private:
    CMorvelApp& m_app;
};
