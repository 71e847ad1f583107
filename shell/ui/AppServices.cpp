#include "shell/ui/AppServices.h"

#include "shell/ui/MainFrame.h"
#include "shell/ui/MorvelApp.h"
#include "shell/ui/MorvelToolbar.h"
#include "shell/ui/RegenerationOptionsDlg.h"
#include "shell/ui/ViewTabBar.h"
#include "views/ui/MorvelView.h"

#include <wx/defs.h>

CAppServices::CAppServices(CMorvelApp& app) : m_app(app) { SetProgramServices(this); }

CAppServices::~CAppServices()
{
    if (GetProgramServices() == this)
        SetProgramServices(nullptr);
}

const wxBitmap* CAppServices::GetIcon(uint32_t id, bool small) { return m_app.GetIcon(id, small); }
CIcons& CAppServices::GetIcons() { return m_app.GetIcons(); }
CView* CAppServices::GetActiveViewAndKind(int32_t* kind) const { return m_app.GetActiveViewAndKind(kind); }
int32_t CAppServices::GetActiveViewKind() const { return m_app.GetActiveViewKind(); }

intptr_t CAppServices::NotifyActiveDocument(void* sender, int32_t hint, intptr_t parameter)
{
    return m_app.NotifyActiveDocument(sender, hint, parameter);
}

bool CAppServices::IsMainFrameForeground() const { return m_app.IsMainFrameForeground(); }
const std::string& CAppServices::GetTemporaryJobPath() const { return m_app.GetTemporaryJobPath(); }
void CAppServices::OnViewClosing() { m_app.OnViewClosing(); }
bool CAppServices::OpenJobByPath(const std::string& path) { return m_app.OpenJobByPath(path); }
bool CAppServices::CreateNewJob(const JobFileHeader& settings) { return m_app.CreateNewJob(settings); }

int CAppServices::PromptOpenFileName(std::string& path, int type, const char* title)
{
    return m_app.PromptOpenFileName(path, type, title);
}

int CAppServices::PromptSaveFileName(std::string& path, int type, const char* title)
{
    return m_app.PromptSaveFileName(path, type, title);
}


bool CAppServices::AskRegenerationOptions(wxWindow* parent, bool& ignoreStorePoints, bool& ignoreDeleted)
{
    CRegenerationOptionsDlg dialog(parent);
    if (dialog.DoModal() != wxID_OK)
        return false;
    ignoreStorePoints = dialog.m_ignoreStorePoints != 0;
    ignoreDeleted = dialog.m_ignoreDeletedRecords != 0;
    return true;
}

wxWindow* CAppServices::GetMainWindow() const { return m_app.GetMainFrame(); }

CView* CAppServices::GetJobView() const
{
    CMainFrame* frame = m_app.GetMainFrame();
    return frame ? frame->GetJobView() : nullptr;
}

CStackingDialogBar* CAppServices::GetStackingBar() const
{
    CMainFrame* frame = m_app.GetMainFrame();
    return frame ? frame->GetStackingBar() : nullptr;
}

bool CAppServices::PushStackableDialog(CStackableDialog* panel, uint32_t templateId)
{
    CMainFrame* frame = m_app.GetMainFrame();
    return frame && frame->PushStackableDialog(panel, templateId);
}

void CAppServices::UpdateFrameTitle()
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->UpdateFrameTitle();
}

void CAppServices::ClearMessageWindow()
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->ClearMessageWindow();
}

void CAppServices::ShowCursorPosition(double northing, double easting)
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->ShowCursorPosition(northing, easting);
}

void CAppServices::ShowIdleMessage()
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->ShowIdleMessage();
}

void CAppServices::SetPaneText(int pane, const std::string& text)
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->SetPaneText(pane, text);
}

void CAppServices::OpenCalculator(double value)
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        frame->OpenCalculator(value);
}

bool CAppServices::ReloadActiveJob(bool quiet)
{
    CMainFrame* frame = m_app.GetMainFrame();
    return frame && frame->ReloadActiveJob(quiet);
}

void CAppServices::RebuildViewTabs()
{
    if (CMainFrame* frame = m_app.GetMainFrame())
        if (CViewTabBar* tabs = frame->GetViewTabBar())
            tabs->RebuildTabs();
}

int CAppServices::GetZoomStep(bool in) const
{
    CMainFrame* frame = m_app.GetMainFrame();
    CMorvelToolbar* toolbar = frame ? frame->GetMorvelToolbar() : nullptr;
    if (!toolbar)
        return 10;
    return in ? toolbar->GetZoomInStep() : toolbar->GetZoomOutStep();
}
