#include "framework/ui/StackingDialogBar.h"

#include "framework/GraphicDataExchange.h"
#include "framework/ui/MessageBar.h"
#include "framework/ui/NavigatorPanel.h"
#include "framework/ui/StackableDialog.h"
#include "framework/ui/WindowEvents.h"
#include "model/HintCodes.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/toplevel.h>

namespace
{
// The home panel until the project navigator exists.
class CHomePanel : public CStackableDialog
{
public:
    CHomePanel() : CStackableDialog(CStackingDialogBar::HomeTemplateId, "Shortcuts") {}
    std::string GetCaption() const override { return "   "; }
};

bool ContainsWindow(const wxWindow* root, const void* window)
{
    if (root == window)
        return true;
    for (const wxWindow* child : root->GetChildren())
        if (ContainsWindow(child, window))
            return true;
    return false;
}
} // namespace

CStackingDialogBar::CStackingDialogBar(wxWindow* parent, CIcons* icons, CStackableDialog* home)
    : wxPanel(parent, wxID_ANY), m_icons(icons), m_home(home ? home : new CHomePanel()), m_model(*this, m_home),
      m_sizer(new wxBoxSizer(wxVERTICAL))
{
    SetName("Dialog Bar");
    SetWindow(static_cast<const wxWindow*>(this));
    SetSizer(m_sizer);
    m_home->SetBar(this);
    // Coming back to the home panel (a view change, the last panel closed) leaves the bar as the
    // user set it.
    m_home->SetShowBarOnActivation(false);
    m_home->CreatePanelWindow(HomeTemplateId);
    m_sizer->Add(m_home, 1, wxEXPAND);
    m_home->SetLockClose(true);
    m_home->OnActivateInBar();
    Bind(EVT_MESSAGEBAR_CLEAR_8078, &CStackingDialogBar::OnMessageBarRequest, this);
    Bind(EVT_MESSAGEBAR_REPORT_8079, &CStackingDialogBar::OnMessageBarRequest, this);
    Bind(EVT_MESSAGEBAR_REPORTED_807A, &CStackingDialogBar::OnMessageBarRequest, this);
}

CStackingDialogBar::~CStackingDialogBar()
{
    // The panels are children and go with the bar; none may call back into it meanwhile.
    for (wxWindow* child : GetChildren())
        if (auto* panel = dynamic_cast<CStackableDialog*>(child))
            panel->SetBar(nullptr);
}

CStackableDialog* CStackingDialogBar::GetCurrent() const
{
    return dynamic_cast<CStackableDialog*>(m_model.GetCurrent());
}

CStackableDialog* CStackingDialogBar::GetTopDialog()
{
    return dynamic_cast<CStackableDialog*>(m_model.GetTopDialog());
}

bool CStackingDialogBar::PushDialog(CStackableDialog* panel)
{
    panel->SetBar(this);
    const bool hadWindow = panel->HasWindow();
    const uint32_t id = panel->GetTemplateId();
    // A new panel's window is made by the push; it joins the bar's layout then.
    const bool pushed = m_model.PushDialog(panel, id);
    if (pushed && !hadWindow && m_sizer->GetItem(panel) == nullptr)
        m_sizer->Add(panel, 1, wxEXPAND);
    Layout();
    if (CStackableDialog* current = GetCurrent())
        current->UpdateNavigationButtons();
    return pushed;
}

CStackableDialog* CStackingDialogBar::ActivateStackEntry(int n)
{
    auto* shown = dynamic_cast<CStackableDialog*>(m_model.ActivateStackEntry(n));
    Layout();
    return shown;
}

void CStackingDialogBar::RemoveDialog(CStackableDialog* panel)
{
    m_sizer->Detach(panel);
    m_model.RemoveDialog(panel, nullptr);
    if (CStackableDialog* current = GetCurrent())
        current->UpdateNavigationButtons();
    Layout();
}

void CStackingDialogBar::ForgetPanel(CStackableDialog* panel)
{
    m_sizer->Detach(panel);
    const bool wasShown = m_model.GetCurrent() == panel;
    m_model.ForgetPanel(panel);
    if (panel == m_home)
        m_home = nullptr;
    else if (wasShown && m_home && m_home->HasWindow() && !IsBeingDeleted())
        m_model.ShowDialog(m_home, GetActiveView());
}

void CStackingDialogBar::CloseAllDialogs()
{
    m_model.CloseAllDialogs();
    if (!m_model.GetCurrent() && m_home)
        m_model.ShowDialog(m_home, GetActiveView());
    Layout();
}

void CStackingDialogBar::OnJobChanged()
{
    if (CStackableDialog* top = GetTopDialog())
        top->UpdateNavigationButtons();
}

void CStackingDialogBar::RepaintTitles(bool active)
{
    m_titlesActive = active;
    for (CStackableDialog* panel : {m_home, GetTopDialog()})
        if (panel && panel->HasWindow())
            if (wxWindow* strip = panel->GetTitleStrip())
                strip->Refresh();
    Refresh();
}

intptr_t CStackingDialogBar::ForwardToCurrent(uint32_t message, intptr_t wParam)
{
    CStackableDialog* current = GetCurrent();
    if (!current || !current->HasWindow())
        return 0;
    switch (message)
    {
    case 0x8078:
    case 0x8079:
    case 0x807A:
    case 0x80BD:
        return current->OnBarMessage(message, wParam);
    default:
        return 0;
    }
}

bool CStackingDialogBar::IsLiveWindow(const void* window)
{
    if (!window)
        return false;
    // Found by address in the window tree first: a queued handle may name a freed window.
    for (const wxWindow* top : wxTopLevelWindows)
        if (ContainsWindow(top, window))
            return CInterested::IsWindowLive(window);
    return false;
}

bool CStackingDialogBar::IsWindowInStackedDialogs(const wxWindow* window) const
{
    for (const wxWindow* child : GetChildren())
        if (auto* panel = dynamic_cast<const CStackableDialog*>(child); panel && panel->IsShown() && panel->IsDescendant(window))
            return true;
    return false;
}

void CStackingDialogBar::OnNotify(void* sender, int32_t code, intptr_t parameter)
{
    switch (code)
    {
    case HintJobSettingsChanged:
        RenewLabels();
        break;
    case HintActiveControl: {
        const void* handle = reinterpret_cast<const void*>(parameter);
        if (!IsLiveWindow(handle))
            break;
        auto* window = const_cast<wxWindow*>(static_cast<const wxWindow*>(handle));
        if (!window->IsEnabled())
            break;
        if (wxWindow::FindFocus() != window)
        {
            // A request that comes due while another of our windows (the calculator) or a menu
            // has the keyboard is dropped: the focus would bring this window in front, and close
            // an open menu at once. The panel asks again when the window is activated.
            auto* top = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(window));
            if (IsWindowInStackedDialogs(window) && (top == nullptr || top->IsActive()))
                window->SetFocus();
            break;
        }
        // A focused field that no longer picks takes the focus anew, which starts its picking.
        auto* field = dynamic_cast<CGraphicDataTarget*>(window);
        if (field && !GetGraphicDataExchange().IsTarget(field))
        {
            SetFocusIgnoringChildren();
            window->SetFocus();
        }
        break;
    }
    case HintInteractiveField: {
        const void* handle = reinterpret_cast<const void*>(parameter);
        if (!IsLiveWindow(handle))
            break;
        auto* window = const_cast<wxWindow*>(static_cast<const wxWindow*>(handle));
        if (window->IsShown())
            window->Refresh();
        break;
    }
    default:
        m_model.OnHint(sender, code, parameter);
        Layout();
        break;
    }
}

void CStackingDialogBar::ResetGraphicDataExchange()
{
    if (resetExchange)
        resetExchange();
    else
        GetGraphicDataExchange().Reset();
}

void CStackingDialogBar::FocusMainWindow()
{
    if (wxWindow* top = wxGetTopLevelParent(this))
        top->SetFocus();
}

void CStackingDialogBar::OnMessageBarRequest(wxCommandEvent& event)
{
    const wxEventType type = event.GetEventType();
    const uint32_t message = type == EVT_MESSAGEBAR_CLEAR_8078    ? 0x8078
                             : type == EVT_MESSAGEBAR_REPORT_8079 ? 0x8079
                                                                  : 0x807A;
    event.SetExtraLong(static_cast<long>(ForwardToCurrent(message, event.GetInt())));
}

void CStackingDialogBar::RequestFileItemsRefresh()
{
    if (wxWindow* top = wxGetTopLevelParent(this); top && !top->IsBeingDeleted())
        top->GetEventHandler()->QueueEvent(new wxCommandEvent(EVT_DIALOG_BAR_REQUEST_807B));
}

void CStackingDialogBar::RenewLabels()
{
    for (wxWindow* child : GetChildren())
        if (auto* panel = dynamic_cast<CStackableDialog*>(child))
            panel->UpdateUnitLabels();
}

// --- Navigator relays.

CNavigatorPanel* CStackingDialogBar::GetNavigator() const
{
    if (!m_home || !m_home->HasWindow() || m_home->IsBeingDeleted())
        return nullptr;
    return dynamic_cast<CNavigatorPanel*>(m_home);
}

void CStackingDialogBar::InitializeNavigator()
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->Initialize();
}

void CStackingDialogBar::ShowNavigatorNoFile()
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->ShowNoFile();
}

void CStackingDialogBar::SetNavigatorJobTitle(const std::string& title)
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->SetJobTitle(title);
}

void CStackingDialogBar::UpdateNavigatorTree(const std::string& path)
{
    if (CNavigatorPanel* navigator = GetNavigator()) {
        navigator->RefreshAllJobs();
        navigator->UpdateFileItems(path);
    }
}

void CStackingDialogBar::UpdateNavigatorFileItems(const std::string& path)
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->UpdateFileItems(path);
}

void CStackingDialogBar::ShowNavigatorFile(const std::string& path)
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->ShowFile(path);
}

void CStackingDialogBar::RefreshAllJobs()
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->RefreshAllJobs();
}

void CStackingDialogBar::RefreshActiveJobMarks()
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->RefreshActiveJobMarks();
}

void CStackingDialogBar::SelectActiveJobFile(bool raw)
{
    if (CNavigatorPanel* navigator = GetNavigator())
        navigator->SelectActiveJobFile(raw);
}
